// The two factors every part of the system puts on a reaction read from the analysis file.
#pragma once

namespace ormevak {

// Design vertical load on the soil, P = 1.1 FY: the sizing's allowance for the footing's own
// weight. The soil pressures everywhere (sizing, details, checks, workbook, report) use it.
inline constexpr double kSoilLoadFactor = 1.1;

// Partial safety factor for loads of the limit state of strength, IS 456 Table 18 (1.5 for
// dead + imposed load): the factored pressure that bends and shears a footing.
inline constexpr double kLoadFactor = 1.5;

} // namespace ormevak
