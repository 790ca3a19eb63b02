// An export or print that cannot be made from the model as it stands (a footing without a size,
// a plan without grid lines); the message names the footing or the plan and says nothing was
// written.
#pragma once

#include <stdexcept>

namespace ormevak {

class OutputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

} // namespace ormevak
