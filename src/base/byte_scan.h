// Layer: base. The bytes of sixteen that may end a line, found at once where
// the processor allows: the grouped line-end search reads them.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelpway {

inline constexpr std::size_t scan_width = 16;

// Bit i set when bytes[i] is a stop of the line-end rule (is_line_stop),
// where a '>' counts only before '<', a blank or a tab, as only then can a
// tag boundary follow it. bytes[0] to bytes[16] must be readable.
inline std::uint32_t line_stops(const char* bytes) {
#if defined(__SSE2__)
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 1));
    const auto is = [](__m128i v, char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
    const __m128i line_ends = _mm_or_si128(_mm_or_si128(is(chunk, '\n'), is(chunk, '\0')),
                                           _mm_or_si128(is(chunk, '\r'), is(chunk, '!')));
    const __m128i before_tag = _mm_or_si128(is(after, '<'), _mm_or_si128(is(after, ' '), is(after, '\t')));
    const __m128i tags = _mm_and_si128(is(chunk, '>'), before_tag);
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(line_ends, tags)));
#else
    std::uint32_t mask = 0;
    for (std::size_t i = 0; i < scan_width; ++i) {
        const char c = bytes[i];
        const char next = bytes[i + 1];
        if (c == '\n' || c == '\0' || c == '\r' || c == '!' ||
            (c == '>' && (next == '<' || next == ' ' || next == '\t'))) {
            mask |= std::uint32_t{1} << i;
        }
    }
    return mask;
#endif
}

}  // namespace kelpway
