// Layer: base. Searching and comparing the short texts of a line without library calls,
// which cost more than the work on a few dozen bytes.
#pragma once

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelpway {

// The index of the first `wanted` byte in text[from, size), or `size`.
inline std::size_t find_byte(const char* text, std::size_t from, std::size_t size, char wanted) {
#if defined(__SSE2__)
    const __m128i pattern = _mm_set1_epi8(wanted);
    for (; from + 16 <= size; from += 16) {
        __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + from));
        auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, pattern)));
        if (hits != 0) return from + static_cast<std::size_t>(__builtin_ctz(hits));
    }
    if (from < size && size >= 16) {
        // The last sixteen bytes, those before `from` already looked at.
        const std::size_t last = size - 16;
        __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + last));
        auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, pattern))) >> (from - last);
        return hits != 0 ? from + static_cast<std::size_t>(__builtin_ctz(hits)) : size;
    }
#endif
    while (from < size && text[from] != wanted) ++from;
    return from;
}

// Equal bytes, for the few-byte keys and tags the readers compare.
inline bool same_bytes(const char* a, const char* b, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

}  // namespace kelpway
