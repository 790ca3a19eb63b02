// The isolated footing's detail window. The texts come whole from the core; the window only
// places them, makes its rows once per window life and marks the governing rows.
#include "ui/disply.h"

#include <algorithm>

#include <QCloseEvent>

#include "ui/ui_helpers.h"

namespace ormevak {

namespace {

// Columns of the per-case table, in twips: left and width.
struct Column {
    const char* name;
    const char* heading;
    int left;
    int width;
};
constexpr std::array<Column, 7> kColumns{{
    {"LabCase", "Load Case", 120, 900},
    {"LabPbyA", "Load", 1080, 1000},
    {"LabMbyZ", "Mx ", 2160, 1000},
    {"LabMbyZ2", " Mz", 3240, 1000},
    {"LabStress", "Stress (mX)", 4320, 1150},
    {"LabStress_", "    (-)", 5550, 1000},
    {"LabAllowble", "Allowble Stress", 6630, 1400},
}};
constexpr int kClientWidth = 8160;
constexpr int kRowHeight = 285;
constexpr int kFirstRowTop = 840; // row r at 840 + 300 r, the heading at r = 0
constexpr int kRowStep = 300;

void setMark(QLabel* label, bool bold, bool border) {
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    label->setFrameStyle(border ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    label->setLineWidth(1);
}

} // namespace

Disply::Disply(QWidget* parent) : QWidget(parent) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("Disply"));
    setWindowTitle(QStringLiteral("Footing details"));
    setFont(designFont(9.75));
    labN0_ = makeLabel("LabN0", QString(), 120, 120, 1500);
    labSize_ = makeLabel("LabSize", QStringLiteral("L X B X D"), 1700, 120, 3000);
    labOffcet_ = makeLabel("LabOffcet", QStringLiteral("Offcet"), 4800, 120, 1500);
    labColSize_ = makeLabel("LabColSize", QStringLiteral("ColSize"), 120, 480, 3000);
    labXY_ = makeLabel("LabXY", QStringLiteral("X   Y  "), 3200, 480, 4900);
    rows_.push_back(makeRow(0, true));
    fitHeight();
}

QLabel* Disply::makeLabel(const char* name, const QString& caption, int left, int top, int width) {
    QLabel* label = ormevak::makeLabel(this, name, caption);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(twipsRect(*this, left, top, width, kRowHeight));
    return label;
}

Disply::Row Disply::makeRow(int r, bool heading) {
    std::array<QLabel*, 7> labels{};
    for (std::size_t k = 0; k < kColumns.size(); ++k) {
        const Column& c = kColumns[k];
        auto* label = new QLabel(heading ? QString::fromLatin1(c.heading) : QString(), this);
        label->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(c.name)).arg(r));
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(
            twipsRect(*this, c.left, kFirstRowTop + kRowStep * r, c.width, kRowHeight));
        label->show();
        labels[k] = label;
    }
    return {labels[0], labels[1], labels[2], labels[3], labels[4], labels[5], labels[6]};
}

void Disply::makeDetailRows(int count) {
    if (detailRowsMade_) return;
    for (int r = 1; r <= count; ++r) rows_.push_back(makeRow(r, false));
    detailRowsMade_ = true;
    fitHeight();
}

void Disply::removeDetailRows() {
    for (std::size_t r = 1; r < rows_.size(); ++r) {
        const Row& row = rows_[r];
        for (QLabel* label : {row.labCase, row.labPbyA, row.labMbyZ, row.labMbyZ2, row.labStress,
                              row.labStress_, row.labAllowble})
            delete label;
    }
    rows_.resize(1);
    detailRowsMade_ = false;
}

void Disply::fitHeight() {
    const int bottom = kFirstRowTop + kRowStep * static_cast<int>(rows_.size()) + 120;
    resize(twipsRect(*this, 0, 0, kClientWidth, bottom).size());
}

void Disply::showDetails(const FootingDetails& details) {
    if (details.filled) {
        makeDetailRows(static_cast<int>(details.rows.size()));
        labN0_->setText(qs(details.labN0));
        setWindowTitle(QStringLiteral("Footing %1 details").arg(qs(details.labN0)));
        labSize_->setText(qs(details.labSize));
        labOffcet_->setText(qs(details.labOffcet));
        labColSize_->setText(qs(details.labColSize));
        labXY_->setText(qs(details.labXY));
        // Rows made for an earlier, shorter project stay as they are; extra cases have no row.
        const std::size_t n = std::min(details.rows.size(), rows_.size() - 1);
        for (std::size_t r = 1; r <= n; ++r) {
            const DetailRow& d = details.rows[r - 1];
            Row& row = rows_[r];
            row.labCase->setText(qs(d.labCase));
            row.labPbyA->setText(qs(d.labPbyA));
            row.labMbyZ->setText(qs(d.labMbyZ));
            row.labMbyZ2->setText(qs(d.labMbyZ2));
            row.labStress->setText(qs(d.labStress));
            row.labStress_->setText(qs(d.labStress_));
            row.labAllowble->setText(qs(d.labAllowble));
        }
        // Marks of the footing shown before would point at the wrong rows: only this
        // footing's governing rows are marked.
        for (std::size_t r = 1; r < rows_.size(); ++r) {
            const int ri = static_cast<int>(r);
            setMark(rows_[r].labStress, ri == details.boldStress,
                    ri == details.boldStress && details.borderStress);
            setMark(rows_[r].labStress_, ri == details.boldStressMin,
                    ri == details.boldStressMin && details.borderStressMin);
        }
    }
    bringForwardNormal(this);
}

void Disply::closeEvent(QCloseEvent* event) {
    removeDetailRows();
    fitHeight();
    QWidget::closeEvent(event);
}

} // namespace ormevak
