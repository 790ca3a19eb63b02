// The soil-pressure sheets of the spreadsheet export, built as texts and laid into cells.
#include "output/workbook_cells.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "model/load_factors.h"
#include "model/numbers.h"
#include "output/checks_sheet.h"
#include "output/summary_sheets.h"

namespace ormevak {

namespace {

const std::string emptyCell;

// The reaction components of one footing's line of the reaction table.
struct CaseLoads {
    float caseNo, forceY, momX, momZ;
};

CaseLoads loadsOf(const Project& project, int footing, int loadCase) {
    return {project.reaction(footing, loadCase, reaction::CaseNo),
            project.reaction(footing, loadCase, reaction::ForceY),
            project.reaction(footing, loadCase, reaction::MomX),
            project.reaction(footing, loadCase, reaction::MomZ)};
}

const FootingRecord& footingAt(const Project& project, int footing) {
    return project.footings.at(static_cast<size_t>(footing));
}

// A side of zero would turn every pressure of the footing into a division by zero; the export
// stops before anything is written instead of filling the sheet with infinities.
void requireSize(const FootingRecord& f, float side) {
    if (side == 0.0f) {
        throw OutputError("Footing at joint " + formatInt(f.jointNo) +
                          " has no size: workbook not written");
    }
}

// Pressures are Single once rounded: the cell shows that value and the FAIL test compares it.
float rounded2(double pressure) {
    return static_cast<float>(roundTo(pressure, 2));
}

void appendCell(std::string& text, const std::string& item) {
    text += cellSeparator;
    text += item;
}

int combinedMember(const Project& project, int k, int entry) {
    const CombinedRecord& c = project.combinedFootings.at(static_cast<size_t>(k));
    const int f = c.members.at(static_cast<size_t>(entry));
    if (f < 1 || f > project.footingCount) {
        throw OutputError("Combined footing " + formatInt(k) + " has no column " +
                          formatInt(entry) + ": workbook not written");
    }
    return f;
}

// A new line of a footing sheet: the joint, then the load case and its reactions as read.
void appendLoadsLine(std::string& text, const FootingRecord& f, const CaseLoads& l) {
    text += lineSeparator;
    text += formatInt(f.jointNo);
    appendCell(text, formatNumber(l.caseNo));
    appendCell(text, formatNumber(l.forceY));
    appendCell(text, formatNumber(l.momX));
    appendCell(text, formatNumber(l.momZ));
}

} // namespace

const std::string& Sheet::cell(int row, int column) const {
    auto it = cells.find({row, column});
    return it == cells.end() ? emptyCell : it->second;
}

void pasteText(Sheet& sheet, const std::string& text, int row, int column) {
    int r = row;
    int c = column;
    std::string item;
    auto flush = [&] {
        if (!item.empty()) sheet.cells[{r, c}] = item;
        item.clear();
    };
    for (char ch : text) {
        if (ch == lineSeparator) {
            flush();
            ++r;
            c = column;
        } else if (ch == cellSeparator) {
            flush();
            ++c;
        } else {
            item += ch;
        }
    }
    flush();
}

float worstPressure(const Project& project, int footing) {
    const FootingRecord& f = footingAt(project, footing);
    requireSize(f, f.lenL);
    const double b = f.lenL;
    double worst = 0;
    for (int i = 0; i <= project.loadCaseCount; ++i) {
        // The order of the footings is the sizing's: a pulling case counts as its 1 kN.
        CaseLoads l = loadsOf(project, footing, i);
        l.forceY = project.designFy(footing, i);
        const double moment = std::max(std::fabs(static_cast<double>(l.momX)),
                                       std::fabs(static_cast<double>(l.momZ)));
        const double p = kSoilLoadFactor * l.forceY / b / b + 6.0 * moment / b / b / b;
        if (i == 0 || p > worst) worst = p;
    }
    return static_cast<float>(worst);
}

void pressureLinesSquare(const Project& project, int footing, std::string& text) {
    const FootingRecord& f = footingAt(project, footing);
    requireSize(f, f.lenL);
    const double b = f.lenL;
    for (int i = 0; i <= project.loadCaseCount; ++i) {
        const CaseLoads l = loadsOf(project, footing, i);
        const double mx = std::fabs(static_cast<double>(l.momX));
        const double mz = std::fabs(static_cast<double>(l.momZ));
        const double direct = kSoilLoadFactor * l.forceY / b / b;
        const double bending = 6.0 * (mx + mz) / b / b / b;
        const float pmax = rounded2(direct + bending);
        const float pmin = rounded2(direct - bending);
        const float allowable = project.allowableBearing.at(static_cast<size_t>(i));

        appendLoadsLine(text, f, l);
        appendCell(text, "F" + formatInt(f.markNo));
        appendCell(text, formatNumber(f.lenL));
        appendCell(text, formatNumber(pmin));
        appendCell(text, formatNumber(pmax));
        appendCell(text, formatNumber(allowable));
        if (pmax > allowable || pmin < -project.earthPressure) appendCell(text, "FAIL");
    }
    text += lineSeparator;
}

void pressureLinesRect(const Project& project, int footing, std::string& text) {
    const FootingRecord& f = footingAt(project, footing);
    requireSize(f, f.lenL);
    requireSize(f, f.widB);
    const double len = f.lenL;
    const double wid = f.widB;
    for (int i = 0; i <= project.loadCaseCount; ++i) {
        const CaseLoads l = loadsOf(project, footing, i);
        const double mx = std::fabs(static_cast<double>(l.momX));
        const double mz = std::fabs(static_cast<double>(l.momZ));
        const double direct = kSoilLoadFactor * l.forceY / (len * wid);
        const double acrossX = 6.0 * mx / (len * (wid * wid));
        const double acrossZ = 6.0 * mz / ((len * len) * wid);
        const float pmax = rounded2(direct + acrossX + acrossZ);
        const float pmin = rounded2(direct - acrossX - acrossZ);
        const float allowable = project.allowableBearing.at(static_cast<size_t>(i));

        appendLoadsLine(text, f, l);
        appendCell(text, "RF" + formatInt(f.markNo));
        appendCell(text, formatNumber(f.lenL));
        appendCell(text, formatNumber(f.widB));
        appendCell(text, formatNumber(pmin));
        appendCell(text, formatNumber(pmax));
        appendCell(text, formatNumber(allowable));
        if (pmax > allowable || pmin < -project.earthPressure) appendCell(text, "FAIL");
        if (pmin < 0.0f) appendCell(text, " < " + formatNumber(project.earthPressure));
    }
    text += lineSeparator;
}

std::string groupedFootingText(const Project& project) {
    std::string text;
    for (int a = 1; a <= project.designRowCount; ++a) {
        struct Member {
            int footing;
            float key;
        };
        std::vector<Member> members;
        for (int f = 1; f <= project.footingCount; ++f) {
            const FootingRecord& rec = footingAt(project, f);
            if (rec.isGrouped() && rec.markNo == a)
                members.push_back({f, worstPressure(project, f)});
        }
        // Equal keys keep their footing order.
        std::stable_sort(members.begin(), members.end(),
                         [](const Member& x, const Member& y) { return x.key < y.key; });
        for (const Member& m : members) pressureLinesSquare(project, m.footing, text);
    }
    return text;
}

std::string resizedFootingText(const Project& project) {
    std::string text;
    for (int f = 1; f <= project.footingCount; ++f) {
        if (footingAt(project, f).isResized()) pressureLinesRect(project, f, text);
    }
    return text;
}

std::string combinedFootingText(const Project& project, int k) {
    const CombinedRecord& c = project.combinedFootings.at(static_cast<size_t>(k));
    const int f1 = combinedMember(project, k, 1);
    const int f2 = combinedMember(project, k, 2);
    // Along X the moment about Z bends the footing along its length, so it comes first.
    const bool alongX = c.orientation == 1;
    auto moments = [&](const CaseLoads& l, std::string& text) {
        appendCell(text, formatNumber(alongX ? l.momZ : l.momX));
        appendCell(text, formatNumber(alongX ? l.momX : l.momZ));
    };
    std::string text;
    for (int a = 0; a <= project.loadCaseCount; ++a) {
        const CaseLoads l1 = loadsOf(project, f1, a);
        const CaseLoads l2 = loadsOf(project, f2, a);
        text += formatNumber(l1.caseNo);
        appendCell(text, "");
        appendCell(text, formatNumber(l1.forceY));
        moments(l1, text);
        appendCell(text, "");
        appendCell(text, "");
        appendCell(text, formatNumber(l2.forceY));
        moments(l2, text);
        text += lineSeparator;
    }
    return text;
}

std::string combinedSheetName(const Project& project, int k) {
    return "CF" + formatInt(k) + " " + formatInt(combinedMember(project, k, 1)) + "  " +
           formatInt(combinedMember(project, k, 2));
}

std::vector<Sheet> buildWorkbook(const Project& project) {
    std::vector<Sheet> book(3);
    book[0].name = "Grouped footings";
    book[1].name = "Resized footings";
    book[2].name = "Sheet3";
    pasteText(book[0], groupedFootingText(project), 1, 1);
    pasteText(book[1], resizedFootingText(project), 1, 1);

    for (int k = 1; k <= project.combinedCount; ++k) {
        const CombinedRecord& c = project.combinedFootings.at(static_cast<size_t>(k));
        Sheet sheet;
        sheet.name = combinedSheetName(project, k);
        pasteText(sheet, combinedFootingText(project, k), 5, 1);
        // Set after the paste, as single cells of the sheet's fixed layout.
        sheet.cells[{3, 4}] = formatInt(footingAt(project, c.members[1]).jointNo);
        sheet.cells[{3, 9}] = formatInt(footingAt(project, c.members[2]).jointNo);
        sheet.cells[{2, 8}] = formatNumber(project.allowableBearing[0]);
        sheet.cells[{23, 8}] = formatNumber(static_cast<float>(roundTo(c.span / 1000.0, 2)));
        sheet.cells[{30, 8}] = formatNumber(static_cast<float>(roundTo(c.length, 2)));
        sheet.cells[{31, 8}] = formatNumber(static_cast<float>(roundTo(c.width, 2)));
        book.push_back(std::move(sheet));
    }
    // The design checks come after every sheet of the export, which stay as they are.
    book.push_back(checksSheet(project));
    // The sheets with headings go first, the export's sheets follow as they are.
    std::vector<Sheet> summary = summarySheets(project);
    book.insert(book.begin(), summary.begin(), summary.end());
    return book;
}

const Sheet& sheetNamed(const std::vector<Sheet>& book, const std::string& name) {
    for (const Sheet& s : book)
        if (s.name == name) return s;
    throw std::out_of_range("no sheet named " + name);
}

} // namespace ormevak
