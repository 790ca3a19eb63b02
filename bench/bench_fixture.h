// Projects for the benchmarks: analysis files written by tools/gen_analysis.py, read once.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

#include "model/analysis_reader.h"
#include "model/soil_values.h"
#include "sizing/pipeline.h"

namespace ormevak::bench {

class SilentPrompts : public Prompts {
  public:
    void inform(const std::string&, const std::string& = {},
                MessageIcon = MessageIcon::None) override {}
    bool confirm(const std::string&, const std::string&) override { return true; }
};

// The generated file for these generator arguments (cached in the bench data folder).
inline std::string analysisFile(const std::string& name, const std::string& args) {
    const char* dir = std::getenv("ORMEVAK_BENCH_DATA");
    const std::string folder = dir ? dir : "bench-data";
    const std::string path = folder + "/" + name + ".ANL";
    if (!std::ifstream(path)) {
        const std::string cmd = "mkdir -p '" + folder +
                                "' && python3 '" ORMEVAK_SOURCE_DIR "/tools/gen_analysis.py' " +
                                args + " > '" + path + "'";
        if (std::system(cmd.c_str()) != 0) throw std::runtime_error("cannot generate " + path);
    }
    return path;
}

inline std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream b;
    b << in.rdbuf();
    return b.str();
}

// A project after the input phase, the soil values and the main window's load pipeline.
inline Project loadedProject(const std::string& path) {
    Project p;
    SilentPrompts prompts;
    if (auto failure = runInputPhase(p, path, prompts)) throw std::runtime_error(failure->message);
    applySoilValues(p, "1.5", "200");
    loadMainWindow(p, prompts);
    return p;
}

} // namespace ormevak::bench
