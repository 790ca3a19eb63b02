// The press label of the plan and the group controls.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

namespace ormevak {

// A label that reports presses and clicks (footing labels, group side and count labels).
class PressLabel : public QLabel {
    Q_OBJECT
  public:
    explicit PressLabel(const QString& text, QWidget* parent = nullptr);
  signals:
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace ormevak
