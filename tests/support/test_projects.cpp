// Small hand-built projects for the combined footing and plan tests.
#include "support/test_projects.h"

#include "support/project_builder.h"

namespace ormevak::testing {

Project projectWithSupports(int n, int cases) {
    return ProjectBuilder(n, cases).build();
}

void placeFooting(Project& p, int i, int x, int z) {
    FootingRecord& f = p.footings[static_cast<size_t>(i)];
    f.x = f.nodeX = x;
    f.z = f.nodeZ = z;
}

void setLoad(Project& p, int s, int c, float fy, float mx, float mz) {
    p.reaction(s, c, reaction::ForceY) = fy;
    p.reaction(s, c, reaction::MomX) = mx;
    p.reaction(s, c, reaction::MomZ) = mz;
}

} // namespace ormevak::testing
