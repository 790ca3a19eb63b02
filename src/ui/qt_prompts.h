// The core's messages as modal message boxes, each owned by the window whose action raised it.
#pragma once

#include <functional>

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

    // Informative messages raised while `window` owns the messages go to `log` instead of a box:
    // the main window's message list. Questions, and refusals of the user's own action (the
    // ones with the exclamation icon), still open their boxes.
    void setMessageLog(QWidget* window, std::function<void(const std::string&)> log);
    // Inside a ModalMessages scope every message opens its box: answers the user asked for.
    void pushModal() { ++modal_; }
    void popModal() { --modal_; }

  private:
    QPointer<QWidget> parent_;
    QPointer<QWidget> logWindow_;
    std::function<void(const std::string&)> log_;
    int modal_ = 0;
};

// Messages of this scope open their boxes even where the main window would list them (a group's
// member list, which shows while only its labels stand on the plan).
class ModalMessages {
  public:
    explicit ModalMessages(Prompts& prompts);
    ~ModalMessages();
    ModalMessages(const ModalMessages&) = delete;
    ModalMessages& operator=(const ModalMessages&) = delete;

  private:
    QtPrompts* prompts_;
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
