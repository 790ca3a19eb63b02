// A small project built by hand for the output tests: two size groups, one resized footing, one
// disabled footing and two combined footings (one along X, one along Z), two load cases.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "model/project.h"

namespace ormevak::testing {

struct ExampleFooting {
    int jointNo, state, markNo, x, z;
    float lenL, widB;
    // Case 0 and case 1: FORCE-Y, MOM-X, MOM-Z.
    float loads[2][3];
};

inline void addFooting(Project& p, const ExampleFooting& e) {
    FootingRecord f;
    f.jointNo = e.jointNo;
    f.state = e.state;
    f.markNo = e.markNo;
    f.x = f.nodeX = e.x;
    f.z = f.nodeZ = e.z;
    f.lenL = e.lenL;
    f.widB = e.widB;
    p.footings.push_back(f);
    ++p.footingCount;
    SupportCases cases{};
    cases[0][0] = static_cast<float>(e.jointNo);
    const float caseNumbers[2] = {1, 3}; // load case numbers are not the case indices
    for (int c = 0; c < 2; ++c) {
        cases[c][1] = caseNumbers[c];
        cases[c][2] = e.loads[c][0];
        cases[c][3] = e.loads[c][1];
        cases[c][4] = e.loads[c][2];
    }
    p.supportReaction.push_back(cases);
    p.supportReaction[0][0][reaction::SupportCount] = static_cast<float>(p.footingCount);
}

inline void setGrid(std::vector<int32_t>& grid, std::initializer_list<int32_t> values) {
    grid.assign(1, static_cast<int32_t>(values.size()));
    grid.insert(grid.end(), values.begin(), values.end());
}

inline CombinedRecord combined(int m1, int m2, int orientation, float span, float length,
                               float width, float cant1, float cant2, float xMin, float zMin,
                               float xMax, float zMax) {
    CombinedRecord c;
    c.memberCount = 2;
    c.members[1] = m1;
    c.members[2] = m2;
    c.orientation = orientation;
    c.span = span;
    c.length = length;
    c.width = width;
    c.cant1 = cant1;
    c.cant2 = cant2;
    c.xMin = xMin;
    c.zMin = zMin;
    c.xMax = xMax;
    c.zMax = zMax;
    return c;
}

// Footing i stands under joint 100 + i.
inline Project exampleProject() {
    Project p;
    p.supportReaction.resize(1); // support 0 holds the count
    p.loadCaseCount = 1;
    p.allowableBearing.fill(250.0f);
    p.allowableBearing[0] = 200.0f;
    p.earthPressure = 30.0f;

    // Group F1 (2.0 m): footing 1 has the larger worst pressure, so it follows footing 2.
    addFooting(p, {101, 0, 1, 0, 0, 2.0f, 2.0f, {{600, 20, -10}, {700, 40, 20}}});
    addFooting(p, {102, 0, 1, 4000, 0, 2.0f, 2.0f, {{500, 0, 8}, {560, -16, 0}}});
    // Group F2 (2.4 m): uplift beyond the earth pressure in case 0, overpressure in case 1.
    addFooting(p, {103, 0, 2, 8000, 0, 2.4f, 2.4f, {{100, 200, 0}, {1382.4f, 0, 0}}});
    // Resized R1, 1.8 x 2.2 m: uplift within the earth pressure, then overpressure and uplift.
    addFooting(p, {104, -1, 1, 0, 5000, 1.8f, 2.2f, {{300, 150, 0}, {300, 0, 200}}});
    // Combined footing 1, along X.
    addFooting(p, {105, 1, 0, 4000, 5000, 1.35f, 4.1f, {{400, 5, -12}, {450, -6, 14}}});
    addFooting(p, {106, 1, 0, 7050, 5000, 1.35f, 4.1f, {{410, 7, 9}, {430, 8, -3}}});
    // Disabled.
    addFooting(p, {107, -100, 0, 8000, 5000, 1.5f, 1.5f, {{200, 1, 1}, {210, 1, 1}}});
    // Combined footing 2, along Z.
    addFooting(p, {108, 2, 0, 11000, 0, 1.2f, 3.5f, {{300, 2, 3}, {320, 4, 5}}});
    addFooting(p, {109, 2, 0, 11000, 2500, 1.2f, 3.5f, {{310, -2, -3}, {330, 1, 0}}});

    p.combinedFootings.push_back(
        combined(5, 6, 1, 3050, 4.1f, 1.35f, 0.5f, 0.55f, 3500, 4325, 7600, 5675));
    p.combinedFootings.push_back(
        combined(8, 9, 0, 2500, 3.5f, 1.2f, 0.5f, 0.5f, 10400, -500, 11600, 3000));
    p.combinedCount = 2;

    p.designRowCount = 2;
    p.designRows.resize(3);
    p.designRowTexts.resize(3); // the rows' texts, empty: no design has run

    setGrid(p.gridX, {0, 4000, 7050, 8000, 11000});
    setGrid(p.gridZ, {0, 2500, 5000});
    return p;
}

// A fresh, empty folder under the system's temporary folder.
inline std::filesystem::path freshFolder(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() /
               ("ormevak-output-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// Removes a test's folder, unless ORMEVAK_KEEP_TEST_FILES is set: then the files stay for a look
// (render a PDF with pdftoppm, open a workbook).
inline void removeUnlessKept(const std::filesystem::path& dir) {
    if (std::getenv("ORMEVAK_KEEP_TEST_FILES") == nullptr) std::filesystem::remove_all(dir);
}

inline std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The Debian python, which carries python3-openpyxl.
inline std::string python3() {
    return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

} // namespace ormevak::testing
