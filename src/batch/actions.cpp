// Reading the action script; every line is checked before any work starts.
#include "batch/actions.h"

#include <cmath>
#include <map>
#include <sstream>
#include <string_view>

#include "model/numbers.h"

namespace ormevak::batch {

namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    std::string w;
    while (in >> w) out.push_back(w);
    return out;
}

struct Fail {
    std::string reason;
};

int positiveIndex(const std::string& w, const char* what) {
    if (w.empty() || w.size() > 9 || w.find_first_not_of("0123456789") != std::string::npos)
        throw Fail{std::string(what) + " must be a whole number from 1 on, not \"" + w + "\""};
    int v = std::stoi(w);
    if (v < 1)
        throw Fail{std::string(what) + " must be a whole number from 1 on, not \"" + w + "\""};
    return v;
}

double planValue(const std::string& w) {
    if (!isNumericText(w)) throw Fail{"\"" + w + "\" is not a plan coordinate in mm"};
    double v = readNumber(w);
    if (!std::isfinite(v) || std::fabs(v) > 1e9) throw Fail{"\"" + w + "\" is out of range"};
    return v;
}

void expectCount(const std::vector<std::string>& w, size_t n, const char* usage) {
    if (w.size() != n) throw Fail{std::string("expected: ") + usage};
}

// The text typed after "depth R " or "pedestal R ", as it stands.
std::string typedText(const std::string& line) {
    std::istringstream in(line);
    std::string verb, row;
    in >> verb >> row;
    std::string rest;
    std::getline(in, rest);
    size_t start = rest.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : rest.substr(start);
}

// A schedule row: a square row's number, or "R<n>" (resized footing n) or "C<k>" (combined
// footing k).
int scheduleRow(const std::string& w, char& kind) {
    kind = 0;
    if (w.size() > 1 && (w[0] == 'R' || w[0] == 'C')) {
        kind = w[0];
        return positiveIndex(w.substr(1), "the schedule row R");
    }
    return positiveIndex(w, "the schedule row R");
}

// The action a script line's first word names.
ActionKind verbOf(const std::string& verb) {
    static const std::map<std::string, ActionKind> verbs = {
        {"toggle-group", ActionKind::ToggleGroup},
        {"nudge-group", ActionKind::NudgeGroup},
        {"list-group", ActionKind::ListGroup},
        {"select", ActionKind::Select},
        {"wheel", ActionKind::Wheel},
        {"shift-delete", ActionKind::ShiftDelete},
        {"disable-mode", ActionKind::DisableMode},
        {"press", ActionKind::Press},
        {"details", ActionKind::Details},
        {"combine", ActionKind::Combine},
        {"offset", ActionKind::Offset},
        {"offsets-reset", ActionKind::OffsetsReset},
        {"refresh", ActionKind::Refresh},
        {"design", ActionKind::Design},
        {"depth", ActionKind::Depth},
        {"pedestal", ActionKind::Pedestal},
        {"dia", ActionKind::Dia},
        {"undo", ActionKind::Undo},
        {"redo", ActionKind::Redo}};
    auto it = verbs.find(verb);
    if (it == verbs.end()) throw Fail{"unknown action \"" + verb + "\""};
    return it->second;
}

// wheel F +1|-1
void readWheel(const std::vector<std::string>& w, Action& a) {
    expectCount(w, 3, "wheel F +1|-1");
    a.index = positiveIndex(w[1], "the footing F");
    if (w[2] == "+1" || w[2] == "1")
        a.direction = 1;
    else if (w[2] == "-1")
        a.direction = -1;
    else
        throw Fail{"the wheel step must be +1 or -1"};
}

// combine X1 Z1 X2 Z2 [ok|cancel]
void readCombine(const std::vector<std::string>& w, Action& a) {
    if (w.size() != 5 && w.size() != 6) throw Fail{"expected: combine X1 Z1 X2 Z2 [ok|cancel]"};
    a.x1 = planValue(w[1]);
    a.z1 = planValue(w[2]);
    a.x2 = planValue(w[3]);
    a.z2 = planValue(w[4]);
    if (w.size() == 6) {
        if (w[5] == "ok")
            a.ok = true;
        else if (w[5] == "cancel")
            a.ok = false;
        else
            throw Fail{"the answer must be ok or cancel"};
    }
}

// offset F home|left|right|up|down
void readOffset(const std::vector<std::string>& w, Action& a) {
    expectCount(w, 3, "offset F home|left|right|up|down");
    a.index = positiveIndex(w[1], "the footing F");
    static const std::map<std::string, OffsetKeyName> keys = {{"home", OffsetKeyName::Home},
                                                              {"left", OffsetKeyName::Left},
                                                              {"right", OffsetKeyName::Right},
                                                              {"up", OffsetKeyName::Up},
                                                              {"down", OffsetKeyName::Down}};
    auto k = keys.find(w[2]);
    if (k == keys.end()) throw Fail{"the key must be home, left, right, up or down"};
    a.key = k->second;
}

Action parseLine(const std::vector<std::string>& w, const std::string& line) {
    Action a;
    a.kind = verbOf(w[0]);
    switch (a.kind) {
    case ActionKind::ToggleGroup:
    case ActionKind::NudgeGroup:
    case ActionKind::ListGroup:
        expectCount(w, 2, (w[0] + " G").c_str());
        a.index = positiveIndex(w[1], "the group G");
        break;
    case ActionKind::Select:
    case ActionKind::ShiftDelete:
    case ActionKind::Press:
    case ActionKind::Details:
        expectCount(w, 2, (w[0] + " F").c_str());
        a.index = positiveIndex(w[1], "the footing F");
        break;
    case ActionKind::Wheel:
        readWheel(w, a);
        break;
    case ActionKind::DisableMode:
    case ActionKind::OffsetsReset:
    case ActionKind::Refresh:
    case ActionKind::Design:
    case ActionKind::Undo:
    case ActionKind::Redo:
        expectCount(w, 1, w[0].c_str());
        break;
    case ActionKind::Combine:
        readCombine(w, a);
        break;
    case ActionKind::Offset:
        readOffset(w, a);
        break;
    case ActionKind::Depth:
    case ActionKind::Pedestal:
        if (w.size() < 2) throw Fail{"expected: " + w[0] + " R TEXT"};
        a.index = scheduleRow(w[1], a.rowKind);
        a.text = typedText(line);
        break;
    case ActionKind::Dia:
        expectCount(w, 2, "dia R");
        a.index = scheduleRow(w[1], a.rowKind);
        break;
    }
    return a;
}

} // namespace

std::string describe(const Action& a) {
    return "line " + std::to_string(a.lineNo) + ": " + a.line;
}

std::vector<Action> parseActions(const std::string& script) {
    std::vector<Action> actions;
    // A byte order mark that an editor put at the start is no part of the first line.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const bool marked = script.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0;
    std::istringstream in(marked ? script.substr(kByteOrderMark.size()) : script);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        const auto w = words(line);
        if (w.empty()) continue; // only white space of other kinds
        try {
            Action a = parseLine(w, line);
            a.lineNo = lineNo;
            a.line = line;
            actions.push_back(a);
        } catch (const Fail& f) {
            throw ScriptError("line " + std::to_string(lineNo) + ": " + line + ": " + f.reason);
        }
    }
    return actions;
}

} // namespace ormevak::batch
