// --project and --save-project of the batch tool.
#include "batch/project_options.h"

#include <filesystem>
#include <iostream>

#include "model/errors.h"
#include "model/soil_values.h"
#include "project/open_project.h"

namespace ormevak::batch {

namespace fs = std::filesystem;

StoredProject readRunProject(const std::string& projectFile) {
    StoredProject stored = readProjectFile(projectFile);
    std::error_code ec;
    if (!fs::is_regular_file(stored.analysisResolved, ec))
        throw ProjectFileError(projectFile,
                               "its analysis file " + stored.analysisResolved + " does not exist");
    return stored;
}

std::string projectDisagreement(const StoredProject& stored, const std::string& analysisFile,
                                const std::string* depth, const std::string* sbc) {
    std::error_code ec;
    if (!analysisFile.empty() && fs::exists(analysisFile, ec) &&
        !fs::equivalent(analysisFile, stored.analysisResolved, ec))
        return "the analysis file " + analysisFile + " is not the project's analysis file " +
               stored.analysisResolved;
    Project saved;
    applySoilValues(saved, stored.soil.depth, stored.soil.sbc);
    if (depth) {
        Project given;
        if (applySoilValues(given, *depth, stored.soil.sbc).accepted &&
            given.earthPressure != saved.earthPressure)
            return "--depth " + *depth + " disagrees with the project's depth " + stored.soil.depth;
    }
    if (sbc) {
        Project given;
        if (applySoilValues(given, stored.soil.depth, *sbc).accepted &&
            given.allowableBearing != saved.allowableBearing)
            return "--sbc " + *sbc + " disagrees with the project's SBC " + stored.soil.sbc;
    }
    return {};
}

int openProjectRun(Session& s, const std::string& projectFile, const StoredProject& stored,
                   bool& scheduleRestored) {
    try {
        OpenedProject opened = openStoredProject(stored, projectFile);
        s.project = std::move(opened.project);
        for (const std::string& m : opened.messages) s.prompts.inform(m);
        for (const std::string& line : opened.changes) s.prompts.inform(line);
        scheduleRestored = opened.scheduleRestored;
        return 0;
    } catch (const AnalysisInputError& e) {
        if (*e.what() != '\0') std::cerr << e.what() << "\n";
        return 1;
    } catch (const CapacityError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    } catch (const ProjectFileError& e) {
        std::cerr << "ormevak-batch: " << e.what() << "\n";
        return 2;
    }
}

} // namespace ormevak::batch
