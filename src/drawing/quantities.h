// The bill of quantities of the footings as designed: concrete of footings and pedestals,
// reinforcement, excavation and levelling course, per schedule row and in total. Disabled
// footings are not built and never counted.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"

namespace ormevak {

// The rules of the quantities, in one place so the design-method notes and the code agree.
namespace qty {
inline constexpr double cover = 0.05;            // m, end cover of each bar
inline constexpr double steelDensity = 7850.0;   // kg/m3
inline constexpr double workingSpace = 0.3;      // m, each side of the excavation
inline constexpr double levellingCourse = 0.075; // m, lean concrete under the footing
// The pedestal stands from the footing's top to the ground: the depth of foundation less the
// footing depth. A depth of foundation that leaves no height (none stated, or a footing as deep
// as it) takes this height instead.
inline constexpr double defaultPedestalHeight = 0.5; // m
} // namespace qty

// What one footing of a row takes, and the row's total for its count.
struct QuantityValues {
    double footingConcrete = 0;  // m3
    double pedestalConcrete = 0; // m3
    double concrete = 0;         // m3, footing and pedestal
    double steel = 0;            // kg
    double excavation = 0;       // m3
    double levelling = 0;        // m3
};

enum class RowKind {
    Square,  // F rows: a size group, the same bars each way
    Rect,    // R rows: one resized footing, its own bars each way
    Combined // C rows: one two-column footing; L its length along the line of the columns
};

struct RowQuantities {
    std::string row; // "F1", "R2", "C1"
    RowKind kind = RowKind::Square;
    bool designed = false;     // the row has bars; a row not designed counts no steel
    int count = 0;             // footings of the row that are built
    double lenL = 0, widB = 0; // m, plan sides (a C row: length, width)
    double depth = 0;          // m, overall depth D
    double pedestal = 0;       // m, pedestal side
    int pedestals = 1;         // pedestals on one footing (two on a combined footing)
    double pedestalHeight = 0; // m
    int barDia = 0;            // mm
    int barsEachWay = 0;       // F rows: bars in each direction (0 for R and C rows)
    int spacing = 0;           // mm, F rows; R rows: the bars along L
    // Bars running along L (L - 2 covers long) and along B (B - 2 covers long). An R row's
    // short direction counts its central band and end strips; a C row's bars along L are the
    // top and bottom bars, those along B the bands under both columns and the distribution bars.
    int barsAlongL = 0, barsAlongB = 0;
    int spacingB = 0;                      // mm, R rows: the bars along B
    int topBars = 0, topSpacing = 0;       // C rows: longitudinal top (hogging) steel
    int bottomBars = 0, bottomSpacing = 0; // C rows: longitudinal bottom (sagging) steel
    int bandBars = 0;                      // C rows: transverse bars of both column bands
    int distBars = 0, distSpacing = 0;     // C rows: distribution bars outside the bands
    QuantityValues each;                   // one footing
    QuantityValues total;                  // count footings, rounded: m3 to 3 decimals, kg to 1
};

struct Quantities {
    std::vector<RowQuantities> rows;
    QuantityValues total; // sum of the rows' rounded totals
};

// The depth of foundation (m) that the earth pressure stands for: EarthPressure / 20.
double foundationDepth(const Project& p);
// The pedestal height of a footing of overall depth D (m).
double pedestalHeight(const Project& p, double depth);

// One footing of plan sides L x B (m), depth D (m), square pedestal a (m), n bars each way of
// diameter dia (mm); the bars along L are L - 2 covers long, those along B, B - 2 covers.
QuantityValues footingQuantities(const Project& p, double L, double B, double D, double a,
                                 int barsAlongL, int barsAlongB, int dia);
// The same with `pedestals` square pedestals of side a on the footing.
QuantityValues footingQuantities(const Project& p, double L, double B, double D, double a,
                                 int pedestals, int barsAlongL, int barsAlongB, int dia);

// The distribution bars of a combined footing of length L (m) outside its two column bands
// (m): as many as keep them no more than `spacing` (mm) apart, none when the bands cover it.
int distributionBars(double L, double band1, double band2, int spacing);

// The bars of a row as the drawing's schedule table shows them: "14 - 12 dia @ 140" (F rows),
// "L12 B9 - 10 dia" (R rows, bars along L and along B), "T5 B7 - 12 dia" (C rows, top and
// bottom bars along the length), "not designed".
std::string barsText(const RowQuantities& r);

// Every schedule row in schedule order (F rows, then R rows, then C rows), then the total.
Quantities computeQuantities(const Project& p);

} // namespace ormevak
