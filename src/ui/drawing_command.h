// The schedule window's Drawing command and its quantities footer: the foundation drawing
// written as PDF and DXF beside each other, and the bill of quantities under the schedule.
#pragma once

#include <string>

#include <QLabel>
#include <QString>

#include "model/project.h"

namespace ormevak {

// The footer's text: the totals of concrete (footings and pedestals), reinforcement, excavation
// and levelling course, from computeQuantities.
QString quantitiesText(const Project& project);

class QuantitiesFooter : public QLabel {
    Q_OBJECT
  public:
    explicit QuantitiesFooter(QWidget* parent = nullptr);
    void refresh(const Project& project);
};

// Where the Drawing command suggests the PDF: beside the analysis file, NAME-drawing.pdf.
QString defaultDrawingPath(const Project& project);

// The DXF that goes beside a drawing's PDF: the same name with the extension .dxf.
QString dxfBeside(const QString& pdfPath);

// Writes the drawing as `pdfPath` and its DXF beside it on the smallest sheet (A3, A2, A1) that
// holds the plan at a standard scale. Returns the message for the user: where the files went and
// at which sheet and scale, or why nothing was written.
struct DrawingOutcome {
    bool written = false;
    std::string message;
};
DrawingOutcome writeDrawingFiles(const Project& project, const QString& pdfPath,
                                 const std::string& date);

} // namespace ormevak
