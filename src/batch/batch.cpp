// ormevak-batch: arguments checked before any work, then the order of work of the main window.
#include "batch/batch.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "batch/apply.h"
#include "batch/project_options.h"
#include "batch/result_json.h"
#include "batch/session.h"
#include "checks/checks.h"
#include "design/design.h"
#include "design/designed_rows_table.h"
#include "design/schedule.h"
#include "drawing/drawing.h"
#include "model/analysis_reader.h"
#include "model/atomic_file.h"
#include "model/errors.h"
#include "model/layout_file.h"
#include "model/soil_values.h"
#include "output/dxf_writer.h"
#include "output/pdf_writers.h"
#include "output/xlsx_writer.h"
#include "project/project_file.h"
#include "sizing/pipeline.h"

namespace ormevak::batch {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: ormevak-batch ANALYSIS_FILE --sbc TEXT --depth TEXT [options]\n"
    "       ormevak-batch --project FILE [ANALYSIS_FILE] [--sbc TEXT] [--depth TEXT] [options]\n"
    "\n"
    "  --sbc TEXT         safe bearing capacity, kN/m2 (50..1000), as typed in the startup dialog\n"
    "  --depth TEXT       depth of foundation, m (0..6), as typed in the startup dialog\n"
    "  --actions FILE     replay the actions in FILE (one a line) after the load pipeline\n"
    "  --json FILE        write the result as JSON (FILE \"-\" = standard output)\n"
    "  --schedule         print the footing schedule as an aligned text table on standard output\n"
    "  --checks           print the design checks as an aligned text table on standard output\n"
    "  --xlsx FILE        write the workbook of the spreadsheet export to FILE (.xlsx)\n"
    "  --pdf FILE         print the footing layout plan to FILE (one-page PDF)\n"
    "  --report FILE      write the calculation report (PDF)\n"
    "  --drawing FILE     write the foundation drawing (PDF): plan, schedule table, title block\n"
    "  --dxf FILE         write the same drawing as DXF\n"
    "  --sheet SIZE       sheet of the drawing: A3 (default), A2 or A1, landscape\n"
    "  --save-layout      write the layout file beside the analysis file at the end\n"
    "  --project FILE     open a saved project: its analysis file and soil values (given ones\n"
    "                     must agree); a saved schedule stands unless the script redesigns\n"
    "  --save-project FILE  write the project (everything decided) at the end\n"
    "  --help, --version\n"
    "\n"
    "exit status: 0 finished, 1 the input phase ended the program, 2 usage error\n";

struct Options {
    std::string analysisFile;
    std::string sbc, depth;
    bool haveSbc = false, haveDepth = false;
    std::string actionsFile, jsonFile, xlsxFile, pdfFile, reportFile;
    std::string drawingFile, dxfFile;
    drawing::SheetSize sheet = drawing::SheetSize::A3;
    bool schedule = false;
    bool checks = false;
    bool saveLayout = false;
    std::string projectFile, saveProjectFile;
};

struct UsageError {
    std::string message;
    bool showUsage = true; // the usage text helps with arguments, not with a file's problem
};

// A file named on the command line that cannot be used: its name and the system's reason.
UsageError fileProblem(const std::string& message) {
    return UsageError{message, false};
}

Options parseArguments(int argc, char** argv) {
    Options o;
    auto valueOf = [&](int& i, const std::string& name) -> std::string {
        if (i + 1 >= argc) throw UsageError{name + " needs a value"};
        return argv[++i];
    };
    auto fileOf = [&](int& i, const std::string& name) -> std::string {
        std::string file = valueOf(i, name);
        if (file.empty()) throw UsageError{name + " needs a file name, not an empty text"};
        return file;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--sbc") {
            o.sbc = valueOf(i, arg);
            o.haveSbc = true;
        } else if (arg == "--depth") {
            o.depth = valueOf(i, arg);
            o.haveDepth = true;
        } else if (arg == "--actions") {
            o.actionsFile = fileOf(i, arg);
        } else if (arg == "--json") {
            o.jsonFile = fileOf(i, arg);
        } else if (arg == "--xlsx") {
            o.xlsxFile = fileOf(i, arg);
        } else if (arg == "--pdf") {
            o.pdfFile = fileOf(i, arg);
        } else if (arg == "--report") {
            o.reportFile = fileOf(i, arg);
        } else if (arg == "--drawing") {
            o.drawingFile = fileOf(i, arg);
        } else if (arg == "--dxf") {
            o.dxfFile = fileOf(i, arg);
        } else if (arg == "--sheet") {
            const std::string size = valueOf(i, arg);
            if (!drawing::parseSheetSize(size, o.sheet))
                throw UsageError{"--sheet: \"" + size + "\" is not a sheet size (A3, A2 or A1)"};
        } else if (arg == "--schedule") {
            o.schedule = true;
        } else if (arg == "--checks") {
            o.checks = true;
        } else if (arg == "--save-layout") {
            o.saveLayout = true;
        } else if (arg == "--project") {
            o.projectFile = valueOf(i, arg);
        } else if (arg == "--save-project") {
            o.saveProjectFile = valueOf(i, arg);
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option " + arg};
        } else if (o.analysisFile.empty()) {
            o.analysisFile = arg;
        } else {
            throw UsageError{"only one analysis file can be given (\"" + arg + "\" is a second)"};
        }
    }
    // A saved project supplies the analysis file and the soil values.
    if (o.projectFile.empty()) {
        if (o.analysisFile.empty()) throw UsageError{"no analysis file given"};
        if (!o.haveSbc) throw UsageError{"--sbc is required"};
        if (!o.haveDepth) throw UsageError{"--depth is required"};
    }
    return o;
}

std::string reasonOf(int error) {
    return std::strerror(error);
}

// The action script, read whole. A FIFO is fine (a script given as `<(...)`); a folder is not.
std::string readActionScript(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw fileProblem("cannot open the action script " + path + ": " + reasonOf(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw fileProblem("cannot read the action script " + path);
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            throw fileProblem("cannot read the action script " + path + ": " + reasonOf(error));
        }
        if (n == 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return text;
}

// A missing or unreadable analysis file is a usage error with the system's reason. Anything
// there that is not a regular file is left to the input phase, which refuses it with its
// message (and opening a FIFO here would wait for ever).
void checkAnalysisFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        throw fileProblem("cannot open the analysis file " + path + ": " + reasonOf(errno));
    if (!S_ISREG(st.st_mode)) return;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw fileProblem("cannot open the analysis file " + path + ": " + reasonOf(errno));
    ::close(fd);
}

// The name a path resolves to, links and "." and ".." followed as far as they exist.
fs::path resolved(const std::string& path) {
    std::error_code ec;
    fs::path r = fs::weakly_canonical(fs::absolute(path, ec), ec);
    return ec ? fs::path(path).lexically_normal() : r;
}

bool sameFile(const std::string& a, const std::string& b) {
    if (resolved(a) == resolved(b)) return true;
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec; // a second hard link
}

bool isDeviceOrFifo(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode));
}

// The files the run reads are never written, and no two outputs share a file (the second would
// silently replace the first).
void checkOutputPaths(const Options& o) {
    struct Named {
        const char* what;
        std::string path;
    };
    std::vector<Named> inputs = {{"the analysis file", o.analysisFile},
                                 {"the layout file", layoutPath(o.analysisFile)}};
    if (!o.actionsFile.empty()) inputs.push_back({"the action script", o.actionsFile});
    std::vector<Named> outputs;
    if (!o.jsonFile.empty() && o.jsonFile != "-") outputs.push_back({"--json", o.jsonFile});
    if (!o.xlsxFile.empty()) outputs.push_back({"--xlsx", o.xlsxFile});
    if (!o.pdfFile.empty()) outputs.push_back({"--pdf", o.pdfFile});
    if (!o.reportFile.empty()) outputs.push_back({"--report", o.reportFile});
    if (!o.drawingFile.empty()) outputs.push_back({"--drawing", o.drawingFile});
    if (!o.dxfFile.empty()) outputs.push_back({"--dxf", o.dxfFile});
    for (size_t i = 0; i < outputs.size(); ++i) {
        const Named& out = outputs[i];
        for (const Named& in : inputs) {
            if (sameFile(out.path, in.path))
                throw fileProblem(std::string(out.what) + " " + out.path + " would replace " +
                                  in.what);
        }
        for (size_t j = 0; j < i; ++j) {
            // Several outputs into one device (/dev/null) replace nothing.
            if (sameFile(out.path, outputs[j].path) && !isDeviceOrFifo(out.path))
                throw fileProblem(std::string(outputs[j].what) + " " + outputs[j].path + " and " +
                                  out.what + " " + out.path + " name the same file");
        }
    }
}

// A run that prints loads the PDF writers before any work, so that a missing library stops it
// as a missing file would; a run that does not print never loads them (nor Qt).
void checkPdfWriters(const Options& o) {
    if (o.pdfFile.empty() && o.reportFile.empty() && o.drawingFile.empty()) return;
    try {
        loadPdfWriters();
    } catch (const FileError& e) {
        throw fileProblem(e.what());
    }
}

// Standard output is checked like any file: a full disk or /dev/full behind it is an error.
void writeStandardOutput(const std::string& text) {
    std::cout.flush();
    writeToDescriptor(STDOUT_FILENO, text, "standard output");
}

// The date the drawing's title block shows: today, local time.
std::string todayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

bool hasDesignAction(const std::vector<Action>& actions) {
    for (const Action& a : actions)
        if (a.kind == ActionKind::Design) return true;
    return false;
}

} // namespace

void BatchPrompts::inform(const std::string& text, const std::string&, MessageIcon) {
    messages.push_back(text);
    std::cerr << "message: " << text << "\n";
}

bool BatchPrompts::confirm(const std::string& text, const std::string&) {
    const std::string recorded = text + (answer ? " [OK]" : " [Cancel]");
    messages.push_back(recorded);
    std::cerr << "message: " << recorded << "\n";
    return answer;
}

namespace {

// --help and --version answer before anything else is looked at.
std::optional<int> answerHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--version") {
            std::cout << "ormevak-batch " << ORMEVAK_VERSION << "\n";
            return 0;
        }
    }
    return std::nullopt;
}

// What the command line asks for, checked before any work.
struct Request {
    Options options;
    std::vector<Action> actions;
    StoredProject stored;
};

// The arguments, the saved project, the soil values, the files named: 0 when the run can go on,
// else the exit status after the problem was printed.
int checkRequest(int argc, char** argv, Request& r) {
    Options& options = r.options;
    try {
        options = parseArguments(argc, argv);
        if (!options.projectFile.empty()) {
            r.stored = readRunProject(options.projectFile);
            const std::string problem = projectDisagreement(
                r.stored, options.analysisFile, options.haveDepth ? &options.depth : nullptr,
                options.haveSbc ? &options.sbc : nullptr);
            if (!problem.empty()) throw UsageError{problem};
            options.analysisFile = r.stored.analysisResolved;
            if (!options.haveDepth) options.depth = r.stored.soil.depth;
            if (!options.haveSbc) options.sbc = r.stored.soil.sbc;
        }
        // The soil values are judged before any work, on a scratch model.
        Project scratch;
        SoilValuesResult soil = applySoilValues(scratch, options.depth, options.sbc);
        if (!soil.accepted) {
            const bool depthFault = soil.reason.rfind("the depth", 0) == 0;
            throw UsageError{std::string(depthFault ? "--depth" : "--sbc") + ": " + soil.reason};
        }
        checkAnalysisFile(options.analysisFile);
        checkOutputPaths(options);
        checkPdfWriters(options);
        if (!options.actionsFile.empty())
            r.actions = parseActions(readActionScript(options.actionsFile));
    } catch (const UsageError& e) {
        std::cerr << "ormevak-batch: " << e.message << "\n" << (e.showUsage ? kUsage : "");
        return 2;
    } catch (const ScriptError& e) {
        std::cerr << "ormevak-batch: " << options.actionsFile << ": " << e.what() << "\n";
        return 2;
    } catch (const ProjectFileError& e) {
        std::cerr << "ormevak-batch: " << e.what() << "\n";
        return 2;
    }
    return 0;
}

// The main window's order of work: the input phase (or the saved project), the soil values, the
// load pipeline, the actions and the closing Design command. 0, or the exit status.
int doWork(const Request& r, Session& s) {
    const Options& options = r.options;
    bool scheduleRestored = false;
    if (!options.projectFile.empty()) {
        if (int status = openProjectRun(s, options.projectFile, r.stored, scheduleRestored))
            return status;
    } else if (auto failure = runInputPhase(s.project, options.analysisFile, s.prompts)) {
        // Shown in a message box on the desktop: printed as every other message.
        if (!failure->message.empty()) std::cerr << "message: " << failure->message << "\n";
        return 1;
    }
    try {
        if (options.projectFile.empty()) {
            applySoilValues(s.project, options.depth, options.sbc);
            loadMainWindow(s.project, s.prompts);
        }
        for (const Action& a : r.actions) {
            s.prompts.answer = a.ok;
            applyAction(s, a);
        }
        if (!hasDesignAction(r.actions) && !scheduleRestored) runDesign(s.project, s.prompts);
    } catch (const CapacityError& e) {
        std::cerr << "message: " << e.what() << "\n";
        return 1;
    } catch (const ScriptError& e) {
        std::cerr << "ormevak-batch: " << options.actionsFile << ": " << e.what() << "\n";
        return 2;
    }
    return 0;
}

// Every output asked for, in a fixed order: 0, or 2 when one cannot be written.
int writeResults(const Options& options, Session& s) {
    try {
        if (options.jsonFile == "-")
            writeStandardOutput(resultJson(s) + "\n");
        else if (!options.jsonFile.empty())
            writeFileAtomically(options.jsonFile, resultJson(s) + "\n");
        if (options.schedule)
            writeStandardOutput(scheduleTable(s.project) + designedRowsTable(s.project));
        // Failing checks are results: they never change the exit status.
        if (options.checks) writeStandardOutput(checksTable(runChecks(s.project)));
        if (!options.xlsxFile.empty()) writeWorkbook(s.project, options.xlsxFile);
        if (!options.pdfFile.empty()) loadPdfWriters().planPdf(s.project, options.pdfFile);
        if (!options.reportFile.empty()) loadPdfWriters().reportPdf(s.project, options.reportFile);
        if (!options.drawingFile.empty() || !options.dxfFile.empty()) {
            const drawing::Options drawingOptions{options.sheet, todayText()};
            if (!options.drawingFile.empty())
                loadPdfWriters().drawingPdf(s.project, drawingOptions, options.drawingFile);
            if (!options.dxfFile.empty())
                writeDrawingDxf(s.project, drawingOptions, options.dxfFile);
        }
        if (options.saveLayout) saveLayout(s.project);
        if (!options.saveProjectFile.empty())
            saveProject(s.project, {options.depth, options.sbc}, options.saveProjectFile);
    } catch (const std::runtime_error& e) {
        std::cerr << "ormevak-batch: " << e.what() << "\n";
        return 2;
    }
    return 0;
}

} // namespace

int run(int argc, char** argv) {
    if (std::optional<int> status = answerHelpOrVersion(argc, argv)) return *status;
    Request request;
    if (int status = checkRequest(argc, argv, request)) return status;
    Session s;
    if (int status = doWork(request, s)) return status;
    return writeResults(request.options, s);
}

} // namespace ormevak::batch
