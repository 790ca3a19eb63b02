// The calculation report as a PDF: the content of the report module laid out on A4 portrait
// pages with a running header naming the project and numbered pages.
#pragma once

#include <string>

#include <QByteArray>

#include "model/project.h"
#include "output/output_error.h"
#include "report/report.h"

namespace ormevak {

// The program version the report names.
std::string programVersion();

// What the report says about its analysis file, the program and the time of the run. Throws
// FileError when the analysis file cannot be read.
report::Inputs reportInputs(const Project& project);

// The PDF bytes of `content`. Safe on any thread once an application object exists (fonts
// need one: see ensureGuiApplication). Throws OutputError when the PDF cannot be made.
QByteArray renderReportPdf(const report::Content& content);

// Builds the report of `project` and writes it to `path`, whole or not at all. Creates an
// offscreen QGuiApplication when the process has none. Throws FileError or OutputError naming
// the file and the reason; nothing is written then.
void writeReportPdf(const Project& project, const std::string& path);

} // namespace ormevak
