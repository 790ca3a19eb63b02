// Two-column combined footings (C1, C2, ...): a rectangular slab on two columns, designed from
// the shear force and bending moment along its length and the bands across it under each column.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"
#include "model/prompts.h"

namespace ormevak {

const std::vector<const char*>& combinedControlNames();
const std::vector<const char*>& combinedHeadings();

// The factored moment along the footing's length at x (m from the end beyond the first column),
// positive when the bottom is in tension, with the pressure line wu (kN/m) measured from that
// end and the column loads Pu1 at x1 and Pu2 at x2.
double combinedMomentFromStart(double wu, double Pu1, double x1, double Pu2, double x2, double x);

// The largest hogging moment between the columns, from the diagrams drawn from either end (the
// uniform pressure is the largest corner pressure, so each end's diagram closes only on its own
// side); zeroShear receives the point of zero shear of the governing diagram.
double combinedHogging(double wu, double Pu1, double x1, double Pu2, double x2, double L,
                       double& zeroShear);

// Designs row from its length, width, cantilever, span, pedestal, net pressure, column loads,
// bar diameter and depth (a depth deep enough stays; 0 designs it afresh) and writes its texts.
// Returns "" or the message of a row that could not be (fully) designed.
std::string designCombinedRow(const Project& p, CombinedRow& row, const std::string& name);

// The Design command's part: one C row per complete combined footing, in order.
void designCombinedRows(Project& p, std::vector<std::string>& notes);

// The edits of C row n (1-based position in combinedRows).
std::vector<std::string> editCombinedDepth(Project& p, int n, const std::string& text,
                                           Prompts* prompts = nullptr);
std::vector<std::string> editCombinedPedestal(Project& p, int n, const std::string& text,
                                              Prompts* prompts = nullptr);
std::vector<std::string> clickCombinedDiameter(Project& p, int n, Prompts* prompts = nullptr);

// The position in combinedRows of the row named "C<k>" (k the combined footing), or 0.
int combinedRowOf(const Project& p, int k);

} // namespace ormevak
