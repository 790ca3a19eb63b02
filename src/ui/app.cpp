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

void DesktopSession::openMainWindow() {
    foot_ = std::make_unique<FrmFoot>(project_, prompts_);
    connect(foot_.get(), &FrmFoot::ended, this, [this] { emit finished(0); });
    foot_->show();
    if (!foot_->load()) {
        emit finished(1);
        return;
    }
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
    if (!session.start(path)) return 1;
    return app.exec();
}

} // namespace ormevak
