// The number reader and writer: no crash, the inline reading of the common shape and the zero
// test equal to the full reader, and the text of a float reads back to it closely.
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
    const double full = readNumberInFull(text);
    if (std::memcmp(&v, &full, sizeof v) != 0) __builtin_trap();
    if (readsAsZero(text) != (full == 0)) __builtin_trap();
    // Blanks read as ends, as the reaction lines are read: the full reader on the text with its
    // blanks made "*".
    double plain = 0;
    if (detail::readPlainNumber<true>(text, plain) != 0) {
        std::string starred = text;
        for (char& c : starred)
            if (c == ' ' || c == '\t') c = '*';
        const double expected = readNumberInFull(starred);
        if (std::memcmp(&plain, &expected, sizeof plain) != 0) __builtin_trap();
    }
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
