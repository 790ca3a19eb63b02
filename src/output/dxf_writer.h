// The foundation drawing as an ASCII DXF file (release 12): the plan in model space at true size
// in millimetres, the sheet's table and title block beside it, on the drawing's layers. Written
// here, without Qt and without an outside DXF library.
#pragma once

#include <string>

#include "drawing/drawing.h"
#include "model/project.h"

namespace ormevak {

// The whole file: header, line types, layers, text style, entities.
std::string dxfText(const drawing::Drawing& d);

// Builds the drawing and writes it to `path`, whole or not at all. Throws OutputError (the
// drawing cannot be made; nothing written) or FileError naming the file and the reason.
void writeDrawingDxf(const Project& project, const drawing::Options& options,
                     const std::string& path);

} // namespace ormevak
