// Design checks: every rule of IS 456:2000 and of the plan that a footing, as it stands in the
// model, breaks. The checks read the model and never change it; the windows, the batch tool and
// the workbook all show the same list.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"

namespace ormevak {

enum class Severity {
    Error,  // unsafe or not buildable
    Warning // the engineer should look
};

struct Check {
    std::string id; // contact, overturning, uplift, overlap, pedestal-column, spacing-max,
                    // spacing-min, development, column-bearing, steel-provided, grade,
                    // not-designed
    Severity severity = Severity::Warning;
    int footing = 0;  // footing index, 0 when the check concerns a schedule row or the project
    std::string row;  // "F3" (plan mark or schedule row), "R2", "C1", or ""
    int other = 0;    // the other footing of an overlap, else 0
    int loadCase = 0; // the load case NUMBER (component 1 of the reaction line), or 0
    float value = 0;  // what the footing has, in the unit of checkUnit
    float limit = 0;  // what the rule allows or asks for
    std::string text; // one sentence: what is wrong and what to do

    bool operator==(const Check&) const = default;
};

// Every failing check of the model, in the order of the ids above; within one id by footing,
// then by schedule row. Disabled footings are not built and are not checked.
std::vector<Check> runChecks(const Project& p);

// "error" or "warning".
const char* severityName(Severity s);
// The unit of a check's value and limit ("kN/m2", "m", "kN", "mm", "N/mm2", "mm2", or "").
const char* checkUnit(const std::string& id);

struct CheckCounts {
    int errors = 0;
    int warnings = 0;
};
CheckCounts countChecks(const std::vector<Check>& checks);

// The worst severity of the checks that concern each footing 1..FootingCount (element 0
// unused): 0 none, 1 warning, 2 error. A check on a combined footing marks both its columns, one
// on a schedule row marks the row's footings, an overlap marks both footings.
std::vector<char> footingSeverity(const Project& p, const std::vector<Check>& checks);

// The footings a check concerns (see footingSeverity), in footing order.
std::vector<int> checkFootings(const Project& p, const Check& c);

// Schedule row n ("F" + n) of a check on a schedule row, 0 when it is not on one.
int checkScheduleRow(const Project& p, const Check& c);

// The schedule rows a check concerns: its own row, or the rows that hold its footings.
std::vector<int> checkRows(const Project& p, const Check& c);

// The headings of the checks table and its rows, columns padded to the widest cell and
// separated by two blanks, no trailing blanks; every line ends with a newline.
std::string checksTable(const std::vector<Check>& checks);

} // namespace ormevak
