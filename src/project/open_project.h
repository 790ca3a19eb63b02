// Opening a saved project: the analysis file through the usual input phase, soil values and load
// pipeline, then the engineer's decisions; when the analysis changed, what changed and what
// could not be carried over.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "model/project.h"
#include "project/project_file.h"

namespace ormevak {

// The analysis file named by a project was found but its input phase ended (the reader's
// message, possibly empty).
class AnalysisInputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct OpenedProject {
    Project project;
    SoilTexts soil;
    // What the input phase and the load pipeline told the user, in order.
    std::vector<std::string> messages;
    // The report on a changed analysis: a heading line, then one line per change and per
    // decision not carried over. Empty when the analysis is as it was saved.
    std::vector<std::string> changes;
    // True when the saved schedule rows stand as they were saved.
    bool scheduleRestored = false;
};

// Builds the project from `stored` into a fresh model; the caller's model is not touched.
// Throws ProjectFileError (the analysis file is missing, the soil values are refused, the
// project does not fit its analysis), AnalysisInputError and CapacityError.
OpenedProject openStoredProject(const StoredProject& stored, const std::string& projectPath);

// readProjectFile, then openStoredProject.
OpenedProject openProject(const std::string& projectPath);

// The lines of a change report for a changed analysis, in the order they are found: supports
// added, removed and moved, load cases added and removed, reactions changed by more than 1 %,
// grades changed. `p` is the model after its load pipeline.
std::vector<std::string> analysisChanges(const StoredProject& stored, const Project& p);

} // namespace ormevak
