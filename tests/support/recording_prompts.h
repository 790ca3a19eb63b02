// A Prompts that records every message and answers questions from a queue (OK when empty).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "model/prompts.h"

namespace ormevak::testing {

class RecordingPrompts : public Prompts {
  public:
    void inform(const std::string& text, const std::string& title = {},
                MessageIcon icon = MessageIcon::None) override {
        messages.push_back(text);
        titles.push_back(title);
        icons.push_back(icon);
    }
    bool confirm(const std::string& text, const std::string& title) override {
        bool ok = answers.empty() ? true : answers.front();
        if (!answers.empty()) answers.pop_front();
        messages.push_back(text + (ok ? " [OK]" : " [Cancel]"));
        titles.push_back(title);
        icons.push_back(MessageIcon::None);
        return ok;
    }
    std::vector<std::string> messages;
    std::vector<std::string> titles;
    std::vector<MessageIcon> icons;
    std::deque<bool> answers;
};

} // namespace ormevak::testing
