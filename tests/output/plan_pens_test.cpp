// The pens of the printed plan: every line is drawn with the width and the dash pattern meant
// for paper, not as a hairline. A recording paint device stands in for the printer so that each
// outline can be read back with the pen it was drawn with.
#include "output/plan_print.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <gtest/gtest.h>

#include <vector>

#include "output/example_project.h"

namespace ormevak {
namespace {

struct DrawnShape {
    bool rectangle = false;
    QRectF bounds;
    qreal penWidth = 0;
    Qt::PenStyle style = Qt::SolidLine;
    QList<qreal> dashes;
};

// Records every line and rectangle with the pen current at the time; texts are left out.
class RecordingEngine : public QPaintEngine {
  public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& changed) override {
        if (changed.state() & QPaintEngine::DirtyPen) pen_ = changed.pen();
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) record(true, rects[i]);
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i)
            record(false, QRectF(lines[i].p1(), lines[i].p2()).normalized());
    }
    void drawPath(const QPainterPath& path) override { record(false, path.boundingRect()); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override {
        record(false, QPolygonF(QList<QPointF>(points, points + count)).boundingRect());
    }
    void drawTextItem(const QPointF&, const QTextItem&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    Type type() const override { return QPaintEngine::User; }

    std::vector<DrawnShape> shapes;

  private:
    void record(bool rectangle, const QRectF& bounds) {
        shapes.push_back(
            {rectangle, bounds, pen_.widthF(), pen_.style(),
             pen_.style() == Qt::CustomDashLine ? pen_.dashPattern() : QList<qreal>{}});
    }
    QPen pen_;
};

// A page of 7000 x 5000 dots at 600 dots per inch, like a laser printer's.
class RecordingPage : public QPaintDevice {
  public:
    QPaintEngine* paintEngine() const override { return &engine_; }
    RecordingEngine& engine() const { return engine_; }

  protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return 7000;
        case PdmHeight:
            return 5000;
        case PdmWidthMM:
            return 296;
        case PdmHeightMM:
            return 212;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 600;
        case PdmDepth:
            return 24;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

  private:
    mutable RecordingEngine engine_;
};

std::vector<DrawnShape> printedShapes() {
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tests_output";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv); // lives until the process ends
    }
    RecordingPage page;
    {
        QPainter painter(&page);
        painter.setFont(planPrinterFont());
        printPlan(testing::exampleProject(), painter, QRectF(0, 0, 7000, 5000));
    }
    return page.engine().shapes;
}

TEST(PlanPens, drawEveryLineWithItsWidthInPrinterDotsAndItsDashPattern) {
    const std::vector<DrawnShape> shapes = printedShapes();
    ASSERT_FALSE(shapes.empty());

    // Widths are given in dots of a 300 dpi printer: 1 dot = 600 / 300 = 2 device dots here,
    // 3 dots = 6 device dots. None may fall to a hairline (width 0) or below one device dot.
    int border = 0, gridLines = 0, footings = 0, disabled = 0;
    for (const DrawnShape& s : shapes) {
        EXPECT_TRUE(s.penWidth == 2.0 || s.penWidth == 6.0) << "pen width " << s.penWidth;
        if (s.penWidth == 6.0) {
            // Footings and combined footings: solid, 3 dots.
            EXPECT_EQ(s.style, Qt::SolidLine);
            if (s.rectangle) ++footings;
            continue;
        }
        ASSERT_EQ(s.style, Qt::CustomDashLine);
        if (s.dashes == QList<qreal>{9, 3, 2, 3, 2, 3}) {
            // The border and the grid lines: long dash, gap, dot, gap, dot, gap.
            ++(s.rectangle ? border : gridLines);
        } else {
            // The disabled footing's column outline: dash and gap.
            EXPECT_EQ(s.dashes, (QList<qreal>{6, 4}));
            EXPECT_TRUE(s.rectangle);
            ++disabled;
        }
    }
    EXPECT_EQ(border, 1);
    EXPECT_GE(gridLines, 4);
    EXPECT_EQ(disabled, 1); // joint 107
    // The footings drawn whole: all but the disabled one and the members of combined footings.
    EXPECT_GE(footings, 4);
}

} // namespace
} // namespace ormevak
