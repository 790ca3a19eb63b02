#include "ui/command_row.h"

#include <algorithm>

#include <QAbstractButton>

#include "ui/ui_helpers.h"

namespace ormevak {

namespace {

struct Twips {
    int left, top, width, height;
};

template <class W>
W* make(QWidget* form, const char* name, const QString& caption, const Twips& t) {
    auto* w = new W(caption, form);
    w->setObjectName(QLatin1String(name));
    w->setGeometry(twipsRect(*form, t.left, t.top, t.width, t.height));
    return w;
}

// The form's margin left of the row and right of it.
constexpr int rowMarginTwips = 240;

} // namespace

CommandRow::CommandRow(QWidget* form) : QObject(form) {
    labFckFySbc = make<QLabel>(form, "LabFckFySbc", QString(), {240, 120, 3855, 255});
    cmdDesign =
        make<QPushButton>(form, "CmdDesign", QStringLiteral("Design"), {4320, 120, 975, 375});
    QFont buttonFont = cmdDesign->font();
    buttonFont.setPointSizeF(9.75);
    cmdDesign->setFont(buttonFont);
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

} // namespace ormevak
