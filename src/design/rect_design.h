// Rectangular isolated footings (resized by hand, marks R1, R2, ...): the square rows' method
// applied in both directions, with the central band rule for the short direction's steel.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "design/section.h"
#include "design/shear_table.h"
#include "model/load_factors.h"
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

// The same guard as the square rows' depth loop: shear cannot govern once d passes the sides.
inline constexpr int kMaxPasses = 2000;
inline constexpr double kBeyondSide = 0.05; // m

// "Schedule row <name>: <what>".
std::string rowMessage(const std::string& name, const std::string& what);
// The message of a depth search that stopped at overall depth `depth` with shear still failing.
std::string gaveUpMessage(const std::string& name, float depth);
// Bars of diameter dia for steel area ast, with the bar area as the square rows take it.
float barCount(double ast, int dia);
// IS 456 31.6.3.1: ks tau-c = 0.25 sqrt(fck) for a square pedestal.
float punchingStrength(int fck);
// The effective depth to start from: the user's overall depth when it is deep enough for d.
float userDepth(float depth, float d);

// Deepens d in 25 mm steps until passes(d) holds; true when the guard stopped it first, with d
// the last depth tried.
template <typename Passes> bool deepenUntilPassing(float& d, double limit, Passes&& passes) {
    for (int pass = 1;; ++pass) {
        if (passes(d)) return false;
        const auto next = static_cast<float>(double(d) + 0.025);
        if (pass >= kMaxPasses || double(next) > limit) return true;
        d = next;
    }
}

// Designs again a row the engineer has just edited, with `design` (row, name) -> message. A
// missing grade, an overflow or a design the row cannot take puts the row back as `saved`; any
// message goes to `prompts`. Returns whether the row is designed.
template <typename Row, typename Design>
bool redesignEdited(Project& p, Row& row, const Row& saved, const std::string& name,
                    Design&& design, Prompts* prompts) {
    std::string message = section::gradeProblem(p, "Schedule row " + name + " not redesigned");
    // Without grades the row cannot follow the edit: it stays as it was, so that what it shows
    // is what it was designed for.
    const bool graded = message.empty();
    if (graded) {
        try {
            message = design(row, name);
        } catch (const RangeError& e) {
            message = "Schedule row " + name + ": " + e.what() + "; the row was not redesigned";
            row.designed = false;
        }
    }
    if (prompts != nullptr && !message.empty()) prompts->inform(message);
    if (graded && row.designed) return true;
    row = saved;
    return false;
}

// A new row of the Design command takes from the row the last Design made for the same footing
// (sameFooting(old)) its edited pedestal and its bar diameter.
template <typename Row, typename Same>
void keepEdits(const std::vector<Row>& before, Row& row, Same&& sameFooting) {
    for (const Row& old : before) {
        if (!sameFooting(old)) continue;
        if (old.pedestalEdited) {
            row.pedestal = old.pedestal;
            row.pedestalEdited = true;
        }
        row.barDia = old.barDia;
    }
}

// Designs a new row of the Design command with `design` (row, name) -> message; its message,
// or the range its design broke, goes to notes.
template <typename Row, typename Design>
void designNew(Row& row, const std::string& name, Design&& design,
               std::vector<std::string>& notes) {
    try {
        if (std::string note = design(row, name); !note.empty()) notes.push_back(note);
    } catch (const RangeError& e) {
        notes.push_back(rowMessage(name, std::string(e.what()) + "; not designed"));
        row.designed = false;
    }
}

// How the schedule's edits reach one kind of designed row (R or C): where the rows are kept,
// the row's name, its design, the controls its texts fill, and the largest pedestal its sides
// leave room for.
template <typename Row> struct EditedRows {
    std::vector<Row> Project::*rows;
    std::string (*name)(const Row& row, int n);
    std::string (*design)(const Project& p, Row& row, const std::string& name);
    const std::vector<const char*>& (*controlNames)();
    float (*pedestalBound)(const Row& row);
};

// The depth and pedestal texts, at the same place in R and C rows.
inline constexpr std::size_t kDepthText = 3;
inline constexpr std::size_t kPedestalText = 4;

// Designs row n (1-based) again after an edit; on failure the row is restored and false
// returned.
template <typename Row>
bool redesignRow(Project& p, const EditedRows<Row>& kind, int n, const Row& saved,
                 Prompts* prompts) {
    Row& row = (p.*kind.rows)[static_cast<std::size_t>(n - 1)];
    return redesignEdited(
        p, row, saved, kind.name(row, n),
        [&p, &kind](Row& r, const std::string& name) { return kind.design(p, r, name); }, prompts);
}

// Row n after an edit: its texts as redesigned, or, when the edit was refused or the design
// failed, the row as it was with the edited control showing the value it kept.
template <typename Row>
std::vector<std::string> editedTexts(Project& p, const EditedRows<Row>& kind, int n,
                                     const Row& saved, bool accepted, std::size_t control,
                                     Prompts* prompts) {
    if (accepted && redesignRow(p, kind, n, saved, prompts))
        return (p.*kind.rows)[static_cast<std::size_t>(n - 1)].texts;
    Row& now = (p.*kind.rows)[static_cast<std::size_t>(n - 1)];
    now.texts.resize(kind.controlNames().size());
    if (control == kDepthText)
        now.texts[control] = now.designed ? formatNumber(now.depth) : std::string();
    else
        now.texts[control] = formatNumber(now.pedestal);
    return now.texts;
}

template <typename Row> bool hasRow(const Project& p, const EditedRows<Row>& kind, int n) {
    return n >= 1 && n <= static_cast<int>((p.*kind.rows).size());
}

// A typed overall depth: a depth deep enough stays, 0 designs it afresh.
template <typename Row>
std::vector<std::string> editDepth(Project& p, const EditedRows<Row>& kind, int n,
                                   const std::string& text, Prompts* prompts) {
    if (!hasRow(p, kind, n)) return {};
    Row& row = (p.*kind.rows)[static_cast<std::size_t>(n - 1)];
    const Row saved = row;
    float value = 0;
    const bool accepted = typedValue(text, value);
    if (accepted) row.depth = value;
    return editedTexts(p, kind, n, saved, accepted, kDepthText, prompts);
}

// A typed pedestal, narrower than the row's bound; it stays when Design runs again.
template <typename Row>
std::vector<std::string> editPedestal(Project& p, const EditedRows<Row>& kind, int n,
                                      const std::string& text, Prompts* prompts) {
    if (!hasRow(p, kind, n)) return {};
    Row& row = (p.*kind.rows)[static_cast<std::size_t>(n - 1)];
    const Row saved = row;
    float value = 0;
    const bool accepted = typedValue(text, value) && value >= 0 && kind.pedestalBound(row) > value;
    if (accepted) {
        row.pedestal = value;
        row.pedestalEdited = true;
        row.depth = 0; // designed afresh for the new pedestal
    }
    return editedTexts(p, kind, n, saved, accepted, kPedestalText, prompts);
}

// A click on the bar diameter: the next diameter, the row designed again.
template <typename Row>
std::vector<std::string> clickDiameter(Project& p, const EditedRows<Row>& kind, int n,
                                       Prompts* prompts) {
    if (!hasRow(p, kind, n)) return {};
    Row& row = (p.*kind.rows)[static_cast<std::size_t>(n - 1)];
    const Row saved = row;
    row.barDia = nextDiameter(row.barDia);
    redesignRow(p, kind, n, saved, prompts);
    return (p.*kind.rows)[static_cast<std::size_t>(n - 1)].texts;
}
} // namespace slab

} // namespace ormevak
