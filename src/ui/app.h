// The desktop application: the analysis file, the input phase, the startup dialog and the main
// window, in the order a run goes through them.
#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "model/project.h"
#include "model/prompts.h"
#include "project/project_file.h"
#include "ui/project_commands.h"

class QApplication;
class QWidget;

namespace ormevak {

class FrmSbc;
class FrmFoot;

// One run on one analysis file: the model, the startup dialog and then the main window.
class DesktopSession : public QObject {
    Q_OBJECT
  public:
    explicit DesktopSession(Prompts& prompts, QObject* parent = nullptr);
    ~DesktopSession() override;

    // The input phase on the file, then the startup dialog is shown. False when the input phase
    // refused the file (its message, if it has one, has been shown); nothing is written then.
    bool start(const QString& analysisPath);
    // start on `analysisPath`, and while the input phase refuses the file (its message shown),
    // on the file `askForFile` gives next. False when it gives none (the user cancelled).
    bool startFrom(QString analysisPath, const std::function<QString()>& askForFile);
    // Opens a saved project straight into the main window (no startup dialog). False when it
    // could not be opened (the message has been shown); the model is then untouched.
    bool startProject(const QString& projectPath);

    Project& project() { return project_; }
    FrmSbc* startupDialog() const { return sbc_.get(); }
    FrmFoot* mainWindow() const { return foot_.get(); }
    ProjectCommands* projectCommands() const { return commands_; }
    // The question asked when unsaved work would be lost; without one, nothing is asked.
    void setUnsavedQuestion(UnsavedQuestion q) { askUnsaved_ = std::move(q); }

  signals:
    void mainWindowShown(ormevak::FrmFoot* window);
    // The program ends with this status.
    void finished(int status);

  private:
    void openMainWindow(bool runPipeline = true);
    // Replaces the model and the main window with the project at `path`, or shows why not.
    void switchToProject(const QString& path);
    void showRestoredSchedule();

    Prompts& prompts_;
    Project project_;
    SoilTexts soil_;
    QString projectPath_;
    bool scheduleRestored_ = false;
    UnsavedQuestion askUnsaved_;
    QPointer<ProjectCommands> commands_;
    std::unique_ptr<FrmSbc> sbc_;
    std::unique_ptr<FrmFoot> foot_;
};

// The analysis file of the run: the one argument, else the open-file dialog (empty: cancelled).
QString chooseAnalysisFile(const QStringList& arguments, QWidget* parent = nullptr);

// The whole desktop run; returns the program's exit status.
int runDesktop(QApplication& app);

} // namespace ormevak
