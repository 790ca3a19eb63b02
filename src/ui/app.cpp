// The desktop run: file, input phase, startup dialog, main window, end.
#include "ui/app.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QTimer>

#include "model/analysis_reader.h"
#include "model/errors.h"
#include "project/open_project.h"
#include "ui/frm_foot.h"
#include "ui/frm_sbc.h"
#include "ui/frm_shd.h"
#include "ui/qt_prompts.h"

namespace ormevak {

DesktopSession::DesktopSession(Prompts& prompts, QObject* parent)
    : QObject(parent), prompts_(prompts) {}

DesktopSession::~DesktopSession() = default;

bool DesktopSession::start(const QString& analysisPath) {
    if (const auto failure = runInputPhase(project_, analysisPath.toStdString(), prompts_)) {
        if (!failure->message.empty()) prompts_.inform(failure->message);
        return false;
    }
    sbc_ = std::make_unique<FrmSbc>(project_);
    connect(sbc_.get(), &FrmSbc::accepted, this, [this] {
        // The soil values as typed are part of the project.
        auto text = [this](const char* name) {
            const auto* box = sbc_->findChild<QComboBox*>(QLatin1String(name));
            return box ? box->currentText().toStdString() : std::string();
        };
        soil_ = {text("CmbDepth"), text("CombSBC")};
        openMainWindow();
    });
    connect(sbc_.get(), &FrmSbc::ended, this, [this] { emit finished(0); });
    sbc_->show();
    return true;
}

bool DesktopSession::startFrom(QString analysisPath, const std::function<QString()>& askForFile) {
    while (!analysisPath.isEmpty()) {
        if (start(analysisPath)) return true;
        analysisPath = askForFile();
    }
    return false;
}

void DesktopSession::openMainWindow(bool runPipeline) {
    foot_ = std::make_unique<FrmFoot>(project_, prompts_);
    connect(foot_.get(), &FrmFoot::ended, this, [this] { emit finished(0); });
    // The window loads before it is shown, so no empty window stands over the dialog while the
    // sizing's messages come; those belong to the dialog whose OK raised them.
    bool loaded = false;
    {
        const MessageOwner owner(prompts_, sbc_.get());
        loaded = foot_->load(runPipeline);
    }
    if (!loaded) {
        emit finished(1);
        return;
    }
    foot_->show();
    commands_ = new ProjectCommands(foot_.get(), project_, prompts_, soil_, projectPath_);
    commands_->setUnsavedQuestion(askUnsaved_); // none: nothing is asked
    connect(commands_, &ProjectCommands::openRequested, this, [this](const QString& path) {
        // The request comes from the old window's menu: replace it once that call returns.
        QTimer::singleShot(0, this, [this, path] { switchToProject(path); });
    });
    emit mainWindowShown(foot_.get());
}

namespace {

// Everything the opening said, the change report as one message with a line per change.
void tellOpened(Prompts& prompts, const OpenedProject& opened) {
    for (const std::string& m : opened.messages) prompts.inform(m);
    if (opened.changes.empty()) return;
    std::string report;
    for (const std::string& line : opened.changes) report += (report.empty() ? "" : "\n") + line;
    prompts.inform(report, "The analysis changed");
}

} // namespace

bool DesktopSession::startProject(const QString& projectPath) {
    try {
        OpenedProject opened = openProject(projectPath.toStdString());
        project_ = std::move(opened.project);
        soil_ = opened.soil;
        projectPath_ = projectPath;
        scheduleRestored_ = opened.scheduleRestored;
        tellOpened(prompts_, opened);
    } catch (const AnalysisInputError& e) {
        if (*e.what() != '\0') prompts_.inform(e.what());
        return false;
    } catch (const std::runtime_error& e) {
        prompts_.inform(e.what());
        return false;
    }
    ProjectCommands::rememberRecent(projectPath);
    openMainWindow(false);
    showRestoredSchedule();
    return true;
}

void DesktopSession::switchToProject(const QString& path) {
    OpenedProject opened;
    try {
        opened = openProject(path.toStdString());
    } catch (const AnalysisInputError& e) {
        if (*e.what() != '\0') prompts_.inform(e.what());
        return;
    } catch (const std::runtime_error& e) {
        prompts_.inform(e.what()); // the current project stays as it is
        return;
    }
    // The old window closes as on exit (its layout file is written) without ending the run.
    delete commands_;
    disconnect(foot_.get(), &FrmFoot::ended, this, nullptr);
    foot_->close();
    foot_.reset();
    project_ = std::move(opened.project);
    soil_ = opened.soil;
    projectPath_ = path;
    ProjectCommands::rememberRecent(path);
    openMainWindow(false);
    scheduleRestored_ = opened.scheduleRestored;
    showRestoredSchedule();
    tellOpened(prompts_, opened);
}

void DesktopSession::showRestoredSchedule() {
    // A saved schedule is shown as it stood; Design would design it afresh.
    if (!scheduleRestored_ || !foot_) return;
    if (auto* schedule = foot_->findChild<FrmShd*>()) schedule->showDesign();
}

QString chooseAnalysisFile(const QStringList& arguments, QWidget* parent) {
    if (arguments.size() >= 2) return arguments.at(1);
    return QFileDialog::getOpenFileName(
        parent, QStringLiteral("Open"), QString(),
        QStringLiteral("Staad Files (*.ANL);;ORMEVAK projects (*.ormevak);;All Files (*.*)"));
}

int runDesktop(QApplication& app) {
    QtPrompts prompts;
    const QString path = chooseAnalysisFile(QApplication::arguments());
    if (path.isEmpty()) return 0; // no file chosen: the program ends without a word
    DesktopSession session(prompts);
    QObject::connect(&session, &DesktopSession::finished, &app,
                     [](int status) { QApplication::exit(status); });
    QObject::connect(&session, &DesktopSession::mainWindowShown, &app,
                     [&prompts](FrmFoot* window) { prompts.setParent(window); });
    session.setUnsavedQuestion([&session](const QString& name) {
        return askUnsavedWithMessageBox(session.mainWindow(), name);
    });
    const bool isProject = path.endsWith(QLatin1String(kProjectExtension), Qt::CaseInsensitive);
    if (isProject) {
        if (!session.startProject(path)) return 1;
    } else if (!session.startFrom(path, [] { return chooseAnalysisFile({}); })) {
        // A file the input phase refuses is named in its message; the user picks another one.
        return 0;
    }
    return app.exec();
}

} // namespace ormevak
