// The desktop run: file, input phase, startup dialog, main window, end.
#include "ui/app.h"

#include <QApplication>
#include <QFileDialog>

#include "model/analysis_reader.h"
#include "ui/frm_foot.h"
#include "ui/frm_sbc.h"
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
    connect(sbc_.get(), &FrmSbc::accepted, this, &DesktopSession::openMainWindow);
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

void DesktopSession::openMainWindow() {
    foot_ = std::make_unique<FrmFoot>(project_, prompts_);
    connect(foot_.get(), &FrmFoot::ended, this, [this] { emit finished(0); });
    // The window loads before it is shown, so no empty window stands over the dialog while the
    // sizing's messages come; those belong to the dialog whose OK raised them.
    bool loaded = false;
    {
        const MessageOwner owner(prompts_, sbc_.get());
        loaded = foot_->load();
    }
    if (!loaded) {
        emit finished(1);
        return;
    }
    foot_->show();
    emit mainWindowShown(foot_.get());
}

QString chooseAnalysisFile(const QStringList& arguments, QWidget* parent) {
    if (arguments.size() >= 2) return arguments.at(1);
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(),
                                        QStringLiteral("Staad Files (*.ANL);;All Files (*.*)"));
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
    // A file the input phase refuses is named in its message; the user picks another one.
    if (!session.startFrom(path, [] { return chooseAnalysisFile({}); })) return 0;
    return app.exec();
}

} // namespace ormevak
