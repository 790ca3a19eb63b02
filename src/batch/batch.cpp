// ormevak-batch: arguments checked before any work, then the order of work of the main window.
#include "batch/batch.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "batch/project_options.h"
#include "batch/session.h"
#include "design/design.h"
#include "design/schedule.h"
#include "model/analysis_reader.h"
#include "model/errors.h"
#include "model/layout_file.h"
#include "model/soil_values.h"
#include "project/project_file.h"
#include "sizing/pipeline.h"

#ifdef ORMEVAK_HAVE_OUTPUT
#include "output/plan_print.h"
#include "output/xlsx_writer.h"
#endif

namespace ormevak::batch {

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
    "  --xlsx FILE        write the workbook of the spreadsheet export to FILE (.xlsx)\n"
    "  --pdf FILE         print the footing layout plan to FILE (one-page PDF)\n"
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
    std::string actionsFile, jsonFile, xlsxFile, pdfFile;
    bool schedule = false;
    bool saveLayout = false;
    std::string projectFile, saveProjectFile;
};

struct UsageError {
    std::string message;
};

Options parseArguments(int argc, char** argv) {
    Options o;
    auto valueOf = [&](int& i, const std::string& name) -> std::string {
        if (i + 1 >= argc) throw UsageError{name + " needs a value"};
        return argv[++i];
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
            o.actionsFile = valueOf(i, arg);
        } else if (arg == "--json") {
            o.jsonFile = valueOf(i, arg);
        } else if (arg == "--xlsx") {
            o.xlsxFile = valueOf(i, arg);
        } else if (arg == "--pdf") {
            o.pdfFile = valueOf(i, arg);
        } else if (arg == "--schedule") {
            o.schedule = true;
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
#ifndef ORMEVAK_HAVE_OUTPUT
    if (!o.xlsxFile.empty() || !o.pdfFile.empty())
        throw UsageError{"this build has no output module: --xlsx and --pdf are not available"};
#endif
    return o;
}

std::string readWholeFile(const std::string& path, const char* what) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw UsageError{"cannot open the " + std::string(what) + " " + path};
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// Writes `text` to `path` whole or not at all; "-" is standard output.
void writeTextFile(const std::string& path, const std::string& text) {
    if (path == "-") {
        std::cout << text;
        std::cout.flush();
        return;
    }
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) throw FileError("cannot write " + path);
        out << text;
        out.close();
        if (!out) {
            std::remove(temp.c_str());
            throw FileError("cannot write " + path);
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        throw FileError("cannot write " + path);
    }
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

int run(int argc, char** argv) {
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
    Options options;
    std::vector<Action> actions;
    StoredProject stored;
    try {
        options = parseArguments(argc, argv);
        if (!options.projectFile.empty()) {
            stored = readRunProject(options.projectFile);
            const std::string problem = projectDisagreement(
                stored, options.analysisFile, options.haveDepth ? &options.depth : nullptr,
                options.haveSbc ? &options.sbc : nullptr);
            if (!problem.empty()) throw UsageError{problem};
            options.analysisFile = stored.analysisResolved;
            if (!options.haveDepth) options.depth = stored.soil.depth;
            if (!options.haveSbc) options.sbc = stored.soil.sbc;
        }
        // The soil values are judged before any work, on a scratch model.
        Project scratch;
        SoilValuesResult soil = applySoilValues(scratch, options.depth, options.sbc);
        if (!soil.accepted) {
            const bool depthFault = soil.reason.rfind("the depth", 0) == 0;
            throw UsageError{std::string(depthFault ? "--depth" : "--sbc") + ": " + soil.reason};
        }
        if (!std::ifstream(options.analysisFile, std::ios::binary))
            throw UsageError{"cannot open the analysis file " + options.analysisFile};
        if (!options.actionsFile.empty())
            actions = parseActions(readWholeFile(options.actionsFile, "action script"));
    } catch (const UsageError& e) {
        std::cerr << "ormevak-batch: " << e.message << "\n" << kUsage;
        return 2;
    } catch (const ScriptError& e) {
        std::cerr << "ormevak-batch: " << options.actionsFile << ": " << e.what() << "\n";
        return 2;
    } catch (const ProjectFileError& e) {
        std::cerr << "ormevak-batch: " << e.what() << "\n";
        return 2;
    }

    Session s;
    bool scheduleRestored = false;
    if (!options.projectFile.empty()) {
        if (int status = openProjectRun(s, options.projectFile, stored, scheduleRestored))
            return status;
    } else if (auto failure = runInputPhase(s.project, options.analysisFile, s.prompts)) {
        if (!failure->message.empty()) std::cerr << failure->message << "\n";
        return 1;
    }
    try {
        if (options.projectFile.empty()) {
            applySoilValues(s.project, options.depth, options.sbc);
            loadMainWindow(s.project, s.prompts);
        }
        for (const Action& a : actions) {
            s.prompts.answer = a.ok;
            applyAction(s, a);
        }
        if (!hasDesignAction(actions) && !scheduleRestored) runDesign(s.project, s.prompts);
    } catch (const CapacityError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    } catch (const ScriptError& e) {
        std::cerr << "ormevak-batch: " << options.actionsFile << ": " << e.what() << "\n";
        return 2;
    }

    try {
        if (!options.jsonFile.empty()) writeTextFile(options.jsonFile, resultJson(s) + "\n");
        if (options.schedule) std::cout << scheduleTable(s.project);
#ifdef ORMEVAK_HAVE_OUTPUT
        if (!options.xlsxFile.empty()) writeWorkbook(s.project, options.xlsxFile);
        if (!options.pdfFile.empty()) writePlanPdf(s.project, options.pdfFile);
#endif
        if (options.saveLayout) saveLayout(s.project);
        if (!options.saveProjectFile.empty())
            saveProject(s.project, {options.depth, options.sbc}, options.saveProjectFile);
    } catch (const std::runtime_error& e) {
        std::cerr << "ormevak-batch: " << e.what() << "\n";
        return 2;
    }
    return 0;
}

} // namespace ormevak::batch
