// Message boxes with the system's texts exactly; the title defaults to the program's name.
#include "ui/qt_prompts.h"

#include <QMessageBox>

namespace ormevak {

namespace {
QString titleOf(const std::string& title) {
    return title.empty() ? QStringLiteral("ORMEVAK") : QString::fromStdString(title);
}
} // namespace

void QtPrompts::inform(const std::string& text, const std::string& title, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                    titleOf(title), QString::fromStdString(text), QMessageBox::Ok, parent_);
    box.setObjectName("OrmevakMessage");
    box.exec();
}

bool QtPrompts::confirm(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question, titleOf(title), QString::fromStdString(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box.setObjectName("OrmevakQuestion");
    return box.exec() == QMessageBox::Ok;
}

} // namespace ormevak
