// The foundation drawing rendered onto a QPainter: onto a PDF page of the drawing's sheet size
// for the batch tool and the schedule window, onto any painter for tests and previews.
#pragma once

#include <string>

#include <QByteArray>
#include <QRectF>

#include "drawing/drawing.h"
#include "model/project.h"

class QPainter;

namespace ormevak {

// Draws `d` onto `painter`, the whole sheet filling `sheet` (the painter's coordinates).
void renderDrawing(const drawing::Drawing& d, QPainter& painter, const QRectF& sheet);

// The drawing as a one-page PDF of its sheet size, landscape, in memory. Creates an offscreen
// QGuiApplication when the process has none. Throws OutputError.
QByteArray drawingPdf(const drawing::Drawing& d);

// Builds the drawing and writes it to `path` as a PDF, whole or not at all. Throws OutputError
// (the drawing cannot be made; nothing written) or FileError naming the file and the reason.
void writeDrawingPdf(const Project& project, const drawing::Options& options,
                     const std::string& path);

} // namespace ormevak
