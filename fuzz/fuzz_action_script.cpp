// The action script reader on arbitrary text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "batch/actions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        ormevak::batch::parseActions(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const ormevak::batch::ScriptError&) {
    }
    return 0;
}
