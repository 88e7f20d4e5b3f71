// A mark's name as the name element of a GPX waypoint.
#include "run/gpx_name.h"

#include <cstddef>

#include "base/line_reader.h"
#include "base/utf8_char.h"

namespace kelpway {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view name_start = "<name>";

bool is_xml_char(std::uint32_t c) {
    return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The bytes of the UTF-8 character at `at` when XML can hold it on a line
// (no CR or LF either), else 0: that byte is replaced.
std::size_t char_size(std::string_view text, std::size_t at) {
    const DecodedChar c = decode_utf8_char(text.substr(at));
    return c.size > 0 && is_xml_char(c.code_point) && c.code_point != '\n' && c.code_point != '\r' ? c.size : 0;
}

std::string_view reference_for(char c) {
    switch (c) {
        case '&': return "&amp;";
        case '<': return "&lt;";
        case '>': return "&gt;";
        default: return {};
    }
}

// Hands the text as written to `put` in pieces; the number of bytes replaced.
template <class Put>
std::int64_t walk(std::string_view name, Put put) {
    std::int64_t replaced = 0;
    std::size_t kept = 0;  // start of the bytes not yet handed on
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t size = char_size(name, at);
        const std::string_view instead = size == 0 ? replacement : reference_for(name[at]);
        if (instead.empty()) {
            at += size;
            continue;
        }
        put(name.substr(kept, at - kept));
        put(instead);
        replaced += size == 0 ? 1 : 0;
        at += size == 0 ? 1 : size;
        kept = at;
    }
    put(name.substr(kept));
    return replaced;
}

}  // namespace

std::int64_t put_name_element(OutputFile& file, std::string_view indent, std::string_view name) {
    std::size_t size = 0;
    walk(name, [&size](std::string_view piece) { size += piece.size(); });
    // The line reader gives the text whole when its end lies in the tag line's first piece.
    const bool one_line = indent.size() + name_start.size() + size <= line_limit;
    put_bytes(file, indent);
    put_bytes(file, name_start);
    if (!one_line) put_bytes(file, "\n");
    const std::int64_t replaced = walk(name, [&file](std::string_view piece) { put_bytes(file, piece); });
    put_bytes(file, "</name>\n");
    return replaced;
}

}  // namespace kelpway
