// An example analysis copied into a scratch folder, loaded as the main window loads it, with
// the engineer's edits made through the core's own operations.
#pragma once

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "combined/combined_footing.h"
#include "design/design.h"
#include "design/schedule.h"
#include "model/analysis_reader.h"
#include "model/soil_values.h"
#include "plan/interaction.h"
#include "plan/offsets.h"
#include "project/open_project.h"
#include "project/project_file.h"
#include "sizing/pipeline.h"
#include "support/recording_prompts.h"

namespace ormevak::testing {

namespace fs = std::filesystem;

inline std::string slurp(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void spill(const fs::path& f, const std::string& text) {
    std::ofstream(f, std::ios::binary | std::ios::trunc) << text;
}

class ProjectFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("ormevak-project-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy_file(ORMEVAK_SOURCE_DIR "/examples/office-frame.ANL", dir / "office.ANL");
        analysis = (dir / "office.ANL").string();
        projectPath = (dir / "office.ormevak").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    // The office frame after the startup dialog (SBC 200, depth 1.5) and the main window load.
    Project load() {
        Project p;
        EXPECT_FALSE(runInputPhase(p, analysis, prompts).has_value());
        EXPECT_TRUE(applySoilValues(p, soil.depth, soil.sbc).accepted);
        loadMainWindow(p, prompts);
        return p;
    }

    // A session of every kind of edit: groups, resizing, disabling, combining, offsets, the
    // Design command and schedule edits.
    Project edited() {
        Project p = load();
        PlanState plan;
        toggleGroup(p, prompts, 1);
        nudgeGroup(p, prompts, 3);
        selectFooting(p, plan, 2);
        wheelStep(p, prompts, +1);
        selectFooting(p, plan, 30);
        wheelStep(p, prompts, +1);
        toggleDisableMode(plan);
        pressLabel(p, prompts, plan, 6, Button::Left, false);
        toggleDisableMode(plan);
        plan.bandX1 = -100;
        plan.bandY1 = -100;
        plan.bandX2 = 100;
        plan.bandY2 = 5100;
        combineBand(p, prompts, plan);
        pickFooting(p, 9);
        offsetKeys(p, OffsetKey::Right);
        pickFooting(p, 12);
        offsetKeys(p, OffsetKey::Up);
        runDesign(p, prompts);
        editDepth(p, 1, "0.9");
        clickDiameter(p, 2);
        selectFooting(p, plan, 4);
        return p;
    }

    void replaceInAnalysis(const std::string& from, const std::string& to) {
        std::string text = slurp(analysis);
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        spill(analysis, text);
    }

    // The reaction lines of a support at the start of a reaction table page (its eight cases
    // follow its first line without a page break).
    std::string reactionBlock(int joint) {
        const std::string text = slurp(analysis);
        const std::regex first("\n +" + std::to_string(joint) + " +1 +-?[0-9]");
        std::smatch m;
        EXPECT_TRUE(std::regex_search(text, m, first));
        const size_t start = static_cast<size_t>(m.position(0)) + 1;
        size_t end = start;
        for (int line = 0; line < 8; ++line) end = text.find('\n', end) + 1;
        return text.substr(start, end - start);
    }

    RecordingPrompts prompts;
    SoilTexts soil{"1.5", "200"};
    fs::path dir;
    std::string analysis, projectPath;
};

} // namespace ormevak::testing
