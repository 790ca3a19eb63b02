// The layout file reader on arbitrary content, for a project of three footings.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/layout_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ormevak;
    Project p;
    p.footingCount = 3;
    p.footings.resize(4);
    loadLayoutText(p, std::string(reinterpret_cast<const char*>(data), size));
    for (int i = 1; i <= 3; ++i) {
        const auto& f = p.footings[static_cast<size_t>(i)];
        if (f.offX < -1 || f.offX > 1 || f.offZ < -1 || f.offZ > 1) __builtin_trap();
    }
    return 0;
}
