// The desktop application: the analysis file, the input phase, the startup dialog and the main
// window, in the order a run goes through them.
#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QString>
#include <QStringList>

#include "model/project.h"
#include "model/prompts.h"

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

    Project& project() { return project_; }
    FrmSbc* startupDialog() const { return sbc_.get(); }
    FrmFoot* mainWindow() const { return foot_.get(); }

  signals:
    void mainWindowShown(ormevak::FrmFoot* window);
    // The program ends with this status.
    void finished(int status);

  private:
    void openMainWindow();

    Prompts& prompts_;
    Project project_;
    std::unique_ptr<FrmSbc> sbc_;
    std::unique_ptr<FrmFoot> foot_;
};

// The analysis file of the run: the one argument, else the open-file dialog (empty: cancelled).
QString chooseAnalysisFile(const QStringList& arguments, QWidget* parent = nullptr);

// The whole desktop run; returns the program's exit status.
int runDesktop(QApplication& app);

} // namespace ormevak
