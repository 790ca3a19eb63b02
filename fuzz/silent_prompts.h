// Prompts that answer OK and show nothing, for the fuzz harnesses.
#pragma once

#include "model/prompts.h"

namespace ormevak::fuzz {
class SilentPrompts : public Prompts {
  public:
    void inform(const std::string&, const std::string& = {},
                MessageIcon = MessageIcon::None) override {}
    bool confirm(const std::string&, const std::string&) override { return true; }
};
} // namespace ormevak::fuzz
