// The printed footing layout plan: one drawing routine for every QPainter (printer, PDF file,
// print preview, image), plus the one-page A3 PDF that the batch tool writes.
#pragma once

#include <string>
#include <vector>

#include <QFont>
#include <QPageSize>
#include <QPointF>
#include <QRectF>

#include "model/project.h"
#include "output/output_error.h"

class QPainter;

namespace ormevak {

enum class PageOrientation { Portrait = 1, Landscape = 2 };

// The page size the Print button applies: A3.
QPageSize planPageSize();

// The font the plan is printed in when the surface has none of its own choosing (the PDF file).
QFont planPrinterFont();

// The plan's extent in drawing units (plan millimetres + 2000): W = GridX(last) - GridX(1) + 4000,
// H likewise along Z, and the scale's left and top X0 = GridX(1) - 2000, Z0 = GridZ(1) - 2000.
// Throws OutputError when either grid list is empty.
struct PlanExtent {
    long long width = 0;
    long long height = 0;
    long long left = 0;
    long long top = 0;
};
PlanExtent planExtent(const Project& project);

// Portrait when H / W >= 1, landscape otherwise; the caller sets it on the page before printing.
PageOrientation planOrientation(const Project& project);

// The corners of a page's user scale.
struct UserScale {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const UserScale&) const = default;
};

// The plan's user scale for a page of ratio height / width: flatter than the page, it is scaled
// to its width, else to its height. The second corner is the bare W, W r (or H / r, H), not the
// first corner plus it.
UserScale planScale(const PlanExtent& extent, double pageRatio);

// One text put on the page, kept so that tests and click targets can see where it went.
struct PrintedText {
    std::string text;
    double x = 0, y = 0; // where it was printed, in the user scale at the time (top left)
    bool vertical = false;
    QRectF deviceBounds; // in the painter's coordinates
};

enum class LineStyle { Solid = 0, Dash = 1, DashDotDot = 4 };

// A page being printed: the painter, the page's printable area in the painter's coordinates and
// the current user scale. Until setScale the units are twips, the printer's own units. Fonts keep
// their point size whatever the scale, as on a printer.
class PrintSurface {
  public:
    PrintSurface(QPainter& painter, const QRectF& page);

    // A second corner left of or above the first turns that axis over. Throws OutputError for a
    // scale without extent.
    void setScale(const UserScale& scale);
    const UserScale& scale() const { return scale_; }
    QPointF toDevice(double x, double y) const;

    double textWidth(const std::string& text) const;  // in the current units
    double textHeight(const std::string& text) const; // in the current units

    // Width in dots of a 300 dpi printer; dash-dot-dot or solid.
    void setLine(int width, LineStyle style);
    void line(double x1, double y1, double x2, double y2);
    void rectangle(double x1, double y1, double x2, double y2); // outline only

    void setCurrentPosition(double x, double y);
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    // Prints at the current position, the top of the text at the current y.
    void print(const std::string& text);
    // Prints turned 90 degrees counter-clockwise (reading upward), starting at a device point.
    void printTurned(const std::string& text, QPointF device);

    QPainter& painter() { return painter_; }
    const QRectF& page() const { return page_; }
    const std::vector<PrintedText>& printed() const { return printed_; }

  private:
    double deviceUnitsX() const; // device units per user unit along x
    double deviceUnitsY() const;

    QPainter& painter_;
    QRectF page_;
    UserScale scale_;
    double currentX_ = 0, currentY_ = 0;
    std::vector<PrintedText> printed_;
};

// Where x falls along a horizontal text.
enum class Align { Left, Centre, Right };

// Horizontal text with its left end, centre or right end at x; the top of the text at y.
void printAligned(PrintSurface& surface, const std::string& text, double x, double y, Align align);
// Text turned 90 degrees counter-clockwise, its left edge at x, centred vertically on y.
void printVertical(PrintSurface& surface, const std::string& text, double x, double y);

// Draws the whole plan onto `painter`: `page` is the printable area in the painter's coordinates,
// already in the orientation of planOrientation. The caller ends the page. Throws OutputError for
// a plan without grid lines or a page without size, before anything is drawn.
void printPlan(const Project& project, QPainter& painter, const QRectF& page);
// The same, keeping what was printed where (for tests and click targets).
std::vector<PrintedText> printPlanTexts(const Project& project, QPainter& painter,
                                        const QRectF& page);

// Creates an offscreen QGuiApplication when the process has none (the batch tool): fonts need
// one. Throws OutputError(refusal) when the process has an application object that is not
// graphical.
void ensureGuiApplication(
    const char* refusal = "The plan needs a graphical application object: plan not printed");

// Writes the plan as a one-page A3 PDF in the orientation of planOrientation. The file appears
// whole or not at all. Creates an offscreen QGuiApplication when the process has none. Throws
// OutputError (nothing written) or FileError naming the file and the reason.
void writePlanPdf(const Project& project, const std::string& path);

} // namespace ormevak
