// The shared library of the PDF writers: the plan, the report and the drawing, with Qt.
#include "output/drawing_pdf.h"
#include "output/pdf_writers.h"
#include "output/plan_print.h"
#include "output/report_pdf.h"

extern "C" const ormevak::PdfWriters* ormevak_pdf_writers() {
    static const ormevak::PdfWriters writers{ormevak::kPdfWritersVersion, sizeof(ormevak::Project),
                                             &ormevak::writePlanPdf, &ormevak::writeReportPdf,
                                             &ormevak::writeDrawingPdf};
    return &writers;
}
