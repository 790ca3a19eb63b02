#include "ui/press_label.h"

#include <QMouseEvent>

namespace ormevak {

PressLabel::PressLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void PressLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit pressed(event->button(), event->modifiers());
}

void PressLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace ormevak
