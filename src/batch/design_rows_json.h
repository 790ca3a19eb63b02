// The JSON of the resized (R) and combined (C) schedule rows.
#pragma once

#include "batch/json_writer.h"
#include "model/project.h"

namespace ormevak::batch {

// Writes the keys "rectRows" and "combinedRows" with their arrays (empty when none).
void writeDesignedRowsJson(JsonWriter& w, const Project& p);

} // namespace ormevak::batch
