// SHA-256 of a byte string, to recognise an analysis file that changed since a project was saved.
#pragma once

#include <string>
#include <string_view>

namespace ormevak {

// The digest as 64 lower-case hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

} // namespace ormevak
