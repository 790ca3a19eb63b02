// The result object a batch run writes: the model after the actions, the messages, the details.
#pragma once

#include <string>

#include "batch/session.h"

namespace ormevak::batch {

// Writes the result object.
std::string resultJson(const Session& s);

} // namespace ormevak::batch
