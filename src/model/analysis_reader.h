// The input phase: the analysis file read into the model, then the frame grids.
#pragma once

#include <optional>
#include <string>

#include "model/project.h"
#include "model/prompts.h"

namespace ormevak {

// Why the input phase ended the program. `message` is empty where the program ends silently.
struct InputFailure {
    std::string message;
};

// Reads the analysis file at `path` into `p` (which must be fresh). Messages that do not end the
// program go to `prompts`. Returns the failure that ends the program, if any; on failure the
// model is left as a fresh Project.
std::optional<InputFailure> readAnalysisFile(Project& p, const std::string& path, Prompts& prompts);

// Same, from text already in memory (the path is only recorded).
std::optional<InputFailure> readAnalysisText(Project& p, const std::string& path,
                                             const std::string& text, Prompts& prompts);

// The whole input phase: readAnalysisFile, then buildMemberGrids and linkSupportColumns.
std::optional<InputFailure> runInputPhase(Project& p, const std::string& path, Prompts& prompts);

} // namespace ormevak
