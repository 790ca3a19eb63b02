// The printed footing plan: page rule, user scale, the two text helpers, the texts the plan
// carries, and the PDF file read back with poppler's tools.
#include "output/plan_print.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "model/errors.h"
#include "output/example_project.h"

namespace ormevak {
namespace {

namespace fs = std::filesystem;
using testing::exampleProject;
using testing::freshFolder;
using testing::readAll;

// Fonts and painters need an application object; one for the whole test program.
class GuiEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (QCoreApplication::instance() != nullptr) return;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tests_output";
        static char* argv[] = {name, nullptr};
        app_ = new QGuiApplication(argc, argv);
    }

  private:
    QGuiApplication* app_ = nullptr; // lives until the process ends
};
[[maybe_unused]] ::testing::Environment* const guiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

// A plan taller than wide: one column line, three rows 6 m apart.
Project tallProject() {
    Project p;
    p.supportReaction.resize(1);
    for (int i = 0; i < 3; ++i) {
        testing::addFooting(p,
                            {201 + i, 0, 1, 0, 6000 * i, 2.0f, 2.0f, {{100, 0, 0}, {100, 0, 0}}});
    }
    testing::setGrid(p.gridX, {0});
    testing::setGrid(p.gridZ, {0, 6000, 12000});
    return p;
}

std::string run(const std::string& command) {
    const fs::path out = fs::temp_directory_path() / ("ormevak-run-" + std::to_string(::getpid()));
    EXPECT_EQ(std::system((command + " > '" + out.string() + "' 2>&1").c_str()), 0) << command;
    std::string text = readAll(out);
    fs::remove(out);
    return text;
}

std::string pageSizeOf(const fs::path& pdf) {
    const std::string info = run("pdfinfo '" + pdf.string() + "'");
    const size_t at = info.find("Page size:");
    if (at == std::string::npos) return info;
    const size_t end = info.find('\n', at);
    std::string line = info.substr(at + 10, end - at - 10);
    line.erase(0, line.find_first_not_of(' '));
    return line;
}

// An image page of 1000 x 700 pixels at 100 dots per inch.
QImage imagePage() {
    QImage image(1000, 700, QImage::Format_RGB32);
    image.setDotsPerMeterX(3937);
    image.setDotsPerMeterY(3937);
    image.fill(Qt::white);
    return image;
}

const PrintedText* find(const std::vector<PrintedText>& texts, const std::string& text) {
    auto it = std::find_if(texts.begin(), texts.end(),
                           [&](const PrintedText& t) { return t.text == text; });
    return it == texts.end() ? nullptr : &*it;
}

TEST(PlanExtent, addsTwoMetresAroundTheGridLines) {
    const PlanExtent e = planExtent(exampleProject());
    EXPECT_EQ(e.width, 15000);
    EXPECT_EQ(e.height, 9000);
    EXPECT_EQ(e.left, -2000);
    EXPECT_EQ(e.top, -2000);
}

TEST(PlanOrientation, isLandscapeForAWidePlanAndPortraitFromSquareOn) {
    EXPECT_EQ(planOrientation(exampleProject()), PageOrientation::Landscape);
    EXPECT_EQ(planOrientation(tallProject()), PageOrientation::Portrait);
    Project square = tallProject();
    testing::setGrid(square.gridX, {0, 12000});
    EXPECT_EQ(planOrientation(square), PageOrientation::Portrait);
}

TEST(PlanExtent, refusesAPlanWithoutGridLines) {
    Project p = exampleProject();
    p.gridZ.assign(1, 0);
    try {
        planExtent(p);
        FAIL() << "no error";
    } catch (const OutputError& e) {
        EXPECT_STREQ(e.what(), "The plan has no grid lines: plan not printed");
    }
}

TEST(PlanScale, scalesAFlatterPlanToItsWidthWithTheBareSecondCorner) {
    const UserScale s = planScale(planExtent(exampleProject()), 0.7);
    EXPECT_EQ(s, (UserScale{-2000, -2000, 15000, 15000 * 0.7}));
}

TEST(PlanScale, scalesANarrowerPlanToItsHeight) {
    const UserScale s = planScale(planExtent(tallProject()), 1.4);
    EXPECT_EQ(s, (UserScale{-2000, -2000, 16000 / 1.4, 16000}));
}

TEST(PrintSurface, measuresInTwipsUntilTheScaleIsSet) {
    QImage image = imagePage();
    QPainter painter(&image);
    painter.setFont(planPrinterFont());
    PrintSurface s(painter, QRectF(0, 0, 1000, 700));
    EXPECT_DOUBLE_EQ(s.scale().right, 1000 * 14.4);
    // A 10 point font is a little over 200 twips high.
    EXPECT_GT(s.textHeight("H"), 180);
    EXPECT_LT(s.textHeight("H"), 300);
}

TEST(PrintAligned, putsTheLeftEndTheMiddleOrTheRightEndAtX) {
    QImage image = imagePage();
    QPainter painter(&image);
    painter.setFont(planPrinterFont());
    PrintSurface s(painter, QRectF(0, 0, 1000, 700));
    s.setScale({0, 0, 10000, 7000});
    const double width = s.textWidth("2.45");
    printAligned(s, "2.45", 5000, 1000, Align::Left);
    printAligned(s, "2.45", 5000, 2000, Align::Centre);
    printAligned(s, "2.45", 5000, 3000, Align::Right);
    ASSERT_EQ(s.printed().size(), 3u);
    EXPECT_DOUBLE_EQ(s.printed()[0].x, 5000);
    EXPECT_DOUBLE_EQ(s.printed()[1].x, 5000 - width / 2);
    EXPECT_DOUBLE_EQ(s.printed()[2].x, 5000 - width);
    EXPECT_DOUBLE_EQ(s.printed()[2].y, 3000);
    EXPECT_NEAR(s.printed()[2].deviceBounds.right(), 500, 0.5);
    EXPECT_NEAR(s.printed()[1].deviceBounds.top(), 200, 1e-9); // the top of the text at y
}

TEST(PrintVertical, startsAtXAndIsCentredOnY) {
    QImage image = imagePage();
    QPainter painter(&image);
    painter.setFont(planPrinterFont());
    PrintSurface s(painter, QRectF(0, 0, 1000, 700));
    s.setScale({0, 0, 10000, 7000});
    printVertical(s, "12000", 3000, 4000);
    ASSERT_EQ(s.printed().size(), 1u);
    const PrintedText& t = s.printed()[0];
    EXPECT_TRUE(t.vertical);
    EXPECT_NEAR(t.deviceBounds.left(), 300, 1e-9);
    EXPECT_NEAR(t.deviceBounds.center().y(), 400, 1.0);         // whole device pixels
    EXPECT_GT(t.deviceBounds.height(), t.deviceBounds.width()); // reads upward
}

TEST(PrintPlan, carriesJointLabelsMarksSizesDistancesAndCombinedFootings) {
    QImage image = imagePage();
    QPainter painter(&image);
    painter.setFont(planPrinterFont());
    const std::vector<PrintedText> texts =
        printPlanTexts(exampleProject(), painter, QRectF(0, 0, 1000, 700));
    std::vector<std::string> horizontal, vertical;
    for (const PrintedText& t : texts) (t.vertical ? vertical : horizontal).push_back(t.text);
    std::sort(horizontal.begin(), horizontal.end());
    std::sort(vertical.begin(), vertical.end());

    // Z distances, the width of the resized footing, the along-X combined footing's width, the
    // along-Z one's label and length. The disabled footing (joint 107) is not built: its joint
    // only, no size and no mark.
    EXPECT_EQ(vertical, (std::vector<std::string>{"1.35", "2.2", "2500", "2500", "3.5", "CF- 2"}));
    EXPECT_EQ(horizontal,
              (std::vector<std::string>{"(101)", "(102)", "(103)", "(104)", "(105)", "(106)",
                                        "(107)", "(108)", "(109)",
                                        "1.2", // width of CF- 2
                                        "1.8",   "2",     "2",     "2.4",
                                        "2500",         // span of CF- 2
                                        "3000",         // X distance
                                        "3050",         // X distance and span of CF- 1
                                        "3050",  "4.1", // length of CF- 1
                                        "4000",  "500",   "500",   "500",   "550", // projections
                                        "950",   "CF- 1", "F1",    "F1",    "F2",    "R1"}));
}

TEST(PrintPlan, centresTheJointLabelUnderTheColumnAndPutsProjectionsBesideIt) {
    QImage image = imagePage();
    QPainter painter(&image);
    painter.setFont(planPrinterFont());
    const QRectF page(0, 0, 1000, 700);
    const std::vector<PrintedText> texts = printPlanTexts(exampleProject(), painter, page);
    PrintSurface s(painter, page);
    s.setScale(planScale(planExtent(exampleProject()), 0.7));
    const PrintedText* label = find(texts, "(104)");
    ASSERT_NE(label, nullptr);
    EXPECT_NEAR(label->deviceBounds.center().x(), s.toDevice(2000, 0).x(), 1e-6);
    EXPECT_NEAR(label->deviceBounds.top(), s.toDevice(0, 7150).y(), 1e-6);
    // Along X the first projection ends 300 left of its column, the second starts 300 right.
    const PrintedText* cant2 = find(texts, "550");
    ASSERT_NE(cant2, nullptr);
    EXPECT_NEAR(cant2->x, 7050 + 2000 + 300, 1e-9);
}

// The combined footing along Z (CF- 2: outline x 10400..11600, z -500..3000, columns at
// x 11000, z 0 and 2500; the print adds 2000 to both axes): its label reads upward inside the
// right edge, centred one text height below the middle; the span is centred on the column line
// half a text height above the middle; the projections are centred on the column line beyond
// each column.
TEST(PrintPlan, placesTheLabelSpanAndProjectionsOfACombinedFootingAlongZ) {
    QImage image = imagePage();
    QPainter painter(&image);
    painter.setFont(planPrinterFont());
    const QRectF page(0, 0, 1000, 700);
    const std::vector<PrintedText> texts = printPlanTexts(exampleProject(), painter, page);
    PrintSurface s(painter, page);
    const double th = s.textHeight("H"); // in twips, used as plan millimetres by the plan
    s.setScale(planScale(planExtent(exampleProject()), 0.7));

    const PrintedText* label = find(texts, "CF- 2");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->vertical);
    EXPECT_NEAR(label->x, 13600 - th, 1e-6);
    // Turned text stands on whole device pixels: within a pixel and a half.
    EXPECT_NEAR(label->deviceBounds.center().y(), s.toDevice(0, 3250 + th).y(), 1.5);

    const PrintedText* span = nullptr;
    for (const PrintedText& t : texts)
        if (t.text == "2500" && !t.vertical) span = &t;
    ASSERT_NE(span, nullptr);
    EXPECT_NEAR(span->deviceBounds.center().x(), s.toDevice(13000, 0).x(), 1.0);
    EXPECT_NEAR(span->y, 3250 - th / 2, 1e-6);

    int projections = 0;
    for (const PrintedText& t : texts) {
        if (t.text != "500" || t.vertical) continue;
        const bool first = std::fabs(t.y - (2000 - th - 150)) < 1e-6;
        const bool second = std::fabs(t.y - (4500 + th + 150)) < 1e-6;
        if (!first && !second) continue;
        ++projections;
        EXPECT_NEAR(t.deviceBounds.center().x(), s.toDevice(13000, 0).x(), 1.0) << t.y;
    }
    EXPECT_EQ(projections, 2);
}

TEST(PrintPlan, turnsTheAxisOverWhenThePlanStandsBeyondTheBareSecondCorner) {
    // One column line at X 30000: the scale runs from X0 = 28000 to the bare H / r = 22857, so x
    // grows to the left and the plan falls off the page's left edge, as the user scale puts it.
    Project p = tallProject();
    for (int i = 1; i <= p.footingCount; ++i) p.footings[static_cast<size_t>(i)].x = 30000;
    testing::setGrid(p.gridX, {30000});
    QImage image = imagePage();
    QPainter painter(&image);
    painter.setFont(planPrinterFont());
    const QRectF page(0, 0, 1000, 700);
    const std::vector<PrintedText> texts = printPlanTexts(p, painter, page);
    PrintSurface s(painter, page);
    s.setScale(planScale(planExtent(p), 0.7));
    EXPECT_EQ(s.scale(), (UserScale{28000, -2000, 16000 / 0.7, 16000}));
    const PrintedText* label = find(texts, "(202)");
    ASSERT_NE(label, nullptr);
    EXPECT_NEAR(label->deviceBounds.center().x(), s.toDevice(32000, 0).x(), 1e-6);
    EXPECT_LT(label->deviceBounds.right(), 0);
    EXPECT_NE(find(texts, "6000"), nullptr);
}

TEST(PrintPlan, refusesAScaleWithoutExtent) {
    // X0 = 10000 - 2000 equals the bare W = 14000 - 10000 + 4000 of a plan flatter than the page.
    Project p = exampleProject();
    testing::setGrid(p.gridX, {10000, 14000});
    testing::setGrid(p.gridZ, {0});
    QImage image = imagePage();
    QPainter painter(&image);
    try {
        printPlan(p, painter, QRectF(0, 0, 1000, 700));
        FAIL() << "no error";
    } catch (const OutputError& e) {
        EXPECT_STREQ(e.what(), "The plan cannot be scaled to the page: plan not printed");
    }
}

TEST(PrintPlan, refusesAPageWithoutWidth) {
    QImage image = imagePage();
    QPainter painter(&image);
    EXPECT_THROW(printPlan(exampleProject(), painter, QRectF(0, 0, 0, 700)), OutputError);
}

TEST(WritePlanPdf, printsAWidePlanOnALandscapeA3Page) {
    const fs::path dir = freshFolder("pdf-wide");
    const fs::path pdf = dir / "plan.pdf";
    writePlanPdf(exampleProject(), pdf.string());
    EXPECT_EQ(pageSizeOf(pdf), "1191 x 842 pts (A3)");
    EXPECT_NE(run("pdfinfo '" + pdf.string() + "'").find("Pages:           1"), std::string::npos);
    const std::string text = run("pdftotext '" + pdf.string() + "' -");
    EXPECT_EQ(text.find("R0"), std::string::npos); // the disabled footing carries no mark
    for (const char* expected :
         {"(101)", "(107)", "(109)", "F1", "F2", "R1", "CF- 1", "CF- 2", "950", "3050", "4000",
          "2500", "2.4", "1.35", "4.1", "3.5", "550"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " not in:\n" << text;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    testing::removeUnlessKept(dir);
}

TEST(WritePlanPdf, printsATallPlanOnAPortraitA3Page) {
    const fs::path dir = freshFolder("pdf-tall");
    const fs::path pdf = dir / "plan.pdf";
    writePlanPdf(tallProject(), pdf.string());
    EXPECT_EQ(pageSizeOf(pdf), "842 x 1191 pts (A3)");
    const std::string text = run("pdftotext '" + pdf.string() + "' -");
    for (const char* expected : {"(201)", "(203)", "6000", "F1"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    testing::removeUnlessKept(dir);
}

TEST(WritePlanPdf, reportsAnUnwritablePathAndLeavesNoFile) {
    const fs::path dir = freshFolder("pdf-unwritable");
    const std::string target = (dir / "missing" / "plan.pdf").string();
    try {
        writePlanPdf(exampleProject(), target);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot write " + target + ": ", 0), 0u) << e.what();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 0);
    testing::removeUnlessKept(dir);
}

TEST(WritePlanPdf, writesNothingForAPlanWithoutGridLines) {
    const fs::path dir = freshFolder("pdf-nogrid");
    const fs::path pdf = dir / "plan.pdf";
    Project p = exampleProject();
    p.gridX.assign(1, 0);
    EXPECT_THROW(writePlanPdf(p, pdf.string()), OutputError);
    EXPECT_FALSE(fs::exists(pdf));
    testing::removeUnlessKept(dir);
}

} // namespace
} // namespace ormevak
