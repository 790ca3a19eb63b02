// Column offsets of the column node window.
#include "plan/offsets.h"

#include <algorithm>
#include <cmath>

#include "model/numbers.h"

namespace ormevak {

int pickFooting(Project& p, int i) {
    const int before = p.currentFooting;
    p.currentFooting = i;
    return before;
}

namespace {

// One offset step is half the column's side less 115 mm. Both centres are computed before
// either is stored, so a refused one leaves the footing as it was.
void moveOffJoint(const Project& p, FootingRecord& f) {
    const int c = f.colIndex;
    const double stepX = p.columns[c][member_row::Dim4] / 2.0 - 115;
    const double stepZ = p.columns[c][member_row::Dim3] / 2.0 - 115;
    const int32_t x = toInt32(f.nodeX + f.offX * stepX, "footing centre x");
    const int32_t z = toInt32(f.nodeZ + f.offZ * stepZ, "footing centre z");
    f.x = x;
    f.z = z;
}

} // namespace

bool offsetKeys(Project& p, OffsetKey key) {
    const int cur = p.currentFooting;
    if (!p.hasFooting(cur)) return false;
    FootingRecord& f = p.footings[cur];
    const int c = f.colIndex;
    if (c < 1 || c >= static_cast<int>(p.columns.size()) || p.columns[c][member_row::Dim4] == 0)
        return false;

    int offX = f.offX, offZ = f.offZ;
    switch (key) {
    case OffsetKey::Home:
        offX = 0;
        offZ = 0;
        break;
    case OffsetKey::Left:
        if (offX > -1) offX -= 1;
        break;
    case OffsetKey::Right:
        if (offX < 1) offX += 1;
        break;
    case OffsetKey::Up: // towards smaller z, up on the screen
        if (offZ >= 0) offZ -= 1;
        break;
    case OffsetKey::Down:
        if (offZ <= 0) offZ += 1;
        break;
    }
    const double stepX = p.columns[c][member_row::Dim4] / 2.0 - 115;
    const double stepZ = p.columns[c][member_row::Dim3] / 2.0 - 115;
    // Both centres are worked out before anything changes: a centre beyond a 32-bit value is
    // refused (RangeError) with the footing left as it was.
    const int32_t x = toInt32(f.nodeX + offX * stepX, "footing centre x");
    const int32_t z = toInt32(f.nodeZ + offZ * stepZ, "footing centre z");
    f.offX = offX;
    f.offZ = offZ;
    f.x = x;
    f.z = z;
    return true;
}

void applyOffsets(Project& p) {
    const int n = p.lastFooting();
    for (int i = 1; i <= n; ++i) {
        FootingRecord& f = p.footings[i];
        const int c = f.colIndex;
        if (c < 1 || c >= static_cast<int>(p.columns.size()) || p.columns[c][member_row::Dim4] == 0)
            continue;
        try {
            moveOffJoint(p, f);
        } catch (const RangeError&) {
            // Left at its centre; the column node window refuses the same step with its message.
        }
    }
}

void resetOffsets(Project& p) {
    const int n = p.lastFooting();
    for (int i = 1; i <= n; ++i) {
        FootingRecord& f = p.footings[i];
        f.offX = 0;
        f.offZ = 0;
        f.x = f.nodeX;
        f.z = f.nodeZ;
    }
}

void closeColumnWindow(Project& p) {
    p.currentFooting = 0;
}

LabelPlace labelPlacement(const FootingRecord& f, double labelWidth, double labelHeight) {
    const double w = labelWidth / 2;
    const double h = roundTo(labelHeight / 2, 0);
    return {f.nodeX + f.offX * w - w, f.nodeZ + f.offZ * h - h};
}

PlanWindow columnPlanWindow(const Project& p, double ratio) {
    return planWindow(p, ratio);
}

int stepLevel(const Project& p, int level, int delta) {
    const int nY = p.levelsY.empty() ? 0 : static_cast<int>(std::lround(p.levelsY[0]));
    return std::max(2, std::min(level + delta, std::max(nY, 2)));
}

} // namespace ormevak
