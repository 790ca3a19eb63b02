// The Drawing command's work, kept out of the schedule window so the window only asks and tells.
#include "ui/drawing_command.h"

#include <QFileInfo>

#include "drawing/drawing.h"
#include "drawing/quantities.h"
#include "model/errors.h"
#include "model/numbers.h"
#include "output/drawing_pdf.h"
#include "output/dxf_writer.h"
#include "output/output_error.h"
#include "ui/ui_helpers.h"

namespace ormevak {

namespace {

QString fixed(double v, int decimals) {
    return qs(formatNumber(static_cast<float>(roundTo(v, decimals))));
}

} // namespace

QString quantitiesText(const Project& project) {
    const Quantities q = computeQuantities(project);
    return QStringLiteral("Quantities: concrete %1 m3 (footings %2, pedestals %3), steel %4 kg, "
                          "excavation %5 m3, levelling course %6 m3")
        .arg(fixed(q.total.concrete, 3), fixed(q.total.footingConcrete, 3),
             fixed(q.total.pedestalConcrete, 3), fixed(q.total.steel, 1),
             fixed(q.total.excavation, 3), fixed(q.total.levelling, 3));
}

QuantitiesFooter::QuantitiesFooter(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("LabQuantities"));
    setAccessibleName(QStringLiteral("Quantities"));
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setContentsMargins(8, 4, 8, 4);
}

void QuantitiesFooter::refresh(const Project& project) {
    setText(quantitiesText(project));
    setAccessibleDescription(text());
}

QString defaultDrawingPath(const Project& project) {
    if (project.analysisFilePath.empty()) return QStringLiteral("foundation-drawing.pdf");
    const QFileInfo analysis(qs(project.analysisFilePath));
    return analysis.absolutePath() + QLatin1Char('/') + analysis.completeBaseName() +
           QStringLiteral("-drawing.pdf");
}

QString dxfBeside(const QString& pdfPath) {
    const QFileInfo pdf(pdfPath);
    return pdf.path() + QLatin1Char('/') + pdf.completeBaseName() + QStringLiteral(".dxf");
}

DrawingOutcome writeDrawingFiles(const Project& project, const QString& pdfPath,
                                 const std::string& date) {
    DrawingOutcome out;
    std::string lastReason;
    for (drawing::SheetSize sheet :
         {drawing::SheetSize::A3, drawing::SheetSize::A2, drawing::SheetSize::A1}) {
        const drawing::Options options{sheet, date};
        drawing::Drawing d;
        try {
            d = drawing::buildDrawing(project, options);
        } catch (const drawing::DrawingError& e) {
            lastReason = e.what();
            continue; // a larger sheet may hold it
        }
        const QString dxf = dxfBeside(pdfPath);
        try {
            writeDrawingPdf(project, options, pdfPath.toStdString());
            writeDrawingDxf(project, options, dxf.toStdString());
        } catch (const std::runtime_error& e) {
            out.message = e.what();
            return out;
        }
        out.written = true;
        out.message = "The drawing is written to " + pdfPath.toStdString() + " and " +
                      dxf.toStdString() + " (" + drawing::sheetName(sheet) +
                      ", 1:" + formatInt(d.scale) + ").";
        return out;
    }
    out.message = lastReason + ": drawing not written";
    return out;
}

} // namespace ormevak
