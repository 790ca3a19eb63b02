// Errors that reach the user as a message: bad input, a table that would overflow, failed I/O.
#pragma once

#include <stdexcept>
#include <string>

namespace ormevak {

// Data that does not fit a table of the model; the message names the table and its limit.
class CapacityError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be read or written; the message names the file and the reason.
class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

} // namespace ormevak
