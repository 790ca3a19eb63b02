// The batch tool's --project and --save-project: checking the arguments against a saved project
// and opening it into the session.
#pragma once

#include <string>

#include "batch/session.h"
#include "project/project_file.h"

namespace ormevak::batch {

// Reads the project named by --project and checks that its analysis file exists. Throws
// ProjectFileError.
StoredProject readRunProject(const std::string& projectFile);

// Why ANALYSIS_FILE, --sbc or --depth, where given, disagree with the project; "" when they
// agree. A soil text that the dialog refuses is left to the usual check.
std::string projectDisagreement(const StoredProject& stored, const std::string& analysisFile,
                                const std::string* depth, const std::string* sbc);

// Opens the project into the fresh session: its input phase messages, then the change report,
// go to the session's messages. Returns the exit status that ends the run (1 the input phase
// ended, 2 a bad project file), or 0 with `scheduleRestored` telling whether the saved schedule
// stands (the closing Design command then does not run).
int openProjectRun(Session& s, const std::string& projectFile, const StoredProject& stored,
                   bool& scheduleRestored);

} // namespace ormevak::batch
