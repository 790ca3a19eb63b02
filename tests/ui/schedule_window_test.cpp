// The footing schedule window: one row of controls per design row at the designed places, the
// row edits and clicks through the core, and the Excel, Print and Exit buttons.
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "design/schedule.h"
#include "model/numbers.h"
#include "office_project.h"
#include "output/plan_print.h"
#include "output/xlsx_writer.h"
#include "ui/frm_shd.h"
#include "ui/qt_prompts.h"
#include "ui/ui_helpers.h"

namespace ormevak::testing {
namespace {

// Standard output of a shell command ("" when it cannot run).
std::string commandOutput(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
    return out;
}

class ScheduleWindow : public OfficeProject {
  protected:
    void SetUp() override {
        OfficeProject::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_GE(p.designRowCount, 2);
        window = std::make_unique<FrmShd>(p, prompts);
        window->exitProgram = [this] { ++exits; };
        window->openWorkbook = [this](const QUrl& url) {
            opened.push_back(url);
            return openable;
        };
        window->showDesign();
        QCoreApplication::processEvents(); // layouts settle as in the event loop
    }
    template <class T = QLabel> T* control(const char* name, int n) {
        return window->findChild<T*>(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(n));
    }
    QString text(const char* name, int n) {
        if (auto* box = control<QLineEdit>(name, n)) return box->text();
        if (auto* label = control(name, n)) return label->text();
        return QStringLiteral("<missing>");
    }
    int twipsY(int t) const { return qRound(t * window->logicalDpiY() / 1440.0); }
    int twipsX(int t) const { return qRound(t * window->logicalDpiX() / 1440.0); }
    void typeInto(const char* name, int n, const char* typed, Qt::Key key) {
        QLineEdit* box = control<QLineEdit>(name, n);
        ASSERT_NE(box, nullptr);
        box->selectAll();
        QTest::keyClicks(box, QString::fromLatin1(typed));
        QTest::keyClick(box, key);
    }

    std::unique_ptr<FrmShd> window;
    int exits = 0;
    std::vector<QUrl> opened;
    bool openable = true; // whether a program opens the workbook
};

TEST_F(ScheduleWindow, showsOneRowPerDesignRowWithTheCoreTexts) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Footing Shedule"));
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(window->rowCount(), p.designRowCount);
    const auto& names = scheduleControlNames();
    for (int n = 1; n <= p.designRowCount; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(text("LabF1", n), QStringLiteral("F%1").arg(n));
        EXPECT_EQ(text("LabNos", n), QString::number(p.designRows[n].nosCount));
        EXPECT_EQ(text("TxtDepth", n), qs(formatNumber(p.designRows[n].depth)));
        for (size_t k = 0; k < names.size(); ++k)
            EXPECT_EQ(text(names[k], n), qs(p.designRowTexts[n][k])) << names[k];
    }
    EXPECT_EQ(control("LabF1", p.designRowCount + 1), nullptr);
    screenshot(*window, "frm_shd");
}

TEST_F(ScheduleWindow, headingRowCarriesTheDesignedCaptions) {
    EXPECT_EQ(text("LabF1", 0), QStringLiteral("GRP"));
    EXPECT_EQ(text("LabNos", 0), QStringLiteral("NO's"));
    EXPECT_EQ(text("LabMuBdd", 0), QStringLiteral("Mu/Bdd"));
    EXPECT_EQ(text("LabPS2", 0), QStringLiteral("2-PS"));
    // The heading's text boxes and diameter are hidden; plain labels show those headings.
    EXPECT_TRUE(control<QLineEdit>("TxtDepth", 0)->isHidden());
    EXPECT_TRUE(control<QLineEdit>("TxtPeda", 0)->isHidden());
    EXPECT_TRUE(control("LabGdia", 0)->isHidden());
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
              QStringLiteral("Depth"));
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("Peda"));
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Label3"))->text(), QStringLiteral("Dia"));
    // Twips at 15 per pixel on a 96 dpi screen.
    EXPECT_EQ(control("LabMuBdd", 0)->geometry(),
              QRect(twipsX(7605), twipsY(495), twipsX(735), twipsY(255)));
    EXPECT_EQ(control("LabGdia", 0)->frameShape(), QFrame::Box);
}

TEST_F(ScheduleWindow, rowsComeInPairs400ApartAnd600BetweenPairs) {
    EXPECT_EQ(control("LabF1", 1)->y(), twipsY(1100));
    EXPECT_EQ(control("LabF1", 2)->y(), twipsY(1500));
    EXPECT_EQ(control<QLineEdit>("TxtDepth", 2)->y(), twipsY(1500));
    if (p.designRowCount >= 3) {
        EXPECT_EQ(control("LabF1", 3)->y(), twipsY(2100));
    }
    // A row is a copy of the heading: same left, width and height.
    EXPECT_EQ(control<QLineEdit>("TxtPeda", 1)->x(), twipsX(4000));
    EXPECT_EQ(control<QLineEdit>("TxtPeda", 1)->size(), QSize(twipsX(735), twipsY(360)));
    EXPECT_EQ(control("LabSS1", 2)->height(), twipsY(375));
    EXPECT_EQ(control("LabGdia", 2)->frameShape(), QFrame::Box);
}

TEST_F(ScheduleWindow, aSecondDesignReplacesTheRowsOfTheFirst) {
    const int before = p.designRowCount;
    // Untick the smallest non-empty group: one row fewer.
    for (int g = 1; g < p.groupCount; ++g) {
        if (p.groups[g].nosCount > 0) {
            p.groupEnabled[g] = 0;
            break;
        }
    }
    ASSERT_TRUE(runDesign(p, prompts));
    ASSERT_LT(p.designRowCount, before);
    window->showDesign();
    EXPECT_EQ(window->rowCount(), p.designRowCount);
    EXPECT_EQ(control("LabF1", before), nullptr);
    EXPECT_EQ(window->findChildren<QLabel*>(QStringLiteral("LabF1_1")).size(), 1);
    EXPECT_EQ(text("LabSize", 1), qs(p.designRowTexts[1][col::LabSize]));
}

TEST_F(ScheduleWindow, depthBelowTheRequiredIsReplaced) {
    Project direct = p;
    const RowTexts expected = editDepth(direct, 1, "0.1");
    typeInto("TxtDepth", 1, "0.1", Qt::Key_Return);
    EXPECT_EQ(text("TxtDepth", 1), qs(expected[col::TxtDepth]));
    EXPECT_NE(text("TxtDepth", 1), QStringLiteral("0.1"));
    EXPECT_GE(text("TxtDepth", 1).toDouble(), 0.25); // least effective depth 0.19 + 0.06 cover
    EXPECT_EQ(p.designRows[1].depth, direct.designRows[1].depth);
    EXPECT_EQ(text("LabRods", 1), qs(expected[col::LabRods]));
}

TEST_F(ScheduleWindow, escapeRestoresTheStoredValues) {
    const QString depth = text("TxtDepth", 1);
    const QString pedestal = text("TxtPeda", 1);
    typeInto("TxtDepth", 1, "0.9x", Qt::Key_Escape);
    EXPECT_EQ(text("TxtDepth", 1), depth);
    typeInto("TxtPeda", 1, "0.123", Qt::Key_Escape);
    EXPECT_EQ(text("TxtPeda", 1), pedestal);
    // Text that is not a number is refused on Enter too, silently.
    typeInto("TxtDepth", 1, "abc", Qt::Key_Return);
    EXPECT_EQ(text("TxtDepth", 1), depth);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ScheduleWindow, pedestalEditRedesignsOrIsRefused) {
    const QString pedestal = text("TxtPeda", 1);
    // A pedestal as wide as the footing is refused (the test is strict).
    typeInto("TxtPeda", 1, text("LabSize", 1).toLatin1().constData(), Qt::Key_Return);
    EXPECT_EQ(text("TxtPeda", 1), pedestal);

    Project direct = p;
    const RowTexts expected = editPedestal(direct, 1, "0.5");
    typeInto("TxtPeda", 1, "0.5", Qt::Key_Return);
    EXPECT_EQ(text("TxtPeda", 1), QStringLiteral("0.5"));
    EXPECT_FLOAT_EQ(p.designRows[1].pedestal, 0.5f);
    EXPECT_EQ(text("TxtDepth", 1), qs(expected[col::TxtDepth]));
    EXPECT_EQ(text("LabCant", 1), qs(expected[col::LabCant]));
}

TEST_F(ScheduleWindow, fourDiameterClicksReturnToTheStart) {
    QLabel* dia = control("LabGdia", 1);
    const QString start = dia->text();
    ASSERT_TRUE(start == "10" || start == "12" || start == "16" || start == "20");
    QStringList seen{start};
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(dia, Qt::LeftButton);
        seen << dia->text();
    }
    EXPECT_EQ(seen.back(), start);
    const QStringList cycle{"10", "12", "16", "20", "10", "12", "16", "20"};
    const qsizetype at = cycle.indexOf(start);
    EXPECT_EQ(seen, cycle.mid(at, 5));
    EXPECT_EQ(QString::number(p.designRows[1].barDia), start);
}

TEST_F(ScheduleWindow, groupAndMemberClicksShowTheirMessages) {
    QTest::mouseClick(control("LabF1", 1), Qt::LeftButton);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], govMessage(p, 1));
    EXPECT_NE(prompts.messages[0].find("   "), std::string::npos);

    prompts.messages.clear();
    QTest::mouseClick(control("LabNos", 2), Qt::LeftButton);
    EXPECT_EQ(prompts.messages, memberMessages(p, 2));
    EXPECT_EQ(static_cast<int>(prompts.messages.size()), p.designRows[2].nosCount);
}

TEST_F(ScheduleWindow, exitBeyondTheDesignedWidthIsWithinReach) {
    auto* exit = window->findChild<QPushButton*>(QStringLiteral("CmdExit2"));
    EXPECT_EQ(exit->x(), twipsX(21720));
    EXPECT_EQ(window->size(), QSize(twipsX(18210), twipsY(8520)));
    auto* scroll = window->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    // The rows scroll in the whole window above the quantities footer.
    auto* footer = window->findChild<QLabel*>(QStringLiteral("LabQuantities"));
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(scroll->geometry(), window->rect().adjusted(0, 0, 0, -footer->height()));
    EXPECT_EQ(footer->geometry().bottom(), window->rect().bottom());
    EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible());
    scroll->ensureWidgetVisible(exit);
    EXPECT_TRUE(
        scroll->viewport()->rect().contains(exit->geometry().translated(scroll->widget()->pos())));
}

TEST_F(ScheduleWindow, exitEndsTheProgramWithoutAsking) {
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("CmdExit2")), Qt::LeftButton);
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ScheduleWindow, excelWritesTheWorkbookBesideTheAnalysisFile) {
    QString suggested;
    window->askWorkbookName = [&](QWidget*, const QString& s) {
        suggested = s;
        return s;
    };
    prompts.answers = {true};
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    EXPECT_EQ(suggested, dir.filePath(QStringLiteral("office-frame.xlsx")));
    ASSERT_TRUE(QFileInfo::exists(suggested));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(suggested));

    // The same cells as the output module writes by itself.
    const std::string direct = dir.filePath(QStringLiteral("direct.xlsx")).toStdString();
    writeWorkbook(p, direct);
    const std::string parts = " 'xl/workbook.xml' 'xl/sharedStrings.xml' 'xl/worksheets/*.xml'";
    const std::string viaButton =
        commandOutput("unzip -p '" + suggested.toStdString() + "'" + parts);
    if (viaButton.empty()) GTEST_SKIP() << "unzip is not available";
    EXPECT_EQ(viaButton, commandOutput("unzip -p '" + direct + "'" + parts));
    EXPECT_NE(viaButton.find("<sheetData>"), std::string::npos);
}

TEST_F(ScheduleWindow, excelReportsAFileThatCannotBeWritten) {
    const QString path = dir.filePath(QStringLiteral("no-such-folder/plan.xlsx"));
    window->askWorkbookName = [&](QWidget*, const QString&) { return path; };
    window->exportWorkbook();
    ASSERT_EQ(prompts.messages.size(), 1u); // the failure, and no offer to open
    EXPECT_NE(prompts.messages[0].find("plan.xlsx"), std::string::npos);
    EXPECT_EQ(prompts.icons[0], MessageIcon::Exclamation);
    EXPECT_TRUE(opened.empty());
}

TEST_F(ScheduleWindow, aWorkbookNoProgramOpensIsNamedWithItsPlace) {
    const QString path = dir.filePath(QStringLiteral("office-frame.xlsx"));
    window->askWorkbookName = [](QWidget*, const QString& suggested) { return suggested; };
    prompts.answers = {true};
    openable = false;
    window->exportWorkbook();
    ASSERT_EQ(opened.size(), 1u);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1],
              "No program could open the workbook. It is saved at " + path.toStdString());
    EXPECT_EQ(prompts.titles[1], "Excel");
    EXPECT_EQ(prompts.icons[1], MessageIcon::Exclamation);
}

TEST_F(ScheduleWindow, longNumbersWidenTheirColumnsInsteadOfANarrowerFont) {
    // "110.82" and the like are wider than the 500 twips of the Mu column.
    const auto& names = scheduleControlNames();
    for (int n = 0; n <= p.designRowCount; ++n) {
        SCOPED_TRACE(n);
        std::vector<QRect> shown;
        for (size_t k = 0; k < names.size(); ++k) {
            QWidget* w = control<QWidget>(names[k], n);
            ASSERT_NE(w, nullptr);
            if (w->isHidden()) continue;
            EXPECT_EQ(w->font().stretch(), window->font().stretch()) << names[k];
            if (auto* label = qobject_cast<QLabel*>(w)) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << names[k];
                if (k == col::LabGdia) { // the border clears the digits
                    EXPECT_GE(label->height(), label->sizeHint().height());
                }
            }
            shown.push_back(w->geometry());
        }
        std::sort(shown.begin(), shown.end(),
                  [](const QRect& a, const QRect& b) { return a.left() < b.left(); });
        for (size_t i = 1; i < shown.size(); ++i)
            EXPECT_GT(shown[i].left(), shown[i - 1].right()) << "columns overlap";
    }
    EXPECT_GE(control("LabMu", 3)->width(), control("LabMu", 3)->sizeHint().width());
}

TEST(ScheduleMessages, aScheduleMessageKeepsTheScheduleWindowActive) {
    // As in the application: the main window owns the boxes by default, the schedule window is
    // a window of its own over it.
    OfficeProjectData data;
    ASSERT_TRUE(data.ready);
    QWidget main;
    main.setWindowTitle(QStringLiteral("main"));
    main.resize(400, 300);
    main.show();
    QtPrompts prompts(&main);
    FrmShd schedule(data.p, prompts, &main);
    schedule.showDesign();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&schedule));

    QWidget* owner = nullptr;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            owner = box->parentWidget();
            box->accept();
        }
    });
    poll.start();
    auto* grp = schedule.findChild<QLabel*>(QStringLiteral("LabF1_1"));
    ASSERT_NE(grp, nullptr);
    QTest::mouseClick(grp, Qt::LeftButton);
    poll.stop();
    EXPECT_EQ(owner, &schedule);
    QTest::qWait(20);
    EXPECT_EQ(QApplication::activeWindow(), &schedule);
    EXPECT_EQ(prompts.parent(), &main); // the default owner again afterwards
}

TEST_F(ScheduleWindow, printToFileOffersTheAnalysisFilesFolder) {
    QString offered;
    QPrinter::OutputFormat format = QPrinter::PdfFormat;
    window->runPrintPreview = [&](QPrintPreviewDialog& dialog) {
        offered = dialog.printer()->outputFileName();
        format = dialog.printer()->outputFormat();
    };
    window->printPlanPreview();
    EXPECT_EQ(offered, dir.filePath(QStringLiteral("office-frame.pdf")));
    // Where the system has printers, the printer itself stays the default choice.
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        EXPECT_EQ(format, QPrinter::NativeFormat);
    }
}

TEST_F(ScheduleWindow, printThroughThePreviewGivesThePlanPdf) {
    const QString viaPrinter = dir.filePath(QStringLiteral("printed.pdf"));
    QPageSize::PageSizeId paper = QPageSize::Custom;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    bool previewShown = false;
    window->runPrintPreview = [&](QPrintPreviewDialog& dialog) {
        previewShown = true;
        QPrinter* printer = dialog.printer();
        paper = printer->pageLayout().pageSize().id();
        orientation = printer->pageLayout().orientation();
        // What "Print to File (PDF)" in the printer's dialog does.
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(viaPrinter);
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        preview->print();
    };
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("CmdP3")), Qt::LeftButton);
    ASSERT_TRUE(previewShown);
    EXPECT_EQ(paper, QPageSize::A3); // paper code 8
    // The frame is 25 m wide and 24 m deep with its margins: flatter than square.
    EXPECT_EQ(planOrientation(p), PageOrientation::Landscape);
    EXPECT_EQ(orientation, QPageLayout::Landscape);
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_TRUE(QFileInfo::exists(viaPrinter));
    if (const char* folder = std::getenv("ORMEVAK_SCREENSHOTS"))
        QFile::copy(viaPrinter, QDir(QString::fromLocal8Bit(folder)).filePath("printed.pdf"));

    const std::string direct = dir.filePath(QStringLiteral("direct.pdf")).toStdString();
    writePlanPdf(p, direct);
    const std::string printedText = commandOutput("pdftotext '" + viaPrinter.toStdString() + "' -");
    if (printedText.empty()) GTEST_SKIP() << "pdftotext is not available";
    EXPECT_EQ(printedText, commandOutput("pdftotext '" + direct + "' -"));
    EXPECT_NE(printedText.find("(8)"), std::string::npos);
    EXPECT_NE(printedText.find("4200"), std::string::npos);
}

TEST_F(ScheduleWindow, printPreviewShowsThePlanOnOnePage) {
    int pages = 0;
    window->runPrintPreview = [&](QPrintPreviewDialog& dialog) {
        dialog.resize(900, 650);
        dialog.show();
        QCoreApplication::processEvents();
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        preview->updatePreview();
        pages = preview->pageCount();
        screenshot(dialog, "print_preview");
        dialog.reject();
    };
    window->printPlanPreview();
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ScheduleWindow, printOfAPlanWithoutGridLinesIsReported) {
    p.gridX = {0};
    bool previewShown = false;
    window->runPrintPreview = [&](QPrintPreviewDialog&) { previewShown = true; };
    window->printPlanPreview();
    EXPECT_FALSE(previewShown);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.icons[0], MessageIcon::Exclamation);
}

} // namespace
} // namespace ormevak::testing
