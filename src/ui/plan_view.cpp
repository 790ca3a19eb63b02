// The plan of footings: mapping, painting, labels, the size box and the rubber band.
#include "ui/plan_view.h"

#include <algorithm>

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "model/numbers.h"

namespace ormevak {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// A label text holds a carriage return between its two lines (length over width).
QString labelDisplay(const std::string& text) {
    QString out = qs(text);
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

int footingRows(const Project& p) {
    return std::max(0, std::min(p.footingCount, static_cast<int>(p.footings.size()) - 1));
}

QFont planFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    return font;
}

Button buttonOf(Qt::MouseButton button) {
    if (button == Qt::LeftButton) return Button::Left;
    if (button == Qt::RightButton) return Button::Right;
    return Button::Middle;
}

} // namespace

int twipsToPixels(double twips, double logicalDpi) {
    return toInt32(twips * logicalDpi / 1440.0, "pixels");
}

double pixelsToTwips(double pixels, double logicalDpi) {
    return logicalDpi > 0 ? pixels * 1440.0 / logicalDpi : 0.0;
}

// ---- PlanViewport ----

PlanViewport::PlanViewport(const PlanWindow& window, QSizeF area) : window_(window) {
    const double w = window.right - window.left;
    const double h = window.bottom - window.top;
    if (!(w > 0) || !(h > 0) || !(area.width() > 0) || !(area.height() > 0)) return;
    scale_ = std::min(area.width() / w, area.height() / h);
    offsetX_ = (area.width() - w * scale_) / 2;
    offsetY_ = (area.height() - h * scale_) / 2;
}

QPointF PlanViewport::toPixels(double x, double z) const {
    return {offsetX_ + (x - window_.left) * scale_, offsetY_ + (z - window_.top) * scale_};
}

QPointF PlanViewport::toPlan(QPointF pixels) const {
    if (!(scale_ > 0)) return {window_.left, window_.top};
    return {window_.left + (pixels.x() - offsetX_) / scale_,
            window_.top + (pixels.y() - offsetY_) / scale_};
}

double PlanViewport::lengthToPlan(double pixels) const {
    return scale_ > 0 ? pixels / scale_ : 0.0;
}

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
        if (f.state >= 1) continue; // drawn as part of its combined footing
        if (f.state == -100) {
            // Not built: only the column's place, dashed.
            const ColumnOutline c = columnOutline(project, i);
            painter.setPen(dashed);
            painter.drawRect(rectOf(f.x - c.halfX, f.z - c.halfZ, f.x + c.halfX, f.z + c.halfZ));
            painter.setPen(solid);
            continue;
        }
        painter.drawRect(rectOf(f.drawX1, f.drawZ1, f.drawX2, f.drawZ2));
    }
    const int nc =
        std::min(project.combinedCount, static_cast<int>(project.combinedFootings.size()) - 1);
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
        if (f.state >= 1 && f.state < static_cast<int>(project.combinedFootings.size())) {
            const CombinedRecord& c = project.combinedFootings[static_cast<size_t>(f.state)];
            painter.drawRect(rectOf(c.xMin, c.zMin, c.xMax, c.zMax));
        } else if (f.state != -100) {
            painter.drawRect(rectOf(f.drawX1, f.drawZ1, f.drawX2, f.drawZ2));
        }
    }
    painter.restore();
}

// ---- PressLabel ----

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

// ---- PlanView ----

PlanView::PlanView(Project& project, PlanState& state, Prompts& prompts, QWidget* parent)
    : QWidget(parent), project_(project), state_(state), prompts_(prompts) {
    setObjectName(QStringLiteral("PicFoot"));
    setAccessibleName(QStringLiteral("Footing plan"));
    setFocusPolicy(Qt::ClickFocus);
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

    labLbd_ = new QLabel(QStringLiteral("LBD"), this);
    labLbd_->setObjectName(QStringLiteral("LabLBD"));
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
    // The label's corner sits just up and left of its support by the width of "9".
    const double w =
        viewport_.lengthToPlan(QFontMetricsF(font).horizontalAdvance(QLatin1Char('9')));
    const int n = footingRows(project_);
    for (int i = 1; i <= n; ++i) {
        const FootingRecord& f = project_.footings[i];
        auto* label = new PressLabel(QString(), this);
        label->setObjectName(QStringLiteral("LabDis_%1").arg(i));
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("QLabel { color: #0000a0; background: transparent; }"));
        connect(label, &PressLabel::pressed, this,
                [this, i](Qt::MouseButton b, Qt::KeyboardModifiers m) { labelPressed(i, b, m); });
        labels_.push_back(label);
        labelCorners_.emplace_back(f.x - w, f.z - w);
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
    }
    update();
    emit planDrawn();
}

void PlanView::redrawOutlines() {
    storeDrawnRects(project_);
    update();
    emit planDrawn();
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
    // The plan window stays as loaded; only its mapping onto the new area changes.
    viewport_ = PlanViewport(viewport_.window(), QSizeF(size()));
    placeWidgets();
}

void PlanView::placeWidgets() {
    for (size_t i = 1; i < labels_.size(); ++i)
        labels_[i]->move(viewport_.toPixels(labelCorners_[i].x(), labelCorners_[i].y()).toPoint());
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
    const PressResult result = pressLabel(project_, prompts_, state_, i, buttonOf(button),
                                          modifiers.testFlag(Qt::ShiftModifier));
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
        double top = labelCorners_[static_cast<size_t>(i)].y() - 600;
        if (top < 0) top = labelCorners_[static_cast<size_t>(i)].y() + 600;
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
        return true;
    }
    if (event->key() == Qt::Key_Delete && mods == Qt::ShiftModifier) {
        shiftDelete(project_, prompts_, state_);
        syncSizeBox();
        drawFoot();
        emit modelChanged();
        return true;
    }
    return false;
}

void PlanView::keyPressEvent(QKeyEvent* event) {
    if (!planKey(event)) QWidget::keyPressEvent(event);
}

void PlanView::wheelOverSizeBox(int rotation) {
    if (!state_.sizeBoxVisible || !wheelStep(project_, prompts_, rotation)) return;
    drawFoot();
    const int s = project_.currentFooting;
    if (s >= 1 && s <= footingRows(project_) && project_.footings[s].state < 1) {
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
    if (watched != txtWheel_) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Wheel: {
        // One step per wheel event, whatever its size; events without rotation only report
        // the phase of a touchpad gesture.
        const QPoint delta = static_cast<QWheelEvent*>(event)->angleDelta();
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
    // Any button starts a new band at the pointer.
    const QPointF at = viewport_.toPlan(event->position());
    state_.dragging = true;
    state_.bandX1 = state_.bandX2 = static_cast<float>(at.x());
    state_.bandY1 = state_.bandY2 = static_cast<float>(at.y());
    update();
    event->accept();
}

void PlanView::mouseMoveEvent(QMouseEvent* event) {
    if (!state_.dragging) return;
    const QPointF at = viewport_.toPlan(event->position());
    state_.bandX2 = static_cast<float>(at.x());
    state_.bandY2 = static_cast<float>(at.y());
    update();
}

void PlanView::mouseReleaseEvent(QMouseEvent* event) {
    if (!state_.dragging) return;
    const QPointF at = viewport_.toPlan(event->position());
    state_.dragging = false;
    state_.bandX2 = static_cast<float>(at.x());
    state_.bandY2 = static_cast<float>(at.y());
    update();
}

} // namespace ormevak
