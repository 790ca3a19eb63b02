// The main window's command row and group controls.
#include "ui/group_controls.h"

#include <algorithm>

#include <QAbstractButton>
#include <QSignalBlocker>

#include "model/numbers.h"
#include "plan/interaction.h"

namespace ormevak {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

struct Twips {
    int left, top, width, height;
};

void place(QWidget* w, const Twips& t, double dpi) {
    w->setGeometry(twipsToPixels(t.left, dpi), twipsToPixels(t.top, dpi),
                   twipsToPixels(t.width, dpi), twipsToPixels(t.height, dpi));
}

template <class W>
W* make(QWidget* form, const char* name, const QString& caption, const Twips& t) {
    auto* w = new W(caption, form);
    w->setObjectName(QLatin1String(name));
    place(w, t, form->logicalDpiX());
    return w;
}

// The form's margin left of the row and right of it, and the least gap between two controls.
constexpr int rowMarginTwips = 240;
constexpr int rowGapTwips = 90;

// Group controls are as wide as their template captions need ("F00", "2.10", "15").
constexpr int groupControlWidth = 735;
constexpr int groupControlHeight = 255;

} // namespace

CommandRow::CommandRow(QWidget* form) : QObject(form) {
    labFckFySbc = make<QLabel>(form, "LabFckFySbc", QString(), {240, 120, 3855, 255});
    cmdDesign =
        make<QPushButton>(form, "CmdDesign", QStringLiteral("Design"), {4320, 120, 975, 375});
    QFont designFont = cmdDesign->font();
    designFont.setPointSizeF(9.75);
    cmdDesign->setFont(designFont);
    chkOsize =
        make<QCheckBox>(form, "ChkOsize", QStringLiteral("Actual Sizes"), {5400, 120, 1215, 255});
    chkOsize->hide();
    cmdOff =
        make<QPushButton>(form, "CmdOff", QStringLiteral("Col Offset"), {6960, 120, 1095, 255});
    cmdReset = make<QPushButton>(form, "CmdReset", QStringLiteral("Refresh"), {8160, 0, 1095, 375});
    chkGrid =
        make<QCheckBox>(form, "ChkGrid", QStringLiteral("Grid Lines"), {10200, 120, 1215, 255});
    chkGrid->setEnabled(false);
    chkSize = make<QCheckBox>(form, "ChkSize", QStringLiteral("Size"), {11880, 120, 615, 255});
    chkFNos =
        make<QCheckBox>(form, "ChkFNos", QStringLiteral("Footing No's"), {12840, 120, 1200, 255});
    chkFNos->setChecked(true);
    chkGrpNos =
        make<QCheckBox>(form, "ChkGrpNos", QStringLiteral("Group No's"), {14400, 120, 1215, 255});
    cmdDisable =
        make<QPushButton>(form, "CmdDisable", QStringLiteral("Disable"), {15720, 120, 855, 375});
    chkGap = make<QCheckBox>(form, "ChkGap", QStringLiteral("Gap "), {16920, 120, 735, 255});
    chkGap->setEnabled(false);
    cmdCombine =
        make<QPushButton>(form, "CmdCombine", QStringLiteral("Combine"), {17760, 120, 975, 375});
    command2 = make<QPushButton>(form, "Command2", QStringLiteral("Exit"), {22320, 120, 735, 375});

    form_ = form;
    controls_ = {labFckFySbc, cmdDesign, chkOsize,   cmdOff, cmdReset,   chkGrid, chkSize,
                 chkFNos,     chkGrpNos, cmdDisable, chkGap, cmdCombine, command2};
    for (QWidget* w : controls_) {
        designed_.push_back(w->geometry());
        if (w->accessibleName().isEmpty()) {
            if (auto* button = qobject_cast<QAbstractButton*>(w))
                w->setAccessibleName(button->text().trimmed());
        }
    }
    labFckFySbc->setAccessibleName(QStringLiteral("Grades and soil values"));
}

int CommandRow::widthOf(size_t i) const {
    return std::max(designed_[i].width(), controls_[i]->sizeHint().width());
}

void CommandRow::place(int innerWidth) {
    const double dpi = form_->logicalDpiX();
    const int gap = twipsToPixels(rowGapTwips, dpi);
    const int right = innerWidth - twipsToPixels(rowMarginTwips, dpi);
    std::vector<size_t> shown;
    for (size_t i = 0; i < controls_.size(); ++i)
        if (!controls_[i]->isHidden()) shown.push_back(i);
    std::vector<int> left(controls_.size());
    for (size_t i = 0; i < controls_.size(); ++i) left[i] = designed_[i].left();
    // Left to right: designed places, moved over only where a wider caption needs it.
    for (size_t j = 1; j < shown.size(); ++j) {
        const size_t a = shown[j - 1], b = shown[j];
        left[b] = std::max(left[b], left[a] + widthOf(a) + gap);
    }
    // Right to left: whatever would pass the form's right edge closes up towards the left.
    if (!shown.empty()) {
        const size_t last = shown.back();
        left[last] = std::min(left[last], right - widthOf(last));
        for (size_t j = shown.size() - 1; j-- > 0;) {
            const size_t a = shown[j], b = shown[j + 1];
            left[a] = std::min(left[a], left[b] - gap - widthOf(a));
        }
    }
    for (size_t i = 0; i < controls_.size(); ++i)
        controls_[i]->setGeometry(left[i], designed_[i].top(), widthOf(i), designed_[i].height());
}

int CommandRow::minimumWidth() const {
    const double dpi = form_->logicalDpiX();
    int width = 2 * twipsToPixels(rowMarginTwips, dpi);
    int count = 0;
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i]->isHidden()) continue;
        width += widthOf(i);
        ++count;
    }
    return width + std::max(0, count - 1) * twipsToPixels(rowGapTwips, dpi);
}

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
