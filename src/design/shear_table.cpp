// Design shear strength of concrete for limit-state design (the standard's table of tau-c by
// pt and grade), as the design and the schedule look it up.
#include "design/shear_table.h"

#include <cstddef>

namespace ormevak {

namespace {

constexpr int kRows = 14;
constexpr int kColumns = 7; // pt key + six grades; column 7 is never filled
constexpr int kNoColumn = 7;

// Row by row: the pt key (0 in the heading row) and tau-c for M15, M20, M25, M30, M35, M40.
// The first row stands for pt up to 0.15 and the last for pt 3.00 and above.
constexpr double kShearList[kRows * kColumns] = {
    0.00, 15.00, 20.00, 25.00, 30.00, 35.00, 40.00, //
    0.15, 0.28,  0.28,  0.29,  0.29,  0.29,  0.30,  //
    0.25, 0.35,  0.36,  0.36,  0.37,  0.37,  0.38,  //
    0.50, 0.46,  0.48,  0.49,  0.50,  0.50,  0.51,  //
    0.75, 0.54,  0.56,  0.57,  0.59,  0.59,  0.60,  //
    1.00, 0.60,  0.62,  0.64,  0.66,  0.67,  0.68,  //
    1.25, 0.64,  0.67,  0.70,  0.71,  0.73,  0.74,  //
    1.50, 0.68,  0.72,  0.74,  0.76,  0.78,  0.79,  //
    1.75, 0.71,  0.75,  0.78,  0.80,  0.82,  0.84,  //
    2.00, 0.71,  0.79,  0.82,  0.84,  0.86,  0.88,  //
    2.25, 0.71,  0.81,  0.85,  0.88,  0.90,  0.92,  //
    2.50, 0.71,  0.82,  0.88,  0.91,  0.93,  0.95,  //
    2.75, 0.71,  0.82,  0.90,  0.94,  0.96,  0.98,  //
    3.00, 0.71,  0.82,  0.92,  0.96,  0.99,  1.01,  //
};
static_assert(sizeof kShearList / sizeof kShearList[0] == 98);

// The cells are the Single images of the listed decimals, as the lookup has always used them.
constexpr ShearTable makeTable() {
    ShearTable t{};
    for (std::size_t i = 0; i < std::size(kShearList); ++i)
        t[i / kColumns][i % kColumns] = static_cast<float>(kShearList[i]);
    return t;
}

constexpr ShearTable kTable = makeTable();

} // namespace

const ShearTable& shearTable() {
    return kTable;
}

int gradeColumnFor(int concreteGrade) {
    // The last column of the standard's table reads "M40 and above"; a grade between two columns
    // takes the lower one, which never overstates the concrete's strength. A grade below M15 has
    // no column (7, never filled) and is not designed.
    int column = kNoColumn;
    const auto grade = static_cast<float>(concreteGrade);
    for (int k = 1; k <= 6; ++k) {
        if (kTable[0][static_cast<std::size_t>(k)] <= grade) column = k;
    }
    return column;
}

float columnGrade(int column) {
    return column >= 1 && column <= 6 ? kTable[0][static_cast<std::size_t>(column)] : 0.0f;
}

float shearStrength(int concreteGrade, float& pt) {
    if (pt < 0.15f) pt = 0.15f;
    const auto& t = kTable;
    const auto k = static_cast<std::size_t>(gradeColumnFor(concreteGrade));
    // Every step is a Single operation on purpose: the schedule shows this value unrounded.
    for (std::size_t j = 1; j <= 13; ++j) {
        if (pt < t[j][0]) {
            const float rise = t[j][k] - t[j - 1][k];
            const float run = t[j][0] - t[j - 1][0];
            const float slope = rise / run;
            const float along = pt - t[j - 1][0];
            const float step = slope * along;
            return t[j - 1][k] + step;
        }
    }
    return t[13][k];
}

} // namespace ormevak
