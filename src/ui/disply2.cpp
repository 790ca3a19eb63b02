// The combined footing's detail window: five captions written by the core.
#include "ui/disply2.h"

#include "ui/ui_helpers.h"

namespace ormevak {

namespace {

constexpr int kClientWidth = 4200;
constexpr int kClientHeight = 2040;
constexpr int kLabelHeight = 285;

} // namespace

Disply2::Disply2(QWidget* parent) : QWidget(parent) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("Disply2"));
    setWindowTitle(QStringLiteral("Combined footing details"));
    setFont(designFont(9.75));
    labCf1f2_ = makeLabel("LabCf1f2", QString(), 240, 120, 3720);
    labCfSize_ = makeLabel("LabCfSize", QStringLiteral("LXB"), 240, 480, 3720);
    labCnt1_ = makeLabel("LabCnt1", QStringLiteral("Cant1"), 240, 840, 3720);
    labCnt2_ = makeLabel("LabCnt2", QStringLiteral("Cant2"), 240, 1200, 3720);
    labDisf_f_ = makeLabel("LabDisf_f", QStringLiteral("Distance"), 240, 1560, 3720);
    QFont bold = labCf1f2_->font();
    bold.setBold(true);
    labCf1f2_->setFont(bold);
    resize(twipsRect(*this, 0, 0, kClientWidth, kClientHeight).size());
}

QLabel* Disply2::makeLabel(const char* name, const QString& caption, int left, int top, int width) {
    QLabel* label = ormevak::makeLabel(this, name, caption);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(twipsRect(*this, left, top, width, kLabelHeight));
    return label;
}

void Disply2::showDetails(const CombinedDetails& details) {
    if (details.filled) {
        labCf1f2_->setText(qs(details.labCf1f2));
        setWindowTitle(QStringLiteral("Combined footing %1 details").arg(labCf1f2_->text()));
        labCfSize_->setText(qs(details.labCfSize));
        labCnt1_->setText(qs(details.labCnt1));
        labCnt2_->setText(qs(details.labCnt2));
        labDisf_f_->setText(qs(details.labDisf_f));
    }
    bringForwardNormal(this);
}

} // namespace ormevak
