// Layer: base. Names from one charset into another, a character at a time.
#include "base/text_conversion.h"

#include <algorithm>
#include <array>

#include "base/decompositions.h"

namespace kelpway {

namespace {

constexpr std::string_view replacement_char = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view question_mark = "?";

constexpr bool is_code_page_text(char32_t code_point) {
    return !(code_point >= 0x80 && code_point <= 0x9F) && !(code_point >= 0xE000 && code_point <= 0xF8FF);
}

struct SourceChar {
    char32_t code_point;
    std::size_t size;
    bool valid;
};

// The first byte is 0x80 or above.
SourceChar read_char(const CharsetCodec& from, std::string_view bytes) {
    const DecodedChar read = from.decode(from.context, bytes);
    if (read.size == 0 || read.size > bytes.size()) return {0, 1, false};
    if (!from.is_utf8 && !is_code_page_text(read.code_point)) return {0, 1, false};
    return {read.code_point, read.size, true};
}

// Only bytes that read back as `code_point` itself: a platform may offer a
// look-alike (glibc writes CP932's backslash for the yen sign).
std::size_t write_exactly(const CharsetCodec& to, char32_t code_point, std::span<char, longest_char> out) {
    if (code_point < 0x80) {
        out[0] = static_cast<char>(code_point);
        return 1;
    }
    const std::size_t size = to.encode(to.context, code_point, out);
    if (size == 0 || size > out.size()) return 0;
    const DecodedChar back = to.decode(to.context, {out.data(), size});
    return back.size == size && back.code_point == code_point ? size : 0;
}

using CharBytes = std::array<char, 3 * longest_char>;  // a letter and two marks

// How many bytes `code_point` took in `to`; 0 when it lacks it.
std::size_t write_char(const CharsetCodec& to, char32_t code_point, CharBytes& out) {
    const std::span<char, longest_char> first{out.data(), longest_char};
    if (to.is_utf8) return encode_utf8_char(code_point, first);
    if (!is_code_page_text(code_point)) return 0;
    if (const std::size_t size = write_exactly(to, code_point, first)) return size;
    std::size_t size = 0;
    for (const char32_t part : decomposition_of(code_point)) {
        const std::size_t part_size = write_exactly(to, part, std::span<char, longest_char>{out.data() + size, longest_char});
        if (part_size == 0) return 0;
        size += part_size;
    }
    return size;
}

}  // namespace

ConvertedText recode_text(const CharsetCodec& from, const CharsetCodec& to, std::string_view text,
                           std::span<char> out) {
    ConvertedText result;
    std::size_t used = 0;
    std::size_t at = 0;
    CharBytes bytes{};
    while (at < text.size()) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            if (used == out.size()) break;
            out[used++] = text[at++];
            continue;
        }
        const SourceChar read = read_char(from, text.substr(at));
        const std::size_t size = read.valid ? write_char(to, read.code_point, bytes) : 0;
        std::string_view written{bytes.data(), size};
        if (!read.valid) written = to.is_utf8 ? replacement_char : question_mark;
        else if (size == 0) written = question_mark;
        if (written.size() > out.size() - used) break;
        std::ranges::copy(written, out.begin() + static_cast<std::ptrdiff_t>(used));
        used += written.size();
        at += read.size;
        result.not_in_source += read.valid ? 0 : 1;
        result.not_in_target += read.valid && size == 0 ? 1 : 0;
    }
    result.text = {out.data(), used};
    result.cut = at < text.size();
    return result;
}

}  // namespace kelpway
