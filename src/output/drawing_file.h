// The drawing as a file writer takes it: a drawing that cannot be made from the model is an
// output error that says nothing was written, whatever the file's format.
#pragma once

#include <string>

#include "drawing/drawing.h"
#include "output/output_error.h"

namespace ormevak {

inline drawing::Drawing drawingToWrite(const Project& project, const drawing::Options& options) {
    try {
        return drawing::buildDrawing(project, options);
    } catch (const drawing::DrawingError& e) {
        throw OutputError(std::string(e.what()) + ": drawing not written");
    }
}

} // namespace ormevak
