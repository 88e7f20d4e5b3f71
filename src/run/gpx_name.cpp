// A mark's name as the name element of a GPX waypoint.
#include "run/gpx_name.h"

#include <cstddef>

#include "base/line_reader.h"
#include "base/utf8_char.h"

namespace kelpway {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view name_start = "<name>";
constexpr std::string_view cdata_start = "<![CDATA[";
constexpr std::string_view cdata_end = "]]>";

// Tab aside, XML holds no control character, and no line end on a line.
bool holds_on_a_line(std::uint32_t c) {
    return c == '\t' || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

std::string_view reference_for(char c) {
    switch (c) {
        case '&': return "&amp;";
        case '<': return "&lt;";
        case '>': return "&gt;";
        default: return {};
    }
}

// Hands the name as written to `put` in pieces, with '&', '<' and '>' as
// references unless it goes into a CDATA section, and U+FFFD for each byte
// that is not UTF-8 and each character XML cannot hold.
template <class Put>
NameReplacements walk(std::string_view name, bool references, Put put) {
    NameReplacements replaced;
    std::size_t kept = 0;  // start of the bytes not yet handed on
    for (std::size_t at = 0; at < name.size();) {
        const DecodedChar c = decode_utf8_char(name.substr(at));
        const bool held = c.size > 0 && holds_on_a_line(c.code_point);
        const std::string_view instead = !held ? replacement : references ? reference_for(name[at]) : "";
        const std::size_t size = c.size > 0 ? c.size : 1;
        if (instead.empty()) {
            at += size;
            continue;
        }
        put(name.substr(kept, at - kept));
        put(instead);
        if (!held) ++(c.size > 0 ? replaced.characters : replaced.bytes);
        at += size;
        kept = at;
    }
    put(name.substr(kept));
    return replaced;
}

std::size_t written_size(std::string_view name, bool references) {
    std::size_t size = 0;
    walk(name, references, [&size](std::string_view piece) { size += piece.size(); });
    return size;
}

// A CDATA section keeps a name as it stands when nothing in it ends the
// section or a line: no "]]>", no '>' before a '<' (a tag boundary).
bool fits_cdata(std::string_view name) {
    if (name.find(cdata_end) != std::string_view::npos) return false;
    for (std::size_t at = name.find('>'); at != std::string_view::npos; at = name.find('>', at + 1)) {
        const std::size_t next = name.find_first_not_of(" \t", at + 1);
        if (next != std::string_view::npos && name[next] == '<') return false;
    }
    return true;
}

struct Layout {
    std::string_view indent;
    bool own_line = false;  // the text on the line after the tag's
    bool cdata = false;
};

// GPX reading keeps a name whole when it ends in the first line piece of
// its line and is no longer than a piece in all; references count as written.
Layout layout_for(std::string_view indent, std::string_view name) {
    const std::size_t text = written_size(name, true);
    const bool cdata = fits_cdata(name);
    const std::size_t section = cdata_start.size() + written_size(name, false) + cdata_end.size();
    for (const bool in_cdata : {false, true}) {
        if (in_cdata && !cdata) break;
        const std::size_t size = in_cdata ? section : text;
        if (indent.size() + name_start.size() + size <= line_limit) return {indent, false, in_cdata};
        // The indent is only for the eye.
        if (name_start.size() + size <= line_limit) return {{}, false, in_cdata};
    }
    // A line of its own loses the blanks it starts with; a CDATA section keeps them.
    const bool blank_first = name.starts_with(' ') || name.starts_with('\t');
    if (text <= line_limit && !blank_first) return {indent, true, false};
    if (cdata && section <= line_limit) return {indent, true, true};
    return {indent, true, false};  // longer than a line piece: the reading keeps its start
}

}  // namespace

NameReplacements put_name_element(OutputFile& file, std::string_view indent, std::string_view name) {
    const Layout layout = layout_for(indent, name);
    put_bytes(file, layout.indent);
    put_bytes(file, name_start);
    if (layout.own_line) put_bytes(file, "\n");
    if (layout.cdata) put_bytes(file, cdata_start);
    const NameReplacements replaced = walk(name, !layout.cdata, [&file](std::string_view piece) { put_bytes(file, piece); });
    if (layout.cdata) put_bytes(file, cdata_end);
    put_bytes(file, "</name>\n");
    return replaced;
}

}  // namespace kelpway
