// The core's messages as modal message boxes, each owned by the window whose action raised it.
#pragma once

#include <QPointer>
#include <QWidget>

#include "model/prompts.h"

namespace ormevak {

class QtPrompts : public Prompts {
  public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    // The window that owns the boxes from now on.
    void setParent(QWidget* parent) { parent_ = parent; }
    QWidget* parent() const { return parent_; }
    void inform(const std::string& text, const std::string& title = {},
                MessageIcon icon = MessageIcon::None) override;
    bool confirm(const std::string& text, const std::string& title) override;

  private:
    QPointer<QWidget> parent_;
};

// The window whose action raises the messages of this scope. Their boxes open over it and, once
// closed, leave it in front instead of pulling the main window over it. Prompts other than
// QtPrompts (the tests' recorders) are left as they are.
class MessageOwner {
  public:
    MessageOwner(Prompts& prompts, QWidget* window);
    ~MessageOwner();
    MessageOwner(const MessageOwner&) = delete;
    MessageOwner& operator=(const MessageOwner&) = delete;

  private:
    QtPrompts* prompts_;
    QPointer<QWidget> previous_;
};

} // namespace ormevak
