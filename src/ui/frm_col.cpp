// The column node window. Picking, the offset keys, the level steps and the reset are the
// core's; the window maps plan millimetres to its picture and keeps the labels in place.
#include "ui/frm_col.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>

#include "model/numbers.h"
#include "plan/offsets.h"
#include "ui/ui_helpers.h"

namespace ormevak {

// PicCol: paints the beams of the current level and takes the keys.
class ColumnPicture : public QWidget {
  public:
    ColumnPicture(FrmCol& window, QWidget* parent) : QWidget(parent), window_(window) {
        setObjectName(QStringLiteral("PicCol"));
        setFocusPolicy(Qt::StrongFocus);
        // A picture box is button face; the picked label stands out in the window colour.
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Button);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        window_.drawLevelBeams(painter);
    }
    void keyPressEvent(QKeyEvent* event) override {
        window_.keyDown(event->key(), event->modifiers());
    }

  private:
    FrmCol& window_;
};

namespace {

int levelCount(const std::vector<float>& levels) {
    return levels.empty() ? 0 : static_cast<int>(std::lround(levels[0]));
}

std::optional<OffsetKey> offsetKeyOf(int key) {
    switch (key) {
    case Qt::Key_Home:
        return OffsetKey::Home;
    case Qt::Key_Left:
        return OffsetKey::Left;
    case Qt::Key_Right:
        return OffsetKey::Right;
    case Qt::Key_Up:
        return OffsetKey::Up;
    case Qt::Key_Down:
        return OffsetKey::Down;
    default:
        return std::nullopt;
    }
}

} // namespace

FrmCol::FrmCol(Project& project, QWidget* parent) : QWidget(parent), project_(project) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("FrmCol"));
    setWindowTitle(QStringLiteral("Column offsets"));
    picCol_ = new ColumnPicture(*this, this);

    const QFont labelFont = designFont(8);
    const int n = project_.lastFooting();
    for (int i = 1; i <= n; ++i) {
        auto* label = new QLabel(qs(formatInt(project_.footings[i].jointNo)), picCol_);
        label->setObjectName(QStringLiteral("LabNode_%1").arg(i));
        label->setFont(labelFont);
        label->setAlignment(Qt::AlignCenter);
        label->setAutoFillBackground(true);
        label->setBackgroundRole(QPalette::Window); // not the picture's button face
        label->setForegroundRole(QPalette::WindowText);
        label->setMargin(1);
        label->adjustSize();
        label->setProperty("footing", i);
        label->installEventFilter(this);
        setPicked(label, false);
        labNode_.push_back(label);
    }
    resize(900, 640);
    picCol_->setGeometry(rect());
    picCol_->setFocus();
    placeAllLabels();
}

PlanWindow FrmCol::planWindow() const {
    const double w = picCol_->width();
    const double h = picCol_->height();
    return columnPlanWindow(project_, w > 0 ? h / w : 0);
}

PlanViewport FrmCol::viewport() const {
    // The window already has the picture's shape: both scales are equal and nothing is centred.
    return {planWindow(), QSizeF(picCol_->size())};
}

void FrmCol::setPicked(QLabel* label, bool picked) {
    // Not picked: the menu-text colour as background; picked: the window background (the
    // background of text windows, Base). The text takes the other colour so that either stays
    // readable.
    const QPalette base = palette();
    const QColor dark = base.color(QPalette::Text);
    const QColor light = base.color(QPalette::Base);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, picked ? light : dark);
    pal.setColor(QPalette::WindowText, picked ? dark : light);
    label->setPalette(pal);
}

void FrmCol::placeLabel(int i) {
    if (i < 1 || i >= static_cast<int>(labNode_.size())) return;
    const PlanViewport view = viewport();
    if (!(view.pixelsPerMm() > 0)) return;
    QLabel* label = labNode_[i];
    const LabelPlace place = labelPlacement(project_.footings[i], view.lengthToPlan(label->width()),
                                            view.lengthToPlan(label->height()));
    label->move(view.toPixels(place.left, place.top).toPoint());
}

void FrmCol::placeAllLabels() {
    for (int i = 1; i < static_cast<int>(labNode_.size()); ++i) placeLabel(i);
}

void FrmCol::drawLevelBeams(QPainter& painter) const {
    const PlanViewport view = viewport();
    if (!(view.pixelsPerMm() > 0)) return;
    auto at = [&](double x, double z) { return view.toPixels(x, z); };
    auto beamLength = [&](int b) {
        return b < static_cast<int>(project_.beams.size())
                   ? double(project_.beams[b][member_row::Length])
                   : 0.0;
    };

    painter.setPen(QPen(Qt::black, 1));
    const int nX = levelCount(project_.levelsX);
    const int nZ = levelCount(project_.levelsZ);
    for (int xi = 1; xi <= nX; ++xi) {
        for (int zi = 1; zi <= nZ; ++zi) {
            if (project_.nodeGrid.get(xi, level_, zi) <= 0) continue;
            const double x = project_.levelsX[xi];
            const double z = project_.levelsZ[zi];
            // The 10 mm shortening leaves a gap before the next node.
            if (const int b = project_.beamGridX.get(xi, level_, zi); b > 0)
                painter.drawLine(at(x, z), at(x + beamLength(b) - 10, z));
            if (const int b = project_.beamGridZ.get(xi, level_, zi); b > 0)
                painter.drawLine(at(x, z), at(x, z + beamLength(b) - 10));
        }
    }
}

void FrmCol::pick(int i) {
    const int before = pickFooting(project_, i);
    if (before >= 1 && before < static_cast<int>(labNode_.size()))
        setPicked(labNode_[before], false);
    setPicked(labNode_[i], true);
    picCol_->setFocus();
}

void FrmCol::modelReplaced() {
    placeAllLabels();
    picCol_->update();
}

void FrmCol::keyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Escape) {
        close();
    } else if (key == Qt::Key_Delete && (modifiers & Qt::ShiftModifier)) {
        if (history_)
            recordEdit(*history_, project_, edit_name::offsetsReset(),
                       [&] { resetOffsets(project_); });
        else
            resetOffsets(project_);
        picCol_->update();
        placeAllLabels();
        emit edited();
    } else if (const auto offsetKey = offsetKeyOf(key)) {
        const int f = project_.currentFooting;
        bool moved = false;
        if (history_)
            recordEdit(*history_, project_, edit_name::offset(project_, f),
                       [&] { moved = offsetKeys(project_, *offsetKey); });
        else
            moved = offsetKeys(project_, *offsetKey);
        if (moved) placeLabel(project_.currentFooting);
        picCol_->update();
        if (moved) emit edited();
    } else if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
        level_ = stepLevel(project_, level_, key == Qt::Key_PageUp ? 1 : -1);
        picCol_->update();
        placeAllLabels();
    }
}

bool FrmCol::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const int i = watched->property("footing").toInt();
        if (i >= 1 && i < static_cast<int>(labNode_.size()) && watched == labNode_[i]) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                labNode_[i]->rect().contains(mouse->position().toPoint()))
                pick(i);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmCol::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    picCol_->setGeometry(rect());
    placeAllLabels();
}

void FrmCol::closeEvent(QCloseEvent* event) {
    closeColumnWindow(project_);
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace ormevak
