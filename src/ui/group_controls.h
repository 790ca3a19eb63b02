// The main window's two rows of controls: the commands and display switches along the top, and
// the three controls of every size group (check box, side, member count) along the bottom.
#pragma once

#include <vector>

#include <QRect>

#include <QCheckBox>
#include <QLabel>
#include <QObject>
#include <QPushButton>
#include <QWidget>

#include "model/project.h"
#include "model/prompts.h"
#include "plan/history.h"
#include "ui/command_row.h"
#include "ui/plan_view.h"

namespace ormevak {

// Distance in twips between the columns of group controls: the drawing area's width less 400,
// shared among one more column than there are groups (the first column stands one step in).
int groupStep(double picWidthTwips, int groupCount);

// Check1(i), LabW(i) and LabNo(i) for every size group i. A check box click flips the group and
// runs the assignment; a Shift + press on the side nudges it; a click on the count asks for the
// group's member list.
class GroupControls : public QObject {
    Q_OBJECT
  public:
    GroupControls(Project& project, Prompts& prompts, QWidget* form);

    // Creates one column per group at left = i x step; the largest group's box is disabled.
    void create(double picWidthTwips);
    // The columns again at left = i x step for a drawing area of another width.
    void spread(double picWidthTwips);
    // The narrowest drawing area (twips) whose step still keeps the columns apart.
    double minimumPicWidthTwips() const;
    // Rows at the form's inner height less 1200, 800 and 400 twips.
    void placeRows(int innerHeight);
    // Captions and ticks from the model after an assignment.
    void refresh();

    int count() const { return static_cast<int>(checks_.size()) - 1; }
    int step() const { return step_; }
    // Toggles and nudges are recorded here (none when not set).
    void setHistory(EditHistory* history) { history_ = history; }

  signals:
    void changed();
    void countClicked(int group);

  private:
    void checkToggled(int g, bool checked);
    void sidePressed(int g, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

    Project& project_;
    Prompts& prompts_;
    QWidget* form_;
    int step_ = 0;
    EditHistory* history_ = nullptr;
    std::vector<QCheckBox*> checks_{nullptr};
    std::vector<PressLabel*> sides_{nullptr};
    std::vector<PressLabel*> counts_{nullptr};
};

} // namespace ormevak
