// The schedule window's Drawing command (PDF and DXF beside the analysis file) and its
// quantities footer.
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "drawing/quantities.h"
#include "model/numbers.h"
#include "office_project.h"
#include "ui/drawing_command.h"
#include "ui/frm_shd.h"

namespace ormevak {
namespace {

class DrawingCommand : public testing::OfficeProject {
  protected:
    void SetUp() override {
        OfficeProject::SetUp();
        window = std::make_unique<FrmShd>(p, prompts);
        window->showDesign();
    }
    std::unique_ptr<FrmShd> window;
};

TEST_F(DrawingCommand, writesThePdfAndTheDxfBesideTheAnalysisFile) {
    QString suggested;
    window->askDrawingName = [&](QWidget*, const QString& s) {
        suggested = s;
        return s;
    };
    auto* button = window->findChild<QPushButton*>(QStringLiteral("CmdDrawing"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Drawing"));
    EXPECT_FALSE(button->accessibleName().isEmpty());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(suggested, dir.filePath(QStringLiteral("office-frame-drawing.pdf")));
    QFile pdf(suggested), dxf(dir.filePath(QStringLiteral("office-frame-drawing.dxf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4) == "%PDF");
    ASSERT_TRUE(dxf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(dxf.readAll().contains("AC1009"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].rfind(
                  "The drawing is written to " + suggested.toStdString() + " and ", 0),
              0u)
        << prompts.messages[0];
    EXPECT_NE(prompts.messages[0].find("(A3, 1:"), std::string::npos);
    EXPECT_EQ(prompts.titles[0], "Drawing");
    screenshot(*window, "schedule-window-drawing");
}

TEST_F(DrawingCommand, cancellingTheDialogWritesNothing) {
    window->askDrawingName = [](QWidget*, const QString&) { return QString(); };
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("CmdDrawing")),
                      Qt::LeftButton);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("office-frame-drawing.pdf"))));
}

TEST_F(DrawingCommand, aFileThatCannotBeWrittenIsNamedAndNothingIsLeft) {
    const QString target = dir.filePath(QStringLiteral("missing/plan.pdf"));
    window->askDrawingName = [&](QWidget*, const QString&) { return target; };
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("CmdDrawing")),
                      Qt::LeftButton);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].rfind("Cannot write " + target.toStdString(), 0), 0u)
        << prompts.messages[0];
    EXPECT_EQ(prompts.icons[0], MessageIcon::Exclamation);
}

TEST_F(DrawingCommand, footerShowsTheTotalsAndFollowsARowEdit) {
    auto* footer = window->findChild<QLabel*>(QStringLiteral("LabQuantities"));
    ASSERT_NE(footer, nullptr);
    EXPECT_TRUE(footer->isVisible());
    const Quantities before = computeQuantities(p);
    const QString concrete =
        QString::fromStdString(formatNumber(static_cast<float>(roundTo(before.total.concrete, 3))));
    EXPECT_TRUE(footer->text().startsWith(QStringLiteral("Quantities: concrete ") + concrete +
                                          QStringLiteral(" m3")))
        << footer->text().toStdString();
    // A deeper row 1 means more concrete, and the footer says so at once.
    auto* depth = window->findChild<QWidget*>(QStringLiteral("TxtDepth_1"));
    ASSERT_NE(depth, nullptr);
    QTest::keyClick(depth, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(depth, QStringLiteral("0.9"));
    QTest::keyClick(depth, Qt::Key_Return);
    EXPECT_GT(computeQuantities(p).total.concrete, before.total.concrete);
    EXPECT_EQ(footer->text(), quantitiesText(p));
    EXPECT_NE(footer->text(), QStringLiteral("Quantities: concrete ") + concrete);
}

} // namespace
} // namespace ormevak
