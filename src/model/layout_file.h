// The layout file beside the analysis file: the column offsets of every footing.
#pragma once

#include <string>

#include "model/project.h"

namespace ormevak {

// The analysis path with its ".ANL" extension (any case) replaced by ".SCR"; a path without that
// extension gets ".SCR" appended, so the layout file can never replace the analysis file.
std::string layoutPath(const std::string& analysisPath);

// Writes both lines whole or not at all (temporary file, then rename). Throws FileError
// "Cannot write PATH: REASON"; a special file at the path is refused, never replaced.
void saveLayout(const Project& p);

enum class LayoutLoad { Absent, Restored, Ignored };

// Restores offX and offZ only (the centres stay where they are). A file whose first line holds
// another number of values than there are footings, or values that are not offsets, is ignored,
// as is anything at that name that is not a regular file.
LayoutLoad loadLayout(Project& p);

// loadLayout on the file's content.
LayoutLoad loadLayoutText(Project& p, const std::string& text);

// The two lines (with their CR LF ends) that saveLayout writes.
std::string layoutText(const Project& p);

} // namespace ormevak
