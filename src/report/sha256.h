// SHA-256 of a byte string (FIPS 180-4), so that a report names exactly the analysis file it was
// made from.
#pragma once

#include <string>
#include <string_view>

namespace ormevak {

// The 64 lower-case hexadecimal digits of the SHA-256 digest of `bytes`.
std::string sha256Hex(std::string_view bytes);

} // namespace ormevak
