// Two footings for the drawing tests: on grid line Z = 0, the second `secondX` mm along X, both
// `side` m square with columns of the default 300 mm; with `chainAlongZ` a second Z grid line
// 6 m away gives the plan a dimension chain along Z as well.
#pragma once

#include "model/project.h"

namespace ormevak::testing {

inline Project twoFootings(int secondX, float side = 2.0f, bool chainAlongZ = false) {
    Project p;
    p.footingCount = 2;
    p.footings.resize(3);
    for (int f = 1; f <= 2; ++f) {
        FootingRecord& r = p.footings[static_cast<size_t>(f)];
        r.jointNo = f;
        r.state = kStateGrouped;
        r.markNo = 1;
        r.x = r.nodeX = f == 1 ? 0 : secondX;
        r.lenL = r.widB = side;
    }
    p.gridX = {2, 0, secondX};
    p.gridZ = chainAlongZ ? std::vector<int32_t>{2, 0, 6000} : std::vector<int32_t>{1, 0};
    p.earthPressure = 30;
    p.allowableBearing.fill(250);
    p.allowableBearing[0] = 200;
    p.concreteGrade = 20;
    p.steelGrade = 415;
    return p;
}

} // namespace ormevak::testing
