// Entry point of the window tests: the C locale and one application object for every test.
#include <clocale>

#include <QApplication>
#include <QDir>

#include <unistd.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    // The windows never need a display; test discovery runs without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings (the recent projects) of this test process only: test programs run side by side
    // and must neither see each other's lists nor touch the user's. The tests that switch on Qt's
    // test mode keep their settings under the home folder whatever XDG_CONFIG_HOME says, so the
    // home folder is this process's too.
    const QByteArray config =
        QDir::temp().filePath(QStringLiteral("ormevak-test-config-%1").arg(getpid())).toLocal8Bit();
    QDir().mkpath(QString::fromLocal8Bit(config));
    qputenv("XDG_CONFIG_HOME", config);
    qputenv("HOME", config);
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, "C");
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    QDir(QString::fromLocal8Bit(config)).removeRecursively();
    return status;
}
