// A small project built by hand, step by step, for the core tests: supports with their joints
// and load cases, footings placed and sized, columns, soil values, grades and combined pairs.
//
//     Project p = ProjectBuilder(2, 1).load(1, 0, 500).load(2, 0, 500).at(2, 0, 3000).build();
#pragma once

#include <cstddef>

#include "model/project.h"

namespace ormevak::testing {

class ProjectBuilder {
  public:
    // n supports with `cases` load cases each (numbers 1..cases), joints 101, 102, ... at
    // (0, 0), each with a grouped footing not yet sized; SBC 200 (250 for the later cases),
    // earth pressure 30 (depth 1.5 m), fck 20, fy 415.
    ProjectBuilder(int supports, int cases) {
        p_.supportReaction.resize(row(supports) + 1);
        p_.reaction(0, 0, reaction::SupportCount) = static_cast<float>(supports);
        p_.footings.resize(row(supports) + 1);
        p_.footingCount = supports;
        for (int s = 1; s <= supports; ++s) {
            p_.reaction(s, 0, reaction::JointNo) = static_cast<float>(100 + s);
            for (int c = 0; c < cases; ++c)
                p_.reaction(s, c, reaction::CaseNo) = static_cast<float>(c + 1);
            p_.footings[row(s)].jointNo = 100 + s;
        }
        p_.loadCaseCount = cases - 1;
        soil(200, 30);
        grades(20, 415);
    }

    // Case index c (load case number c + 1) of support s, as the analysis file gives it.
    ProjectBuilder& load(int s, int c, float fy, float mx = 0, float mz = 0) {
        p_.reaction(s, c, reaction::ForceY) = fy;
        p_.reaction(s, c, reaction::MomX) = mx;
        p_.reaction(s, c, reaction::MomZ) = mz;
        return *this;
    }
    // Footing f and its support joint at (x, z), mm.
    ProjectBuilder& at(int f, int x, int z) {
        FootingRecord& ft = p_.footings[row(f)];
        ft.x = ft.nodeX = x;
        ft.z = ft.nodeZ = z;
        return *this;
    }
    // Footing f laid out L along X by B along Z, m.
    ProjectBuilder& sized(int f, float L, float B) {
        FootingRecord& ft = p_.footings[row(f)];
        ft.lenL = L;
        ft.widB = B;
        return *this;
    }
    // Footing f sized square with side `side` (m) as its required side, carrying mark `mark`.
    ProjectBuilder& square(int f, float side, int mark) {
        FootingRecord& ft = p_.footings[row(f)];
        ft.lenL = ft.widB = ft.reqSide = side;
        ft.markNo = mark;
        return *this;
    }
    // Footing f in state `state` (kStateGrouped, kStateResized, kStateDisabled, or k >= 1).
    ProjectBuilder& state(int f, int32_t value) {
        p_.footings[row(f)].state = value;
        return *this;
    }
    // A column of b (along X) by h (along Z) mm, 3 m long, standing on footing f: column row
    // n is member 100 + n.
    ProjectBuilder& column(int f, int b, int h) {
        if (p_.columns.empty()) p_.columns.resize(1);
        p_.columnCount += 1;
        p_.columns.push_back({0, 100 + p_.columnCount, 3000, h, b});
        p_.footings[row(f)].colIndex = p_.columnCount;
        return *this;
    }
    // SBC for the first load case (1.25 x SBC for the later ones) and the earth pressure.
    ProjectBuilder& soil(float sbc, float earthPressure) {
        p_.allowableBearing.fill(1.25f * sbc);
        p_.allowableBearing[0] = sbc;
        p_.earthPressure = earthPressure;
        return *this;
    }
    ProjectBuilder& grades(int fck, int fy) {
        p_.concreteGrade = fck;
        p_.steelGrade = fy;
        return *this;
    }
    // Footings m1 and m2 as the next combined footing, without asking the Combine command.
    ProjectBuilder& combined(int m1, int m2) {
        const int k = ++p_.combinedCount;
        if (p_.combinedFootings.size() <= row(k)) p_.combinedFootings.resize(row(k) + 1);
        CombinedRecord& rec = p_.combinedFootings[row(k)];
        rec.memberCount = 2;
        rec.members[1] = m1;
        rec.members[2] = m2;
        p_.footings[row(m1)].state = k;
        p_.footings[row(m2)].state = k;
        return *this;
    }

    Project build() const { return p_; }

  private:
    static std::size_t row(int i) { return static_cast<std::size_t>(i); }
    Project p_;
};

} // namespace ormevak::testing
