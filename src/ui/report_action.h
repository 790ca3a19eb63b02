// The Report button of the schedule window: asks where, builds and lays out the calculation
// report on a worker thread from a copy of the model (the window stays responsive and its rows
// may be edited meanwhile), shows progress when it takes longer than half a second, writes the
// file whole and offers to open it.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <functional>
#include <string>

#include "model/project.h"
#include "model/prompts.h"

class QProgressDialog;
class QThread;
class QWidget;

namespace ormevak {

class ReportAction : public QObject {
    Q_OBJECT
  public:
    ReportAction(Project& project, Prompts& prompts, QWidget* owner);
    ~ReportAction() override;

    // The steps that wait for the user, replaceable in tests.
    // The file the report goes to; empty when the user cancels.
    std::function<QString(QWidget* parent, const QString& suggested)> askReportName;
    // Opens the written report with the desktop's viewer; false when none could.
    std::function<bool(const QUrl& file)> openReport;

    // Beside the analysis file: its name with "-report.pdf".
    QString defaultReportPath() const;
    // The button: asks for the file and starts the work; false when nothing was started.
    bool start();
    bool running() const { return thread_ != nullptr; }
    // The progress dialog of the work under way, or null.
    QProgressDialog* progress() const;

  signals:
    // The work ended: written or not (an error was shown, or the user cancelled).
    void finished(bool written);

  private:
    void done();

    Project& project_;
    Prompts& prompts_;
    QWidget* owner_;
    QThread* thread_ = nullptr;
    QPointer<QProgressDialog> progress_;
    QString path_;
    // Filled by the worker, read once it has finished.
    QByteArray pdf_;
    std::string error_;
    bool cancelled_ = false;
};

} // namespace ormevak
