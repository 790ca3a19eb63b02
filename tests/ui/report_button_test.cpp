// The schedule window's Report button: the file offered beside the analysis file, the report
// written off the window's thread while the window keeps answering, the offer to open it, and
// a file that cannot be written.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "office_project.h"
#include "ui/frm_shd.h"
#include "ui/report_action.h"

namespace ormevak::testing {
namespace {

class ReportButton : public OfficeProject {
  protected:
    void SetUp() override {
        OfficeProject::SetUp();
        if (HasFatalFailure()) return;
        window = std::make_unique<FrmShd>(p, prompts);
        window->showDesign();
        action = window->reportAction();
        ASSERT_NE(action, nullptr);
        action->openReport = [this](const QUrl& url) {
            opened.push_back(url);
            return openable;
        };
        button = window->findChild<QPushButton*>(QStringLiteral("CmdReport"));
        ASSERT_NE(button, nullptr);
    }

    // Clicks Report and lets the event loop run until the work has ended.
    bool clickAndWait() {
        QSignalSpy spy(action, &ReportAction::finished);
        QTest::mouseClick(button, Qt::LeftButton);
        if (!action->running()) return false;
        EXPECT_FALSE(button->isEnabled()); // one report at a time
        EXPECT_TRUE(spy.wait(20000));
        return spy.count() == 1 && spy.at(0).at(0).toBool();
    }

    std::unique_ptr<FrmShd> window;
    ReportAction* action = nullptr;
    QPushButton* button = nullptr;
    std::vector<QUrl> opened;
    bool openable = true;
};

TEST_F(ReportButton, hasItsTextAndAccessibleName) {
    EXPECT_EQ(button->text(), QStringLiteral("Report"));
    EXPECT_EQ(button->accessibleName(), QStringLiteral("Write the calculation report"));
    EXPECT_TRUE(button->isVisible());
    screenshot(*window, "schedule-report-button");
}

TEST_F(ReportButton, writesTheReportBesideTheAnalysisFileAndOffersToOpenIt) {
    QString suggested;
    action->askReportName = [&](QWidget*, const QString& s) {
        suggested = s;
        return s;
    };
    prompts.answers = {true};
    ASSERT_TRUE(clickAndWait());
    EXPECT_EQ(suggested, dir.filePath(QStringLiteral("office-frame-report.pdf")));
    ASSERT_TRUE(QFileInfo::exists(suggested));
    QFile file(suggested);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], "The calculation report is written to " +
                                       suggested.toStdString() + ". Open it now? [OK]");
    EXPECT_EQ(prompts.titles[0], "Report");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(suggested));
    EXPECT_TRUE(button->isEnabled());
}

TEST_F(ReportButton, aNameWithoutExtensionGetsPdfAndCancelMeansNothing) {
    action->askReportName = [](QWidget*, const QString&) { return QString(); };
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(action->running());
    EXPECT_TRUE(prompts.messages.empty());

    const QString bare = dir.filePath(QStringLiteral("calc"));
    action->askReportName = [&](QWidget*, const QString&) { return bare; };
    prompts.answers = {false};
    ASSERT_TRUE(clickAndWait());
    EXPECT_TRUE(QFileInfo::exists(bare + QStringLiteral(".pdf")));
    EXPECT_TRUE(opened.empty()); // declined
}

TEST_F(ReportButton, theWindowKeepsAnsweringWhileTheReportIsMade) {
    action->askReportName = [&](QWidget*, const QString&) {
        return dir.filePath(QStringLiteral("r.pdf"));
    };
    prompts.answers = {false};
    QSignalSpy spy(action, &ReportAction::finished);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(action->running());
    // Timer events keep arriving at short intervals while the worker runs.
    QElapsedTimer clock;
    clock.start();
    qint64 longestGap = 0, last = 0;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longestGap = std::max(longestGap, now - last);
        last = now;
        ++ticks;
    });
    timer.start(10);
    ASSERT_TRUE(spy.wait(20000));
    timer.stop();
    EXPECT_GT(ticks, 0);
    EXPECT_LT(longestGap, 250) << "the window's event loop was held up";
}

TEST_F(ReportButton, aFileThatCannotBeWrittenIsReportedAndNothingIsLeft) {
    const QString path = dir.filePath(QStringLiteral("no-such-folder/r.pdf"));
    action->askReportName = [&](QWidget*, const QString&) { return path; };
    EXPECT_FALSE(clickAndWait());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].rfind("Cannot write " + path.toStdString() + ": ", 0), 0u)
        << prompts.messages[0];
    EXPECT_EQ(prompts.icons[0], MessageIcon::Exclamation);
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("no-such-folder"))));
    EXPECT_TRUE(button->isEnabled());
}

TEST_F(ReportButton, progressIsShownOnlyAfterHalfASecond) {
    action->askReportName = [&](QWidget*, const QString&) {
        return dir.filePath(QStringLiteral("r.pdf"));
    };
    prompts.answers = {false};
    QSignalSpy spy(action, &ReportAction::finished);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_NE(action->progress(), nullptr);
    EXPECT_EQ(action->progress()->minimumDuration(), 500);
    EXPECT_FALSE(action->progress()->isVisible()); // not at once
    EXPECT_EQ(action->progress()->accessibleName(), QStringLiteral("Calculation report progress"));
    ASSERT_TRUE(spy.wait(20000));
}

} // namespace
} // namespace ormevak::testing
