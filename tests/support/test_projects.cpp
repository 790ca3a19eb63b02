// Small hand-built projects for the combined footing and plan tests.
#include "support/test_projects.h"

namespace ormevak::testing {

// n supports with `cases` load cases each (numbers 1..cases), joints 101, 102, ... at (0, 0);
// SBC 200 (250 for later cases), earth pressure 30, fck 20, fy 415.
Project projectWithSupports(int n, int cases) {
    Project p;
    p.supportReaction.resize(static_cast<size_t>(n) + 1);
    p.reaction(0, 0, 0) = static_cast<float>(n);
    p.footings.resize(static_cast<size_t>(n) + 1);
    p.footingCount = n;
    for (int s = 1; s <= n; ++s) {
        p.reaction(s, 0, 0) = static_cast<float>(100 + s);
        for (int c = 0; c < cases; ++c) p.reaction(s, c, 1) = static_cast<float>(c + 1);
        p.footings[static_cast<size_t>(s)].jointNo = 100 + s;
    }
    p.loadCaseCount = cases - 1;
    p.allowableBearing.fill(250);
    p.allowableBearing[0] = 200;
    p.earthPressure = 30;
    p.concreteGrade = 20;
    p.steelGrade = 415;
    return p;
}

void placeFooting(Project& p, int i, int x, int z) {
    FootingRecord& f = p.footings[static_cast<size_t>(i)];
    f.x = f.nodeX = x;
    f.z = f.nodeZ = z;
}

void setLoad(Project& p, int s, int c, float fy, float mx, float mz) {
    p.reaction(s, c, 2) = fy;
    p.reaction(s, c, 3) = mx;
    p.reaction(s, c, 4) = mz;
}

} // namespace ormevak::testing
