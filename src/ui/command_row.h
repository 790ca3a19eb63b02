// The main window's top row of commands and display switches.
#pragma once

#include <cstddef>
#include <vector>

#include <QCheckBox>
#include <QLabel>
#include <QObject>
#include <QPushButton>
#include <QRect>
#include <QWidget>

namespace ormevak {

// The least gap between two controls of a row, in twips.
inline constexpr int rowGapTwips = 90;

// The top row, in its designed order. Where the form is as wide as designed the controls stand at
// their designed places (twips converted for the screen's logical dpi); a narrower form closes
// the gaps from the right, so that every command stays inside it.
class CommandRow : public QObject {
    Q_OBJECT
  public:
    explicit CommandRow(QWidget* form);

    // Places the row for a form `innerWidth` pixels wide.
    void place(int innerWidth);
    // The narrowest form that shows the whole row.
    int minimumWidth() const;
    // The row's controls, left to right (the hidden "Actual Sizes" included).
    const std::vector<QWidget*>& controls() const { return controls_; }

    QLabel* labFckFySbc = nullptr;
    QPushButton* cmdDesign = nullptr;
    QCheckBox* chkOsize = nullptr;
    QPushButton* cmdOff = nullptr;
    QPushButton* cmdReset = nullptr;
    QCheckBox* chkGrid = nullptr;
    QCheckBox* chkSize = nullptr;
    QCheckBox* chkFNos = nullptr;
    QCheckBox* chkGrpNos = nullptr;
    QPushButton* cmdDisable = nullptr;
    QCheckBox* chkGap = nullptr;
    QPushButton* cmdCombine = nullptr;
    QPushButton* command2 = nullptr;

  private:
    // Designed width, or what the caption needs where that is more.
    int widthOf(size_t i) const;

    QWidget* form_;
    std::vector<QWidget*> controls_;
    std::vector<QRect> designed_; // pixels
};

} // namespace ormevak
