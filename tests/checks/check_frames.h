// Small frames built by hand for the design checks: footings placed and sized directly, the
// reactions as the file would give them (a pull stays negative), columns and schedule rows
// written as the Design command would leave them.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "checks/checks.h"
#include "design/design.h"
#include "model/project.h"
#include "support/project_builder.h"

namespace ormevak::testing {

// n supports with `cases` load cases (numbers 1..cases), joints 101, 102, ...; SBC 200 (250
// later), earth pressure 30 (depth 1.5 m), fck 20, fy 415. Every footing starts grouped
// ("F1"), 2 x 2 m at (0, 0), without a column.
inline Project checkFrame(int n, int cases) {
    ProjectBuilder b(n, cases);
    for (int f = 1; f <= n; ++f) b.square(f, 2.0f, 1);
    Project p = b.build();
    p.columns.resize(1);
    return p;
}

inline void place(Project& p, int f, int x, int z, float L, float B) {
    FootingRecord& ft = p.footings[static_cast<size_t>(f)];
    ft.x = ft.nodeX = x;
    ft.z = ft.nodeZ = z;
    ft.lenL = L;
    ft.widB = B;
}

// Case index c (load case number c + 1) of support s.
inline void load(Project& p, int s, int c, float fy, float mx = 0, float mz = 0) {
    p.reaction(s, c, reaction::ForceY) = fy;
    p.reaction(s, c, reaction::MomX) = mx;
    p.reaction(s, c, reaction::MomZ) = mz;
}

// A column of b (along X) by h (along Z) mm standing on footing f.
inline void column(Project& p, int f, int b, int h) {
    p.columnCount += 1;
    p.columns.push_back({0, 100 + p.columnCount, 3000, h, b});
    p.footings[static_cast<size_t>(f)].colIndex = p.columnCount;
}

// Schedule row n of side L, depth D, pedestal a and bar diameter dia over the given footings,
// showing the steel area, the bar count and the spacing as given.
inline void scheduleRow(Project& p, int n, float L, float D, float a, int dia,
                        const std::vector<int>& footings, const std::string& ast,
                        const std::string& bars, const std::string& spacing) {
    p.designRowCount = std::max(p.designRowCount, n);
    if (static_cast<int>(p.designRows.size()) <= n) p.designRows.resize(static_cast<size_t>(n) + 1);
    if (static_cast<int>(p.designRowTexts.size()) <= n)
        p.designRowTexts.resize(static_cast<size_t>(n) + 1);
    GroupRecord& r = p.designRows[static_cast<size_t>(n)];
    r.size = L;
    r.depth = D;
    r.pedestal = a;
    r.barDia = dia;
    r.nosCount = static_cast<int>(footings.size());
    r.footingNos = {0};
    r.footingNos.insert(r.footingNos.end(), footings.begin(), footings.end());
    RowTexts& t = p.designRowTexts[static_cast<size_t>(n)];
    t = RowTexts{};
    t[col::LabF1] = "F" + std::to_string(n);
    t[col::LabAst] = ast;
    t[col::LabRods] = bars;
    t[col::LabSpace] = spacing;
}

// The checks of one id.
inline std::vector<Check> only(const std::vector<Check>& all, const std::string& id) {
    std::vector<Check> out;
    for (const Check& c : all)
        if (c.id == id) out.push_back(c);
    return out;
}

} // namespace ormevak::testing
