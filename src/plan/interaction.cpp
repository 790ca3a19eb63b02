// Plan interaction: every event that changes the model or produces a text.
#include "plan/interaction.h"

#include <algorithm>
#include <cmath>

#include "combined/combined_footing.h"
#include "model/marks.h"
#include "model/numbers.h"
#include "plan/plan_labels.h"
#include "sizing/sizing.h"

namespace ormevak {

std::optional<std::string> RfootMwheel(Project& p, Prompts& prompts, int direction) {
    const int s = p.currentFooting;
    if (!p.hasFootingLoads(s)) return std::nullopt;
    FootingRecord& f = p.footings[s];
    double len = f.lenL;
    len += direction < 0 ? -0.05 : 0.05;
    len = roundTo(len, 2);
    // A footing cannot shrink to nothing: the step is refused before anything changes.
    if (!(len > 0)) return std::nullopt;
    const double wid = rectSide(p, prompts, s, len);
    if (!std::isfinite(wid) || !(wid > 0)) return std::nullopt;

    f.state = kStateResized;
    f.lenL = static_cast<float>(len);
    f.widB = static_cast<float>(wid);
    assignGroups(p, prompts);
    return sizeAreaCaption(len, wid);
}

bool wheelStep(Project& p, Prompts& prompts, int rotationSign) {
    const int cur = p.currentFooting;
    if (!p.hasFooting(cur)) return false;
    const int step = rotationSign < 0 ? -1 : 1;
    const FootingRecord& f = p.footings[cur];
    std::optional<std::string> caption =
        f.isCombined() ? sizeCombined(p, f.combinedIndex(), step) : RfootMwheel(p, prompts, step);
    if (!caption) return false;
    p.sizeLabelCaption = std::move(*caption);
    return true;
}

void selectFooting(Project& p, PlanState& s, int i) {
    p.currentFooting = i;
    if (!p.hasFooting(i)) return;
    const FootingRecord& f = p.footings[i];
    s.sizeBoxVisible = true;
    p.sizeLabelCaption = sizeCaption(roundTo(f.lenL, 2), roundTo(f.widB, 2));
}

void shiftDelete(Project& p, Prompts& prompts, PlanState& s) {
    if (s.dragging) return;
    const int cur = p.currentFooting;
    if (p.hasFooting(cur)) {
        FootingRecord& f = p.footings[cur];
        if (f.isResized()) {
            f.state = kStateGrouped;
            f.lenL = f.reqSide;
            f.widB = f.reqSide;
        } else if (f.isCombined()) {
            deleteCombined(p, prompts, f.combinedIndex());
        }
        // A footing back in the plain state belongs in a group at once: its type, its mark and
        // the Design command's rows must never leave it out.
        if (f.isGrouped()) assignGroups(p, prompts);
    }
    hideSizeBox(s);
}

void hideSizeBox(PlanState& s) {
    s.sizeBoxVisible = false;
}

void sizeBoxLostFocus(Project& p, PlanState& s) {
    s.sizeBoxVisible = false;
    p.currentFooting = 0;
}

bool nudgeGroup(Project& p, Prompts& prompts, int g) {
    if (!p.hasGroup(g)) return false;
    GroupRecord& grp = p.groups[g];
    grp.size = static_cast<float>(grp.size - 0.05);
    if (grp.size < grp.baseSize - 0.05) grp.size = static_cast<float>(grp.baseSize + 0.05);
    if (g < static_cast<int>(p.groupCaptions.size()))
        p.groupCaptions[g].side = formatNumber(grp.size);
    assignGroups(p, prompts);
    return true;
}

GroupMemberList groupMemberList(const Project& p, int g) {
    GroupMemberList out;
    const int n = p.lastFooting();
    out.visible.assign(static_cast<size_t>(std::max(n, 0)) + 1, 0);
    std::string list;
    for (int c = 1; c <= n; ++c) {
        const FootingRecord& f = p.footings[c];
        if (f.groupIndex != g || !f.isGrouped()) continue;
        out.visible[c] = 1;
        list += formatInt(f.jointNo) + "   ";
    }
    const GroupRecord grp = p.hasGroup(g) ? p.groups[g] : GroupRecord{};
    out.text = "F" + formatInt(grp.groupNo) + "    " + formatNumber(grp.size) + " X " +
               formatNumber(grp.size) + " M" + "\r\r" + list;
    return out;
}

void listGroup(Project& p, Prompts& prompts, PlanState& s, int g) {
    // The labels show footing numbers while the list is open.
    s.switches.footingNos = true;
    s.switches.groupNos = false;
    updatePlan(p, s);
    prompts.inform(groupMemberList(p, g).text);
}

bool toggleGroup(Project& p, Prompts& prompts, int g) {
    // The largest group's check box is disabled: it never changes.
    if (!p.hasGroup(g) || g == p.groupCount || g >= static_cast<int>(p.groupEnabled.size()))
        return false;
    p.groupEnabled[g] = p.groupEnabled[g] ? 0 : 1;
    assignGroups(p, prompts);
    return true;
}

void refresh(Project& p, Prompts& prompts) {
    sizeFootings(p, prompts);
}

bool toggleDisableMode(PlanState& s) {
    s.disableMode = !s.disableMode;
    return s.disableMode;
}

PressResult pressLabel(Project& p, Prompts& prompts, PlanState& s, int i, Button button,
                       bool shift) {
    PressResult out;
    p.currentFooting = i;
    if (!p.hasFooting(i)) return out;
    FootingRecord& f = p.footings[i];
    if (s.disableMode) {
        // A resized or combined footing pressed here becomes an ordinary footing again; the
        // combined record keeps listing it.
        f.state = f.isGrouped() ? kStateDisabled : kStateGrouped;
        if (static_cast<int>(s.labels.size()) <= i) s.labels.resize(static_cast<size_t>(i) + 1);
        s.labels[i] = labelText(p, i, s.switches, s.labels[i]);
        assignGroups(p, prompts);
        out.kind = PressResult::Kind::DisableToggled;
        return out;
    }
    if (button == Button::Right && !shift) {
        if (!f.isCombined()) {
            out.kind = PressResult::Kind::Details;
            out.details = showFootingDetails(p, i);
        } else {
            out.kind = PressResult::Kind::CombinedDetails;
            out.combined = combinedDetails(p, f.combinedIndex());
        }
        return out;
    }
    if (button == Button::Left) {
        selectFooting(p, s, i);
        out.kind = PressResult::Kind::Selected;
    }
    return out;
}

} // namespace ormevak
