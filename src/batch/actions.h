// The action script: one user action a line, replayed after the load pipeline.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace ormevak::batch {

enum class ActionKind {
    ToggleGroup,
    NudgeGroup,
    ListGroup,
    Select,
    Wheel,
    ShiftDelete,
    DisableMode,
    Press,
    Details,
    Combine,
    Offset,
    OffsetsReset,
    Refresh,
    Design,
    Depth,
    Pedestal,
    Dia,
    Undo,
    Redo
};

enum class OffsetKeyName { Home, Left, Right, Up, Down };

struct Action {
    ActionKind kind{};
    int lineNo = 0;
    std::string line;                      // the line as written, for error messages
    int index = 0;                         // F, G or R
    int direction = 0;                     // wheel: -1 or +1
    double x1 = 0, z1 = 0, x2 = 0, z2 = 0; // combine band corners, plan mm
    bool ok = true;                        // combine: the answer to the skew question
    OffsetKeyName key{};                   // offset
    std::string text;                      // depth, pedestal: what is typed
    char rowKind = 0; // depth, pedestal, dia: 0 a square row R, 'R' row R<n>, 'C' row C<k>
};

// A line that cannot be read; what() holds "line N: <line>: reason".
class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Every line checked before any work; a UTF-8 byte order mark at the start is skipped.
std::vector<Action> parseActions(const std::string& script);
std::string describe(const Action& a); // "line N: <line>"

} // namespace ormevak::batch
