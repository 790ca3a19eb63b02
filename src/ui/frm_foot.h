// FrmFoot: the main window. The command row along the top, the plan (PicFoot) and the size group
// controls along the bottom; loading it runs the sizing pipeline, closing it saves the layout.
// Around them: the Edit and View menus, the status bar, the Checks panel and the message list.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "model/project.h"
#include "model/prompts.h"
#include "plan/history.h"
#include "plan/interaction.h"
#include "plan/plan_state.h"

class QAction;
class QLabel;
class QToolButton;

namespace ormevak {

class ChecksPanel;
class CommandRow;
class GroupControls;
class PlanView;
class Disply;
class Disply2;
class FrmCol;
class FrmShd;
class MessageList;

class FrmFoot : public QMainWindow {
    Q_OBJECT
  public:
    FrmFoot(Project& project, Prompts& prompts, QWidget* parent = nullptr);

    // The load pipeline, with the window at its final size: plan, sizing, groups, controls, the
    // layout file. False when the footings cannot be grouped (the message has been shown).
    // Without the pipeline the model is already loaded (an opened project).
    bool load(bool runPipeline = true);
    // drawFoot, and the group controls' captions after any assignment.
    void redraw();

    PlanState& planState() { return state_; }
    PlanView* plan() const { return plan_; }
    GroupControls* groupControls() const { return groups_; }
    CommandRow* commands() const { return commands_; }
    QTimer* blinkTimer() const { return timer1_; }
    ChecksPanel* checksPanel() const { return checks_; }
    MessageList* messageList() const { return messages_; }
    // The area the command row, the plan and the group controls stand in.
    QWidget* formArea() const { return form_; }
    EditHistory& history() { return history_; }

    // Undo and redo of one whole edit (Ctrl+Z, Ctrl+Y): the model as it was, everything redrawn.
    void undoEdit();
    void redoEdit();
    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }

  signals:
    // The window has closed and the layout file has been written: the program ends.
    void ended();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void connectCommands();
    void createMenus();
    void createStatusBar();
    void updateEditActions();
    void updateCounts();
    void showPointer(QPointF plan, int footing);
    void afterHistoryStep();
    void placeAreas();
    // Small enough for a 1280 x 720 screen, large enough for every command and group column.
    void updateMinimumSize();
    void footingNosToggled(bool checked);
    void groupNosToggled(bool checked);
    void disableClicked();
    void blink();
    void combineClicked();
    void designClicked();
    void columnOffsetClicked();
    void listMembers(int group);
    void showDetails(const PressResult& result);
    void refreshChecks();

    Project& project_;
    Prompts& prompts_;
    PlanState state_;
    EditHistory history_;
    QWidget* form_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QLabel* statusPointer_ = nullptr;
    QLabel* statusFooting_ = nullptr;
    QLabel* statusCounts_ = nullptr;
    QLabel* statusChecks_ = nullptr;
    QToolButton* messagesBadge_ = nullptr;
    MessageList* messages_ = nullptr;
    CommandRow* commands_ = nullptr;
    GroupControls* groups_ = nullptr;
    PlanView* plan_ = nullptr;
    QTimer* timer1_ = nullptr;
    QString blinkText_;
    bool loaded_ = false;
    bool closed_ = false;

    // The other windows of the main window: the two detail windows and the schedule, made at
    // load and shown on demand; the column node window, made on "Col Offset".
    Disply* disply_ = nullptr;
    Disply2* disply2_ = nullptr;
    FrmShd* frmShd_ = nullptr;
    QPointer<FrmCol> frmCol_;
    ChecksPanel* checks_ = nullptr;
    bool checksShown_ = false;
};

} // namespace ormevak
