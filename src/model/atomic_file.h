// The one way every output reaches the disk: whole or not at all.
#pragma once

#include <string>
#include <string_view>

namespace ormevak {

// Writes `content` to `path` through a temporary file created exclusively under a unique name in
// the target's folder, flushed, synced and renamed over the target; the temporary file is removed
// on every failure path. Throws FileError "Cannot write PATH: REASON" and leaves an existing file
// at `path` as it was.
void writeFileAtomically(const std::string& path, std::string_view content);

} // namespace ormevak
