// The number reader and writer: no crash, and the text of a float reads back to it closely.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "model/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ormevak;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double v = readNumber(text);
    (void)isNumericText(text);
    if (std::isfinite(v)) {
        const float f = static_cast<float>(v);
        if (std::isfinite(f)) {
            const std::string written = formatNumber(f);
            const double back = readNumber(written);
            // Seven significant digits: within a relative 1e-6 of the float.
            if (std::fabs(back - static_cast<double>(f)) >
                1e-6 * std::fabs(static_cast<double>(f)) + 1e-45)
                __builtin_trap();
        }
        try {
            (void)toInt16(v);
        } catch (const RangeError&) {
        }
    }
    return 0;
}
