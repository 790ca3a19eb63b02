// Message boxes with the system's texts exactly; the title defaults to the program's name.
#include "ui/qt_prompts.h"

#include <QMessageBox>

#include "ui/ui_helpers.h"

namespace ormevak {

namespace {
QString titleOf(const std::string& title) {
    return title.empty() ? QStringLiteral("ORMEVAK") : qs(title);
}

// The box comes back to its owner's window when it closes, not to whichever window Qt picks.
int runBox(QMessageBox& box, QWidget* owner) {
    const int answer = box.exec();
    if (owner) {
        QWidget* window = owner->window();
        if (window->isVisible()) bringForward(window);
    }
    return answer;
}
} // namespace

void QtPrompts::inform(const std::string& text, const std::string& title, MessageIcon icon) {
    if (log_ && logWindow_ && parent_ == logWindow_ && icon != MessageIcon::Exclamation &&
        modal_ == 0) {
        log_(text);
        return;
    }
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                    titleOf(title), qs(text), QMessageBox::Ok, parent_);
    box.setObjectName("OrmevakMessage");
    runBox(box, parent_);
}

bool QtPrompts::confirm(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question, titleOf(title), qs(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box.setObjectName("OrmevakQuestion");
    return runBox(box, parent_) == QMessageBox::Ok;
}

void QtPrompts::setMessageLog(QWidget* window, std::function<void(const std::string&)> log) {
    logWindow_ = window;
    log_ = std::move(log);
}

ModalMessages::ModalMessages(Prompts& prompts) : prompts_(dynamic_cast<QtPrompts*>(&prompts)) {
    if (prompts_) prompts_->pushModal();
}

ModalMessages::~ModalMessages() {
    if (prompts_) prompts_->popModal();
}

MessageOwner::MessageOwner(Prompts& prompts, QWidget* window)
    : prompts_(dynamic_cast<QtPrompts*>(&prompts)) {
    if (!prompts_) return;
    previous_ = prompts_->parent();
    prompts_->setParent(window);
}

MessageOwner::~MessageOwner() {
    if (prompts_) prompts_->setParent(previous_);
}

} // namespace ormevak
