// The plan of footings on the main window (PicFoot): the one routine that paints the plan, and the
// widget with its footing labels, size box and rubber band.
#pragma once

#include <vector>

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPointF>
#include <QSizeF>
#include <QWidget>

#include "model/project.h"
#include "model/prompts.h"
#include "plan/history.h"
#include "plan/interaction.h"
#include "plan/plan_labels.h"
#include "plan/plan_state.h"
#include "ui/plan_viewport.h"
#include "ui/press_label.h"
#include "ui/ui_helpers.h"

class QPainter;

namespace ormevak {

// The rubber band's colour on the plan.
QColor bandColour();

// Paints what drawFoot draws: outlines of footings not combined, combined outlines, the grid lines
// when asked for, and the rubber band, dashed. Labels are widgets and are not painted here.
void paintPlan(QPainter& painter, const Project& project, const PlanState& state,
               const PlanViewport& viewport, bool gridLines);

// Outlines every footing with a failing check over the plan: red for an error, orange for a
// warning (severity by footing, from footingSeverity). Screen only: the printed plan has none.
void paintCheckOutlines(QPainter& painter, const Project& project,
                        const std::vector<char>& severity, const PlanViewport& viewport);

// PicFoot: the plan. Presses on footing labels, wheel turns over the size box, Escape and
// Shift + Delete, and the rubber band are turned into the core's plan operations here.
class PlanView : public QWidget {
    Q_OBJECT
  public:
    PlanView(Project& project, PlanState& state, Prompts& prompts, QWidget* parent = nullptr);

    // loadFoot's window part: fixes the plan window for the area's present shape and creates
    // one label per footing just up and left of its support.
    void loadFoot();
    // Label texts and drawn rectangles from the model, then a repaint.
    void drawFoot();
    // The outlines again after the column node window moved footings; labels keep their texts.
    void redrawOutlines();

    void setGridLines(bool on);
    // The severity of each footing's checks, outlined over the plan (footingSeverity).
    void setCheckSeverity(std::vector<char> severity);
    // A left press on footing i's label outside disable mode (the Checks panel's pick).
    void pressFooting(int i);
    // While a group's member list is open only its labels stay visible (1..FootingCount).
    void showOnlyLabels(const std::vector<char>& visible);
    void showAllLabels();

    // Edits made on the plan are recorded here (none when not set).
    void setHistory(EditHistory* history) { history_ = history; }
    // After the model was put back by an undo or redo: no size box, everything drawn again.
    void modelReplaced();

    // The view: Ctrl + wheel zooms about the pointer, middle or Space + left drag pans.
    void zoomAbout(QPointF pixels, double factor);
    void zoomBy(double factor); // about the middle of the plan
    void panBy(QPointF pixels);
    void fitPlan();

    // The tooltip of footing i's label.
    QString labelToolTip(int i) const;

    const PlanViewport& viewport() const { return viewport_; }
    QLabel* footingLabel(int i) const;
    QLineEdit* sizeBox() const { return txtWheel_; }
    QLabel* sizeLabel() const { return labLbd_; }

  signals:
    // The model changed in a way the group controls show (captions, counts).
    void modelChanged();
    // The plan was drawn again after a change: the checks follow.
    void planDrawn();
    // A right press on a label asked for a detail window.
    void detailsRequested(const ormevak::PressResult& result);
    // The pointer is over plan point (x, z) mm, above footing `footing` (0: none).
    void pointerMoved(QPointF plan, int footing);
    // The zoom or pan changed.
    void viewChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void labelPressed(int i, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    bool planKey(QKeyEvent* event);
    void wheelOverSizeBox(int rotation);
    void sizeBoxFocusLost();
    void syncSizeBox();
    void placeWidgets();
    double textHeightInPlan(const QString& text) const;
    void reportPointer(QPointF pixels);
    bool moveSelection(int key);

    Project& project_;
    PlanState& state_;
    Prompts& prompts_;
    PlanViewport viewport_;
    bool loaded_ = false;
    bool gridLines_ = false;
    std::vector<char> checkSeverity_;
    std::vector<PressLabel*> labels_{nullptr};     // element i is footing i's label
    std::vector<QPointF> labelCorners_{QPointF{}}; // their supports in plan mm
    double labelOffset_ = 0; // pixels up and left of the support: the width of "9"
    EditHistory* history_ = nullptr;
    bool spaceHeld_ = false;
    bool panning_ = false;
    QPointF panFrom_;
    QLineEdit* txtWheel_ = nullptr;
    QLabel* labLbd_ = nullptr;
    int sizeBoxFooting_ = 0;
    QPointF sizeLabelCorner_; // plan mm
    bool hidingSizeBox_ = false;
};

} // namespace ormevak
