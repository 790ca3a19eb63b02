// The combined footing's detail window: its members, size, projections and column distance.
#pragma once

#include <QLabel>
#include <QWidget>

#include "plan/details.h"

namespace ormevak {

class Disply2 : public QWidget {
    Q_OBJECT

  public:
    explicit Disply2(QWidget* parent = nullptr);

    // Fills the window from the core's texts and shows it, modeless, in its normal state.
    void showDetails(const CombinedDetails& details);

  private:
    QLabel* makeLabel(const char* name, const QString& caption, int left, int top, int width);

    QLabel* labCf1f2_;
    QLabel* labCfSize_;
    QLabel* labCnt1_;
    QLabel* labCnt2_;
    QLabel* labDisf_f_;
};

} // namespace ormevak
