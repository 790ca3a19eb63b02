// The foundation drawing on paper: every entity of the drawing divided by its scale, lines in
// their weights and patterns, texts in their capital heights and never wider than their boxes.
#include "output/drawing_pdf.h"

#include <algorithm>
#include <cmath>

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

#include "model/atomic_file.h"
#include "model/errors.h"
#include "output/drawing_file.h"
#include "output/output_error.h"
#include "output/plan_print.h"

namespace ormevak {

namespace {

using namespace drawing;

// Dots per inch of the PDF's coordinates: fine enough for 0.18 mm lines and 2 mm texts.
constexpr int pdfResolution = 1200;

QPageSize pageSize(SheetSize s) {
    switch (s) {
    case SheetSize::A3:
        return QPageSize(QPageSize::A3);
    case SheetSize::A2:
        return QPageSize(QPageSize::A2);
    case SheetSize::A1:
        return QPageSize(QPageSize::A1);
    }
    return QPageSize(QPageSize::A3);
}

class Paper {
  public:
    Paper(const Drawing& d, QPainter& painter, const QRectF& sheet)
        : d_(d), painter_(painter), sheet_(sheet), k_(sheet.width() / d.paperSize.x) {
        font_ = QFont(QStringLiteral("Liberation Sans"));
        font_.setStyleHint(QFont::SansSerif);
        font_.setPixelSize(1000);
        capRatio_ = QFontMetricsF(font_, painter.device()).capHeight() / 1000.0;
        if (!(capRatio_ > 0.3 && capRatio_ < 1.0)) capRatio_ = 0.716;
    }

    QPointF map(Point p) const {
        const double u = (p.x - d_.paperOrigin.x) / d_.scale;
        const double v = (p.y - d_.paperOrigin.y) / d_.scale;
        return {sheet_.left() + u * k_, sheet_.top() + (d_.paperSize.y - v) * k_};
    }
    double device(double drawingMm) const { return drawingMm / d_.scale * k_; }

    void pen(const Stroke& s) {
        QPen pen(s.layer == Layer::Checks ? QColor(200, 0, 0) : QColor(Qt::black));
        const double w = std::max(s.weight * k_, 1.0);
        pen.setWidthF(w);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        // Patterns in paper millimetres, given to Qt in pen widths.
        if (s.type == LineType::Dashed) pen.setDashPattern({6 * k_ / w, 3 * k_ / w});
        if (s.type == LineType::Center)
            pen.setDashPattern({12 * k_ / w, 3 * k_ / w, 2 * k_ / w, 3 * k_ / w});
        painter_.setPen(pen);
        painter_.setBrush(Qt::NoBrush);
    }

    void text(const Text& t) {
        const double cap = device(t.height);
        QFont f = font_;
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(cap / capRatio_))));
        const QFontMetricsF fm(f, painter_.device());
        const QString s = QString::fromStdString(t.text);
        const double natural = fm.horizontalAdvance(s);
        const double room = device(static_cast<double>(t.text.size()) * charWidth * t.height);
        const double squeeze = natural > room && natural > 0 ? room / natural : 1.0;
        const double w = natural * squeeze;
        painter_.save();
        painter_.setFont(f);
        painter_.setPen(t.layer == Layer::Checks ? QColor(200, 0, 0) : QColor(Qt::black));
        painter_.translate(map(t.at));
        if (t.upright) painter_.rotate(-90);
        double x = 0;
        if (t.h == HAlign::Centre) x = -w / 2;
        if (t.h == HAlign::Right) x = -w;
        double y = 0; // the baseline, y growing down the page
        if (t.v == VAlign::Middle) y = cap / 2;
        if (t.v == VAlign::Top) y = cap;
        painter_.translate(x, y);
        painter_.scale(squeeze, 1.0);
        painter_.drawText(QPointF(0, 0), s);
        painter_.restore();
    }

  private:
    const Drawing& d_;
    QPainter& painter_;
    QRectF sheet_;
    double k_; // device units per paper millimetre
    QFont font_;
    double capRatio_ = 0.716;
};

} // namespace

void renderDrawing(const Drawing& d, QPainter& painter, const QRectF& sheet) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    Paper paper(d, painter, sheet);
    for (const Line& l : d.lines) {
        paper.pen(l.stroke);
        painter.drawLine(paper.map(l.a), paper.map(l.b));
    }
    for (const Polyline& pl : d.polylines) {
        paper.pen(pl.stroke);
        QPolygonF poly;
        for (const Point& p : pl.points) poly << paper.map(p);
        if (pl.closed)
            painter.drawPolygon(poly);
        else
            painter.drawPolyline(poly);
    }
    for (const Circle& c : d.circles) {
        paper.pen(c.stroke);
        const double r = paper.device(c.radius);
        painter.drawEllipse(paper.map(c.centre), r, r);
    }
    for (const Text& t : d.texts) paper.text(t);
    painter.restore();
}

QByteArray drawingPdf(const Drawing& d) {
    ensureGuiApplication("The drawing needs a graphical application object: drawing not written");
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(pdfResolution);
    writer.setPageLayout(QPageLayout(pageSize(d.sheet), QPageLayout::Landscape,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("ORMEVAK"));
    writer.setTitle(QStringLiteral("Foundation drawing"));
    QPainter painter;
    if (!painter.begin(&writer)) throw OutputError("The drawing's PDF page could not be started");
    renderDrawing(d, painter, QRectF(0, 0, writer.width(), writer.height()));
    if (!painter.end()) throw OutputError("The drawing's PDF page could not be finished");
    buffer.close();
    return pdf;
}

void writeDrawingPdf(const Project& project, const drawing::Options& options,
                     const std::string& path) {
    const Drawing d = drawingToWrite(project, options);
    // Made whole in memory and handed to the one atomic writer.
    const QByteArray pdf = drawingPdf(d);
    writeFileAtomically(path, std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())));
}

} // namespace ormevak
