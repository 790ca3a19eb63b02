// Closing the main window: the layout file is written beside the analysis file, the program
// ends, and the next start on the same file restores the column offsets.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include "ui_session.h"

namespace ormevak::testing {
namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray repeated(const char* piece, int n) {
    QByteArray out;
    for (int i = 0; i < n; ++i) out += piece;
    return out;
}

TEST(ClosingTheMainWindow, exitWritesTheLayoutFileAndEndsTheProgram) {
    ExampleCopy example;
    auto run = startToMainWindow(example.path());
    ASSERT_NE(run->main(), nullptr);
    EXPECT_FALSE(QFile::exists(example.layoutFile()));
    QTest::mouseClick(child<QPushButton>(run->main(), "Command2"), Qt::LeftButton);
    EXPECT_EQ(run->finishedStatus, 0);
    EXPECT_FALSE(run->main()->isVisible());
    EXPECT_TRUE(example.layoutFile().endsWith(QStringLiteral("office-frame.SCR")));
    EXPECT_EQ(readAll(example.layoutFile()),
              repeated(" 2", 30) + "\r\n\r" + repeated(" 5", 30) + "\r\n");
    EXPECT_TRUE(run->prompts.messages.empty());
}

TEST(ClosingTheMainWindow, theWindowsOwnCloseWritesItToo) {
    ExampleCopy example;
    auto run = startToMainWindow(example.path());
    ASSERT_NE(run->main(), nullptr);
    run->main()->close();
    EXPECT_EQ(run->finishedStatus, 0);
    EXPECT_TRUE(QFile::exists(example.layoutFile()));
}

TEST(ClosingTheMainWindow, aSecondStartRestoresTheOffsets) {
    ExampleCopy example;
    {
        auto first = startToMainWindow(example.path());
        ASSERT_NE(first->main(), nullptr);
        // As the column node window leaves them.
        first->project().footings[3].offX = 1;
        first->project().footings[7].offZ = -1;
        first->main()->close();
    }
    auto second = startToMainWindow(example.path());
    ASSERT_NE(second->main(), nullptr);
    const Project& p = second->project();
    EXPECT_EQ(p.footings[3].offX, 1);
    EXPECT_EQ(p.footings[7].offZ, -1);
    EXPECT_EQ(p.footings[4].offX, 0);
    // The restored offsets move the centres, as the column node window shows them.
    EXPECT_NE(p.footings[3].x, p.footings[3].nodeX);
    EXPECT_EQ(p.footings[3].z, p.footings[3].nodeZ);
    EXPECT_LT(p.footings[7].z, p.footings[7].nodeZ);
    EXPECT_EQ(p.footings[4].x, p.footings[4].nodeX);
}

TEST(ClosingTheMainWindow, aLayoutFileThatCannotBeWrittenIsReported) {
    ExampleCopy example;
    auto run = startToMainWindow(example.path());
    ASSERT_NE(run->main(), nullptr);
    QDir().mkpath(example.layoutFile()); // a folder where the file should go
    run->main()->close();
    ASSERT_EQ(run->prompts.messages.size(), 1u);
    EXPECT_NE(run->prompts.messages[0].find("office-frame.SCR"), std::string::npos)
        << run->prompts.messages[0];
    EXPECT_EQ(run->finishedStatus, 0); // the program ends all the same
}

TEST(ClosingTheMainWindow, aLayoutFileOfAnotherFrameIsIgnoredAndReplaced) {
    ExampleCopy example;
    {
        QFile f(example.layoutFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(" 3 3 3\r\n\r 6 6 6\r\n");
    }
    auto run = startToMainWindow(example.path());
    ASSERT_NE(run->main(), nullptr);
    EXPECT_EQ(run->project().footings[1].offX, 0);
    run->main()->close();
    EXPECT_EQ(readAll(example.layoutFile()).left(6), QByteArray(" 2 2 2"));
}

} // namespace
} // namespace ormevak::testing
