// The isolated footing's detail window: size, estimated depth, offsets, column and the corner
// pressures of every load case, as the core's showFootingDetails gives them.
#pragma once

#include <QLabel>
#include <QWidget>
#include <array>
#include <vector>

#include "plan/details.h"

namespace ormevak {

class Disply : public QWidget {
    Q_OBJECT

  public:
    explicit Disply(QWidget* parent = nullptr);

    // Fills the window (rows made at the first fill after the window was loaded) and shows it,
    // modeless, in its normal state. Unfilled details only show the window.
    void showDetails(const FootingDetails& details);

    // Whether the per-case rows exist (DetailRowsMade).
    bool detailRowsMade() const { return detailRowsMade_; }
    // Rows made (1..n); element 0 of every array is the heading.
    int detailRowCount() const { return static_cast<int>(rows_.size()) - 1; }

  protected:
    // Unloading the window: its rows go and are made again at the next fill.
    void closeEvent(QCloseEvent* event) override;

  private:
    // The seven labels of one row (or of the heading).
    struct Row {
        QLabel* labCase = nullptr;
        QLabel* labPbyA = nullptr;
        QLabel* labMbyZ = nullptr;
        QLabel* labMbyZ2 = nullptr;
        QLabel* labStress = nullptr;
        QLabel* labStress_ = nullptr;
        QLabel* labAllowble = nullptr;
    };

    QLabel* makeLabel(const char* name, const QString& caption, int left, int top, int width);
    Row makeRow(int r, bool heading);
    void makeDetailRows(int count);
    void removeDetailRows();
    void fitHeight();

    QLabel* labN0_;
    QLabel* labSize_;
    QLabel* labOffcet_;
    QLabel* labColSize_;
    QLabel* labXY_;
    std::vector<Row> rows_; // rows_[0] the heading, rows_[r] load case index r - 1
    bool detailRowsMade_ = false;
};

} // namespace ormevak
