// The whole input phase, the load pipeline and the Design command on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "design/design.h"
#include "model/analysis_reader.h"
#include "model/errors.h"
#include "model/frame_grids.h"
#include "model/soil_values.h"
#include "silent_prompts.h"
#include "sizing/pipeline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ormevak;
    fuzz::SilentPrompts prompts;
    Project p;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (readAnalysisText(p, "fuzz.ANL", text, prompts)) return 0;
    try {
        buildMemberGrids(p);
        linkSupportColumns(p);
        applySoilValues(p, "1.5", "200");
        p.analysisFilePath = "/nonexistent-ormevak-fuzz/fuzz.ANL"; // no layout file is read
        loadMainWindow(p, prompts);
        runDesign(p, prompts);
    } catch (const CapacityError&) {
    }
    return 0;
}
