// The column node window: one level's beams, a label per support, and the keys that shift the
// picked support's column off its joint.
#pragma once

#include <QLabel>
#include <QWidget>
#include <vector>

#include "model/project.h"
#include "plan/history.h"
#include "plan/plan_labels.h"
#include "ui/plan_viewport.h"

namespace ormevak {

class FrmCol : public QWidget {
    Q_OBJECT
  public:
    // Builds the labels from the model; the caller shows the window. Closing it (Escape or the
    // window's own close) clears the pick and emits closed(); the caller may then discard it.
    explicit FrmCol(Project& project, QWidget* parent = nullptr);

    int currentLevel() const { return level_; }
    // The offset keys and their reset are recorded here (none when not set).
    void setHistory(EditHistory* history) { history_ = history; }
    // After an undo or redo put the model back: the labels stand where the offsets now say.
    void modelReplaced();
    // The plan range the picture shows, in plan mm.
    PlanWindow planWindow() const;

  signals:
    void closed();
    // An offset key or the reset moved footings (an edit was made).
    void edited();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class ColumnPicture;
    void pick(int i);
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    void placeLabel(int i);
    void placeAllLabels();
    void drawLevelBeams(QPainter& painter) const;
    void setPicked(QLabel* label, bool picked);
    // The plan window on the picture as it now stands.
    PlanViewport viewport() const;

    Project& project_;
    QWidget* picCol_;
    std::vector<QLabel*> labNode_{nullptr}; // element i for footing i
    int level_ = 2;
    EditHistory* history_ = nullptr;
};

} // namespace ormevak
