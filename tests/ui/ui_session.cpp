// Driving a desktop run through its windows.
#include "ui_session.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include "model/layout_file.h"

namespace ormevak::testing {

ExampleCopy::ExampleCopy() {
    path_ = dir_.filePath(QStringLiteral("office-frame.ANL"));
    QFile::copy(QStringLiteral(ORMEVAK_SOURCE_DIR "/examples/office-frame.ANL"), path_);
}

QString ExampleCopy::layoutFile() const {
    return QString::fromStdString(layoutPath(path_.toStdString()));
}

void wheelOver(QWidget* target, int delta) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &event);
}

std::unique_ptr<DesktopRun> startRun(const QString& path) {
    auto run = std::make_unique<DesktopRun>();
    run->session = std::make_unique<DesktopSession>(run->prompts);
    DesktopRun* raw = run.get();
    QObject::connect(run->session.get(), &DesktopSession::finished, run->session.get(),
                     [raw](int status) { raw->finishedStatus = status; });
    run->session->start(path);
    return run;
}

void answerDialog(FrmSbc* dialog, const QString& depth, const QString& sbc) {
    auto type = [&](const char* name, const QString& text) {
        auto* combo = dialog->findChild<QComboBox*>(QLatin1String(name));
        combo->lineEdit()->clear();
        QTest::keyClicks(combo->lineEdit(), text);
    };
    type("CmbDepth", depth);
    type("CombSBC", sbc);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("CmdOK")), Qt::LeftButton);
}

std::unique_ptr<DesktopRun> startToMainWindow(const QString& path) {
    auto run = startRun(path);
    if (run->dialog()) answerDialog(run->dialog(), QStringLiteral("1.5"), QStringLiteral("200"));
    return run;
}

} // namespace ormevak::testing
