// Tag names, element texts and quoted values cut out of one line.
#include "gpx/line_text.h"

#include <array>
#include <bit>
#include <cstddef>

#include "base/short_text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelpway {
namespace {

std::size_t find(std::string_view text, char wanted, std::size_t from = 0) {
    return find_byte(text.data(), from, text.size(), wanted);
}

// The text after the first `opener`, or all of it when there is none.
std::string_view after_opener(std::string_view text, char opener) {
    if (!text.empty() && text[0] == opener) return text.substr(1);  // lat="..., the usual case
    const std::size_t at = find(text, opener);
    return at == text.size() ? text : text.substr(at + 1);
}

// Runs to the end, line end included, when the closer is missing.
std::string_view up_to(std::string_view piece, char closer) {
    return piece.substr(0, find(piece, closer));
}

// One look-up per byte rather than five comparisons.
constexpr auto tag_name_closers = [] {
    std::array<bool, 256> closers{};
    for (char c : {'>', ' ', '\t', '\r', '\n'}) closers[static_cast<unsigned char>(c)] = true;
    return closers;
}();

}  // namespace

bool ends_tag_name(char c) { return tag_name_closers[static_cast<unsigned char>(c)]; }

std::size_t indentation(std::string_view text) {
    std::size_t at = 0;
#if defined(__SSE2__)
    const auto not_blank = [](__m128i chunk) {
        const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(' ')),
                                           _mm_cmpeq_epi8(chunk, _mm_set1_epi8('\t')));
        return ~static_cast<unsigned>(_mm_movemask_epi8(blank));
    };
    for (; at + 16 <= text.size(); at += 16) {
        const unsigned others = not_blank(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at))) & 0xffffu;
        if (others != 0) return at + static_cast<std::size_t>(std::countr_zero(others));
    }
    if (at == 0 && text.size() >= 8) {  // a short line: its first eight bytes
        const unsigned others = not_blank(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(text.data()))) & 0xffu;
        if (others != 0) return static_cast<std::size_t>(std::countr_zero(others));
        at = 8;
    }
#endif
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    return at;
}

std::string_view tag_name(std::string_view text) {
    // Indentation is the common case: the '<' after it needs no search.
    const std::size_t indent = indentation(text);
    const std::string_view piece = indent < text.size() && text[indent] == '<'
                                       ? text.substr(indent + 1)
                                       : after_opener(text, '<');
    std::size_t size = 0;
    while (size < piece.size() && !ends_tag_name(piece[size])) ++size;
    return piece.substr(0, size);
}

std::string_view element_text(std::string_view text) {
    return up_to(after_opener(text, '>'), '<');
}

namespace {

// The value from `from` on: searched for within the whole text, so that the
// searches can read whole chunks.
std::string_view quoted_value_from(std::string_view text, std::size_t from) {
    std::size_t open = from;  // lat="..., the usual case, needs no search
    while (open < text.size() && text[open] != '"' && text[open] != '\'') ++open;
    if (open == text.size()) return text.substr(from);
    const std::size_t close = find(text, text[open], open + 1);
    return text.substr(open + 1, close - open - 1);
}

}  // namespace

// Looks for the keys' last byte ('=' in "lat="), rare in a line, and checks
// what stands before it: the first match of a key is its first occurrence.
AttributeTexts attribute_texts(std::string_view line, std::string_view first, std::string_view second) {
    AttributeTexts found;
    const char last = first.back();
    for (std::size_t at = find(line, last); at < line.size(); at = find(line, last, at + 1)) {
        const auto ends_key = [&](std::string_view key) {
            return at + 1 >= key.size() && same_bytes(line.data() + at + 1 - key.size(), key.data(), key.size() - 1);
        };
        const bool is_first = !found.first && ends_key(first);
        const bool is_second = !found.second && ends_key(second);
        if (!is_first && !is_second) continue;
        const std::string_view value = quoted_value_from(line, at + 1);
        if (is_first) found.first = value;
        if (is_second) found.second = value;
        if (found.first && found.second) break;
    }
    return found;
}

std::string_view quoted_value(std::string_view text) { return quoted_value_from(text, 0); }

std::optional<std::string_view> attribute_text(std::string_view line, std::string_view key) {
    return attribute_texts(line, key, key).first;
}

}  // namespace kelpway
