// How the core speaks to the user: the windows answer with message boxes, the batch tool with
// its action script and the JSON, the tests with a recorder.
#pragma once

#include <string>

namespace ormevak {

enum class MessageIcon { None, Exclamation };

class Prompts {
  public:
    virtual ~Prompts() = default;
    // A message box with an OK button; the work goes on after it.
    virtual void inform(const std::string& text, const std::string& title = {},
                        MessageIcon icon = MessageIcon::None) = 0;
    // A message box with OK and Cancel; true for OK.
    virtual bool confirm(const std::string& text, const std::string& title) = 0;
};

} // namespace ormevak
