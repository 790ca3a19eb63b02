// Each action of the script does what the user's gesture does in the desktop application.
#include "batch/apply.h"

#include "batch/json_writer.h"
#include "combined/combined_footing.h"
#include "design/combined_design.h"
#include "design/design.h"
#include "design/rect_design.h"
#include "design/schedule.h"
#include "model/numbers.h"
#include "plan/history.h"
#include "plan/interaction.h"
#include "plan/offsets.h"

namespace ormevak::batch {

namespace {

int checkedIndex(const Action& a, int count, const char* what) {
    if (a.index > count) {
        throw ScriptError(describe(a) + ": there is no " + what + " " + std::to_string(a.index) +
                          " (the project has " + std::to_string(count) + ")");
    }
    return a.index;
}

// depth, pedestal or dia on an R or C row.
void editDesignedRow(Project& p, const Action& a, Prompts& prompts) {
    if (a.rowKind == 'R') {
        const int n = a.index;
        if (n > static_cast<int>(p.rectRows.size()))
            throw ScriptError(describe(a) + ": there is no schedule row R" +
                              std::to_string(a.index) + " (the schedule has " +
                              std::to_string(p.rectRows.size()) + " R rows)");
        if (a.kind == ActionKind::Depth)
            editRectDepth(p, n, a.text, &prompts);
        else if (a.kind == ActionKind::Pedestal)
            editRectPedestal(p, n, a.text, &prompts);
        else
            clickRectDiameter(p, n, &prompts);
        return;
    }
    const int n = combinedRowOf(p, a.index);
    if (n == 0)
        throw ScriptError(describe(a) + ": there is no schedule row C" + std::to_string(a.index));
    if (a.kind == ActionKind::Depth)
        editCombinedDepth(p, n, a.text, &prompts);
    else if (a.kind == ActionKind::Pedestal)
        editCombinedPedestal(p, n, a.text, &prompts);
    else
        clickCombinedDiameter(p, n, &prompts);
}

std::string isolatedDetailsJson(const FootingDetails& d, int footing) {
    JsonWriter w;
    w.beginObject().key("footing").value(footing).key("window").value("Disply");
    w.key("texts").beginObject();
    w.key("LabN0")
        .value(d.labN0)
        .key("LabSize")
        .value(d.labSize)
        .key("LabOffcet")
        .value(d.labOffcet);
    w.key("LabColSize").value(d.labColSize).key("LabXY").value(d.labXY);
    w.endObject();
    w.key("rows").beginArray();
    for (const DetailRow& r : d.rows) {
        w.beginObject();
        w.key("LabCase").value(r.labCase).key("LabPbyA").value(r.labPbyA);
        w.key("LabMbyZ").value(r.labMbyZ).key("LabMbyZ2").value(r.labMbyZ2);
        w.key("LabStress").value(r.labStress).key("LabStress_").value(r.labStress_);
        w.key("LabAllowble").value(r.labAllowble);
        w.endObject();
    }
    w.endArray();
    w.key("boldStress").value(d.boldStress).key("boldStressMin").value(d.boldStressMin);
    w.key("borderStress").value(d.borderStress).key("borderStressMin").value(d.borderStressMin);
    w.key("filled").value(d.filled);
    w.endObject();
    return w.str();
}

std::string combinedDetailsJson(const CombinedDetails& d, int footing) {
    JsonWriter w;
    w.beginObject().key("footing").value(footing).key("window").value("Disply2");
    w.key("texts").beginObject();
    w.key("LabCf1f2").value(d.labCf1f2).key("LabCfSize").value(d.labCfSize);
    w.key("LabCnt1").value(d.labCnt1).key("LabCnt2").value(d.labCnt2);
    w.key("LabDisf_f").value(d.labDisf_f);
    w.endObject().endObject();
    return w.str();
}

OffsetKey offsetKeyOf(OffsetKeyName k) {
    switch (k) {
    case OffsetKeyName::Home:
        return OffsetKey::Home;
    case OffsetKeyName::Left:
        return OffsetKey::Left;
    case OffsetKeyName::Right:
        return OffsetKey::Right;
    case OffsetKeyName::Up:
        return OffsetKey::Up;
    case OffsetKeyName::Down:
        break;
    }
    return OffsetKey::Down;
}

// A right press on a footing: the details window it opens, as JSON.
void showDetails(Session& s, const Action& a) {
    Project& p = s.project;
    const int f = checkedIndex(a, p.footingCount, "footing");
    PressResult r = pressLabel(p, s.prompts, s.plan, f, Button::Right, false);
    if (r.kind == PressResult::Kind::Details)
        s.details.push_back(isolatedDetailsJson(r.details, f));
    else if (r.kind == PressResult::Kind::CombinedDetails)
        s.details.push_back(combinedDetailsJson(r.combined, f));
    else
        s.details.push_back("{\"footing\":" + std::to_string(f) + ",\"window\":\"\"}");
}

// A band dragged over the plan from (x1, z1) to (x2, z2).
void combineGesture(Session& s, const Action& a) {
    s.plan.bandX1 = static_cast<float>(a.x1);
    s.plan.bandY1 = static_cast<float>(a.z1);
    s.plan.bandX2 = static_cast<float>(a.x2);
    s.plan.bandY2 = static_cast<float>(a.z2);
    s.plan.dragging = false;
    // A refusal or a cancelled skew question leaves the model as it was: no entry.
    recordEdit(s.history, s.project, edit_name::combine(),
               [&] { combineBand(s.project, s.prompts, s.plan); });
}

// depth, pedestal or dia on a schedule row: a square row by its number, an R or C row by mark.
void scheduleEdit(Session& s, const Action& a) {
    Project& p = s.project;
    Prompts& prompts = s.prompts;
    EditHistory& h = s.history;
    if (a.rowKind != 0) {
        // R and C rows: one edit each, named by the row the engineer sees.
        const std::string row = std::string(1, a.rowKind) + std::to_string(a.index);
        const std::string what = a.kind == ActionKind::Depth      ? "depth"
                                 : a.kind == ActionKind::Pedestal ? "pedestal"
                                                                  : "bar diameter";
        recordEdit(h, p, what + " of row " + row, [&] { editDesignedRow(p, a, prompts); });
        return;
    }
    const int r = checkedIndex(a, p.designRowCount, "schedule row");
    if (a.kind == ActionKind::Depth)
        recordEdit(h, p, edit_name::depth(p, r), [&] { editDepth(p, r, a.text, &prompts); });
    else if (a.kind == ActionKind::Pedestal)
        recordEdit(h, p, edit_name::pedestal(p, r), [&] { editPedestal(p, r, a.text, &prompts); });
    else
        recordEdit(h, p, edit_name::diameter(p, r), [&] { clickDiameter(p, r, &prompts); });
}

// What the gesture does in the desktop application. Each edit of the model is one entry of the
// edit history, kept only when it changed the model; picking a footing is no edit.
void applyGesture(Session& s, const Action& a) {
    Project& p = s.project;
    Prompts& prompts = s.prompts;
    EditHistory& h = s.history;
    switch (a.kind) {
    case ActionKind::ToggleGroup: {
        const int g = checkedIndex(a, p.groupCount, "group");
        recordEdit(h, p, edit_name::toggle(p, g), [&] { toggleGroup(p, prompts, g); });
        break;
    }
    case ActionKind::NudgeGroup: {
        const int g = checkedIndex(a, p.groupCount, "group");
        recordEdit(h, p, edit_name::nudge(p, g), [&] { nudgeGroup(p, prompts, g); });
        break;
    }
    case ActionKind::ListGroup:
        listGroup(p, prompts, s.plan, checkedIndex(a, p.groupCount, "group"));
        break;
    case ActionKind::Select:
        selectFooting(p, s.plan, checkedIndex(a, p.footingCount, "footing"));
        break;
    case ActionKind::Wheel: {
        const int f = checkedIndex(a, p.footingCount, "footing");
        selectFooting(p, s.plan, f);
        recordEdit(h, p, edit_name::resize(p, f), [&] { wheelStep(p, prompts, a.direction); });
        break;
    }
    case ActionKind::ShiftDelete: {
        const int f = checkedIndex(a, p.footingCount, "footing");
        selectFooting(p, s.plan, f);
        recordEdit(h, p, edit_name::shiftDelete(p, f), [&] { shiftDelete(p, prompts, s.plan); });
        break;
    }
    case ActionKind::DisableMode:
        toggleDisableMode(s.plan);
        break;
    case ActionKind::Press: {
        const int f = checkedIndex(a, p.footingCount, "footing");
        if (s.plan.disableMode)
            recordEdit(h, p, edit_name::disablePress(p, f),
                       [&] { pressLabel(p, prompts, s.plan, f, Button::Left, false); });
        else
            pressLabel(p, prompts, s.plan, f, Button::Left, false);
        break;
    }
    case ActionKind::Details:
        showDetails(s, a);
        break;
    case ActionKind::Combine:
        combineGesture(s, a);
        break;
    case ActionKind::Offset: {
        const int f = checkedIndex(a, p.footingCount, "footing");
        pickFooting(p, f);
        recordEdit(h, p, edit_name::offset(p, f), [&] { offsetKeys(p, offsetKeyOf(a.key)); });
        break;
    }
    case ActionKind::OffsetsReset:
        recordEdit(h, p, edit_name::offsetsReset(), [&] { resetOffsets(p); });
        break;
    case ActionKind::Refresh:
        recordEdit(h, p, edit_name::refresh(), [&] { refresh(p, prompts); });
        break;
    case ActionKind::Design:
        recordEdit(h, p, edit_name::design(), [&] { runDesign(p, prompts); });
        break;
    case ActionKind::Depth:
    case ActionKind::Pedestal:
    case ActionKind::Dia:
        scheduleEdit(s, a);
        break;
    case ActionKind::Undo:
        // Nothing to undo leaves everything as it is; messages already given stay given.
        h.undo(p);
        break;
    case ActionKind::Redo:
        h.redo(p);
        break;
    }
}

} // namespace

void applyAction(Session& s, const Action& a) {
    try {
        applyGesture(s, a);
    } catch (const RangeError& e) {
        // An arithmetic refusal ends that one event with its message, as the run-time error
        // report does in the desktop application; the actions after it go on.
        s.prompts.inform(e.what());
    }
}

} // namespace ormevak::batch
