// The footing section arithmetic that the Design command and the schedule's row redesign
// share: trial depth, the shear depth loop, the bars. Every named quantity is a Single.
#pragma once

#include <string>
#include <vector>

#include "design/design.h"
#include "model/project.h"

namespace ormevak::section {

// Cantilever from the pedestal face, factored moment over the full width, and the effective
// depth of the balanced section raised to whole 50 mm of overall depth (at least 0.19 m).
struct Bending {
    float c = 0;  // m
    float Mu = 0; // kN m
    float d = 0;  // m
};

// The intermediate values of the section arithmetic, for the calculation report. The design
// passes none; a caller that wants the steps gives one and gets the very values the design used.
struct Trace {
    float d0 = 0; // balanced effective depth before rounding up, m
    float m = 0;  // overall depth in whole 50 mm steps
    struct Pass {
        float d = 0, MuBd2 = 0, R = 0, ptCalc = 0, pt = 0;
        float V1 = 0, tv1 = 0, tc1 = 0;
        bool punching = false; // false: one-way shear failed, punching not reached
        float V2 = 0, tv2 = 0, tc2 = 0;
    };
    std::vector<Pass> passes; // one per pass of the depth loop, the last one the result
};

Bending bending(float L, float a, float q, int fck, Trace* trace = nullptr);

// The Design command and the schedule's row redesign differ in small ways that show in the last
// digit: the Design command holds every quantity as a Single (also 1 - 4.6 Mu/bd2 / fck and the
// bar count) and divides the punching force by 4 (a + d) d; the row redesign holds only the
// rounded values, d, Mu/bd2, pt and the shear values as Single, divides by d 4 (a + d) and counts
// the bars as a 16-bit integer.
enum class Rules { Design, Schedule };

// The results of the last pass of the depth loop.
struct Checks {
    float d = 0;
    float MuBd2 = 0;
    float pt = 0;
    float V1 = 0, tv1 = 0, tc1 = 0;
    float V2 = 0, tv2 = 0, tc2 = 0;
    bool gaveUp = false; // the loop was stopped by its guard, not by passing the checks
};
// Deepens d in 25 mm steps until one-way and punching shear pass.
Checks depthLoop(const Project& p, float L, float a, float q, float c, float Mu, float d,
                 Rules rules, Trace* trace = nullptr);

// Bars of diameter dia for steel area Ast over side L; never fewer than two, so that the
// spacing between the end bars is defined. The Design command keeps the count as a Single, the
// row redesign converts it to a 16-bit integer (RangeError when it does not fit); the spacing is
// a 16-bit integer in both.
struct Bars {
    float nb = 0;    // number of bars
    int spacing = 0; // mm
};
Bars bars(float Ast, int dia, float L, Rules rules);

float steelArea(float pt, float L, float d);
float overallDepth(float d);

// The texts of schedule row n that both the Design command and the row redesign write: its
// name, depth, pedestal and every result of the section.
void writeResultTexts(RowTexts& t, int n, float depth, float a, const Bending& b, const Checks& k,
                      float Ast, int dia, const Bars& bars, Rules rules);

// The lowest grade of the shear strength table (IS 456 Table 19).
inline constexpr int kLowestTabulatedGrade = 15;
// Cover to the centre of the bars, each side (m).
inline constexpr double kCoverToBarCentre = 0.06;

// The texts of a row that cannot be designed: its mark, count, size and pedestal only.
void writeRefusedTexts(RowTexts& t, int n, const GroupRecord& row);

// Why the grades do not allow a design ("" when they do); `consequence` ends the message. A
// concrete grade below M15 is refused.
std::string gradeProblem(const Project& p, const std::string& consequence);

// Why schedule row n of side L and pedestal a cannot be designed ("" when it can): a side not
// larger than the pedestal, or one that leaves no room for bars within the covers.
std::string sideProblem(int n, float L, float a);

// "Schedule row F<n>: the depth search stopped at ..." for a loop that gave up.
std::string gaveUpMessage(int n, float depth);

} // namespace ormevak::section
