// Replaying one action of an action script on a batch run's session.
#pragma once

#include "batch/actions.h"
#include "batch/session.h"

namespace ormevak::batch {

// Replays one action on the session; throws ScriptError for an index the model does not have.
// A value the arithmetic refuses (RangeError) ends only that action, with its message.
void applyAction(Session& s, const Action& a);

} // namespace ormevak::batch
