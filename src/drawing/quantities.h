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

struct RowQuantities {
    std::string row;           // "F1"; later "R2", "C1"
    int count = 0;             // footings of the row that are built
    double lenL = 0, widB = 0; // m, plan sides
    double depth = 0;          // m, overall depth D
    double pedestal = 0;       // m, pedestal side
    double pedestalHeight = 0; // m
    int barDia = 0;            // mm
    int barsEachWay = 0;       // bars in each direction (0 when the row has no design)
    int spacing = 0;           // mm
    QuantityValues each;       // one footing
    QuantityValues total;      // count footings, rounded: m3 to 3 decimals, kg to 1
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

// Every schedule row in schedule order, then the total.
Quantities computeQuantities(const Project& p);

} // namespace ormevak
