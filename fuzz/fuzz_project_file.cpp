// The project file reader on arbitrary content: it either refuses the file with its message or
// returns a project whose every index points inside its table.
#include <cstddef>
#include <cstdint>
#include <string>

#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ormevak;
    StoredProject s;
    try {
        s = parseProject(std::string(reinterpret_cast<const char*>(data), size), "fuzz.ormevak");
    } catch (const ProjectFileError&) {
        return 0;
    }
    const int footings = static_cast<int>(s.footings.size());
    for (const StoredFooting& f : s.footings) {
        const FootingRecord& r = f.record;
        if (r.offX < -1 || r.offX > 1 || r.offZ < -1 || r.offZ > 1) __builtin_trap();
        if (r.groupIndex < 0 || r.groupIndex > s.groupCount) __builtin_trap();
        if (r.state > s.combinedCount || (r.state < -1 && r.state != -100)) __builtin_trap();
    }
    for (int g = 1; g <= s.groupCount; ++g)
        for (size_t k = 1; k < s.groups[static_cast<size_t>(g)].footingNos.size(); ++k) {
            const int n = s.groups[static_cast<size_t>(g)].footingNos[k];
            if (n < 1 || n > footings) __builtin_trap();
        }
    for (int c = 1; c <= s.combinedCount; ++c) {
        const CombinedRecord& r = s.combinedFootings[static_cast<size_t>(c)];
        for (int m = 1; m <= r.memberCount; ++m)
            if (r.members[static_cast<size_t>(m)] < 1 ||
                r.members[static_cast<size_t>(m)] > footings)
                __builtin_trap();
    }
    if (s.designRowCount > static_cast<int>(s.designRows.size()) - 1) __builtin_trap();
    if (s.currentFooting < 0 || s.currentFooting > footings) __builtin_trap();
    return 0;
}
