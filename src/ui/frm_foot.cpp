// The main window: its load, its commands and switches, and its close.
#include "ui/frm_foot.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>

#include "combined/combined_footing.h"
#include "design/design.h"
#include "model/errors.h"
#include "model/layout_file.h"
#include "plan/plan_readout.h"
#include "sizing/pipeline.h"
#include "ui/checks_panel.h"
#include "ui/disply.h"
#include "ui/disply2.h"
#include "ui/frm_col.h"
#include "ui/frm_shd.h"
#include "ui/group_controls.h"
#include "ui/message_list.h"
#include "ui/plan_view.h"
#include "ui/qt_prompts.h"
#include "ui/ui_helpers.h"

namespace ormevak {

namespace {

// The window as designed: the command row ends at 23055 twips.
constexpr int designWidthTwips = 23400;
constexpr int designHeightTwips = 14400;
// The least height of the drawing area between the two rows.
constexpr int minimumPlanTwips = 3600;

} // namespace

FrmFoot::FrmFoot(Project& project, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), project_(project), prompts_(prompts) {
    setObjectName(QStringLiteral("FrmFoot"));
    // Until the load names the analysis file.
    setWindowTitle(QStringLiteral("ORMEVAK"));
    setFont(designFont(8.25));

    form_ = new QWidget(this);
    form_->setObjectName(QStringLiteral("FormArea"));
    setCentralWidget(form_);
    form_->installEventFilter(this);
    commands_ = new CommandRow(form_);
    groups_ = new GroupControls(project_, prompts_, form_);
    plan_ = new PlanView(project_, state_, prompts_, form_);
    plan_->setHistory(&history_);
    groups_->setHistory(&history_);
    messages_ = new MessageList(project_, this);
    addDockWidget(Qt::BottomDockWidgetArea, messages_);
    messages_->hide(); // the badge in the status bar opens it
    createMenus();
    createStatusBar();
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(500);

    const double dpi = logicalDpiX();
    updateMinimumSize();
    QSize size(twipsToPixels(designWidthTwips, dpi), twipsToPixels(designHeightTwips, dpi));
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableGeometry().size() - QSize(0, 40));
    resize(size.expandedTo(minimumSize()));
    connectCommands();
}

void FrmFoot::connectCommands() {
    CommandRow& c = *commands_;
    connect(c.chkFNos, &QCheckBox::toggled, this, &FrmFoot::footingNosToggled);
    connect(c.chkGrpNos, &QCheckBox::toggled, this, &FrmFoot::groupNosToggled);
    connect(c.chkSize, &QCheckBox::toggled, this, [this](bool on) {
        state_.switches.size = on;
        redraw();
    });
    connect(c.chkGrid, &QCheckBox::toggled, this, [this](bool on) {
        plan_->setGridLines(on);
        redraw();
    });
    // Neither is read by the drawing; a change redraws all the same.
    connect(c.chkGap, &QCheckBox::toggled, this, &FrmFoot::redraw);
    connect(c.chkOsize, &QCheckBox::toggled, this, &FrmFoot::redraw);
    connect(c.cmdReset, &QPushButton::clicked, this, [this] {
        recordEdit(history_, project_, edit_name::refresh(),
                   [this] { refresh(project_, prompts_); });
        redraw();
    });
    connect(c.cmdDisable, &QPushButton::clicked, this, &FrmFoot::disableClicked);
    connect(timer1_, &QTimer::timeout, this, &FrmFoot::blink);
    connect(c.cmdCombine, &QPushButton::clicked, this, &FrmFoot::combineClicked);
    connect(c.cmdDesign, &QPushButton::clicked, this, &FrmFoot::designClicked);
    connect(c.cmdOff, &QPushButton::clicked, this, &FrmFoot::columnOffsetClicked);
    connect(c.command2, &QPushButton::clicked, this, &FrmFoot::close);

    connect(groups_, &GroupControls::changed, this, &FrmFoot::redraw);
    connect(groups_, &GroupControls::countClicked, this, &FrmFoot::listMembers);
    connect(plan_, &PlanView::modelChanged, groups_, &GroupControls::refresh);
    connect(plan_, &PlanView::detailsRequested, this, &FrmFoot::showDetails);
    connect(plan_, &PlanView::pointerMoved, this, &FrmFoot::showPointer);
    connect(messages_, &MessageList::footingChosen, plan_, &PlanView::pressFooting);
    connect(messages_, &MessageList::countChanged, this,
            [this](int n) { messagesBadge_->setText(QStringLiteral("Messages: %1").arg(n)); });

    // What each command does, and the gestures no button shows.
    c.cmdDesign->setToolTip(QStringLiteral("Design every group and combined footing (F9)"));
    c.cmdOff->setToolTip(QStringLiteral(
        "The column node window: pick a support, then the arrow keys shift its column off the "
        "joint; Home puts it back, Shift + Delete resets all (Ctrl+T)"));
    c.cmdReset->setToolTip(QStringLiteral("Work out the required sides again (F5)"));
    c.cmdDisable->setToolTip(QStringLiteral(
        "Disable mode: while it blinks, a press on a footing number disables or enables that "
        "footing (Ctrl+D)"));
    c.cmdCombine->setToolTip(QStringLiteral(
        "Drag a band round two columns on the plan, then Combine; Shift + Delete on a combined "
        "footing deletes it (Ctrl+M)"));
    c.command2->setToolTip(QStringLiteral("Save the layout and end"));
    c.chkSize->setToolTip(QStringLiteral("Footing labels show the sizes"));
    c.chkFNos->setToolTip(QStringLiteral("Footing labels show the joint numbers"));
    c.chkGrpNos->setToolTip(QStringLiteral("Footing labels show the group marks"));
}

void FrmFoot::createMenus() {
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    undo_ = edit->addAction(QStringLiteral("&Undo"), this, &FrmFoot::undoEdit);
    undo_->setObjectName(QStringLiteral("ActionUndo"));
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = edit->addAction(QStringLiteral("&Redo"), this, &FrmFoot::redoEdit);
    redo_->setObjectName(QStringLiteral("ActionRedo"));
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    updateEditActions();

    QMenu* plan = menuBar()->addMenu(QStringLiteral("&Plan"));
    plan->setObjectName(QStringLiteral("PlanMenu"));
    auto command = [&](const QString& text, const QKeySequence& key, const char* name,
                       QPushButton* button) {
        QAction* a = plan->addAction(text, button, &QPushButton::click);
        a->setShortcut(key);
        a->setObjectName(QString::fromLatin1(name));
    };
    command(QStringLiteral("&Design"), QKeySequence(Qt::Key_F9), "ActionDesign",
            commands_->cmdDesign);
    command(QStringLiteral("&Combine"), QKeySequence(Qt::CTRL | Qt::Key_M), "ActionCombine",
            commands_->cmdCombine);
    command(QStringLiteral("&Refresh"), QKeySequence(Qt::Key_F5), "ActionRefresh",
            commands_->cmdReset);
    command(QStringLiteral("Col &Offset"), QKeySequence(Qt::CTRL | Qt::Key_T), "ActionColOffset",
            commands_->cmdOff);
    command(QStringLiteral("D&isable"), QKeySequence(Qt::CTRL | Qt::Key_D), "ActionDisable",
            commands_->cmdDisable);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("ViewMenu"));
    QAction* fit = view->addAction(QStringLiteral("&Fit Plan"), plan_, &PlanView::fitPlan);
    fit->setObjectName(QStringLiteral("ActionFit"));
    fit->setShortcut(QKeySequence(Qt::Key_Home));
    QAction* in =
        view->addAction(QStringLiteral("Zoom &In"), this, [this] { plan_->zoomBy(1.25); });
    in->setObjectName(QStringLiteral("ActionZoomIn"));
    in->setShortcut(QKeySequence::ZoomIn);
    QAction* out =
        view->addAction(QStringLiteral("Zoom &Out"), this, [this] { plan_->zoomBy(0.8); });
    out->setObjectName(QStringLiteral("ActionZoomOut"));
    out->setShortcut(QKeySequence::ZoomOut);
    view->addSeparator();
    QAction* list = messages_->toggleViewAction();
    list->setText(QStringLiteral("&Messages"));
    view->addAction(list);
}

void FrmFoot::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    auto label = [&](const char* name, const QString& accessible, int stretch) {
        QLabel* l = makeLabel(bar, name);
        l->setAccessibleName(accessible);
        bar->addWidget(l, stretch);
        return l;
    };
    statusPointer_ = label("StatusPointer", QStringLiteral("Pointer on the plan, mm"), 0);
    statusPointer_->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("X -000000  Z -000000 mm")));
    statusFooting_ = label("StatusFooting", QStringLiteral("Footing under the pointer"), 1);
    statusCounts_ =
        label("StatusCounts", QStringLiteral("Footings, groups and combined footings"), 0);
    statusChecks_ = label("StatusChecks", QStringLiteral("Design checks"), 0);
    messagesBadge_ = new QToolButton(bar);
    messagesBadge_->setObjectName(QStringLiteral("MessagesBadge"));
    messagesBadge_->setAccessibleName(QStringLiteral("Messages: show or hide the list"));
    messagesBadge_->setToolTip(QStringLiteral("Show or hide the message list"));
    messagesBadge_->setText(QStringLiteral("Messages: 0"));
    messagesBadge_->setAutoRaise(true);
    connect(messagesBadge_, &QToolButton::clicked, this,
            [this] { messages_->setVisible(!messages_->isVisible()); });
    bar->addPermanentWidget(messagesBadge_);
    // Texts from the start, so that the bar keeps its height when the pointer first moves.
    statusPointer_->setText(QStringLiteral(" "));
    statusFooting_->setText(QStringLiteral(" "));
    updateCounts();
    statusChecks_->setText(QStringLiteral(" "));
    bar->setFixedHeight(bar->sizeHint().height());
    if (auto* more = menuBar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button")))
        more->setAccessibleName(QStringLiteral("More menus"));
}

void FrmFoot::showPointer(QPointF plan, int footing) {
    statusPointer_->setText(
        QStringLiteral("X %1  Z %2 mm").arg(qRound64(plan.x())).arg(qRound64(plan.y())));
    const std::string line = readoutLine(footingReadout(project_, footing));
    statusFooting_->setText(line.empty() ? QStringLiteral(" ") : qs(line));
}

void FrmFoot::updateCounts() {
    statusCounts_->setText(QStringLiteral("%1 footings, %2 groups, %3 combined")
                               .arg(project_.footingCount)
                               .arg(project_.groupCount)
                               .arg(project_.combinedCount));
}

void FrmFoot::updateEditActions() {
    const bool canUndo = history_.canUndo();
    const bool canRedo = history_.canRedo();
    undo_->setEnabled(canUndo);
    redo_->setEnabled(canRedo);
    undo_->setText(canUndo ? QStringLiteral("&Undo %1").arg(qs(history_.undoName()))
                           : QStringLiteral("&Undo"));
    redo_->setText(canRedo ? QStringLiteral("&Redo %1").arg(qs(history_.redoName()))
                           : QStringLiteral("&Redo"));
}

void FrmFoot::undoEdit() {
    if (history_.undo(project_)) afterHistoryStep();
}

void FrmFoot::redoEdit() {
    if (history_.redo(project_)) afterHistoryStep();
}

void FrmFoot::afterHistoryStep() {
    plan_->modelReplaced();
    groups_->refresh();
    if (frmShd_ && frmShd_->isVisible()) frmShd_->reloadRows();
    if (frmCol_) frmCol_->modelReplaced();
    refreshChecks();
    updateEditActions();
}

bool FrmFoot::load(bool runPipeline) {
    disply_ = new Disply(this);
    disply2_ = new Disply2(this);
    frmShd_ = new FrmShd(project_, prompts_, this);
    // The checks follow every change of the plan and of the schedule.
    checks_ = new ChecksPanel(project_, this);
    addDockWidget(Qt::RightDockWidgetArea, checks_);
    checks_->hide();
    checks_->setFloating(true); // beside the plan at first; the engineer may dock it
    frmShd_->setHistory(&history_);
    statusChecks_->setText(checks_->countsText());
    connect(checks_, &ChecksPanel::countsChanged, statusChecks_, &QLabel::setText);
    if (auto* qt = dynamic_cast<QtPrompts*>(&prompts_))
        qt->setMessageLog(this, [this](const std::string& text) { messages_->add(text); });
    checks_->setAttribute(Qt::WA_ShowWithoutActivating); // the size box keeps the focus
    connect(plan_, &PlanView::planDrawn, this, &FrmFoot::refreshChecks);
    connect(frmShd_, &FrmShd::rowsChanged, this, &FrmFoot::refreshChecks);
    connect(checks_, &ChecksPanel::footingChosen, plan_, &PlanView::pressFooting);
    connect(checks_, &ChecksPanel::rowChosen, frmShd_, &FrmShd::showRow);
    placeAreas();
    try {
        // The sizing's notes go to the message list; a refusal still opens its box.
        const MessageOwner owner(prompts_, this);
        if (runPipeline) loadMainWindow(project_, prompts_);
    } catch (const CapacityError& e) {
        prompts_.inform(e.what());
        return false;
    }
    commands_->labFckFySbc->setText(qs(project_.mainCaption));
    plan_->loadFoot();
    groups_->create(pixelsToTwips(plan_->width(), logicalDpiX()));
    groups_->placeRows(form_->height());
    updateMinimumSize();
    setWindowTitle(qs(project_.analysisFilePath));
    loaded_ = true;
    redraw();
    return true;
}

void FrmFoot::placeAreas() {
    // PicFoot spans the window from 500 twips down to 1800 twips above the bottom; the command
    // row fits the width and the group columns spread over it.
    const double dpi = logicalDpiX();
    const int top = twipsToPixels(500, dpi);
    const int width = form_->width();
    const int height = form_->height();
    commands_->place(width);
    plan_->setGeometry(0, top, width, std::max(0, height - twipsToPixels(1800, dpi)));
    groups_->spread(pixelsToTwips(plan_->width(), dpi));
    groups_->placeRows(height);
}

void FrmFoot::updateMinimumSize() {
    const double dpi = logicalDpiX();
    const int groupsWidth = twipsToPixels(groups_->minimumPicWidthTwips(), dpi);
    const int height = twipsToPixels(500 + 1800, dpi) + twipsToPixels(minimumPlanTwips, dpi);
    const int width = std::max(commands_->minimumWidth(), groupsWidth);
    form_->setMinimumSize(width, height);
    // The menu and the status bar above and below the form.
    setMinimumSize(width,
                   height + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
}

void FrmFoot::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
}

bool FrmFoot::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form_ && event->type() == QEvent::Resize) placeAreas();
    return QMainWindow::eventFilter(watched, event);
}

void FrmFoot::redraw() {
    plan_->drawFoot();
    groups_->refresh();
}

void FrmFoot::footingNosToggled(bool checked) {
    state_.switches.footingNos = checked;
    commands_->chkGrpNos->setChecked(!checked);
    redraw();
}

void FrmFoot::groupNosToggled(bool checked) {
    // The change of "Footing No's" redraws.
    state_.switches.groupNos = checked;
    commands_->chkFNos->setChecked(!checked);
}

void FrmFoot::disableClicked() {
    if (toggleDisableMode(state_)) {
        timer1_->start();
    } else {
        timer1_->stop();
        commands_->cmdDisable->setText(QStringLiteral("Disable"));
    }
}

void FrmFoot::blink() {
    commands_->cmdDisable->setText(blinkText_);
    blinkText_ = blinkText_ == QStringLiteral("Disable") ? QString() : QStringLiteral("Disable");
}

void FrmFoot::combineClicked() {
    CombineResult result;
    // A refusal or a cancelled skew question changes nothing and leaves no entry.
    recordEdit(history_, project_, edit_name::combine(),
               [&] { result = combineBand(project_, prompts_, state_); });
    if (result.outcome == CombineOutcome::Combined)
        redraw();
    else
        plan_->update(); // the band is gone all the same
}

void FrmFoot::designClicked() {
    bool designed = false;
    recordEdit(history_, project_, edit_name::design(),
               [&] { designed = runDesign(project_, prompts_); });
    if (designed) frmShd_->showDesign();
    updateEditActions();
}

void FrmFoot::columnOffsetClicked() {
    if (frmCol_) {
        bringForward(frmCol_);
        return;
    }
    frmCol_ = new FrmCol(project_, this);
    frmCol_->setAttribute(Qt::WA_DeleteOnClose);
    frmCol_->setHistory(&history_);
    connect(frmCol_, &FrmCol::closed, plan_, &PlanView::redrawOutlines);
    // The plan follows each offset at once; the Edit menu names it.
    connect(frmCol_, &FrmCol::edited, plan_, &PlanView::redrawOutlines);
    frmCol_->show();
}

void FrmFoot::listMembers(int group) {
    commands_->chkGap->setChecked(false);
    commands_->chkFNos->setChecked(true);
    plan_->showOnlyLabels(groupMemberList(project_, group).visible);
    {
        // The list is read while only its labels stand on the plan: a box, not the list.
        const ModalMessages modal(prompts_);
        listGroup(project_, prompts_, state_, group);
    }
    plan_->showAllLabels();
}

void FrmFoot::showDetails(const PressResult& result) {
    if (result.kind == PressResult::Kind::Details)
        disply_->showDetails(result.details);
    else if (result.kind == PressResult::Kind::CombinedDetails)
        disply2_->showDetails(result.combined);
}

void FrmFoot::refreshChecks() {
    updateEditActions();
    updateCounts();
    const std::vector<Check> checks = runChecks(project_);
    checks_->showChecks(checks);
    plan_->setCheckSeverity(footingSeverity(project_, checks));
    frmShd_->showChecks(checks);
    if (!checksShown_ && isVisible()) {
        // Shown once, beside the plan's right edge; the engineer may move it anywhere.
        checksShown_ = true;
        checks_->resize(std::min(560, width() / 2), std::min(360, height() / 2));
        checks_->move(mapToGlobal(QPoint(width() - checks_->width() - 24, 80)));
        checks_->show();
    }
}

void FrmFoot::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) return;
    closed_ = true;
    timer1_->stop();
    if (loaded_) {
        try {
            saveLayout(project_);
        } catch (const FileError& e) {
            const ModalMessages modal(prompts_);
            prompts_.inform(e.what());
        }
    }
    emit ended();
}

} // namespace ormevak
