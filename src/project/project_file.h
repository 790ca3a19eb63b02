// The project file (NAME.ormevak): everything the engineer decided on an analysis, as JSON with
// a format version. Reading checks every value before anything is used.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/errors.h"
#include "model/project.h"

namespace ormevak {

inline constexpr int kProjectFormatVersion = 1;
inline constexpr const char* kProjectExtension = ".ormevak";

// A project file that cannot be read or used; the message names the file and the problem.
class ProjectFileError : public FileError {
  public:
    ProjectFileError(const std::string& path, const std::string& problem)
        : FileError("Cannot open the project " + path + ": " + problem) {}
};

// The two texts typed into the startup dialog.
struct SoilTexts {
    std::string depth;
    std::string sbc;
};

// One footing as saved: the support it stands under (joint, position and loads, to see later
// whether the analysis changed) and what the engineer made of it.
struct StoredFooting {
    FootingRecord record; // jointNo, state, groupIndex, markNo, x, z, nodeX, nodeZ, offX, offZ,
                          // lenL, widB
    // Reaction lines with a load case number: case number, FORCE-Y, MOM-X, MOM-Z.
    std::vector<std::array<float, 4>> loads;
};

// The content of a project file, checked: every index points inside its table.
struct StoredProject {
    int version = kProjectFormatVersion;
    std::string analysisFile;     // as stored: relative to the project file's folder, or absolute
    std::string analysisResolved; // the path to open, from the project file's path
    std::string analysisSha256;
    SoilTexts soil;
    int concreteGrade = 0, steelGrade = 0;
    std::vector<StoredFooting> footings; // support order, from 0
    // Groups, check boxes, captions, combined footings and schedule rows, numbered from 1 as
    // in Project (element 0 unused).
    int groupCount = 0;
    std::vector<GroupRecord> groups{GroupRecord{}};
    std::vector<char> groupEnabled{0};
    std::vector<GroupCaptions> groupCaptions{GroupCaptions{}};
    int combinedCount = 0;
    std::vector<CombinedRecord> combinedFootings{CombinedRecord{}};
    int designRowCount = 0;
    std::vector<GroupRecord> designRows{GroupRecord{}};
    std::vector<std::array<std::string, 20>> designRowTexts{std::array<std::string, 20>{}};
    // The designed R and C rows as they stood (every input, result and text).
    std::vector<RectRow> rectRows;
    std::vector<CombinedRow> combinedRows;
    int currentFooting = 0;
    std::string sizeLabel;
};

// The analysis path as the project file stores it: relative to the project file's folder when
// both lie under one root, otherwise absolute; always with '/'.
std::string relativeAnalysisPath(const std::string& analysisPath, const std::string& projectPath);

// The project file's text for `p` (after its load pipeline and the engineer's work).
std::string projectText(const Project& p, const SoilTexts& soil, const std::string& projectPath,
                        const std::string& analysisSha256);

// Hashes the analysis file as it is on disk and writes the project file whole or not at all.
// Throws FileError.
void saveProject(const Project& p, const SoilTexts& soil, const std::string& projectPath);

// Parses and checks a project file's text; `projectPath` names it in messages and anchors the
// relative analysis path. Throws ProjectFileError.
StoredProject parseProject(const std::string& text, const std::string& projectPath);

// Reads and parses the file. Throws ProjectFileError.
StoredProject readProjectFile(const std::string& projectPath);

} // namespace ormevak
