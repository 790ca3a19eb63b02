// SHA-256 of a byte string (FIPS 180-4): a project recognises an analysis file that changed since
// it was saved, and a report names exactly the analysis file it was made from.
#pragma once

#include <string>
#include <string_view>

namespace ormevak {

// The digest as 64 lower-case hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

} // namespace ormevak
