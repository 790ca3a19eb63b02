// The calculation report's content. Every number of a schedule row comes from the section
// arithmetic the design itself ran (replayed with a trace), and is compared with the text the
// schedule shows before it is printed.
#include "report/report.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

#include "checks/checks.h"
#include "combined/details.h"
#include "design/combined_design.h"
#include "design/design.h"
#include "design/rect_design.h"
#include "design/section.h"
#include "design/shear_table.h"
#include "drawing/quantities.h"
#include "model/errors.h"
#include "model/load_factors.h"
#include "model/numbers.h"
#include "model/sha256.h"
#include "sizing/sizing.h"

namespace ormevak::report {

namespace {

std::string num(float v) {
    return formatNumber(v);
}
std::string numd(double v) {
    return formatNumber(static_cast<float>(v));
}
// A value rounded for a sentence or a derived column (never a schedule number).
std::string fixed(double v, int decimals) {
    return numd(roundTo(v, decimals));
}

class Writer {
  public:
    explicit Writer(Content& c) : c_(c) {}
    void heading(const std::string& text, int level = 1) {
        Block b;
        b.kind = BlockKind::Heading;
        b.level = level;
        b.text = text;
        c_.blocks.push_back(std::move(b));
    }
    void paragraph(const std::string& text) {
        Block b;
        b.kind = BlockKind::Paragraph;
        b.text = text;
        c_.blocks.push_back(std::move(b));
    }
    void table(Table t) {
        Block b;
        b.kind = BlockKind::Table;
        b.table = std::move(t);
        c_.blocks.push_back(std::move(b));
    }

  private:
    Content& c_;
};

Table makeTable(std::vector<std::string> headings, std::vector<bool> numeric) {
    Table t;
    t.headings = std::move(headings);
    t.numeric = std::move(numeric);
    t.numeric.resize(t.headings.size(), false);
    return t;
}

int lastCase(const Project& p) {
    return std::clamp(p.loadCaseCount, 0, cap::casesPerSupport - 1);
}

bool hasSupport(const Project& p, int f) {
    return f >= 1 && f < static_cast<int>(p.supportReaction.size()) &&
           f < static_cast<int>(p.footings.size());
}

std::string caseNumber(const Project& p, int f, int c) {
    return hasSupport(p, f) ? num(p.reaction(f, c, reaction::CaseNo)) : formatInt(c);
}

std::string markOf(const Project& p, int f) {
    const FootingRecord& ft = p.footings[static_cast<size_t>(f)];
    if (ft.isGrouped()) return ft.markNo > 0 ? "F" + formatInt(ft.markNo) : "none";
    if (ft.isResized()) return "R" + formatInt(ft.markNo);
    if (ft.isDisabled()) return "D";
    return "C" + formatInt(ft.state);
}

std::string columnOf(const Project& p, int f) {
    const int c = p.footings[static_cast<size_t>(f)].colIndex;
    if (c < 1 || c >= static_cast<int>(p.columns.size())) return "-";
    const auto& col = p.columns[static_cast<size_t>(c)];
    return "member " + formatInt(col[1]) + ", " + formatInt(col[4]) + " x " + formatInt(col[3]);
}

// The last square schedule row that has its texts: a model not yet designed may hold rows whose
// texts the design has not made.
int lastSquareRow(const Project& p) {
    return std::min(p.lastDesignRow(), static_cast<int>(p.designRowTexts.size()) - 1);
}

// ---- Cover and basis ----

void coverAndBasis(const Project& p, const Inputs& in, Writer& w) {
    w.heading("1 Cover and basis");
    Table file = makeTable({"Item", "Value"}, {});
    file.rows.push_back({"Analysis file", in.analysis.name});
    file.rows.push_back({"Modified", in.analysis.modified});
    file.rows.push_back({"Size", formatInt(in.analysis.size) + " bytes"});
    file.rows.push_back({"SHA-256", in.analysis.sha256});
    file.rows.push_back({"Program", "ORMEVAK " + in.programVersion});
    file.rows.push_back({"Report made", in.runDate});
    w.table(std::move(file));

    w.heading("Soil and materials", 2);
    Table soil = makeTable({"Quantity", "Value", "Unit"}, {false, true, false});
    const float sbc = p.allowableBearing[0];
    soil.rows.push_back({"Safe bearing capacity, SBC (first load case)", num(sbc), "kN/m2"});
    soil.rows.push_back({"Allowable bearing of the later load cases, 1.25 x SBC",
                         num(p.allowableBearing[1]), "kN/m2"});
    soil.rows.push_back({"Depth of foundation", numd(double(p.earthPressure) / 20), "m"});
    soil.rows.push_back({"Earth pressure (overburden), 20 x depth", num(p.earthPressure), "kN/m2"});
    soil.rows.push_back({"Concrete grade fck", formatInt(p.concreteGrade), "N/mm2"});
    soil.rows.push_back({"Steel grade fy", formatInt(p.steelGrade), "N/mm2"});
    std::string column = "none (below M15: not designed)";
    if (const int k = gradeColumnFor(p.concreteGrade); k >= 1 && k <= 6)
        column = "M" + num(columnGrade(k));
    soil.rows.push_back({"Column of Table 19 used for tau-c", column, ""});
    w.table(std::move(soil));

    w.heading("Assumptions of the method", 2);
    w.paragraph("The support reactions of the analysis are service loads (unfactored). Sizing "
                "adds 10 % to the vertical reaction for the footing's own weight and the soil on "
                "it (P = 1.1 FY). The first load case is checked against the safe bearing "
                "capacity, every later case against 1.25 x SBC. A case whose vertical reaction "
                "pulls or is zero is sized and designed as a load of 1 kN; the tables show the "
                "reaction as read.");
    w.paragraph("Design is by the limit state method of IS 456:2000 with a load factor of 1.5 "
                "(Table 18) on the net upward pressure. The section is square, the moment is "
                "taken at the face of the pedestal over the full width of the footing "
                "(34.2.3.1, 34.2.3.2), the depth is first the balanced depth of Annex G-1.1 "
                "(Mu,lim = 0.138 fck b d2), rounded up to whole 50 mm of overall depth (at least "
                "250 mm), then deepened in 25 mm steps until one-way shear at d from the "
                "pedestal face (34.2.4.1(a), Table 19) and punching shear at d/2 (31.6.1, "
                "31.6.3.1) pass. The steel is at least 0.2 % of b d. The cover to the centre of "
                "the bars is 60 mm (D = d + 60 mm); bars stand 60 mm in from each edge.");
    w.paragraph("The pedestal of a group is by default 0.40 m for a side up to 1.4 m, 0.45 m up "
                "to 1.7 m, 0.53 m up to 1.9 m, 0.60 m up to 2.3 m, 0.75 m up to 2.8 m, 0.90 m up "
                "to 3.1 m and 1.20 m beyond; the schedule may change it.");
    w.paragraph("The design shear strength tau-c is read from Table 19 by linear interpolation "
                "in pt (pt below 0.15 is read as 0.15, pt of 3.00 and above as 3.00). A grade "
                "between two columns of the table takes the lower column, which never overstates "
                "the concrete; M40 and above take the M40 column; a grade below M15 is not "
                "designed.");
}

// ---- Footing sizes ----

// The last footing of the plan whose reactions the table holds.
int lastFootingWithLoads(const Project& p) {
    return std::min(p.lastFooting(), static_cast<int>(p.supportReaction.size()) - 1);
}

// Where footing ft went: its size group, its own size, or the footing it became part of.
std::string groupText(const Project& p, const FootingRecord& ft) {
    if (ft.isGrouped() && ft.groupIndex >= 1 && ft.groupIndex < static_cast<int>(p.groups.size())) {
        const GroupRecord& g = p.groups[static_cast<size_t>(ft.groupIndex)];
        return "F" + formatInt(g.groupNo) + " (" + num(g.size) + " m)";
    }
    if (ft.isResized()) return "resized " + num(ft.lenL) + " x " + num(ft.widB);
    if (ft.isDisabled()) return "disabled";
    if (ft.isCombined()) return "combined C" + formatInt(ft.combinedIndex());
    return "-";
}

void resizedFootings(const Project& p, int last, Writer& w);
void combinedFootings(const Project& p, Writer& w);

void footingSizes(const Project& p, Writer& w) {
    w.heading("2 Footing sizes");
    w.paragraph("Each footing is first sized as a square of side B for every load case: B solves "
                "P/B2 + 6 M/B3 = qa (the largest corner pressure equals the allowable bearing), "
                "with P = 1.1 FY and M = |MX| + |MZ|, by 20 Newton steps from B = sqrt(P/3/qa) + "
                "0.1. The required side is the largest B over the cases rounded up to the next "
                "millimetre; the footing then goes to the smallest ticked size group (sides "
                "rounded up to 0.1 m) that holds it. The table shows the governing case of each "
                "footing with its numbers substituted.");
    Table t = makeTable(
        {"Footing", "Joint", "Column", "Mark", "Case", "FY read (kN)", "P = 1.1 FY (kN)",
         "M (kN m)", "qa (kN/m2)", "B (m)", "P/B2 + 6M/B3 (kN/m2)", "Required side (m)", "Group"},
        {true, true, false, false, true, true, true, true, true, true, true, true, false});
    const int last = lastFootingWithLoads(p);
    t.rows.reserve(static_cast<size_t>(std::max(last, 0)));
    for (int f = 1; f <= last; ++f) {
        const FootingRecord& ft = p.footings[static_cast<size_t>(f)];
        int govCase = 0;
        double govB = -1, govP = 0;
        for (int c = 0; c <= lastCase(p); ++c) {
            const float fy = p.designFy(f, c);
            // As the sizing takes it: 1.1 FY, or 1 kN unfactored for a case that pulls.
            const float load = factoredLoad(fy);
            const double B = squareSide(p, f, c, load);
            if (B > govB) {
                govB = B;
                govCase = c;
                govP = load;
            }
        }
        const double M = std::fabs(double(p.reaction(f, govCase, reaction::MomX))) +
                         std::fabs(double(p.reaction(f, govCase, reaction::MomZ)));
        const double qa = p.allowableBearing[static_cast<size_t>(govCase)];
        const double q = govB > 0 ? govP / govB / govB + 6 * M / govB / govB / govB : 0;
        t.rows.push_back({formatInt(f), formatInt(ft.jointNo), columnOf(p, f), markOf(p, f),
                          caseNumber(p, f, govCase), num(p.reaction(f, govCase, reaction::ForceY)),
                          numd(govP), numd(M), numd(qa), fixed(govB, 4), fixed(q, 1),
                          num(ft.reqSide), groupText(p, ft)});
    }
    w.table(std::move(t));
    resizedFootings(p, last, w);
    combinedFootings(p, w);
}

// Resized footings: the detail window's pressures of every case.
void resizedFootings(const Project& p, int last, Writer& w) {
    bool anyResized = false;
    for (int f = 1; f <= last; ++f) {
        const FootingRecord& ft = p.footings[static_cast<size_t>(f)];
        if (!ft.isResized()) continue;
        if (!anyResized) {
            w.heading("Resized footings", 2);
            w.paragraph("Corner pressures of every case: q = 1.1 FY/(L B) +/- (6 |MZ|/(B L2) + "
                        "6 |MX|/(L B2)), against the allowable bearing qa of the case.");
            anyResized = true;
        }
        const FootingDetails d = showFootingDetails(p, f);
        w.paragraph(markOf(p, f) + " at joint " + formatInt(ft.jointNo) +
                    ": L x B = " + num(ft.lenL) + " x " + num(ft.widB) +
                    " m, required side of the square " + num(ft.reqSide) + " m.");
        Table r = makeTable({"Case", "FY (kN)", "MX (kN m)", "MZ (kN m)", "q max (kN/m2)",
                             "q min (kN/m2)", "qa (kN/m2)"},
                            {true, true, true, true, true, true, true});
        for (const DetailRow& row : d.rows)
            r.rows.push_back({row.labCase, row.labPbyA, row.labMbyZ, row.labMbyZ2, row.labStress,
                              row.labStress_, row.labAllowble});
        w.table(std::move(r));
    }
}

// The pressure of every case of combined footing cf on footings m1 and m2.
Table combinedPressures(const Project& p, const CombinedRecord& cf, int m1, int m2) {
    const double L = cf.length, B = cf.width;
    const double span = double(cf.span) / 1000;
    Table r = makeTable({"Case", "FY1 + FY2 (kN)", "e (m)", "Ml (kN m)", "Mt (kN m)",
                         "q max (kN/m2)", "q min (kN/m2)", "qa (kN/m2)"},
                        {true, true, true, true, true, true, true, true});
    // MX bends a footing along Z, MZ one along X.
    const int longC = cf.orientation == 1 ? 4 : 3;
    const int crossC = cf.orientation == 1 ? 3 : 4;
    for (int c = 0; c <= lastCase(p); ++c) {
        const double f1 = p.reaction(m1, c, reaction::ForceY),
                     f2 = p.reaction(m2, c, reaction::ForceY);
        const double P = f1 + f2;
        const double centre = L / 2 - double(cf.cant1); // from column 1
        const double e = P != 0 ? f2 * span / P - centre : 0;
        const double Ml =
            std::fabs(double(p.reaction(m1, c, longC)) + p.reaction(m2, c, longC) + P * e);
        const double Mt = std::fabs(double(p.reaction(m1, c, crossC)) + p.reaction(m2, c, crossC));
        const double mean = L * B > 0 ? kSoilLoadFactor * P / (L * B) : 0;
        const double bend = L * B > 0 ? 6 * Ml / (B * L * L) + 6 * Mt / (L * B * B) : 0;
        r.rows.push_back({caseNumber(p, m1, c), numd(P), fixed(e, 3), fixed(Ml, 2), fixed(Mt, 2),
                          fixed(mean + bend, 2), fixed(mean - bend, 2),
                          num(p.allowableBearing[static_cast<size_t>(c)])});
    }
    return r;
}

// Combined footings: size, cantilevers, the pressure of every case.
void combinedFootings(const Project& p, Writer& w) {
    const int lastCombined = p.lastCombined();
    bool anyCombined = false;
    for (int k = 1; k <= lastCombined; ++k) {
        const CombinedRecord& cf = p.combinedFootings[static_cast<size_t>(k)];
        const int m1 = cf.members[1], m2 = cf.members[2];
        if (cf.memberCount < 2 || !hasSupport(p, m1) || !hasSupport(p, m2)) continue;
        if (!anyCombined) {
            w.heading("Combined footings", 2);
            w.paragraph("Length L along the line of the two columns, width B across it. Pressure "
                        "of every case with the loads of both columns taken to the centre of the "
                        "footing: P = FY1 + FY2, e = distance of their resultant from the centre, "
                        "Ml = |(Ml1 + Ml2) + P e|, Mt = |Mt1 + Mt2|; q = 1.1 P/(L B) +/- (6 Ml/(B "
                        "L2) + 6 Mt/(L B2)).");
            anyCombined = true;
        }
        w.paragraph("C" + formatInt(k) + " (joints " + formatInt(p.footings[size_t(m1)].jointNo) +
                    " and " + formatInt(p.footings[size_t(m2)].jointNo) + "), along " +
                    (cf.orientation == 1 ? "X" : "Z") + ": L x B = " + num(cf.length) + " x " +
                    num(cf.width) + " m, cantilevers " + num(cf.cant1) + " and " + num(cf.cant2) +
                    " m, columns " + numd(double(cf.span) / 1000) + " m apart.");
        w.table(combinedPressures(p, cf, m1, m2));
    }
}

// ---- Schedule rows ----

// The row replayed through the design's own arithmetic, with its steps.
struct Replay {
    bool matches = false;
    section::Rules rules = section::Rules::Design;
    section::Bending bending;
    section::Trace trace;
    section::Checks checks;
    float Ast = 0, D = 0;
    section::Bars bars;
    float startD = 0; // the depth the loop started from
};

Replay replay(const Project& p, int n, section::Rules rules) {
    const GroupRecord& row = p.designRows[static_cast<size_t>(n)];
    const RowTexts& shown = p.designRowTexts[static_cast<size_t>(n)];
    Replay r;
    r.rules = rules;
    const float L = row.size, a = row.pedestal, q = row.netPressure;
    try {
        r.bending = section::bending(L, a, q, p.concreteGrade, &r.trace);
        float d = r.bending.d;
        if (rules == section::Rules::Schedule) {
            // As the schedule's row redesign starts: a stored depth deep enough stays.
            float depth = row.depth;
            if (static_cast<float>(double(depth) - 0.06) < r.bending.d)
                depth = static_cast<float>(double(r.bending.d) + 0.06);
            d = static_cast<float>(double(depth) - 0.06);
        }
        r.startD = d;
        r.checks = section::depthLoop(p, L, a, q, r.bending.c, r.bending.Mu, d, rules, &r.trace);
        r.Ast = section::steelArea(r.checks.pt, L, r.checks.d);
        r.D = section::overallDepth(r.checks.d);
        r.bars = section::bars(r.Ast, row.barDia, L, rules);
        RowTexts t = shown;
        section::writeResultTexts(t, n, r.D, a, r.bending, r.checks, r.Ast, row.barDia, r.bars,
                                  rules);
        r.matches = t == shown;
    } catch (const RangeError&) {
        r.matches = false;
    }
    return r;
}

struct StepTable {
    Table t = makeTable({"Step", "Formula with the values", "Result", "Unit", "IS 456:2000"},
                        {false, false, true, false, false});
    void add(const std::string& what, const std::string& formula, const std::string& result,
             const std::string& unit, const std::string& clause) {
        t.rows.push_back({what, formula, result, unit, clause});
    }
};

std::string sq(const std::string& x) {
    return x + "^2";
}

// Square row n as the schedule shows it, and its footings.
void squareRowShown(const Project& p, int n, Writer& w) {
    const GroupRecord& row = p.designRows[static_cast<size_t>(n)];
    const RowTexts& t = p.designRowTexts[static_cast<size_t>(n)];
    w.heading("Schedule row F" + formatInt(n), 2);

    // The row as the schedule shows it.
    Table shown = makeTable({}, {});
    for (size_t c = 0; c < t.size(); ++c) {
        shown.headings.push_back(scheduleHeadings()[c]);
        shown.numeric.push_back(c != col::LabF1);
    }
    shown.rows.push_back(std::vector<std::string>(t.begin(), t.end()));
    w.table(std::move(shown));

    // The footings of the row.
    std::string members;
    const int lastMember = lastRow(row.nosCount, row.footingNos.size());
    for (int k = 1; k <= lastMember; ++k) {
        const int f = row.footingNos[static_cast<size_t>(k)];
        if (!members.empty()) members += ", ";
        members += formatInt(f);
        if (hasSupport(p, f))
            members += " (joint " + formatInt(p.footings[static_cast<size_t>(f)].jointNo) + ")";
    }
    w.paragraph(formatInt(row.nosCount) + " footing(s) of side L = " + num(row.size) +
                " m on a pedestal a = " + num(row.pedestal) + " m, bars of " +
                formatInt(row.barDia) + " mm; footings " + members + ".");
}

// The governing footing's loads and the design pressure of a square row.
void squarePressureSteps(const Project& p, const GroupRecord& row, StepTable& s, Writer& w) {
    const int f = row.govFooting;
    const int k = row.govCase;
    const std::string L = num(row.size);
    const std::string q = num(row.netPressure);
    if (!hasSupport(p, f) || k < 0 || k >= cap::casesPerSupport) {
        s.add("Design pressure", "q as stored for the row", q, "kN/m2", "");
        return;
    }
    const float FYread = p.reaction(f, k, reaction::ForceY);
    const float FY = p.designFy(f, k);
    const float MX = p.reaction(f, k, reaction::MomX), MZ = p.reaction(f, k, reaction::MomZ);
    const double qmax = static_cast<float>((std::abs(double(MX)) + std::abs(double(MZ))) * 6 /
                                               row.size / row.size / row.size +
                                           double(FY) / row.size / row.size);
    std::string pull;
    if (FY != FYread) pull = " (FY read " + num(FYread) + " kN pulls: taken as 1 kN)";
    w.paragraph("Governing footing " + formatInt(f) + " at joint " +
                formatInt(p.footings[static_cast<size_t>(f)].jointNo) + ", load case " +
                caseNumber(p, f, k) + ": FY = " + num(FY) + " kN, MX = " + num(MX) +
                " kN m, MZ = " + num(MZ) + " kN m" + pull + ".");
    s.add("Net upward pressure",
          "qmax = FY/L^2 + 6 (|MX| + |MZ|)/L^3 = " + num(FY) + "/" + sq(L) + " + 6 (" +
              numd(std::abs(double(MX))) + " + " + numd(std::abs(double(MZ))) + ")/" + L + "^3",
          numd(qmax), "kN/m2", "service loads");
    s.add("Design pressure", "q = qmax rounded up to a whole kN/m2", q, "kN/m2", "");
}

// Cantilever, moment and the depth the loop starts from.
void squareBendingSteps(const Project& p, const GroupRecord& row, const Replay& r, StepTable& s) {
    const std::string L = num(row.size), a = num(row.pedestal);
    const std::string q = num(row.netPressure);
    const int fck = p.concreteGrade;
    const section::Bending& b = r.bending;
    s.add("Cantilever at the pedestal face", "c = (L - a)/2 = (" + L + " - " + a + ")/2", num(b.c),
          "m", "34.2.3.2");
    s.add("Factored moment",
          "Mu = c (1.5 q L c)/2 = " + num(b.c) + " (1.5 x " + q + " x " + L + " x " + num(b.c) +
              ")/2",
          num(b.Mu), "kN m", "34.2.3.1, Table 18");
    s.add("Balanced depth",
          "d0 = sqrt(Mu/(0.138 fck L)) = sqrt(" + num(b.Mu) + "/(0.138 x " + formatInt(fck) +
              " x " + L + " x 1000))",
          num(r.trace.d0), "m", "Annex G-1.1(c)");
    s.add("Overall depth in 50 mm steps",
          "m = Round((" + num(r.trace.d0) + " x 1000 + 60)/50 + 0.49)", num(r.trace.m), "x 50 mm",
          "");
    const float dFromM = static_cast<float>(roundTo((double(r.trace.m) * 50 - 60) / 1000, 2));
    s.add("Effective depth",
          "d = (m x 50 - 60)/1000 = (" + num(r.trace.m) + " x 50 - 60)/1000" +
              (dFromM < 0.19f ? ", raised to the least 0.19" : ""),
          num(b.d), "m", "cover to bar centre 60 mm");
    if (r.startD != b.d)
        s.add("Depth kept from the schedule", "D entered " + num(row.depth) + " m: d = D - 0.06",
              num(r.startD), "m", "");
}

// Flexure and one-way shear of one pass of the depth loop; true when one-way shear fails.
bool oneWayPassSteps(const Project& p, const GroupRecord& row, const section::Bending& b,
                     const section::Trace::Pass& ps, const std::string& tag, StepTable& s) {
    const std::string L = num(row.size), q = num(row.netPressure), d = num(ps.d);
    const int fck = p.concreteGrade, fy = p.steelGrade;
    s.add("Mu/bd2" + tag, "Mu/(L d^2) = " + num(b.Mu) + "/(" + L + " x " + sq(d) + " x 1000)",
          num(ps.MuBd2), "N/mm2", "Annex G-1.1(b)");
    s.add("Steel percentage" + tag,
          "pt = 50 fck/fy (1 - sqrt(1 - 4.6 Mu/(fck b d2))) = 50 x " + formatInt(fck) + "/" +
              formatInt(fy) + " (1 - sqrt(1 - 4.6 x " + num(ps.MuBd2) + "/" + formatInt(fck) + "))",
          num(ps.ptCalc), "%", "Annex G-1.1(b)");
    if (ps.pt != ps.ptCalc)
        s.add("Minimum steel" + tag, "pt = max(" + num(ps.ptCalc) + ", 0.2)", num(ps.pt), "%",
              "26.5.2.1 (this design: 0.2 %)");
    s.add("One-way shear force" + tag,
          "V1 = (c - d) 1.5 q L = (" + num(b.c) + " - " + d + ") x 1.5 x " + q + " x " + L,
          num(ps.V1), "kN", "34.2.4.1(a)");
    s.add("One-way shear stress" + tag,
          "tau-v = V1/(L d) = " + num(ps.V1) + " x 1000/(" + L + " x " + d + " x 10^6)",
          num(ps.tv1), "N/mm2", "40.1");
    s.add("Shear strength" + tag, "tau-c of Table 19 at pt = " + num(ps.pt), num(ps.tc1), "N/mm2",
          "40.2.1, Table 19");
    if (!(ps.tc1 < ps.tv1)) return false;
    s.add("Depth increased",
          "one-way shear fails: tau-v " + num(ps.tv1) + " > tau-c " + num(ps.tc1) + "; d = " + d +
              " + 0.025",
          num(static_cast<float>(double(ps.d) + 0.025)), "m", "40.2.1");
    return true;
}

// Punching shear of one pass of the depth loop that passed one-way shear.
void punchingPassSteps(const Project& p, const GroupRecord& row, const section::Trace::Pass& ps,
                       const std::string& tag, StepTable& s) {
    const std::string L = num(row.size), q = num(row.netPressure), d = num(ps.d);
    const int fck = p.concreteGrade;
    const std::string side = numd(double(ps.d) + double(row.pedestal));
    s.add("Punching shear force" + tag,
          "V2 = (L^2 - (a + d)^2) 1.5 q = (" + sq(L) + " - " + sq(side) + ") x 1.5 x " + q,
          num(ps.V2), "kN", "31.6.1, 34.2.4.1(b)");
    s.add("Punching shear stress" + tag,
          "tau-v = V2/(4 (a + d) d) = " + num(ps.V2) + " x 1000/(4 x " + side + " x " + d +
              " x 10^6)",
          num(ps.tv2), "N/mm2", "31.6.2");
    s.add("Punching shear strength" + tag,
          "tau-c = 0.25 sqrt(fck) = 0.25 sqrt(" + formatInt(fck) + ")", num(ps.tc2), "N/mm2",
          "31.6.3.1");
    if (ps.tc2 < ps.tv2) {
        s.add("Depth increased",
              "punching shear fails: tau-v " + num(ps.tv2) + " > tau-c " + num(ps.tc2) +
                  "; d = " + d + " + 0.025",
              num(static_cast<float>(double(ps.d) + 0.025)), "m", "31.6.3.1");
    }
}

// The steel, depth and bars the loop ended with.
void squareSteelSteps(const GroupRecord& row, const RowTexts& t, const Replay& r, StepTable& s) {
    const std::string L = num(row.size);
    if (r.checks.gaveUp)
        s.add("Depth search", "shear still fails; the search stopped at d = " + num(r.checks.d),
              num(r.checks.d), "m", "");
    const std::string d = num(r.checks.d);
    s.add("Steel area",
          "Ast = pt L d 10^4 = " + num(r.checks.pt) + " x " + L + " x " + d + " x 10000",
          num(r.Ast), "mm2", "Annex G-1.1(b)");
    s.add("Overall depth", "D = d + 0.06 = " + d + " + 0.06", num(r.D), "m", "");
    s.add("Number of bars",
          "n = Int(Ast/(22/28 dia^2) + 0.49) = Int(" + num(r.Ast) + "/(22/28 x " +
              formatInt(row.barDia) + "^2) + 0.49), at least 2",
          t[col::LabRods], "", "");
    s.add("Bar spacing",
          "s = (L - 0.12)/(n - 1) = (" + L + " - 0.12)/(" + t[col::LabRods] + " - 1) x 1000",
          formatInt(r.bars.spacing), "mm", "26.3.3(b)");
}

void squareRowSection(const Project& p, int n, Writer& w) {
    const GroupRecord& row = p.designRows[static_cast<size_t>(n)];
    const RowTexts& t = p.designRowTexts[static_cast<size_t>(n)];
    squareRowShown(p, n, w);

    if (t[col::LabCant].empty()) {
        std::string why = section::gradeProblem(p, "not designed");
        if (why.empty()) why = section::sideProblem(n, row.size, row.pedestal);
        w.paragraph("This row is not designed: " +
                    (why.empty() ? std::string("its design was refused") : why) + ".");
        return;
    }

    Replay r = replay(p, n, section::Rules::Design);
    if (!r.matches) r = replay(p, n, section::Rules::Schedule);
    if (!r.matches) {
        w.paragraph("The row's texts were edited after its design and are not those of a fresh "
                    "design from its stored depth; the schedule's values above stand, the steps "
                    "are not shown.");
        return;
    }

    StepTable s;
    squarePressureSteps(p, row, s, w);
    squareBendingSteps(p, row, r, s);
    const auto& passes = r.trace.passes;
    for (const section::Trace::Pass& ps : passes) {
        const std::string tag = passes.size() > 1 ? " (d = " + num(ps.d) + ")" : "";
        if (!oneWayPassSteps(p, row, r.bending, ps, tag, s)) punchingPassSteps(p, row, ps, tag, s);
    }
    squareSteelSteps(row, t, r, s);
    w.table(std::move(s.t));
}

// The row's texts as the schedule shows them, in tables of at most `perTable` columns so that
// a wide row stays readable on an A4 page.
void shownTexts(const std::vector<std::string>& texts, const std::vector<const char*>& headings,
                size_t perTable, Writer& w) {
    for (size_t from = 0; from < texts.size() && from < headings.size(); from += perTable) {
        Table shown = makeTable({}, {});
        std::vector<std::string> cells;
        for (size_t c = from; c < from + perTable && c < texts.size() && c < headings.size(); ++c) {
            shown.headings.push_back(headings[c]);
            shown.numeric.push_back(c != 0);
            cells.push_back(texts[c]);
        }
        shown.rows.push_back(std::move(cells));
        w.table(std::move(shown));
    }
}

std::string jointOf(const Project& p, int f) {
    return hasSupport(p, f) ? formatInt(p.footings[static_cast<size_t>(f)].jointNo) : "-";
}

// The effective depth of an R or C row from the overall depth its design recorded.
float effectiveDepth(float depth) {
    return static_cast<float>(roundTo(double(depth) - 0.06, 3));
}

// One direction of an R row: the bars run along `side`, the section is `width` wide.
void rectDirectionSteps(const RectDirection& dir, const std::string& name, const std::string& side,
                        const std::string& width, const std::string& a, const std::string& q,
                        const std::string& d, int dia, StepTable& s) {
    const std::string tag = " (bars along " + name + ")";
    s.add("Cantilever" + tag, "c = (" + name + " - a)/2 = (" + side + " - " + a + ")/2",
          num(dir.cant), "m", "34.2.3.2");
    s.add("Factored moment" + tag,
          "Mu = c (1.5 q b c)/2 = " + num(dir.cant) + " (1.5 x " + q + " x " + width + " x " +
              num(dir.cant) + ")/2",
          num(dir.mu), "kN m", "34.2.3.1, Table 18");
    s.add("Mu/bd2" + tag, "Mu/(b d^2) = " + num(dir.mu) + "/(" + width + " x " + sq(d) + " x 1000)",
          num(dir.muBd2), "N/mm2", "Annex G-1.1(b)");
    s.add("Steel percentage" + tag,
          "pt = 50 fck/fy (1 - sqrt(1 - 4.6 Mu/(fck b d2))), at least 0.2", num(dir.pt), "%",
          "Annex G-1.1(b), 26.5.2.1");
    s.add("One-way shear force" + tag,
          "V1 = (c - d) 1.5 q b = (" + num(dir.cant) + " - " + d + ") x 1.5 x " + q + " x " +
              width + ", 0 beyond the edge",
          num(dir.V1), "kN", "34.2.4.1(a)");
    s.add("One-way shear stress" + tag,
          "tau-v = V1/(b d) = " + num(dir.V1) + " x 1000/(" + width + " x " + d + " x 10^6)",
          num(dir.tauV), "N/mm2", "40.1");
    s.add("Shear strength" + tag, "tau-c of Table 19 at pt = " + num(dir.pt), num(dir.tauC),
          "N/mm2", "40.2.1, Table 19");
    s.add("Steel area" + tag,
          "Ast = pt b d 10^4 = " + num(dir.pt) + " x " + width + " x " + d + " x 10000",
          num(dir.ast), "mm2", "Annex G-1.1(b)");
    if (dir.endBars > 0)
        s.add("Number of bars" + tag,
              "central band + end strips = " + formatInt(dir.bandBars) + " + " +
                  formatInt(dir.endBars),
              num(dir.bars), "", "34.3.1(b)");
    else
        s.add("Number of bars" + tag,
              "n = Int(Ast/(22/28 dia^2) + 0.49) = Int(" + num(dir.ast) + "/(22/28 x " +
                  formatInt(dia) + "^2) + 0.49), at least 2",
              num(dir.bars), "", "");
}

// The governing case's loads and the design pressure of an R row.
void rectPressureSteps(const Project& p, const RectRow& row, StepTable& s, Writer& w) {
    const int f = row.footing;
    const std::string L = num(row.lenL), B = num(row.widB);
    const std::string q = num(row.netPressure);
    const int k = row.govCase;
    if (hasSupport(p, f) && k >= 0 && k < cap::casesPerSupport) {
        const float FY = p.designFy(f, k);
        const float MX = p.reaction(f, k, reaction::MomX), MZ = p.reaction(f, k, reaction::MomZ);
        const double Ld = row.lenL, Bd = row.widB;
        const double qmax = double(FY) / (Ld * Bd) + 6 * std::abs(double(MZ)) / (Bd * Ld * Ld) +
                            6 * std::abs(double(MX)) / (Ld * Bd * Bd);
        w.paragraph("Governing load case " + caseNumber(p, f, k) + ": FY = " + num(FY) +
                    " kN, MX = " + num(MX) + " kN m, MZ = " + num(MZ) + " kN m.");
        s.add("Net upward pressure",
              "qmax = FY/(L B) + 6 |MZ|/(B L^2) + 6 |MX|/(L B^2) = " + num(FY) + "/(" + L + " x " +
                  B + ") + 6 x " + numd(std::abs(double(MZ))) + "/(" + B + " x " + sq(L) +
                  ") + 6 x " + numd(std::abs(double(MX))) + "/(" + L + " x " + sq(B) + ")",
              fixed(qmax, 2), "kN/m2", "34.1.3, service loads");
    }
    s.add("Design pressure", "q = Round(qmax + 0.49), the largest corner pressure, uniform", q,
          "kN/m2", "34.1.3");
}

// The spacing of the bars of both directions of an R row, the short one's by the band rule.
void rectSpacingSteps(const RectRow& row, StepTable& s) {
    const std::string L = num(row.lenL), B = num(row.widB);
    const bool longL = row.lenL > row.widB;
    const RectDirection& shortDir = longL ? row.alongB : row.alongL;
    const RectDirection& longDir = longL ? row.alongL : row.alongB;
    const std::string longSide = longL ? L : B, shortSide = longL ? B : L;
    const std::string shortName = longL ? "B" : "L", longName = longL ? "L" : "B";
    s.add("Bar spacing (bars along " + longName + ")",
          "s = (" + shortSide + " - 0.12)/(n - 1) = (" + shortSide + " - 0.12)/(" +
              num(longDir.bars) + " - 1) x 1000",
          formatInt(longDir.spacing), "mm", "26.3.3(b)");
    if (shortDir.endBars > 0) {
        const double beta = longL ? double(row.lenL) / row.widB : double(row.widB) / row.lenL;
        s.add("Central band share (bars along " + shortName + ")",
              "2/(beta + 1), beta = " + longSide + "/" + shortSide + " = " + fixed(beta, 3),
              fixed(2 / (beta + 1), 3), "", "34.3.1(b)");
        s.add("Steel in the central band",
              "Round(Ast x 2/(beta + 1)) = Round(" + num(shortDir.ast) + " x " +
                  fixed(2 / (beta + 1), 3) + ")",
              num(shortDir.bandAst), "mm2", "34.3.1(b)");
        s.add("Central band bars",
              formatInt(shortDir.bandBars) + " bars in a band " + shortSide +
                  " m wide: s = " + shortSide + "/" + formatInt(shortDir.bandBars) + " x 1000",
              formatInt(shortDir.bandSpacing), "mm", "34.3.1(b)");
        s.add("End strip bars",
              formatInt(shortDir.endBars) + " bars, half in each end strip: s = ((" + longSide +
                  " - " + shortSide + ")/2 - 0.06)/" + formatInt(shortDir.endBars / 2) + " x 1000",
              formatInt(shortDir.endSpacing), "mm", "34.3.1(b)");
    } else {
        s.add("Bar spacing (bars along " + shortName + ")",
              "s = (" + longSide + " - 0.12)/(n - 1) = (" + longSide + " - 0.12)/(" +
                  num(shortDir.bars) + " - 1) x 1000",
              formatInt(shortDir.spacing), "mm", "26.3.3(b)");
    }
}

void rectRowSection(const Project& p, const RectRow& row, const std::string& name, Writer& w) {
    w.heading("Schedule row " + name, 2);
    shownTexts(row.texts, rectHeadings(), 16, w);
    const int f = row.footing;
    w.paragraph("Resized footing " + formatInt(f) + " at joint " + jointOf(p, f) +
                ": L x B = " + num(row.lenL) + " x " + num(row.widB) +
                " m (L along X, B along Z) on a pedestal a = " + num(row.pedestal) +
                " m, bars of " + formatInt(row.barDia) + " mm.");
    if (!row.designed) {
        w.paragraph("This row is not designed: the footing's shorter side is not larger than "
                    "its pedestal, or its grades or sizes were refused.");
        return;
    }
    const std::string L = num(row.lenL), B = num(row.widB), a = num(row.pedestal);
    const std::string q = num(row.netPressure);
    const int fck = p.concreteGrade;
    const float dFinal = effectiveDepth(row.depth);
    const std::string d = num(dFinal);
    StepTable s;
    rectPressureSteps(p, row, s, w);
    const float d0 = std::max(slab::balancedDepth(row.alongL.mu, row.widB, fck),
                              slab::balancedDepth(row.alongB.mu, row.lenL, fck));
    s.add("Depth from Mu,lim",
          "d0 = larger of sqrt(Mu/(0.138 fck b)) of both directions, overall depth in whole 50 "
          "mm, d at least 0.19",
          num(d0), "m", "Annex G-1.1(c)");
    s.add("Effective depth",
          dFinal > d0 ? "d0 + 25 mm steps (or the depth entered) until both one-way shears and "
                        "punching pass"
                      : "d = d0 (or the depth entered), shears pass",
          d, "m", "40.2.1, 31.6.3.1");
    rectDirectionSteps(row.alongL, "L", L, B, a, q, d, row.barDia, s);
    rectDirectionSteps(row.alongB, "B", B, L, a, q, d, row.barDia, s);
    const std::string side = numd(double(dFinal) + double(row.pedestal));
    s.add("Punching shear force",
          "V2 = (L B - (a + d)^2) 1.5 q = (" + L + " x " + B + " - " + sq(side) + ") x 1.5 x " + q,
          num(row.V2), "kN", "31.6.1");
    s.add("Punching shear stress",
          "tau-v = V2/(4 (a + d) d) = " + num(row.V2) + " x 1000/(4 x " + side + " x " + d +
              " x 10^6)",
          num(row.tauVp), "N/mm2", "31.6.2");
    s.add("Punching shear strength", "tau-c = 0.25 sqrt(fck) = 0.25 sqrt(" + formatInt(fck) + ")",
          num(row.tauCp), "N/mm2", "31.6.3.1");
    rectSpacingSteps(row, s);
    s.add("Overall depth", "D = d + 0.06 = " + d + " + 0.06", num(row.depth), "m",
          "cover to bar centre 60 mm");
    w.table(std::move(s.t));
}

void combinedSteelSteps(const CombinedSteel& st, const std::string& what, const std::string& B,
                        const std::string& d, int dia, StepTable& s) {
    s.add("Mu/bd2 (" + what + ")",
          "Mu/(B d^2) = " + num(st.mu) + "/(" + B + " x " + sq(d) + " x 1000)", num(st.muBd2),
          "N/mm2", "Annex G-1.1(b)");
    s.add("Steel percentage (" + what + ")",
          "pt = 50 fck/fy (1 - sqrt(1 - 4.6 Mu/(fck b d2))), at least 0.2", num(st.pt), "%",
          "Annex G-1.1(b), 26.5.2.1");
    s.add("Steel area (" + what + ")",
          "Ast = pt B d 10^4 = " + num(st.pt) + " x " + B + " x " + d + " x 10000", num(st.ast),
          "mm2", "Annex G-1.1(b)");
    s.add("Bars (" + what + ")",
          "n = Int(Ast/(22/28 x " + formatInt(dia) + "^2) + 0.49), s = (B - 0.12)/(n - 1)",
          num(st.bars) + " @ " + formatInt(st.spacing), "mm", "26.3.3(b)");
}

// The governing case, the column loads, the pressure lines and the moments along a C row.
void combinedLoadSteps(const Project& p, const CombinedRow& row, StepTable& s, Writer& w) {
    const int m1 = row.bands[0].footing, m2 = row.bands[1].footing;
    const std::string L = num(row.length), B = num(row.width);
    const std::string q = num(row.netPressure);
    const double x1 = row.cant1, x2 = double(row.cant1) + double(row.span);
    const int k = row.govCase;
    if (hasSupport(p, m1) && hasSupport(p, m2) && k >= 0 && k < cap::casesPerSupport) {
        w.paragraph("Governing load case " + caseNumber(p, m1, k) + ": FY1 = " +
                    num(p.designFy(m1, k)) + " kN, FY2 = " + num(p.designFy(m2, k)) + " kN.");
    }
    s.add("Design pressure",
          "q = Round(qmax + 0.49), qmax = P/(L B) + 6 (|e P| + |Ml1 + Ml2|)/(B L^2) + 6 |Mt1 + "
          "Mt2|/(L B^2), the largest over the cases",
          q, "kN/m2", "34.1.3");
    s.add("Column load 1", "Pu1 = 1.5 FY1", num(row.pu1), "kN", "Table 18");
    s.add("Column load 2", "Pu2 = 1.5 FY2", num(row.pu2), "kN", "Table 18");
    s.add("Pressure line of the projections", "wu = 1.5 q B = 1.5 x " + q + " x " + B, num(row.wu),
          "kN/m", "34.1.3");
    s.add("Pressure line between the columns",
          "wbal = (Pu1 + Pu2)/L = (" + num(row.pu1) + " + " + num(row.pu2) + ")/" + L,
          num(row.wBal), "kN/m", "statics");
    s.add("Point of zero shear",
          "x0 = Pu1/wbal, between x1 = " + numd(x1) + " and x2 = " + fixed(x2, 3) +
              " (from the governing end)",
          num(row.zeroShear), "m", "34.2.3.2");
    s.add("Hogging moment between the columns",
          "Mhog = Pu1 (x0 - x1) - wbal x0^2/2, the larger from either end", num(row.top.mu), "kN m",
          "34.2.3.2");
    const double face =
        std::max(x1 - double(row.pedestal) / 2, double(row.length) - x2 - double(row.pedestal) / 2);
    s.add("Sagging moment at the column face",
          "Msag = wu c^2/2 = " + num(row.wu) + " x " + sq(fixed(face, 3)) + "/2",
          num(row.bottom.mu), "kN m", "34.2.3.2");
}

// The transverse band under column i + 1 of a C row: its moment, steel and punching shear.
void combinedBandSteps(const Project& p, const CombinedRow& row, size_t i, StepTable& s) {
    const std::string B = num(row.width), a = num(row.pedestal);
    const std::string q = num(row.netPressure);
    const int fck = p.concreteGrade;
    const float dFinal = effectiveDepth(row.depth);
    const std::string d = num(dFinal);
    const CombinedBand& b = row.bands[i];
    const std::string col = "column " + formatInt(static_cast<long long>(i) + 1);
    const std::string Pu = num(i == 0 ? row.pu1 : row.pu2);
    s.add("Transverse cantilever (" + col + ")", "ct = (B - a)/2 = (" + B + " - " + a + ")/2",
          num(b.cant), "m", "34.2.3.2");
    s.add("Transverse moment (" + col + ")",
          "Mt = Pu/B ct^2/2 = " + Pu + "/" + B + " x " + sq(num(b.cant)) + "/2", num(b.mu), "kN m",
          "34.2.3.1");
    s.add("Band width (" + col + ")", "a + d each side, within the footing", num(b.band), "m", "");
    s.add("Mu/bd2 (band, " + col + ")",
          "Mt/(band d^2) = " + num(b.mu) + "/(" + num(b.band) + " x " + sq(d) + " x 1000)",
          num(b.muBd2), "N/mm2", "Annex G-1.1(b)");
    s.add("Steel (band, " + col + ")",
          "pt = " + num(b.pt) + ", Ast = pt band d 10^4 = " + num(b.pt) + " x " + num(b.band) +
              " x " + d + " x 10000",
          num(b.ast), "mm2", "Annex G-1.1(b)");
    s.add("Bars (band, " + col + ")",
          "n = Int(Ast/(22/28 x " + formatInt(row.barDia) + "^2) + 0.49), s = band/(n - 1)",
          num(b.bars) + " @ " + formatInt(b.spacing), "mm", "26.3.3(b)");
    const std::string side = numd(double(dFinal) + double(row.pedestal));
    s.add("Punching shear force (" + col + ")",
          "Vp = Pu - 1.5 q (a + d)^2 = " + Pu + " - 1.5 x " + q + " x " + sq(side), num(b.Vp), "kN",
          "31.6.1");
    s.add("Punching shear stress (" + col + ")",
          "tau-v = Vp/(4 (a + d) d) = " + num(b.Vp) + " x 1000/(4 x " + side + " x " + d +
              " x 10^6)",
          num(b.tauVp), "N/mm2", "31.6.2");
    s.add("Punching shear strength (" + col + ")",
          "tau-c = 0.25 sqrt(fck) = 0.25 sqrt(" + formatInt(fck) + ")", num(b.tauCp), "N/mm2",
          "31.6.3.1");
}

void combinedRowSection(const Project& p, const CombinedRow& row, Writer& w) {
    const std::string name = "C" + formatInt(row.combined);
    w.heading("Schedule row " + name, 2);
    shownTexts(row.texts, combinedHeadings(), 11, w);
    const int m1 = row.bands[0].footing, m2 = row.bands[1].footing;
    w.paragraph("Combined footing " + name + " on the columns at joints " + jointOf(p, m1) +
                " and " + jointOf(p, m2) + ": length L = " + num(row.length) + " m, width B = " +
                num(row.width) + " m, projection beyond the first column " + num(row.cant1) +
                " m, columns " + num(row.span) + " m apart; pedestals a = " + num(row.pedestal) +
                " m, bars of " + formatInt(row.barDia) + " mm.");
    if (!row.designed) {
        w.paragraph("This row is not designed: its width or a projection is not larger than the "
                    "pedestal, or its grades or sizes were refused.");
        return;
    }
    const std::string B = num(row.width);
    const int fck = p.concreteGrade;
    const std::string d = num(effectiveDepth(row.depth));
    StepTable s;
    combinedLoadSteps(p, row, s, w);
    s.add("Depth from Mu,lim",
          "d0 = sqrt(max(Mhog, Msag)/(0.138 fck B)), overall depth in whole 50 mm, d at least "
          "0.19",
          num(slab::balancedDepth(std::max(row.top.mu, row.bottom.mu), row.width, fck)), "m",
          "Annex G-1.1(c)");
    s.add("Effective depth",
          "d0 + 25 mm steps (or the depth entered) until the bands stay within Mu,lim and "
          "one-way shear and punching pass",
          d, "m", "40.2.1, 31.6.3.1");
    combinedSteelSteps(row.top, "top, hogging", B, d, row.barDia, s);
    combinedSteelSteps(row.bottom, "bottom, sagging", B, d, row.barDia, s);
    for (size_t i = 0; i < row.bands.size(); ++i) combinedBandSteps(p, row, i, s);
    s.add("One-way shear force",
          "V at d from the worst column face: wu x (distance to the free end) on the "
          "projections, the diagram of wbal between the columns",
          num(row.V1), "kN", "34.2.4.1(a)");
    s.add("One-way shear stress",
          "tau-v = V/(B d) = " + num(row.V1) + " x 1000/(" + B + " x " + d + " x 10^6)",
          num(row.tauV), "N/mm2", "40.1");
    s.add("Shear strength", "tau-c of Table 19 at the pt of that face's steel", num(row.tauC),
          "N/mm2", "40.2.1, Table 19");
    s.add("Distribution steel",
          "0.12 % of the gross section: 0.0012 x " + num(row.depth) + " x 10^6 per metre",
          num(row.distAst), "mm2/m", "26.5.2.1");
    s.add("Distribution spacing",
          "s = 22/28 x " + formatInt(row.barDia) + "^2/Ast x 1000, at most min(5 d, 450)",
          formatInt(row.distSpacing), "mm", "26.3.3(b)(2)");
    s.add("Overall depth", "D = d + 0.06 = " + d + " + 0.06", num(row.depth), "m",
          "cover to bar centre 60 mm");
    w.table(std::move(s.t));
}

void scheduleRows(const Project& p, Writer& w) {
    w.heading("3 Schedule rows");
    const int last = lastSquareRow(p);
    if (last < 1 && p.rectRows.empty() && p.combinedRows.empty()) {
        w.paragraph("The schedule has no rows: nothing was designed.");
        return;
    }
    w.paragraph("One section per row of the footing schedule. Each step names the formula, the "
                "numbers put into it, the result, its unit and the clause of IS 456:2000; the "
                "results are the values the schedule shows.");
    // One section per row, made by the writer of its kind: the square rows replay the design,
    // the R and C rows print the values their design recorded.
    for (int n = 1; n <= last; ++n) squareRowSection(p, n, w);
    for (size_t i = 0; i < p.rectRows.size(); ++i) {
        const RectRow& row = p.rectRows[i];
        rectRowSection(p, row,
                       !row.texts.empty() && !row.texts[0].empty()
                           ? row.texts[0]
                           : "R" + formatInt(static_cast<long long>(i) + 1),
                       w);
    }
    for (const CombinedRow& row : p.combinedRows) combinedRowSection(p, row, w);
}

// ---- Quantities ----

void quantitiesPart(const Project& p, Writer& w) {
    w.heading("5 Quantities");
    const Quantities q = computeQuantities(p);
    w.paragraph("Concrete of the footings (L x B x D) and of the pedestals (a x a x h, h = depth "
                "of foundation - D, or " +
                numd(qty::defaultPedestalHeight) +
                " m when that leaves none; two pedestals on a combined footing); "
                "reinforcement as the bars of each row, each bar the side less 2 x 50 mm cover, "
                "7850 kg/m3; excavation to the depth of foundation with 0.3 m working space each "
                "side; levelling course 75 mm under the footing. A row counts the footings of it "
                "that are built; a row not designed counts no steel.");
    Table t = makeTable({"Row", "Count", "L x B x D (m)", "Pedestal (m)", "Bars",
                         "Concrete each (m3)", "Steel each (kg)", "Concrete (m3)", "Steel (kg)",
                         "Excavation (m3)", "Levelling (m3)"},
                        {false, true, false, true, false, true, true, true, true, true, true});
    for (const RowQuantities& r : q.rows)
        t.rows.push_back(
            {r.row, formatInt(r.count), numd(r.lenL) + " x " + numd(r.widB) + " x " + numd(r.depth),
             (r.pedestals > 1 ? formatInt(r.pedestals) + " x " : std::string()) + numd(r.pedestal),
             barsText(r), fixed(r.each.concrete, 3), fixed(r.each.steel, 1),
             fixed(r.total.concrete, 3), fixed(r.total.steel, 1), fixed(r.total.excavation, 3),
             fixed(r.total.levelling, 3)});
    t.rows.push_back({"Total", "", "", "", "", "", "", fixed(q.total.concrete, 3),
                      fixed(q.total.steel, 1), fixed(q.total.excavation, 3),
                      fixed(q.total.levelling, 3)});
    w.table(std::move(t));
}

// ---- Checks ----

std::string utilisation(float value, float limit) {
    if (limit == 0) return "-";
    return fixed(double(value) / double(limit), 2);
}

// One of the design's own strength checks of a schedule row.
struct RowCheck {
    std::string row, check;
    float value, limit;
    bool fails;
};

// The square rows' checks, from the values the schedule shows.
void squareRowChecks(const Project& p, std::vector<RowCheck>& rowChecks) {
    const int last = lastSquareRow(p);
    for (int n = 1; n <= last; ++n) {
        const RowTexts& t = p.designRowTexts[static_cast<size_t>(n)];
        if (t[col::LabCant].empty()) continue;
        const auto v = [&t](size_t c) { return static_cast<float>(readNumber(t[c])); };
        const std::string name = "F" + formatInt(n);
        rowChecks.push_back({name, "one-way shear tau-v <= tau-c (40.2.1)", v(col::LabSS1),
                             v(col::LabPS1), v(col::LabSS1) > v(col::LabPS1)});
        rowChecks.push_back({name, "punching shear tau-v <= 0.25 sqrt(fck) (31.6.3.1)",
                             v(col::LabSS2), v(col::LabPS2), v(col::LabSS2) > v(col::LabPS2)});
        const float muLim = static_cast<float>(0.138 * p.concreteGrade);
        rowChecks.push_back({name, "Mu/bd2 <= 0.138 fck (Annex G-1.1(c))", v(col::LabMuBdd), muLim,
                             v(col::LabMuBdd) > muLim});
    }
}

// The R and C rows: the same strength checks on the values their design recorded.
void rectAndCombinedRowChecks(const Project& p, std::vector<RowCheck>& rowChecks) {
    const float muLim = static_cast<float>(0.138 * p.concreteGrade);
    const auto add = [&rowChecks](const std::string& row, const std::string& check, float value,
                                  float limit) {
        rowChecks.push_back({row, check, value, limit, value > limit});
    };
    for (size_t i = 0; i < p.rectRows.size(); ++i) {
        const RectRow& r = p.rectRows[i];
        if (!r.designed) continue;
        const std::string name = !r.texts.empty() && !r.texts[0].empty()
                                     ? r.texts[0]
                                     : "R" + formatInt(static_cast<long long>(i) + 1);
        add(name, "one-way shear, bars along L, tau-v <= tau-c (40.2.1)", r.alongL.tauV,
            r.alongL.tauC);
        add(name, "one-way shear, bars along B, tau-v <= tau-c (40.2.1)", r.alongB.tauV,
            r.alongB.tauC);
        add(name, "punching shear tau-v <= 0.25 sqrt(fck) (31.6.3.1)", r.tauVp, r.tauCp);
        add(name, "Mu/bd2 along L <= 0.138 fck (Annex G-1.1(c))", r.alongL.muBd2, muLim);
        add(name, "Mu/bd2 along B <= 0.138 fck (Annex G-1.1(c))", r.alongB.muBd2, muLim);
    }
    for (const CombinedRow& c : p.combinedRows) {
        if (!c.designed) continue;
        const std::string name = "C" + formatInt(c.combined);
        add(name, "one-way shear tau-v <= tau-c (40.2.1)", c.tauV, c.tauC);
        add(name, "Mu/bd2 top <= 0.138 fck (Annex G-1.1(c))", c.top.muBd2, muLim);
        add(name, "Mu/bd2 bottom <= 0.138 fck (Annex G-1.1(c))", c.bottom.muBd2, muLim);
        for (size_t i = 0; i < c.bands.size(); ++i) {
            const std::string col = "column " + formatInt(static_cast<long long>(i) + 1);
            add(name, "punching shear, " + col + ", tau-v <= 0.25 sqrt(fck) (31.6.3.1)",
                c.bands[i].tauVp, c.bands[i].tauCp);
            add(name, "Mu/bd2 of the band, " + col + " <= 0.138 fck (Annex G-1.1(c))",
                c.bands[i].muBd2, muLim);
        }
    }
}

// Per schedule row, the design's own strength checks, failing ones first.
std::vector<RowCheck> rowStrengthChecks(const Project& p) {
    std::vector<RowCheck> rowChecks;
    squareRowChecks(p, rowChecks);
    rectAndCombinedRowChecks(p, rowChecks);
    std::stable_sort(rowChecks.begin(), rowChecks.end(),
                     [](const RowCheck& x, const RowCheck& y) { return x.fails && !y.fails; });
    return rowChecks;
}

// Every failed check: the checks' errors, the rows' failed strength checks, then warnings.
void failedChecks(const std::vector<Check>& checks, const std::vector<RowCheck>& rowChecks,
                  Writer& w) {
    w.heading("Failed checks", 2);
    Table failed = makeTable({"Severity", "Check", "Footing or row", "Case", "Value", "Limit",
                              "Utilisation", "Unit", "What is wrong and what to do"},
                             {false, false, false, true, true, true, true, false, false});
    // The strength checks of the rows fail as errors: after the other errors, before warnings.
    const auto addRowFailures = [&] {
        for (const RowCheck& c : rowChecks)
            if (c.fails)
                failed.rows.push_back({"error", c.check, c.row, "-", num(c.value), num(c.limit),
                                       utilisation(c.value, c.limit), "N/mm2",
                                       "deepen the footing"});
    };
    bool rowsAdded = false;
    for (const Check& c : checks) {
        if (c.severity != Severity::Error && !rowsAdded) {
            addRowFailures();
            rowsAdded = true;
        }
        std::string where = c.row;
        if (c.footing > 0)
            where += (where.empty() ? "" : ", ") + std::string("footing ") + formatInt(c.footing);
        failed.rows.push_back(
            {severityName(c.severity), c.id, where, c.loadCase > 0 ? formatInt(c.loadCase) : "-",
             num(c.value), num(c.limit), utilisation(c.value, c.limit), checkUnit(c.id), c.text});
    }
    if (!rowsAdded) addRowFailures();
    if (failed.rows.empty())
        w.paragraph("No check fails.");
    else
        w.table(std::move(failed));
}

void rowStrengthTable(const std::vector<RowCheck>& rowChecks, Writer& w) {
    w.heading("Strength checks of the schedule rows", 2);
    Table rows = makeTable({"Row", "Check", "Value", "Limit", "Utilisation", "Result"},
                           {false, false, true, true, true, false});
    for (const RowCheck& c : rowChecks)
        rows.rows.push_back({c.row, c.check, num(c.value), num(c.limit),
                             utilisation(c.value, c.limit), c.fails ? "fails" : "passes"});
    if (rows.rows.empty())
        w.paragraph("No designed rows.");
    else
        w.table(std::move(rows));
}

// Every footing that is built with the checks it failed, those with failures first.
void checksPerFooting(const Project& p, const std::vector<Check>& checks, Writer& w) {
    w.heading("Checks per footing", 2);
    w.paragraph("Every footing that is built was checked for contact, overturning, uplift, "
                "overlap, pedestal and column, bar spacing, development length, bearing at the "
                "column base, steel provided, grade and design; a footing listed with no failed "
                "check passed them all.");
    std::vector<std::vector<std::string>> failedIds(p.footings.size());
    std::vector<int> errorsOf(p.footings.size(), 0), warningsOf(p.footings.size(), 0);
    for (const Check& c : checks) {
        for (int f : checkFootings(p, c)) {
            if (f < 1 || f >= static_cast<int>(p.footings.size())) continue;
            auto& ids = failedIds[static_cast<size_t>(f)];
            if (std::find(ids.begin(), ids.end(), c.id) == ids.end()) ids.push_back(c.id);
            (c.severity == Severity::Error ? errorsOf : warningsOf)[static_cast<size_t>(f)]++;
        }
    }
    Table per = makeTable({"Footing", "Joint", "Mark", "Errors", "Warnings", "Failed checks"},
                          {true, true, false, true, true, false});
    const int last = p.lastFooting();
    std::vector<int> order;
    for (int f = 1; f <= last; ++f)
        if (!p.footings[static_cast<size_t>(f)].isDisabled()) order.push_back(f);
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
        return !failedIds[static_cast<size_t>(x)].empty() &&
               failedIds[static_cast<size_t>(y)].empty();
    });
    for (int f : order) {
        std::string ids;
        for (const std::string& id : failedIds[static_cast<size_t>(f)])
            ids += (ids.empty() ? "" : ", ") + id;
        per.rows.push_back({formatInt(f), formatInt(p.footings[static_cast<size_t>(f)].jointNo),
                            markOf(p, f), formatInt(errorsOf[static_cast<size_t>(f)]),
                            formatInt(warningsOf[static_cast<size_t>(f)]),
                            ids.empty() ? "none: passed" : ids});
    }
    w.table(std::move(per));
}

void checksPart(const Project& p, Writer& w) {
    w.heading("4 Checks");
    std::vector<Check> checks = runChecks(p);
    // Failures first, errors before warnings, each in the checks' own order.
    std::stable_sort(checks.begin(), checks.end(), [](const Check& x, const Check& y) {
        return x.severity == Severity::Error && y.severity != Severity::Error;
    });
    const CheckCounts counts = countChecks(checks);
    w.paragraph(formatInt(counts.errors) + " error(s) and " + formatInt(counts.warnings) +
                " warning(s). Utilisation is value/limit.");
    const std::vector<RowCheck> rowChecks = rowStrengthChecks(p);
    failedChecks(checks, rowChecks, w);
    rowStrengthTable(rowChecks, w);
    checksPerFooting(p, checks, w);
}

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string utcText(long long secondsSinceEpoch) {
    const std::time_t t = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buf[40];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M UTC", &tm);
    return buf;
}

FileFacts describeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError("Cannot read " + path + ": " + std::strerror(errno));
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) throw FileError("Cannot read " + path + ": " + std::strerror(errno));
    const std::string content = bytes.str();
    FileFacts facts;
    facts.name = baseName(path);
    facts.size = static_cast<long long>(content.size());
    facts.sha256 = sha256Hex(content);
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) facts.modified = utcText(st.st_mtime);
    return facts;
}

Content buildReport(const Project& p, const Inputs& inputs) {
    Content c;
    c.title = "Calculation report";
    c.project = inputs.analysis.name;
    Writer w(c);
    coverAndBasis(p, inputs, w);
    footingSizes(p, w);
    scheduleRows(p, w);
    checksPart(p, w);
    quantitiesPart(p, w);
    return c;
}

std::string plainText(const Content& content) {
    std::string out = content.title + ": " + content.project + "\n\n";
    for (const Block& b : content.blocks) {
        switch (b.kind) {
        case BlockKind::Heading:
            out += b.text + "\n" + std::string(b.text.size(), b.level == 1 ? '=' : '-') + "\n";
            break;
        case BlockKind::Paragraph:
            out += b.text + "\n\n";
            break;
        case BlockKind::Table: {
            const Table& t = b.table;
            std::vector<size_t> width(t.headings.size(), 0);
            for (size_t i = 0; i < t.headings.size(); ++i) width[i] = t.headings[i].size();
            for (const auto& row : t.rows)
                for (size_t i = 0; i < row.size() && i < width.size(); ++i)
                    width[i] = std::max(width[i], row[i].size());
            const auto line = [&](const std::vector<std::string>& cells) {
                std::string text;
                for (size_t i = 0; i < cells.size() && i < width.size(); ++i) {
                    if (i > 0) text += "  ";
                    text += cells[i];
                    text.append(width[i] - cells[i].size(), ' ');
                }
                while (!text.empty() && text.back() == ' ') text.pop_back();
                return text + "\n";
            };
            out += line(t.headings);
            for (const auto& row : t.rows) out += line(row);
            out += "\n";
            break;
        }
        }
    }
    return out;
}

} // namespace ormevak::report
