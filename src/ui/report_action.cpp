// The Report button's work off the window's thread.
#include "ui/report_action.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QThread>
#include <QWidget>
#include <memory>

#include "model/atomic_file.h"
#include "model/errors.h"
#include "output/output_error.h"
#include "output/report_pdf.h"
#include "report/report.h"
#include "ui/qt_prompts.h"
#include "ui/ui_helpers.h"

namespace ormevak {

namespace {

constexpr char kTitle[] = "Report";
// Work shorter than this shows no progress at all.
constexpr int kProgressDelayMs = 500;

} // namespace

ReportAction::ReportAction(Project& project, Prompts& prompts, QWidget* owner)
    : QObject(owner), project_(project), prompts_(prompts), owner_(owner) {
    askReportName = [](QWidget* parent, const QString& suggested) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Calculation report"), suggested,
                                            QStringLiteral("PDF file (*.pdf)"));
    };
    openReport = [](const QUrl& file) { return QDesktopServices::openUrl(file); };
}

ReportAction::~ReportAction() {
    // The worker holds only its own copy of the model; it is let finish before we go.
    if (thread_ != nullptr) {
        thread_->wait();
        delete thread_;
    }
}

QString ReportAction::defaultReportPath() const {
    if (project_.analysisFilePath.empty()) return QStringLiteral("calculation-report.pdf");
    const QFileInfo analysis(qs(project_.analysisFilePath));
    return analysis.absolutePath() + QLatin1Char('/') + analysis.completeBaseName() +
           QStringLiteral("-report.pdf");
}

QProgressDialog* ReportAction::progress() const {
    return progress_.data();
}

bool ReportAction::start() {
    if (thread_ != nullptr) return false; // one report at a time
    const MessageOwner owner(prompts_, owner_);
    QString path = askReportName(owner_, defaultReportPath());
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    path_ = path;

    // What the report names is read now, on this thread: the analysis file as it is now.
    report::Inputs inputs;
    try {
        inputs = reportInputs(project_);
    } catch (const FileError& e) {
        prompts_.inform(e.what(), kTitle, MessageIcon::Exclamation);
        return false;
    }
    pdf_.clear();
    error_.clear();
    cancelled_ = false;
    auto model = std::make_shared<const Project>(project_);
    thread_ = QThread::create([this, model, inputs] {
        try {
            pdf_ = renderReportPdf(report::buildReport(*model, inputs));
        } catch (const std::exception& e) {
            error_ = e.what();
        }
    });
    connect(thread_, &QThread::finished, this, &ReportAction::done);

    progress_ = new QProgressDialog(QStringLiteral("Writing the calculation report..."),
                                    QStringLiteral("Cancel"), 0, 0, owner_);
    progress_->setObjectName(QStringLiteral("ReportProgress"));
    progress_->setAccessibleName(QStringLiteral("Calculation report progress"));
    progress_->setWindowTitle(QString::fromLatin1(kTitle));
    progress_->setWindowModality(Qt::NonModal);
    progress_->setMinimumDuration(kProgressDelayMs);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    connect(progress_, &QProgressDialog::canceled, this, [this] { cancelled_ = true; });
    progress_->setValue(0); // starts the delay after which it shows itself
    thread_->start();
    return true;
}

void ReportAction::done() {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    if (progress_) {
        progress_->hide();
        progress_->deleteLater();
    }
    const MessageOwner owner(prompts_, owner_);
    if (cancelled_) {
        emit finished(false);
        return;
    }
    if (!error_.empty()) {
        prompts_.inform(error_, kTitle, MessageIcon::Exclamation);
        emit finished(false);
        return;
    }
    try {
        writeFileAtomically(path_.toStdString(),
                            std::string_view(pdf_.constData(), static_cast<size_t>(pdf_.size())));
    } catch (const FileError& e) {
        prompts_.inform(e.what(), kTitle, MessageIcon::Exclamation);
        emit finished(false);
        return;
    }
    pdf_.clear();
    if (prompts_.confirm("The calculation report is written to " + path_.toStdString() +
                             ". Open it now?",
                         kTitle) &&
        !openReport(QUrl::fromLocalFile(path_)))
        prompts_.inform("No program could open the report. It is saved at " +
                            QDir::toNativeSeparators(path_).toStdString(),
                        kTitle, MessageIcon::Exclamation);
    emit finished(true);
}

} // namespace ormevak
