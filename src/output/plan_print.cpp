// The printed footing layout plan: grid lines with their distances, columns, footings with their
// sizes and marks, combined footings with their dimensions, on one page.
#include "output/plan_print.h"

#include <cmath>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

#include <unistd.h>

#include "model/atomic_file.h"
#include "model/errors.h"
#include "model/marks.h"
#include "model/numbers.h"
#include "plan/plan_labels.h"

namespace ormevak {

namespace {

// A printer's text measures are in twips, 1/1440 inch.
constexpr double twipsPerInch = 1440.0;
// Line widths count the dots of a 300 dpi printer.
constexpr double lineDotsPerInch = 300.0;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

double dpiX(const QPainter& painter) {
    return painter.device()->logicalDpiX();
}
double dpiY(const QPainter& painter) {
    return painter.device()->logicalDpiY();
}

QFontMetricsF metrics(const QPainter& painter) {
    return QFontMetricsF(painter.font(), painter.device());
}

int gridCount(const std::vector<int32_t>& grid) {
    return grid.empty() ? 0 : grid[0];
}

} // namespace

// The PDF is drawn in the batch tool too, which has no application object of its own; fonts need
// one. It lives until the process ends.
void ensureGuiApplication(const char* refusal) {
    if (QCoreApplication::instance() != nullptr) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
            throw OutputError(refusal);
        }
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a runtime folder Qt warns on standard error, where the batch tool keeps only its
    // own messages; a private folder of our own keeps it quiet.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + "/ormevak-runtime-" + QString::number(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    static int argc = 1;
    static char name[] = "ormevak";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

QPageSize planPageSize() {
    return QPageSize(QPageSize::A3);
}

QFont planPrinterFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSize(10);
    return font;
}

PlanExtent planExtent(const Project& project) {
    const int nx = gridCount(project.gridX);
    const int nz = gridCount(project.gridZ);
    if (nx < 1 || nz < 1) throw OutputError("The plan has no grid lines: plan not printed");
    const long long x1 = project.gridX.at(1), xn = project.gridX.at(static_cast<size_t>(nx));
    const long long z1 = project.gridZ.at(1), zn = project.gridZ.at(static_cast<size_t>(nz));
    PlanExtent e;
    e.width = xn - x1 + 4000;
    e.height = zn - z1 + 4000;
    e.left = x1 - 2000;
    e.top = z1 - 2000;
    return e;
}

PageOrientation planOrientation(const Project& project) {
    const PlanExtent e = planExtent(project);
    const double ratio = static_cast<double>(e.height) / static_cast<double>(e.width);
    return ratio >= 1.0 ? PageOrientation::Portrait : PageOrientation::Landscape;
}

UserScale planScale(const PlanExtent& extent, double pageRatio) {
    const double w = static_cast<double>(extent.width);
    const double h = static_cast<double>(extent.height);
    UserScale s;
    s.left = static_cast<double>(extent.left);
    s.top = static_cast<double>(extent.top);
    if (h / w < pageRatio) {
        s.right = w;
        s.bottom = w * pageRatio;
    } else {
        s.right = h / pageRatio;
        s.bottom = h;
    }
    return s;
}

// ---- PrintSurface ----

PrintSurface::PrintSurface(QPainter& painter, const QRectF& page) : painter_(painter), page_(page) {
    scale_.right = page.width() * twipsPerInch / dpiX(painter);
    scale_.bottom = page.height() * twipsPerInch / dpiY(painter);
}

void PrintSurface::setScale(const UserScale& scale) {
    // A second corner before the first turns the axis over, as a printer's user scale does (a
    // plan far from the origin); only a scale without extent, a division by zero, is refused.
    const double across = scale.right - scale.left;
    const double down = scale.bottom - scale.top;
    if (across == 0 || down == 0 || !std::isfinite(across) || !std::isfinite(down)) {
        throw OutputError("The plan cannot be scaled to the page: plan not printed");
    }
    scale_ = scale;
}

double PrintSurface::deviceUnitsX() const {
    return page_.width() / (scale_.right - scale_.left);
}
double PrintSurface::deviceUnitsY() const {
    return page_.height() / (scale_.bottom - scale_.top);
}

QPointF PrintSurface::toDevice(double x, double y) const {
    return {page_.left() + (x - scale_.left) * deviceUnitsX(),
            page_.top() + (y - scale_.top) * deviceUnitsY()};
}

double PrintSurface::textWidth(const std::string& text) const {
    return metrics(painter_).horizontalAdvance(qs(text)) / deviceUnitsX();
}

double PrintSurface::textHeight(const std::string& /*text*/) const {
    return metrics(painter_).height() / deviceUnitsY();
}

void PrintSurface::setLine(int width, LineStyle style) {
    QPen pen(Qt::black);
    pen.setWidthF(width * dpiX(painter_) / lineDotsPerInch);
    pen.setCapStyle(Qt::FlatCap);
    if (style == LineStyle::DashDotDot) {
        // In pen widths: long dash, gap, dot, gap, dot, gap; long enough to read on paper.
        pen.setDashPattern({9, 3, 2, 3, 2, 3});
    } else if (style == LineStyle::Dash) {
        pen.setDashPattern({6, 4});
    }
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

void PrintSurface::line(double x1, double y1, double x2, double y2) {
    painter_.drawLine(QLineF(toDevice(x1, y1), toDevice(x2, y2)));
}

void PrintSurface::rectangle(double x1, double y1, double x2, double y2) {
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(toDevice(x1, y1), toDevice(x2, y2)).normalized());
}

void PrintSurface::setCurrentPosition(double x, double y) {
    currentX_ = x;
    currentY_ = y;
}

void PrintSurface::print(const std::string& text) {
    const QFontMetricsF fm = metrics(painter_);
    const QPointF at = toDevice(currentX_, currentY_);
    painter_.drawText(QPointF(at.x(), at.y() + fm.ascent()), qs(text));
    printed_.push_back({text, currentX_, currentY_, false,
                        QRectF(at.x(), at.y(), fm.horizontalAdvance(qs(text)), fm.height())});
}

void PrintSurface::printTurned(const std::string& text, QPointF device) {
    const QFontMetricsF fm = metrics(painter_);
    painter_.save();
    painter_.translate(device);
    painter_.rotate(-90); // counter-clockwise on the page: the text reads upward
    painter_.drawText(QPointF(0, fm.ascent()), qs(text));
    painter_.restore();
    const double advance = fm.horizontalAdvance(qs(text));
    printed_.push_back({text, currentX_, currentY_, true,
                        QRectF(device.x(), device.y() - advance, fm.height(), advance)});
}

void printAligned(PrintSurface& surface, const std::string& text, double x, double y, Align align) {
    double left = x;
    if (align == Align::Centre) left = x - surface.textWidth(text) / 2;
    if (align == Align::Right) left = x - surface.textWidth(text);
    surface.setCurrentPosition(left, y);
    surface.print(text);
}

void printVertical(PrintSurface& surface, const std::string& text, double x, double y) {
    // The upward text starts at its lower end: half its length below y centres it on y.
    surface.setCurrentPosition(x, y + surface.textWidth(text) / 2);
    const UserScale& s = surface.scale();
    const QRectF& page = surface.page();
    const double px = roundTo((surface.currentX() - s.left) * page.width() / (s.right - s.left), 0);
    const double py = roundTo((surface.currentY() - s.top) * page.height() / (s.bottom - s.top), 0);
    surface.printTurned(text, QPointF(page.left() + px, page.top() + py));
}

// ---- the plan ----

namespace {

// Calls f(position, previous position, distance, whether there is a previous line) for every
// grid line of one axis, in plan units: the distance is the gap to the previous line.
template <class F> void forEachGridLine(const std::vector<int32_t>& grid, F&& f) {
    const int n = gridCount(grid);
    double prev = 0;
    for (int j = 1; j <= n; ++j) {
        const double at = grid.at(static_cast<size_t>(j)) + 2000.0;
        const long long distance = j >= 2 ? static_cast<long long>(grid[static_cast<size_t>(j)]) -
                                                grid[static_cast<size_t>(j - 1)]
                                          : 0;
        f(at, prev, distance, j >= 2);
        prev = at;
    }
}

// The grid lines across the plan with the distances between them: along Z printed upwards at
// the left edge, along X at the top edge.
void printGrids(const Project& project, PrintSurface& s, double w, double h, double tw, double th) {
    forEachGridLine(project.gridZ, [&](double z, double zPrev, long long distance, bool gap) {
        s.line(0, z, w, z);
        if (gap) printVertical(s, formatInt(distance), th + 50, (z + zPrev) / 2 - tw);
    });
    forEachGridLine(project.gridX, [&](double x, double xPrev, long long distance, bool gap) {
        s.line(x, 0, x, h);
        if (gap) printAligned(s, formatInt(distance), (x + xPrev) / 2 - tw, 50, Align::Left);
    });
}

// Footing i: its joint cross and number, then its outline, size and mark unless it is drawn
// with its combined footing. Leaves the solid footing pen set.
void printFooting(const Project& project, PrintSurface& s, int i, double th) {
    const FootingRecord& f = project.footings.at(static_cast<size_t>(i));
    const double x = f.x + 2000.0;
    const double z = f.z + 2000.0;
    s.line(x - 150, z, x + 150, z);
    s.line(x, z - 150, x, z + 150);
    printAligned(s, "(" + formatInt(f.jointNo) + ")", x, z + 150, Align::Centre);
    if (f.isCombined()) return; // drawn with its combined footing
    if (f.isDisabled()) {
        // Not built: the column's place only, dashed, with no size and no mark.
        const ColumnOutline column = columnOutline(project, i);
        s.setLine(1, LineStyle::Dash);
        s.rectangle(x - column.halfX, z - column.halfZ, x + column.halfX, z + column.halfZ);
        s.setLine(3, LineStyle::Solid);
        return;
    }

    const double hl = f.lenL * 1000.0 / 2;
    const double hw = f.widB * 1000.0 / 2;
    s.rectangle(x - hl, z - hw, x + hl, z + hw);
    printAligned(s, formatNumber(f.lenL), x, z - hw + 50, Align::Centre);
    // A resized footing also shows its width.
    if (f.isResized()) printVertical(s, formatNumber(f.widB), x - hl + th, z + 2 * th);
    printAligned(s, footingMark(f), x, z - 150 - th, Align::Centre);
}

// Combined footing k: its outline, CF label and sides, and the cantilevers and span between its
// two columns.
void printCombined(const Project& project, PrintSurface& s, int k, double th) {
    const CombinedRecord& c = project.combinedFootings.at(static_cast<size_t>(k));
    const double x1 = c.xMin + 2000.0, z1 = c.zMin + 2000.0;
    const double x2 = c.xMax + 2000.0, z2 = c.zMax + 2000.0;
    s.rectangle(x1, z1, x2, z2);

    const std::string label = "CF- " + formatInt(k);
    if (c.orientation == 1) {
        printAligned(s, label, (x1 + x2) / 2, z2 - th, Align::Centre);
        printVertical(s, formatNumber(c.width), x1, (z1 + z2) / 2);
        printAligned(s, formatNumber(c.length), (x1 + x2) / 2, z1, Align::Left);
    } else {
        printVertical(s, label, x2 - th, (z1 + z2) / 2 + th);
        printVertical(s, formatNumber(c.length), x1, (z1 + z2) / 2);
        printAligned(s, formatNumber(c.width), (x1 + x2) / 2, z1, Align::Left);
    }

    const int m1 = c.members[1], m2 = c.members[2];
    if (m1 < 1 || m1 > project.footingCount || m2 < 1 || m2 > project.footingCount) {
        return; // an incomplete combined footing has no columns to dimension
    }
    const FootingRecord& fa = project.footings.at(static_cast<size_t>(m1));
    const FootingRecord& fb = project.footings.at(static_cast<size_t>(m2));
    const double xa = fa.x + 2000.0, za = fa.z + 2000.0;
    const double xb = fb.x + 2000.0, zb = fb.z + 2000.0;
    const std::string cant1 = formatInt(static_cast<long long>(intFloor(c.cant1 * 1000.0)));
    const std::string cant2 = formatInt(static_cast<long long>(intFloor(c.cant2 * 1000.0)));
    const std::string span = formatNumber(c.span);
    if (c.orientation != 0) {
        const double hText = s.textHeight(" H");
        printAligned(s, cant1, xa - 300, za - hText / 2, Align::Right);
        printAligned(s, cant2, xb + 300, zb - hText / 2, Align::Left);
        printAligned(s, span, (xa + xb) / 2, za, Align::Centre);
    } else {
        printAligned(s, cant1, xa, za - th - 150, Align::Centre);
        printAligned(s, cant2, xb, zb + th + 150, Align::Centre);
        printAligned(s, span, xa, (za + zb) / 2 - th / 2, Align::Centre);
    }
}

void drawPlan(const Project& project, PrintSurface& s) {
    const PlanExtent extent = planExtent(project);
    const QRectF& page = s.page();
    if (!(page.width() > 0) || !(page.height() > 0)) {
        throw OutputError("The page has no size: plan not printed");
    }

    // Measured in twips before the scale is set, then used as lengths of the plan.
    const double tw = s.textWidth("983");
    const double th = s.textHeight("H");

    const double w = static_cast<double>(extent.width);
    const double h = static_cast<double>(extent.height);
    s.setScale(planScale(extent, page.height() / page.width()));

    s.setLine(1, LineStyle::DashDotDot);
    s.rectangle(50, 50, w - 50, h - 50);
    printGrids(project, s, w, h, tw, th);

    s.setLine(3, LineStyle::Solid);
    for (int i = 1; i <= project.footingCount; ++i) printFooting(project, s, i, th);
    for (int k = 1; k <= project.combinedCount; ++k) printCombined(project, s, k, th);
}

} // namespace

std::vector<PrintedText> printPlanTexts(const Project& project, QPainter& painter,
                                        const QRectF& page) {
    painter.save();
    PrintSurface surface(painter, page);
    try {
        drawPlan(project, surface);
    } catch (...) {
        painter.restore();
        throw;
    }
    painter.restore();
    return surface.printed();
}

void printPlan(const Project& project, QPainter& painter, const QRectF& page) {
    (void)printPlanTexts(project, painter, page);
}

void writePlanPdf(const Project& project, const std::string& path) {
    // Judged before the file is opened, so a plan that cannot be printed leaves nothing behind.
    const PageOrientation orientation = planOrientation(project);
    ensureGuiApplication();

    // The page is made in memory and handed whole to the atomic writer: a failing disk is then
    // seen by the one writer that checks every byte, and the previous file stays.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(planPageSize(),
                                         orientation == PageOrientation::Portrait
                                             ? QPageLayout::Portrait
                                             : QPageLayout::Landscape,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        writer.setCreator(QStringLiteral("ORMEVAK"));
        writer.setTitle(QStringLiteral("Footing layout plan"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            throw FileError("Cannot write " + path + ": the PDF page could not be started");
        }
        painter.setFont(planPrinterFont());
        try {
            printPlan(project, painter, QRectF(0, 0, writer.width(), writer.height()));
        } catch (...) {
            painter.end();
            throw;
        }
        if (!painter.end()) {
            throw FileError("Cannot write " + path + ": the PDF page could not be finished");
        }
    }
    writeFileAtomically(path, std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())));
}

} // namespace ormevak
