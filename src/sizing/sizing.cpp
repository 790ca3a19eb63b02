// Required sides from corner pressures, size groups, assignment and grid lists.
#include "sizing/sizing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "model/errors.h"
#include "model/first_of.h"
#include "model/load_factors.h"
#include "model/numbers.h"
#include "model/side_by_side.h"

namespace ormevak {

namespace {

size_t at(int i) {
    return static_cast<size_t>(i);
}

std::string text(float v) {
    return formatNumber(v);
}

} // namespace

namespace {

// The corner-pressure equation of a square footing for one case: P, qa and |MX| + |MZ|.
struct SquareCase {
    double load = 0, qa = 0, moment = 0;
};

SquareCase squareCase(const Project& p, int support, int caseIndex, float load) {
    return {load, p.allowableBearing[at(caseIndex)],
            std::fabs(static_cast<double>(p.reaction(support, caseIndex, reaction::MomX))) +
                std::fabs(static_cast<double>(p.reaction(support, caseIndex, reaction::MomZ)))};
}

// A fixed number of Newton steps, as the sizes have always been computed. The cases of one
// support are independent chains, stepped side by side so the processor can overlap them; each
// chain sees exactly the operations of a lone one.
void squareSides(const SquareCase* cases, double* side, size_t count) {
    for (size_t i = 0; i < count; ++i) side[i] = std::sqrt(cases[i].load / 3 / cases[i].qa) + 0.1;
    for (int step = 0; step < 20; ++step) {
        for (size_t i = 0; i < count; ++i) {
            const double qa = cases[i].qa, load = cases[i].load, m = cases[i].moment;
            const double b = side[i];
            const double f = qa * b * b * b - load * b - 6 * m;
            side[i] = b - f / (3 * qa * b * b - load);
        }
    }
}

} // namespace

float factoredLoad(float fy) {
    return fy > 0 ? static_cast<float>(kSoilLoadFactor * fy) : 1.0f;
}

double squareSide(const Project& p, int support, int caseIndex, float load) {
    const SquareCase one = squareCase(p, support, caseIndex, load);
    double side = 0;
    squareSides(&one, &side, 1);
    return side;
}

namespace {

// What sizing one support leaves besides its footing: the messages it gives, in order, and the
// index of its last load case.
struct SupportSizing {
    std::vector<std::string> messages;
    int lastCase = cap::casesPerSupport - 1;
};

SupportSizing sizeSupport(Project& p, int j) {
    SupportSizing out;
    std::array<SquareCase, cap::casesPerSupport> cases;
    std::array<double, cap::casesPerSupport> sides;
    size_t count = 0;
    // Messages name the support by its joint number, the number the engineer can find.
    const std::string joint = text(p.reaction(j, 0, reaction::JointNo));
    for (int c = 0; c <= cap::casesPerSupport - 2; ++c) {
        const float fy = p.designFy(j, c);
        if (!(fy > 0)) {
            out.messages.push_back("Check JOINT : " + joint +
                                   "    LOAD : " + text(p.reaction(j, c, reaction::CaseNo)) +
                                   "    FORCE-Y = " + text(fy));
            p.sizedAsOneKn[at(j)] |= uint64_t{1} << c;
        }
        cases[count++] = squareCase(p, j, c, factoredLoad(fy));
        if (p.reaction(j, c + 1, reaction::CaseNo) == 0) {
            out.lastCase = c;
            break;
        }
    }
    squareSides(cases.data(), sides.data(), count);
    double maxB = 0;
    for (size_t c = 0; c < count; ++c) maxB = std::max(maxB, sides[c]);
    for (int c = 0; c <= out.lastCase; ++c) {
        if (kSoilLoadFactor * p.designFy(j, c) == 0) {
            out.messages.push_back(" Fy = 0 @ : " + joint + " Case : " + formatInt(c));
            break;
        }
    }
    p.footings[at(j)].reqSide = static_cast<float>(roundTo(maxB + 0.00049, 3));
    return out;
}

} // namespace

void sizeFootings(Project& p, Prompts& prompts) {
    const int n = toInt16(p.reaction(0, 0, reaction::SupportCount), "The support count");
    if (static_cast<int>(p.footings.size()) < n + 1) p.footings.resize(at(n) + 1);
    if (p.sizedAsOneKn.size() < p.supportReaction.size())
        p.sizedAsOneKn.resize(p.supportReaction.size(), 0);
    // Every support is sized on its own, so runs of them are sized side by side; what they give
    // is then taken in support order, as sizing one after another would give it.
    std::vector<SupportSizing> sized(at(n) + 1);
    constexpr int kRuns = 8;
    std::vector<SideBySide::Piece> runs;
    for (int r = 0; r < kRuns; ++r) {
        runs.push_back([&p, &sized, n, r] {
            for (int j = 1 + n * r / kRuns; j <= n * (r + 1) / kRuns; ++j)
                sized[at(j)] = sizeSupport(p, j);
        });
    }
    SideBySide(std::move(runs), 1).finish();
    for (int j = 1; j <= n; ++j) {
        for (const std::string& message : sized[at(j)].messages) prompts.inform(message);
        // The last support's case count stands.
        p.loadCaseCount = sized[at(j)].lastCase;
        p.footings[at(j)].jointNo =
            toInt32(p.reaction(j, 0, reaction::JointNo), "A support joint number");
    }
}

double rectSideForCase(const Project& p, Prompts& prompts, int support, int caseIndex,
                       double firstSide, float P) {
    const double l = firstSide;
    const double load = P;
    const double qa = p.allowableBearing[at(caseIndex)];
    const double mx =
        std::fabs(static_cast<double>(p.reaction(support, caseIndex, reaction::MomX)));
    const double mz =
        std::fabs(static_cast<double>(p.reaction(support, caseIndex, reaction::MomZ)));
    const double e = p.earthPressure;

    // Largest corner pressure equal to the allowable bearing.
    double a = qa * l;
    double b = -load - 6 * mz / l;
    double k = -6 * mx;
    const double b1 = (-b + std::sqrt(b * b - 4 * a * k)) / (2 * a);
    double result = 0;
    if (b1 > 0)
        result = b1;
    else
        prompts.inform(text(static_cast<float>(b1)) + "  Tempy");

    // Lightest corner may pull up by no more than the overburden.
    b = load - 6 * mz / l;
    double b2 = 0;
    if (e != 0) {
        a = e * l;
        b2 = (-b + std::sqrt(b * b - 4 * a * k)) / (2 * a);
    } else if (b > 0) {
        // Without overburden the condition is linear in the width: b * B >= 6 Mx.
        b2 = -k / b;
    }
    // Otherwise no width keeps that corner down; the maximum-pressure width stands.
    return std::max(result, b2);
}

double rectSide(const Project& p, Prompts& prompts, int support, double firstSide) {
    double largest = 0;
    for (int c = 0; c <= p.loadCaseCount; ++c) {
        float load = static_cast<float>(kSoilLoadFactor * p.designFy(support, c));
        if (load == 0) load = 1;
        largest = std::max(largest, rectSideForCase(p, prompts, support, c, firstSide, load));
    }
    return roundTo(largest, 2);
}

float pedestalForSize(float side) {
    if (side <= 1.4f) return 0.40f;
    if (side <= 1.7f) return 0.45f;
    if (side <= 1.9f) return 0.53f;
    if (side <= 2.3f) return 0.60f;
    if (side <= 2.8f) return 0.75f;
    if (side <= 3.1f) return 0.90f;
    return 1.20f;
}

namespace {

// The distinct values, ascending.
std::vector<int32_t> distinctSorted(const Project& p, int32_t FootingRecord::*axis) {
    std::vector<int32_t> values;
    for (int i = 1; i <= p.footingCount; ++i) values.push_back(p.footings[at(i)].*axis);
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    values.insert(values.begin(), static_cast<int32_t>(values.size()));
    return values;
}

} // namespace

void buildGrid(Project& p) {
    p.gridX = distinctSorted(p, &FootingRecord::x);
    p.gridZ = distinctSorted(p, &FootingRecord::z);
}

void formGroups(Project& p) {
    std::vector<GroupRecord> groups(1);
    for (int j = 1; j <= p.footingCount; ++j) {
        const float s = static_cast<float>(roundTo(p.footings[at(j)].reqSide + 0.049999, 1));
        bool exists = std::any_of(groups.begin() + 1, groups.end(),
                                  [s](const GroupRecord& g) { return g.size == s; });
        if (exists) continue;
        if (static_cast<int>(groups.size()) - 1 >= cap::groups) {
            throw CapacityError("The required sides round to more than " + formatInt(cap::groups) +
                                " different footing sizes; only " + formatInt(cap::groups) +
                                " size groups can be formed.");
        }
        GroupRecord g;
        g.baseSize = s;
        g.size = s;
        g.pedestal = pedestalForSize(s);
        g.barDia = 10;
        groups.push_back(g);
    }
    // Ascending by side; equal sides keep the order they were formed in.
    std::stable_sort(groups.begin() + 1, groups.end(),
                     [](const GroupRecord& a, const GroupRecord& b) { return a.size < b.size; });
    p.groups = std::move(groups);
    p.groupCount = static_cast<int>(p.groups.size()) - 1;
    p.groupEnabled.assign(p.groups.size(), 1);
    p.groupEnabled[0] = 0;
    p.groupCaptions.assign(p.groups.size(), GroupCaptions{});
}

void assignGroups(Project& p, Prompts& prompts) {
    for (int i = 1; i <= p.groupCount; ++i) {
        p.groups[at(i)].nosCount = 0;
        p.groups[at(i)].footingNos.assign(1, 0);
    }
    int resized = 0;
    for (int j = 1; j <= p.footingCount; ++j) {
        FootingRecord& f = p.footings[at(j)];
        if (f.isGrouped()) {
            f.groupIndex = 0;
            for (int i = 1; i <= p.groupCount; ++i) {
                GroupRecord& g = p.groups[at(i)];
                if (p.groupEnabled[at(i)] && g.size >= f.reqSide) {
                    ++g.nosCount;
                    g.footingNos.push_back(j);
                    f.lenL = g.size;
                    f.widB = g.size;
                    f.groupIndex = i;
                    break;
                }
            }
            if (f.groupIndex == 0) {
                prompts.inform(formatInt(f.jointNo) + " Missed   Size = " +
                               formatNumber(static_cast<float>(roundTo(f.reqSide, 0))) + " M");
            }
        } else if (f.isResized()) {
            f.markNo = ++resized;
        }
    }
    int number = 0;
    for (int i = 1; i <= p.groupCount; ++i) {
        GroupRecord& g = p.groups[at(i)];
        GroupCaptions& captions = p.groupCaptions[at(i)];
        captions.side = text(g.size);
        if (g.nosCount == 0) {
            captions.check.clear();
            captions.count.clear();
            g.groupNo = 0;
        } else {
            captions.count = formatInt(g.nosCount);
            g.groupNo = ++number;
            captions.check = "F" + formatInt(number);
        }
    }
    for (int j = 1; j <= p.footingCount; ++j) {
        FootingRecord& f = p.footings[at(j)];
        if (f.isGrouped()) f.markNo = f.groupIndex == 0 ? 0 : p.groups[at(f.groupIndex)].groupNo;
    }
}

void placeFootings(Project& p) {
    const int n = p.supportCount();
    if (static_cast<int>(p.footings.size()) < n + 1) p.footings.resize(at(n) + 1);
    // Where a joint number is listed twice, its first row counts.
    FirstOf<int32_t> firstRow(p.jointCount);
    for (int r = 1; r <= p.jointCount; ++r) firstRow.add(p.joints[at(r)][joint::Number], r);
    for (int j = 1; j <= n; ++j) {
        const float joint = p.reaction(j, 0, reaction::JointNo);
        const auto number = static_cast<int32_t>(joint);
        const int32_t r = firstRow.find(number);
        // A support whose joint is not in the joint list keeps its footing as it was.
        if (r == 0 || static_cast<float>(number) != joint) continue;
        const auto& row = p.joints[at(r)];
        FootingRecord& f = p.footings[at(j)];
        f.x = f.nodeX = row[joint::X];
        f.z = f.nodeZ = row[joint::Z];
        f.jointNo = row[joint::Number];
    }
    p.footingCount = n;
}

std::string mainCaption(const Project& p) {
    return "Fck  " + formatInt(p.concreteGrade) + " Fy  " + formatInt(p.steelGrade) + "   SBC  " +
           text(p.allowableBearing[0]) + " Earth Pressure : " + text(p.earthPressure);
}

} // namespace ormevak
