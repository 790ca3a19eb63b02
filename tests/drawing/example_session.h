// The example projects carried through the batch tool's session: input phase, soil values, the
// main window's load, an optional action script, and the Design command.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "batch/actions.h"
#include "batch/apply.h"
#include "batch/session.h"
#include "design/design.h"
#include "model/analysis_reader.h"
#include "model/soil_values.h"
#include "sizing/pipeline.h"

namespace ormevak::testing {

// False when the example could not be read; `actions` names a script in tests/batch/golden.
inline bool loadExample(batch::Session& s, const std::string& example,
                        const std::string& actions = {}) {
    const std::string path = std::string(ORMEVAK_SOURCE_DIR) + "/examples/" + example + ".ANL";
    if (runInputPhase(s.project, path, s.prompts).has_value()) return false;
    if (!applySoilValues(s.project, "1.5", "200").accepted) return false;
    loadMainWindow(s.project, s.prompts);
    bool designed = false;
    if (!actions.empty()) {
        std::ifstream in(std::string(ORMEVAK_SOURCE_DIR) + "/tests/batch/golden/" + actions);
        std::stringstream text;
        text << in.rdbuf();
        for (const batch::Action& a : batch::parseActions(text.str())) {
            s.prompts.answer = a.ok;
            batch::applyAction(s, a);
            designed = designed || a.kind == batch::ActionKind::Design;
        }
    }
    if (!designed) runDesign(s.project, s.prompts);
    return true;
}

} // namespace ormevak::testing
