// The main window's File commands: Save As and Save with the title's name and unsaved mark, the
// question on close, opening a project in place of the current one, and the recent projects.
#include <QTest>
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "plan/interaction.h"
#include "ui/project_commands.h"
#include "ui_session.h"

namespace ormevak::testing {
namespace {

class FileCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        run = startToMainWindow(example.path());
        ASSERT_NE(run->main(), nullptr);
        commands = run->session->projectCommands();
        ASSERT_NE(commands, nullptr);
        projectFile = QFileInfo(example.path()).path() + QStringLiteral("/office.ormevak");
    }
    // An edit of the plan, as a click on group 1's check box makes it.
    void edit() {
        toggleGroup(run->project(), run->prompts, 1);
        commands->refreshState();
    }

    ExampleCopy example;
    std::unique_ptr<DesktopRun> run;
    ProjectCommands* commands = nullptr;
    QString projectFile;
};

TEST_F(FileCommands, titleShowsTheProjectAndItsUnsavedMark) {
    EXPECT_EQ(run->main()->windowTitle(), example.path());
    edit();
    EXPECT_EQ(run->main()->windowTitle(), example.path() + QStringLiteral("*"));
    ASSERT_TRUE(commands->saveAs(projectFile));
    EXPECT_TRUE(QFile::exists(projectFile));
    EXPECT_EQ(run->main()->windowTitle(), QStringLiteral("office.ormevak - ") + example.path());
    edit();
    EXPECT_EQ(run->main()->windowTitle(), QStringLiteral("office.ormevak* - ") + example.path());
    ASSERT_TRUE(commands->save());
    EXPECT_FALSE(commands->isModified());
}

TEST_F(FileCommands, shortcutsAreTheUsualOnes) {
    EXPECT_EQ(commands->openAction()->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(commands->saveAction()->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_TRUE(run->main()->actions().contains(commands->saveAction()));
}

TEST_F(FileCommands, saveAsAddsTheExtension) {
    ASSERT_TRUE(commands->saveAs(QFileInfo(example.path()).path() + QStringLiteral("/plain")));
    EXPECT_TRUE(QFile::exists(QFileInfo(example.path()).path() + QStringLiteral("/plain.ormevak")));
}

TEST_F(FileCommands, closingWithNothingUnsavedAsksNothing) {
    int asked = 0;
    commands->setUnsavedQuestion([&](const QString&) {
        ++asked;
        return UnsavedChoice::Cancel;
    });
    run->main()->close();
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(run->finishedStatus, 0);
}

TEST_F(FileCommands, cancelKeepsTheWindowAndSaveWritesTheProject) {
    UnsavedChoice answer = UnsavedChoice::Cancel;
    int asked = 0;
    commands->setUnsavedQuestion([&](const QString&) {
        ++asked;
        return answer;
    });
    commands->setFileQuestion([&](bool, const QString&) { return projectFile; });
    edit();
    run->main()->close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(run->main()->isVisible());
    EXPECT_EQ(run->finishedStatus, -1);
    answer = UnsavedChoice::Save;
    run->main()->close();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(run->finishedStatus, 0);
    EXPECT_TRUE(QFile::exists(projectFile));
}

TEST_F(FileCommands, openingAProjectReplacesTheWindowWithTheSavedState) {
    edit();
    ASSERT_TRUE(commands->saveAs(projectFile));
    const bool enabled = run->project().groupEnabled[1] != 0;
    edit(); // unsaved: undone by opening the saved project
    commands->setUnsavedQuestion([](const QString&) { return UnsavedChoice::Discard; });
    // Followed by a guarded pointer: the new window may well be made at the old one's address.
    const QPointer<FrmFoot> before = run->main();
    commands->open(projectFile);
    // The old window's menu asked: the new one replaces it once that call has returned.
    EXPECT_TRUE(QTest::qWaitFor([&] { return before.isNull() && run->main() != nullptr; }, 5000));
    ASSERT_NE(run->main(), nullptr);
    EXPECT_TRUE(run->main()->isVisible());
    EXPECT_EQ(run->project().groupEnabled[1] != 0, enabled);
    EXPECT_EQ(run->main()->windowTitle(), QStringLiteral("office.ormevak - ") + example.path());
    EXPECT_EQ(run->finishedStatus, -1); // the run goes on
    EXPECT_EQ(ProjectCommands::recentProjects().value(0),
              QFileInfo(projectFile).absoluteFilePath());
}

TEST_F(FileCommands, aBadProjectIsRefusedAndTheCurrentOneStays) {
    QFile bad(projectFile);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("{\"format\": \"ORMEVAK project\", \"version\": 9}");
    bad.close();
    FrmFoot* before = run->main();
    commands->open(projectFile);
    QCoreApplication::processEvents();
    EXPECT_EQ(run->main(), before);
    ASSERT_FALSE(run->prompts.messages.empty());
    EXPECT_EQ(run->prompts.messages.back(),
              "Cannot open the project " + projectFile.toStdString() +
                  ": it was written by a newer version of ORMEVAK (project format version 9; this "
                  "version reads version 1)");
}

TEST(RecentProjects, keepsTheLastEightNewestFirst) {
    QStandardPaths::setTestModeEnabled(true);
    for (int i = 0; i < 10; ++i)
        ProjectCommands::rememberRecent(QStringLiteral("/p/%1.ormevak").arg(i));
    ProjectCommands::rememberRecent(QStringLiteral("/p/5.ormevak"));
    const QStringList files = ProjectCommands::recentProjects();
    ASSERT_EQ(files.size(), 8);
    EXPECT_EQ(files.first(), QStringLiteral("/p/5.ormevak"));
    EXPECT_EQ(files.at(1), QStringLiteral("/p/9.ormevak"));
    EXPECT_FALSE(files.contains(QStringLiteral("/p/1.ormevak")));
}

TEST(StartingFromAProject, opensStraightIntoTheMainWindow) {
    QStandardPaths::setTestModeEnabled(true);
    ExampleCopy example;
    const QString projectFile = QFileInfo(example.path()).path() + QStringLiteral("/p.ormevak");
    {
        auto first = startToMainWindow(example.path());
        ASSERT_NE(first->main(), nullptr);
        ASSERT_TRUE(first->session->projectCommands()->saveAs(projectFile));
    }
    WatchingPrompts prompts;
    DesktopSession session(prompts);
    ASSERT_TRUE(session.startProject(projectFile));
    EXPECT_EQ(session.startupDialog(), nullptr);
    ASSERT_NE(session.mainWindow(), nullptr);
    EXPECT_EQ(session.mainWindow()->windowTitle(), QStringLiteral("p.ormevak - ") + example.path());
    session.mainWindow()->close();
}

} // namespace
} // namespace ormevak::testing

namespace ormevak::testing {
namespace {

TEST(StartingFromAProject, aChangedAnalysisIsReportedInOneWindow) {
    QStandardPaths::setTestModeEnabled(true);
    ExampleCopy example;
    const QString projectFile = QFileInfo(example.path()).path() + QStringLiteral("/p.ormevak");
    {
        auto first = startToMainWindow(example.path());
        ASSERT_NE(first->main(), nullptr);
        ASSERT_TRUE(first->session->projectCommands()->saveAs(projectFile));
    }
    QFile analysis(example.path());
    ASSERT_TRUE(analysis.open(QIODevice::ReadOnly));
    QByteArray text = analysis.readAll();
    analysis.close();
    text.replace("217.56", "317.56");
    ASSERT_TRUE(analysis.open(QIODevice::WriteOnly | QIODevice::Truncate));
    analysis.write(text);
    analysis.close();

    WatchingPrompts prompts;
    DesktopSession session(prompts);
    ASSERT_TRUE(session.startProject(projectFile));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.titles.front(), "The analysis changed");
    EXPECT_EQ(prompts.messages.front().rfind("The analysis file " + example.path().toStdString() +
                                                 " changed since the project was saved\n"
                                                 "Reactions at joint 1 changed by more than 1 % "
                                                 "in load case 1",
                                             0),
              0u)
        << prompts.messages.front();
    session.mainWindow()->close();
}

} // namespace
} // namespace ormevak::testing
