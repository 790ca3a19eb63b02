// The PDF writers (plan, report, drawing) as the batch tool reaches them: in a shared library of
// their own, loaded only by a run that prints. They need Qt, and loading Qt's libraries takes
// longer than a whole run that writes only JSON, a workbook or DXF.
#pragma once

#include <cstddef>
#include <string>

#include "drawing/drawing.h"
#include "model/project.h"

namespace ormevak {

struct PdfWriters {
    // A library built from other sources than the program would pass it a model it cannot read.
    int version = 0;
    size_t projectSize = 0;
    void (*planPdf)(const Project& project, const std::string& path) = nullptr;
    void (*reportPdf)(const Project& project, const std::string& path) = nullptr;
    void (*drawingPdf)(const Project& project, const drawing::Options& options,
                       const std::string& path) = nullptr;
};

inline constexpr int kPdfWritersVersion = 1;

// The library's file name; it lies in the folder of the program that loads it.
inline constexpr const char* kPdfWritersFile = "ormevak-pdf.so";

// Loads the library beside the running program, once. Throws FileError naming the library and
// the reason when it is missing or does not fit the program.
const PdfWriters& loadPdfWriters();

} // namespace ormevak

// The one symbol the library exports.
extern "C" __attribute__((visibility("default"))) const ormevak::PdfWriters* ormevak_pdf_writers();
