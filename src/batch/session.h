// One run of the batch tool: the model, the window state the actions need, and what is reported.
#pragma once

#include <string>
#include <vector>

#include "batch/actions.h"
#include "model/project.h"
#include "model/prompts.h"
#include "plan/history.h"
#include "plan/plan_state.h"

namespace ormevak::batch {

// Messages go to standard error as "message: " + text and into the JSON, in order.
class BatchPrompts : public Prompts {
  public:
    void inform(const std::string& text, const std::string& title = {},
                MessageIcon icon = MessageIcon::None) override;
    bool confirm(const std::string& text, const std::string& title) override;
    std::vector<std::string> messages;
    bool answer = true; // the answer of the action being replayed
};

struct Session {
    Project project;
    PlanState plan;
    BatchPrompts prompts;
    std::vector<std::string> details; // one JSON object per `details` action
    EditHistory history;              // the edits `undo` and `redo` act on
};

} // namespace ormevak::batch
