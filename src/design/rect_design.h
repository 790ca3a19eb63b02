// Rectangular isolated footings (resized by hand, marks R1, R2, ...): the square rows' method
// applied in both directions, with the central band rule for the short direction's steel.
#pragma once

#include <string>
#include <vector>

#include "design/section.h"
#include "design/shear_table.h"
#include "model/numbers.h"
#include "model/project.h"
#include "model/prompts.h"

namespace ormevak {

// The controls of one R row: the twenty of a square row, then the second direction's.
const std::vector<const char*>& rectControlNames();
const std::vector<const char*>& rectHeadings();

// The share of the short direction's steel that goes into the central band of width equal to
// the short side: 2 / (beta + 1), beta = long side / short side (IS 456 34.3.1(b)).
double centralBandShare(double longSide, double shortSide);

// Largest corner pressure of footing f over its cases, FY unfactored (FY/(L B) + 6|MZ|/(B L2)
// + 6|MX|/(L B2)); caseOut receives the governing case index (unchanged when none is above 0).
float rectCornerPressure(const Project& p, int f, float L, float B, int& caseOut);

// Designs row from its sides, pedestal, net pressure, bar diameter and depth (a depth deep
// enough stays; 0 designs it afresh) and writes its texts; `name` is "R1", ... Returns "" or a
// message (a side not larger than the pedestal, a depth search that stopped).
std::string designRectRow(const Project& p, RectRow& row, const std::string& name);

// The Design command's part: one R row per footing resized by hand, in footing order. An edited
// pedestal and the bar diameter of an earlier row of the same footing stay.
void designRectRows(Project& p, std::vector<std::string>& notes);

// The edits of R row n (1-based); each returns the row's texts as then shown.
std::vector<std::string> editRectDepth(Project& p, int n, const std::string& text,
                                       Prompts* prompts = nullptr);
std::vector<std::string> editRectPedestal(Project& p, int n, const std::string& text,
                                          Prompts* prompts = nullptr);
std::vector<std::string> clickRectDiameter(Project& p, int n, Prompts* prompts = nullptr);

// Helpers the combined footing design shares.
namespace slab {
// The bar diameter after a click: 10 -> 12 -> 16 -> 20 -> 10 (other diameters stay).
int nextDiameter(int dia);
// The percentage of tension steel for MuBd2 (N/mm2), IS 456 Annex G-1.1(b), at least 0.2 %.
float steelPercent(float MuBd2, int fck, int fy);
// Effective depth of the balanced section (Mu,lim = 0.138 fck b d2, Annex G-1.1(c)) raised to
// whole 50 mm of overall depth, at least 0.19 m.
float balancedDepth(float Mu, float width, int fck);
// Text of a user value, and whether it is a finite number as a whole.
bool typedValue(const std::string& text, float& value);

// Designs again a row the engineer has just edited, with `design` (row, name) -> message. A
// missing grade, an overflow or a design the row cannot take puts the row back as `saved`; any
// message goes to `prompts`. Returns whether the row is designed.
template <typename Row, typename Design>
bool redesignEdited(Project& p, Row& row, const Row& saved, const std::string& name,
                    Design&& design, Prompts* prompts) {
    std::string message = section::gradeProblem(p, "Schedule row " + name + " not redesigned");
    if (message.empty()) {
        try {
            message = design(row, name);
        } catch (const RangeError& e) {
            message = "Schedule row " + name + ": " + e.what() + "; the row was not redesigned";
            row.designed = false;
        }
    }
    if (prompts != nullptr && !message.empty()) prompts->inform(message);
    if (row.designed) return true;
    row = saved;
    return false;
}
} // namespace slab

} // namespace ormevak
