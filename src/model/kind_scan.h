// The first character of a kind in a piece of text, sixteen characters at a time where the
// processor has SSE2: the reader steps over the blanks and digits of a few hundred thousand lines,
// and looking at each character alone was a tenth of the run's instructions.
#pragma once

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ormevak::scan {

// A kind of character gives `of(c)` for one character and, with SSE2, `mask16(v)`: the bits
// (1 << i) of the characters v[i] that are of the kind.
#if defined(__SSE2__)
namespace detail {
// 0xFF in each byte of v from lo to lo + span (character codes, unsigned).
inline __m128i inRange(__m128i v, char lo, char span) {
    const __m128i x = _mm_sub_epi8(v, _mm_set1_epi8(lo));
    return _mm_cmpeq_epi8(_mm_min_epu8(x, _mm_set1_epi8(span)), x);
}
inline __m128i blanks(__m128i v) {
    return _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')),
                        _mm_cmpeq_epi8(v, _mm_set1_epi8('\t')));
}
inline unsigned bits(__m128i in) {
    return static_cast<unsigned>(_mm_movemask_epi8(in));
}
} // namespace detail
#endif

// Character codes 45 to 57: "-", ".", "/" and the digits.
struct NumberChar {
    static bool of(char c) { return c >= 45 && c <= 57; }
#if defined(__SSE2__)
    static unsigned mask16(__m128i v) {
        return detail::bits(detail::inRange(v, 45, 12));
    }
#endif
};

// What is neither a blank (space, tab) nor a digit.
struct NotBlankOrDigit {
    static bool of(char c) { return !(c == ' ' || c == '\t' || (c >= '0' && c <= '9')); }
#if defined(__SSE2__)
    static unsigned mask16(__m128i v) {
        return ~detail::bits(_mm_or_si128(detail::blanks(v), detail::inRange(v, '0', 9))) & 0xFFFF;
    }
#endif
};

// What is neither a blank nor "0".
struct NotBlankOrZero {
    static bool of(char c) { return !(c == ' ' || c == '\t' || c == '0'); }
#if defined(__SSE2__)
    static unsigned mask16(__m128i v) {
        return ~detail::bits(
                   _mm_or_si128(detail::blanks(v), _mm_cmpeq_epi8(v, _mm_set1_epi8('0')))) &
               0xFFFF;
    }
#endif
};

// What is not a blank.
struct NotBlank {
    static bool of(char c) { return !(c == ' ' || c == '\t'); }
#if defined(__SSE2__)
    static unsigned mask16(__m128i v) {
        return ~detail::bits(detail::blanks(v)) & 0xFFFF;
    }
#endif
};

// The first character of p..end of the kind, or end. Nothing outside p..end is read: the last
// few characters of a piece of sixteen or more are looked at in the sixteen that end at `end`.
template <typename Kind> inline const char* findKind(const char* p, const char* end) {
#if defined(__SSE2__)
    if (end - p >= 16) {
        for (; end - p >= 16; p += 16) {
            const unsigned m = Kind::mask16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
            if (m != 0) return p + __builtin_ctz(m);
        }
        if (p == end) return end;
        const char* const last16 = end - 16;
        const unsigned m =
            Kind::mask16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(last16))) >> (p - last16);
        return m != 0 ? p + __builtin_ctz(m) : end;
    }
#endif
    while (p != end && !Kind::of(*p)) ++p;
    return p;
}

} // namespace ormevak::scan
