// The plan of footings: mapping, painting, labels, the size box and the rubber band.
#include "ui/plan_view.h"

#include <algorithm>
#include <cmath>

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "model/numbers.h"
#include "plan/plan_readout.h"

namespace ormevak {

namespace {

// A label text holds a carriage return between its two lines (length over width).
QString labelDisplay(const std::string& text) {
    QString out = qs(text);
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

int footingRows(const Project& p) {
    return std::max(0, p.lastFooting());
}

QFont planFont() {
    return designFont(8.25);
}

Button buttonOf(Qt::MouseButton button) {
    if (button == Qt::LeftButton) return Button::Left;
    if (button == Qt::RightButton) return Button::Right;
    return Button::Middle;
}

} // namespace

// ---- paintPlan ----

QColor bandColour() {
    return {0, 102, 204};
}

void paintPlan(QPainter& painter, const Project& project, const PlanState& state,
               const PlanViewport& viewport, bool gridLines) {
    painter.save();
    painter.fillRect(painter.window(), Qt::white);
    auto rectOf = [&](double x1, double z1, double x2, double z2) {
        return QRectF(viewport.toPixels(x1, z1), viewport.toPixels(x2, z2)).normalized();
    };

    if (gridLines) {
        // Across the plan window, 500 mm short of its edges.
        const PlanWindow& w = viewport.window();
        constexpr double margin = 500;
        painter.setPen(QPen(QColor(140, 140, 140), 0, Qt::DashDotLine));
        const auto nz =
            static_cast<size_t>(std::max(0, project.gridZ.empty() ? 0 : project.gridZ[0]));
        for (size_t j = 1; j <= nz && j < project.gridZ.size(); ++j)
            painter.drawLine(viewport.toPixels(w.left + margin, project.gridZ[j]),
                             viewport.toPixels(w.right - margin, project.gridZ[j]));
        const auto nx =
            static_cast<size_t>(std::max(0, project.gridX.empty() ? 0 : project.gridX[0]));
        for (size_t j = 1; j <= nx && j < project.gridX.size(); ++j)
            painter.drawLine(viewport.toPixels(project.gridX[j], w.top + margin),
                             viewport.toPixels(project.gridX[j], w.bottom - margin));
    }

    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    const int n = footingRows(project);
    const QPen solid = painter.pen();
    QPen dashed = solid;
    dashed.setStyle(Qt::DashLine);
    for (int i = 1; i <= n; ++i) {
        const FootingRecord& f = project.footings[i];
        if (f.isCombined()) continue; // drawn as part of its combined footing
        if (f.isDisabled()) {
            // Not built: only the column's place, dashed.
            const ColumnOutline c = columnOutline(project, i);
            painter.setPen(dashed);
            painter.drawRect(rectOf(f.x - c.halfX, f.z - c.halfZ, f.x + c.halfX, f.z + c.halfZ));
            painter.setPen(solid);
            continue;
        }
        painter.drawRect(rectOf(f.drawX1, f.drawZ1, f.drawX2, f.drawZ2));
    }
    const int nc = project.lastCombined();
    for (int k = 1; k <= nc; ++k) {
        const CombinedRecord& c = project.combinedFootings[k];
        painter.drawRect(rectOf(c.xMin, c.zMin, c.xMax, c.zMax));
    }

    if (state.bandX1 != state.bandX2 || state.bandY1 != state.bandY2) {
        // Dashed and in the selection colour, so the band never reads as a footing outline.
        painter.setPen(QPen(bandColour(), 0, Qt::DashLine));
        painter.drawRect(rectOf(state.bandX1, state.bandY1, state.bandX2, state.bandY2));
    }
    painter.restore();
}

void paintCheckOutlines(QPainter& painter, const Project& project,
                        const std::vector<char>& severity, const PlanViewport& viewport) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    auto rectOf = [&](double x1, double z1, double x2, double z2) {
        return QRectF(viewport.toPixels(x1, z1), viewport.toPixels(x2, z2)).normalized();
    };
    const int n = std::min(footingRows(project), static_cast<int>(severity.size()) - 1);
    for (int i = 1; i <= n; ++i) {
        const char level = severity[static_cast<size_t>(i)];
        if (level == 0) continue;
        painter.setPen(QPen(level == 2 ? QColor(220, 0, 0) : QColor(255, 140, 0), 2));
        const FootingRecord& f = project.footings[i];
        if (f.isCombined() &&
            f.combinedIndex() < static_cast<int>(project.combinedFootings.size())) {
            const CombinedRecord& c =
                project.combinedFootings[static_cast<size_t>(f.combinedIndex())];
            painter.drawRect(rectOf(c.xMin, c.zMin, c.xMax, c.zMax));
        } else if (!f.isDisabled()) {
            painter.drawRect(rectOf(f.drawX1, f.drawZ1, f.drawX2, f.drawZ2));
        }
    }
    painter.restore();
}

// ---- PlanView ----

PlanView::PlanView(Project& project, PlanState& state, Prompts& prompts, QWidget* parent)
    : QWidget(parent), project_(project), state_(state), prompts_(prompts) {
    setObjectName(QStringLiteral("PicFoot"));
    setAccessibleName(QStringLiteral("Footing plan"));
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    setToolTip(QStringLiteral(
        "The plan. Left press on a footing number: select it (the yellow box); wheel over the "
        "yellow box: resize it; Shift + Delete: a resized footing back to its group, or delete a "
        "combined footing; right press: details. Drag a band round two columns for Combine. "
        "Ctrl + wheel: zoom; middle drag or Space + drag: pan; Home: fit; arrow keys: next "
        "footing; Escape: hide the box."));
    setFont(planFont());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    txtWheel_ = new QLineEdit(QStringLiteral("00"), this);
    txtWheel_->setObjectName(QStringLiteral("TxtWheel"));
    txtWheel_->setAccessibleName(QStringLiteral("Selected footing: turn the wheel to resize"));
    // It shows the selected joint; typing into it would only garble that.
    txtWheel_->setReadOnly(true);
    txtWheel_->setAlignment(Qt::AlignCenter);
    txtWheel_->setFrame(false);
    QFont boxFont = planFont();
    boxFont.setBold(true);
    txtWheel_->setFont(boxFont);
    txtWheel_->setStyleSheet(
        QStringLiteral("QLineEdit { background: #ffe680; border: 1px solid #805f00; }"));
    txtWheel_->hide();
    txtWheel_->installEventFilter(this);
    txtWheel_->setToolTip(QStringLiteral(
        "Turn the wheel here to resize the selected footing, 50 mm a notch; Shift + Delete puts "
        "a resized footing back in its group"));

    labLbd_ = makeLabel(this, "LabLBD", QStringLiteral("LBD"));
    labLbd_->setStyleSheet(QStringLiteral("QLabel { background: #fff6c8; color: #000000; }"));
    labLbd_->hide();
}

void PlanView::loadFoot() {
    for (size_t i = 1; i < labels_.size(); ++i) delete labels_[i];
    labels_.assign(1, nullptr);
    labelCorners_.assign(1, QPointF{});

    const double aspect = width() > 0 ? static_cast<double>(height()) / width() : 0.0;
    viewport_ = PlanViewport(planWindow(project_, aspect), QSizeF(size()));
    const QFont font = planFont();
    // The label's corner sits just up and left of its support by the width of "9", whatever
    // the zoom.
    labelOffset_ = QFontMetricsF(font).horizontalAdvance(QLatin1Char('9'));
    const int n = footingRows(project_);
    for (int i = 1; i <= n; ++i) {
        const FootingRecord& f = project_.footings[i];
        auto* label = new PressLabel(QString(), this);
        label->setObjectName(QStringLiteral("LabDis_%1").arg(i));
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("QLabel { color: #0000a0; background: transparent; }"));
        connect(label, &PressLabel::pressed, this,
                [this, i](Qt::MouseButton b, Qt::KeyboardModifiers m) { labelPressed(i, b, m); });
        label->setMouseTracking(true);
        label->installEventFilter(this);
        labels_.push_back(label);
        labelCorners_.emplace_back(f.x, f.z);
        label->show();
    }
    if (static_cast<int>(state_.labels.size()) < n + 1)
        state_.labels.resize(static_cast<size_t>(n) + 1);
    txtWheel_->raise();
    labLbd_->raise();
    loaded_ = true;
    placeWidgets();
}

void PlanView::drawFoot() {
    updatePlan(project_, state_);
    for (size_t i = 1; i < labels_.size(); ++i) {
        const std::string text = i < state_.labels.size() ? state_.labels[i] : std::string{};
        labels_[i]->setText(labelDisplay(text));
        labels_[i]->adjustSize();
        labels_[i]->setToolTip(labelToolTip(static_cast<int>(i)));
    }
    update();
    emit planDrawn();
}

void PlanView::redrawOutlines() {
    storeDrawnRects(project_);
    update();
    emit planDrawn();
}

QString PlanView::labelToolTip(int i) const {
    const FootingReadout r = footingReadout(project_, i);
    if (r.footing == 0) return {};
    QString tip = QStringLiteral("Footing %1  %2\n%3 x %4 m")
                      .arg(qs(formatInt(r.jointNo)), qs(r.mark), qs(formatNumber(r.lenL)),
                           qs(formatNumber(r.widB)));
    if (r.governingCase != 0)
        tip += QStringLiteral("\nWorst corner pressure %1 of %2 kN/m2, load case %3")
                   .arg(qs(formatNumber(static_cast<float>(roundTo(r.worstPressure, 1)))),
                        qs(formatNumber(r.allowable)), qs(formatInt(r.governingCase)));
    tip += QStringLiteral("\nLeft press: select (wheel over the yellow box resizes; Shift + "
                          "Delete returns it to its group)\nRight press: details");
    return tip;
}

void PlanView::modelReplaced() {
    hideSizeBox(state_);
    syncSizeBox();
    drawFoot();
    emit modelChanged();
}

void PlanView::zoomAbout(QPointF pixels, double factor) {
    viewport_.zoomAbout(pixels, factor);
    placeWidgets();
    update();
    emit viewChanged();
}

void PlanView::zoomBy(double factor) {
    zoomAbout(QPointF(width() / 2.0, height() / 2.0), factor);
}

void PlanView::panBy(QPointF pixels) {
    viewport_.panBy(pixels);
    placeWidgets();
    update();
    emit viewChanged();
}

void PlanView::fitPlan() {
    // The whole plan, with its margins, fitted afresh to the area as it is now.
    const double aspect = width() > 0 ? static_cast<double>(height()) / width() : 0.0;
    viewport_ = PlanViewport(planWindow(project_, aspect), QSizeF(size()));
    placeWidgets();
    update();
    emit viewChanged();
}

void PlanView::setGridLines(bool on) {
    gridLines_ = on;
}

void PlanView::setCheckSeverity(std::vector<char> severity) {
    checkSeverity_ = std::move(severity);
    update();
}

void PlanView::pressFooting(int i) {
    if (state_.disableMode || footingLabel(i) == nullptr) return; // a press would disable it
    labelPressed(i, Qt::LeftButton, Qt::NoModifier);
}

void PlanView::showOnlyLabels(const std::vector<char>& visible) {
    for (size_t i = 1; i < labels_.size(); ++i)
        labels_[i]->setVisible(i < visible.size() && visible[i] != 0);
}

void PlanView::showAllLabels() {
    for (size_t i = 1; i < labels_.size(); ++i) labels_[i]->setVisible(true);
}

QLabel* PlanView::footingLabel(int i) const {
    return i >= 1 && i < static_cast<int>(labels_.size()) ? labels_[static_cast<size_t>(i)]
                                                          : nullptr;
}

void PlanView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintPlan(painter, project_, state_, viewport_, gridLines_);
    paintCheckOutlines(painter, project_, checkSeverity_, viewport_);
}

void PlanView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!loaded_) return;
    if (viewport_.fitted()) {
        // A view the engineer has not zoomed or panned keeps showing the whole plan.
        const double aspect = width() > 0 ? static_cast<double>(height()) / width() : 0.0;
        viewport_ = PlanViewport(planWindow(project_, aspect), QSizeF(size()));
    } else {
        // A zoomed view keeps its plan window; only its mapping onto the new area changes.
        viewport_ = viewport_.resized(QSizeF(size()));
    }
    placeWidgets();
}

void PlanView::placeWidgets() {
    const QPointF offset(labelOffset_, labelOffset_);
    for (size_t i = 1; i < labels_.size(); ++i)
        labels_[i]->move(
            (viewport_.toPixels(labelCorners_[i].x(), labelCorners_[i].y()) - offset).toPoint());
    const int box = twipsToPixels(200, logicalDpiX());
    txtWheel_->resize(
        std::max(box, txtWheel_->fontMetrics().horizontalAdvance(txtWheel_->text()) + 4),
        std::max(box, txtWheel_->fontMetrics().height() + 2));
    if (QLabel* label = footingLabel(sizeBoxFooting_)) txtWheel_->move(label->pos());
    labLbd_->adjustSize();
    // Near an edge of the plan the label's place would lie outside the drawing area: it is
    // kept just inside, where it can be read.
    const QPoint corner = viewport_.toPixels(sizeLabelCorner_.x(), sizeLabelCorner_.y()).toPoint();
    labLbd_->move(std::clamp(corner.x(), 0, std::max(0, width() - labLbd_->width())),
                  std::clamp(corner.y(), 0, std::max(0, height() - labLbd_->height())));
}

double PlanView::textHeightInPlan(const QString& text) const {
    return viewport_.lengthToPlan(QFontMetricsF(font()).boundingRect(text).height());
}

void PlanView::labelPressed(int i, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    PressResult result;
    auto press = [&] {
        result = pressLabel(project_, prompts_, state_, i, buttonOf(button),
                            modifiers.testFlag(Qt::ShiftModifier));
    };
    // In disable mode a press disables or enables the footing: an edit.
    if (history_ && state_.disableMode)
        recordEdit(*history_, project_, edit_name::disablePress(project_, i), press);
    else
        press();
    switch (result.kind) {
    case PressResult::Kind::DisableToggled:
        drawFoot();
        emit modelChanged();
        break;
    case PressResult::Kind::Details:
    case PressResult::Kind::CombinedDetails:
        emit detailsRequested(result);
        break;
    case PressResult::Kind::Selected: {
        const FootingRecord& f = project_.footings[i];
        sizeBoxFooting_ = i;
        txtWheel_->setText(qs(formatInt(f.jointNo)));
        labLbd_->setText(qs(project_.sizeLabelCaption));
        // 600 mm above the label, or below it where that would be negative.
        const double corner =
            labelCorners_[static_cast<size_t>(i)].y() - viewport_.lengthToPlan(labelOffset_);
        double top = corner - 600;
        if (top < 0) top = corner + 600;
        sizeLabelCorner_ = QPointF(f.drawX1, top);
        syncSizeBox();
        // The keys reach the plan (or the size box, when the user clicked into it).
        if (!hasFocus() && !txtWheel_->hasFocus()) setFocus(Qt::OtherFocusReason);
        break;
    }
    case PressResult::Kind::None:
        break;
    }
}

void PlanView::syncSizeBox() {
    const bool visible = state_.sizeBoxVisible;
    hidingSizeBox_ = true;
    if (!visible && txtWheel_->hasFocus()) setFocus(Qt::OtherFocusReason);
    txtWheel_->setVisible(visible);
    labLbd_->setVisible(visible);
    hidingSizeBox_ = false;
    placeWidgets();
}

bool PlanView::planKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Escape) {
        hideSizeBox(state_);
        syncSizeBox();
        // The rubber band goes too, unless it is being dragged.
        if (!state_.dragging) {
            state_.bandX1 = state_.bandX2;
            state_.bandY1 = state_.bandY2;
            update();
        }
        return true;
    }
    if (mods == Qt::NoModifier && moveSelection(event->key())) return true;
    if (event->key() == Qt::Key_Home && mods == Qt::NoModifier) {
        fitPlan();
        return true;
    }
    if (event->key() == Qt::Key_Delete && mods == Qt::ShiftModifier) {
        const int s = project_.currentFooting;
        if (history_ && !state_.dragging)
            recordEdit(*history_, project_, edit_name::shiftDelete(project_, s),
                       [&] { shiftDelete(project_, prompts_, state_); });
        else
            shiftDelete(project_, prompts_, state_);
        syncSizeBox();
        drawFoot();
        emit modelChanged();
        return true;
    }
    return false;
}

bool PlanView::moveSelection(int key) {
    int dx = 0, dz = 0;
    switch (key) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dz = -1;
        break;
    case Qt::Key_Down:
        dz = 1;
        break;
    default:
        return false;
    }
    const int from = state_.sizeBoxVisible ? sizeBoxFooting_ : project_.currentFooting;
    const int next = neighbourFooting(project_, from, dx, dz);
    if (next > 0 && !state_.disableMode) labelPressed(next, Qt::LeftButton, Qt::NoModifier);
    return true;
}

void PlanView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        spaceHeld_ = true;
        setCursor(Qt::OpenHandCursor);
        return;
    }
    if (!planKey(event)) QWidget::keyPressEvent(event);
}

void PlanView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        spaceHeld_ = false;
        if (!panning_) unsetCursor();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void PlanView::wheelEvent(QWheelEvent* event) {
    // Ctrl + wheel zooms about the pointer; the plain wheel resizes only over the size box.
    const int delta = event->angleDelta().y();
    if (!(event->modifiers() & Qt::ControlModifier) || delta == 0) {
        event->ignore();
        return;
    }
    zoomAbout(event->position(), std::pow(1.25, delta / 120.0));
    reportPointer(event->position());
    event->accept();
}

void PlanView::reportPointer(QPointF pixels) {
    const QPointF at = viewport_.toPlan(pixels);
    emit pointerMoved(at, footingAt(project_, at.x(), at.y()));
}

void PlanView::wheelOverSizeBox(int rotation) {
    if (!state_.sizeBoxVisible) return;
    bool stepped = false;
    const int s0 = project_.currentFooting;
    if (history_)
        recordEdit(*history_, project_, edit_name::resize(project_, s0),
                   [&] { stepped = wheelStep(project_, prompts_, rotation); });
    else
        stepped = wheelStep(project_, prompts_, rotation);
    if (!stepped) return;
    drawFoot();
    const int s = project_.currentFooting;
    if (s >= 1 && s <= footingRows(project_) && !project_.footings[s].isCombined()) {
        // The size label stands on the resized rectangle's top edge.
        const FootingRecord& f = project_.footings[s];
        sizeLabelCorner_ = QPointF(f.drawX1, f.drawZ1 - textHeightInPlan(QStringLiteral("H")));
    }
    labLbd_->setText(qs(project_.sizeLabelCaption));
    placeWidgets();
    emit modelChanged();
}

void PlanView::sizeBoxFocusLost() {
    sizeBoxLostFocus(project_, state_);
    syncSizeBox();
}

bool PlanView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != txtWheel_) {
        // The pointer over a footing label still reports where it is on the plan.
        if (event->type() == QEvent::MouseMove && watched->parent() == this) {
            auto* w = static_cast<QWidget*>(watched);
            reportPointer(w->mapToParent(static_cast<QMouseEvent*>(event)->position()));
        }
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            // Zoom, as anywhere on the plan.
            if (wheel->angleDelta().y() != 0)
                zoomAbout(txtWheel_->mapToParent(wheel->position()),
                          std::pow(1.25, wheel->angleDelta().y() / 120.0));
            return true;
        }
        // One step per wheel event, whatever its size; events without rotation only report
        // the phase of a touchpad gesture.
        const QPoint delta = wheel->angleDelta();
        const int rotation = delta.y() != 0 ? delta.y() : delta.x();
        if (rotation != 0) wheelOverSizeBox(rotation);
        return true;
    }
    case QEvent::KeyPress:
        return planKey(static_cast<QKeyEvent*>(event));
    case QEvent::FocusOut: {
        // Another window coming to the front (a message box) does not end the selection.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (!hidingSizeBox_ && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::PopupFocusReason)
            sizeBoxFocusLost();
        return false;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void PlanView::mousePressEvent(QMouseEvent* event) {
    // The middle button, or the left with Space held, pans the view.
    if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && spaceHeld_)) {
        panning_ = true;
        panFrom_ = event->position();
        setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    // Any other button starts a new band at the pointer.
    const QPointF at = viewport_.toPlan(event->position());
    state_.dragging = true;
    state_.bandX1 = state_.bandX2 = static_cast<float>(at.x());
    state_.bandY1 = state_.bandY2 = static_cast<float>(at.y());
    update();
    event->accept();
}

void PlanView::mouseMoveEvent(QMouseEvent* event) {
    reportPointer(event->position());
    if (panning_) {
        panBy(event->position() - panFrom_);
        panFrom_ = event->position();
        return;
    }
    if (!state_.dragging) return;
    const QPointF at = viewport_.toPlan(event->position());
    state_.bandX2 = static_cast<float>(at.x());
    state_.bandY2 = static_cast<float>(at.y());
    update();
}

void PlanView::mouseReleaseEvent(QMouseEvent* event) {
    if (panning_) {
        panning_ = false;
        if (spaceHeld_)
            setCursor(Qt::OpenHandCursor);
        else
            unsetCursor();
        return;
    }
    if (!state_.dragging) return;
    const QPointF at = viewport_.toPlan(event->position());
    state_.dragging = false;
    state_.bandX2 = static_cast<float>(at.x());
    state_.bandY2 = static_cast<float>(at.y());
    update();
}

} // namespace ormevak
