// The main window: its load, its commands and switches, and its close.
#include "ui/frm_foot.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "combined/combined_footing.h"
#include "design/design.h"
#include "model/errors.h"
#include "model/layout_file.h"
#include "sizing/pipeline.h"
#include "ui/checks_panel.h"
#include "ui/disply.h"
#include "ui/disply2.h"
#include "ui/frm_col.h"
#include "ui/frm_shd.h"
#include "ui/group_controls.h"
#include "ui/plan_view.h"

namespace ormevak {

namespace {

// The window as designed: the command row ends at 23055 twips.
constexpr int designWidthTwips = 23400;
constexpr int designHeightTwips = 14400;
// The least height of the drawing area between the two rows.
constexpr int minimumPlanTwips = 3600;

} // namespace

FrmFoot::FrmFoot(Project& project, Prompts& prompts, QWidget* parent)
    : QWidget(parent), project_(project), prompts_(prompts) {
    setObjectName(QStringLiteral("FrmFoot"));
    // Until the load names the analysis file.
    setWindowTitle(QStringLiteral("ORMEVAK"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(8.25);
    setFont(arial);

    commands_ = new CommandRow(this);
    groups_ = new GroupControls(project_, prompts_, this);
    plan_ = new PlanView(project_, state_, prompts_, this);
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
        refresh(project_, prompts_);
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
}

bool FrmFoot::load(bool runPipeline) {
    disply_ = new Disply(this);
    disply2_ = new Disply2(this);
    frmShd_ = new FrmShd(project_, prompts_, this);
    // The checks follow every change of the plan and of the schedule.
    checks_ = new ChecksPanel(project_, this);
    checks_->setFloating(true); // docks once the main window can hold docks
    checks_->setAttribute(Qt::WA_ShowWithoutActivating); // the size box keeps the focus
    connect(plan_, &PlanView::planDrawn, this, &FrmFoot::refreshChecks);
    connect(frmShd_, &FrmShd::rowsChanged, this, &FrmFoot::refreshChecks);
    connect(checks_, &ChecksPanel::footingChosen, plan_, &PlanView::pressFooting);
    connect(checks_, &ChecksPanel::rowChosen, frmShd_, &FrmShd::showRow);
    placeAreas();
    try {
        if (runPipeline) loadMainWindow(project_, prompts_);
    } catch (const CapacityError& e) {
        prompts_.inform(e.what());
        return false;
    }
    commands_->labFckFySbc->setText(QString::fromStdString(project_.mainCaption));
    plan_->loadFoot();
    groups_->create(pixelsToTwips(plan_->width(), logicalDpiX()));
    groups_->placeRows(height());
    updateMinimumSize();
    setWindowTitle(QString::fromStdString(project_.analysisFilePath));
    loaded_ = true;
    redraw();
    return true;
}

void FrmFoot::placeAreas() {
    // PicFoot spans the window from 500 twips down to 1800 twips above the bottom; the command
    // row fits the width and the group columns spread over it.
    const double dpi = logicalDpiX();
    const int top = twipsToPixels(500, dpi);
    commands_->place(width());
    plan_->setGeometry(0, top, width(), std::max(0, height() - twipsToPixels(1800, dpi)));
    groups_->spread(pixelsToTwips(plan_->width(), dpi));
    groups_->placeRows(height());
}

void FrmFoot::updateMinimumSize() {
    const double dpi = logicalDpiX();
    const int groupsWidth = twipsToPixels(groups_->minimumPicWidthTwips(), dpi);
    const int height = twipsToPixels(500 + 1800, dpi) + twipsToPixels(minimumPlanTwips, dpi);
    setMinimumSize(std::max(commands_->minimumWidth(), groupsWidth), height);
}

void FrmFoot::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeAreas();
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
    const CombineResult result = combineBand(project_, prompts_, state_);
    if (result.outcome == CombineOutcome::Combined)
        redraw();
    else
        plan_->update(); // the band is gone all the same
}

void FrmFoot::designClicked() {
    if (runDesign(project_, prompts_)) frmShd_->showDesign();
}

void FrmFoot::columnOffsetClicked() {
    if (frmCol_) {
        frmCol_->raise();
        frmCol_->activateWindow();
        return;
    }
    frmCol_ = new FrmCol(project_, this);
    frmCol_->setAttribute(Qt::WA_DeleteOnClose);
    connect(frmCol_, &FrmCol::closed, plan_, &PlanView::redrawOutlines);
    frmCol_->show();
}

void FrmFoot::listMembers(int group) {
    commands_->chkGap->setChecked(false);
    commands_->chkFNos->setChecked(true);
    plan_->showOnlyLabels(groupMemberList(project_, group).visible);
    listGroup(project_, prompts_, state_, group);
    plan_->showAllLabels();
}

void FrmFoot::showDetails(const PressResult& result) {
    if (result.kind == PressResult::Kind::Details)
        disply_->showDetails(result.details);
    else if (result.kind == PressResult::Kind::CombinedDetails)
        disply2_->showDetails(result.combined);
}

void FrmFoot::refreshChecks() {
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
            prompts_.inform(e.what());
        }
    }
    emit ended();
}

} // namespace ormevak
