// Layer: base. Finding the bytes that can end a line, sixteen at a time where the
// processor allows.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelpway {

inline constexpr std::size_t scan_width = 16;

// Bit i set when bytes[i] may end a line: LF, NUL, CR (ending it unless an
// LF follows), or a '>' followed by '<', a blank or a tab (a tag boundary),
// as the caller decides; or is a '!', which may open a comment. For i below
// `count` (at most scan_width). `held` bytes are
// readable from `bytes` on; none past them is read, so a last '>' is not marked.
inline std::uint32_t line_stops(const char* bytes, std::size_t count, std::size_t held) {
#if defined(__SSE2__)
    if (count == scan_width && held > scan_width) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
        const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 1));
        const __m128i lf = _mm_cmpeq_epi8(chunk, _mm_set1_epi8('\n'));
        const __m128i nul = _mm_cmpeq_epi8(chunk, _mm_setzero_si128());
        const __m128i cr = _mm_or_si128(_mm_cmpeq_epi8(chunk, _mm_set1_epi8('\r')),
                                        _mm_cmpeq_epi8(chunk, _mm_set1_epi8('!')));
        const __m128i before_tag = _mm_or_si128(
            _mm_cmpeq_epi8(after, _mm_set1_epi8('<')),
            _mm_or_si128(_mm_cmpeq_epi8(after, _mm_set1_epi8(' ')),
                         _mm_cmpeq_epi8(after, _mm_set1_epi8('\t'))));
        const __m128i tags = _mm_and_si128(_mm_cmpeq_epi8(chunk, _mm_set1_epi8('>')), before_tag);
        return static_cast<std::uint32_t>(
            _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(lf, nul), _mm_or_si128(cr, tags))));
    }
#endif
    std::uint32_t mask = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = bytes[i];
        const char next = i + 1 < held ? bytes[i + 1] : '\0';
        if (c == '\n' || c == '\0' || c == '\r' || c == '!' ||
            (c == '>' && (next == '<' || next == ' ' || next == '\t'))) {
            mask |= std::uint32_t{1} << i;
        }
    }
    return mask;
}

}  // namespace kelpway
