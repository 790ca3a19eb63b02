// The main window's command row and group controls.
#include "ui/group_controls.h"

#include <algorithm>

#include <QAbstractButton>
#include <QSignalBlocker>

#include "model/numbers.h"
#include "plan/interaction.h"
#include "ui/ui_helpers.h"

namespace ormevak {

namespace {

// Group controls are as wide as their template captions need ("F00", "2.10", "15").
constexpr int groupControlWidth = 735;
constexpr int groupControlHeight = 255;

} // namespace

int groupStep(double picWidthTwips, int groupCount) {
    return toInt32((picWidthTwips - 400) / (groupCount + 1), "group step");
}

GroupControls::GroupControls(Project& project, Prompts& prompts, QWidget* form)
    : QObject(form), project_(project), prompts_(prompts), form_(form) {}

void GroupControls::create(double picWidthTwips) {
    const int n = project_.groupCount;
    const double dpi = form_->logicalDpiX();
    step_ = groupStep(picWidthTwips, n);
    for (int i = 1; i <= n; ++i) {
        const int left = twipsToPixels(static_cast<double>(i) * step_, dpi);
        const int width = twipsToPixels(groupControlWidth, dpi);
        const int height = twipsToPixels(groupControlHeight, dpi);

        auto* side = new PressLabel(QString(), form_);
        side->setObjectName(QStringLiteral("LabW_%1").arg(i));
        auto* check = new QCheckBox(form_);
        check->setObjectName(QStringLiteral("Check1_%1").arg(i));
        check->setChecked(true);
        auto* count = new PressLabel(QString(), form_);
        count->setObjectName(QStringLiteral("LabNo_%1").arg(i));
        check->setAccessibleName(QStringLiteral("Group %1 in use").arg(i));
        check->setToolTip(QStringLiteral("Untick to take this group's footings into the next "
                                         "larger group; tick to use it again"));
        side->setToolTip(QStringLiteral("The group's side, m. Shift + press: nudge it 50 mm "
                                        "down, then above the formed side"));
        count->setToolTip(QStringLiteral("Footings in the group. Click: list them and show only "
                                         "their numbers on the plan"));
        side->setAccessibleName(QStringLiteral("Group %1 side, m").arg(i));
        count->setAccessibleName(QStringLiteral("Group %1 footings").arg(i));
        for (QWidget* w : {static_cast<QWidget*>(side), static_cast<QWidget*>(check),
                           static_cast<QWidget*>(count)}) {
            w->setGeometry(left, 0, width, height);
            w->show();
        }
        connect(check, &QCheckBox::toggled, this, [this, i](bool on) { checkToggled(i, on); });
        connect(side, &PressLabel::pressed, this,
                [this, i](Qt::MouseButton b, Qt::KeyboardModifiers m) { sidePressed(i, b, m); });
        connect(count, &PressLabel::clicked, this, [this, i] { emit countClicked(i); });
        checks_.push_back(check);
        sides_.push_back(side);
        counts_.push_back(count);
    }
    // The largest group takes every footing the others leave: it cannot be unticked.
    if (n >= 1) checks_[static_cast<size_t>(n)]->setEnabled(false);
    refresh();
}

void GroupControls::spread(double picWidthTwips) {
    const int n = count();
    if (n < 1) return;
    const double dpi = form_->logicalDpiX();
    step_ = groupStep(picWidthTwips, n);
    for (size_t i = 1; i < checks_.size(); ++i) {
        const int left = twipsToPixels(static_cast<double>(i) * step_, dpi);
        sides_[i]->move(left, sides_[i]->y());
        checks_[i]->move(left, checks_[i]->y());
        counts_[i]->move(left, counts_[i]->y());
    }
}

double GroupControls::minimumPicWidthTwips() const {
    // Each column a little wider than its controls, one step in from the left as the rule has it.
    constexpr double columnTwips = groupControlWidth + rowGapTwips;
    return 400 + columnTwips * (count() + 1);
}

void GroupControls::placeRows(int innerHeight) {
    const double dpi = form_->logicalDpiX();
    const int sideTop = innerHeight - twipsToPixels(1200, dpi);
    const int checkTop = innerHeight - twipsToPixels(800, dpi);
    const int countTop = innerHeight - twipsToPixels(400, dpi);
    for (size_t i = 1; i < checks_.size(); ++i) {
        sides_[i]->move(sides_[i]->x(), sideTop);
        checks_[i]->move(checks_[i]->x(), checkTop);
        counts_[i]->move(counts_[i]->x(), countTop);
    }
}

void GroupControls::refresh() {
    for (size_t i = 1; i < checks_.size(); ++i) {
        const GroupCaptions c =
            i < project_.groupCaptions.size() ? project_.groupCaptions[i] : GroupCaptions{};
        const QSignalBlocker block(checks_[i]);
        checks_[i]->setText(qs(c.check));
        checks_[i]->setChecked(i < project_.groupEnabled.size() && project_.groupEnabled[i] != 0);
        sides_[i]->setText(qs(c.side));
        counts_[i]->setText(qs(c.count));
    }
}

void GroupControls::checkToggled(int g, bool) {
    if (history_)
        recordEdit(*history_, project_, edit_name::toggle(project_, g),
                   [&] { toggleGroup(project_, prompts_, g); });
    else
        toggleGroup(project_, prompts_, g);
    refresh();
    emit changed();
}

void GroupControls::sidePressed(int g, Qt::MouseButton, Qt::KeyboardModifiers modifiers) {
    // Shift alone: Ctrl or Alt with it is another gesture.
    if ((modifiers & ~Qt::KeypadModifier) != Qt::ShiftModifier) return;
    if (history_)
        recordEdit(*history_, project_, edit_name::nudge(project_, g),
                   [&] { nudgeGroup(project_, prompts_, g); });
    else
        nudgeGroup(project_, prompts_, g);
    refresh();
    emit changed();
}

} // namespace ormevak
