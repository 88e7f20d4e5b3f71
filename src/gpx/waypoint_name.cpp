// A waypoint's name: the text of its first <name> element, which may run
// over several lines.
#include "gpx/waypoint_name.h"

#include <cstring>

#include "gpx/line_kind.h"
#include "gpx/line_text.h"
#include "gpx/references.h"

namespace kelpway {
namespace {

using Stage = WaypointName::Stage;

constexpr std::string_view cdata_start = "<![CDATA[";
constexpr std::string_view cdata_end = "]]>";

std::size_t line_end_size(std::string_view line) {
    if (line.ends_with("\r\n")) return 2;
    return line.ends_with('\n') || line.ends_with('\r') ? 1 : 0;
}

std::size_t skip_blanks(std::string_view line, std::size_t at) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    return at;
}

void add_piece(WaypointName& name, std::string_view piece) {
    if (piece.empty()) return;
    if (name.size > 0 && name.size < name.bytes.size()) name.bytes[name.size++] = ' ';
    const std::size_t room = name.bytes.size() - name.size;
    const std::size_t kept = piece.size() < room ? piece.size() : room;
    if (kept > 0) std::memcpy(name.bytes.data() + name.size, piece.data(), kept);
    name.size += kept;
}

constexpr std::size_t none = std::string_view::npos;

// Adds the text from `at` up to the terminator at `close` (npos: none on
// this line, so the text runs to the line end). Gives where the rest of the
// line starts after a terminator of `closer_size` bytes, or npos while the
// text goes on with the next line.
std::size_t add_text(std::string_view line, std::size_t at, std::size_t close,
                     std::size_t closer_size, WaypointName& name) {
    if (close != none) {
        add_piece(name, line.substr(at, close - at));
        name.stage = Stage::done;
        return close + closer_size;
    }
    const std::size_t line_end = line_end_size(line);
    add_piece(name, line.substr(at, line.size() - line_end - at));
    if (line_end > 0) return none;
    name.stage = Stage::done;  // a piece cut by the length limit ends the name
    return line.size();
}

// A '<' ends plain text and also starts the rest of the line, which may be
// the element's end tag.
std::size_t add_plain_text(std::string_view line, std::size_t at, WaypointName& name) {
    name.stage = Stage::in_text;
    return add_text(line, at, line.find('<', at), 0, name);
}

std::size_t add_cdata(std::string_view line, std::size_t at, WaypointName& name) {
    name.stage = Stage::in_cdata;
    name.literal = true;
    return add_text(line, at, line.find(cdata_end, at), cdata_end.size(), name);
}

// The text begins at `at` on a line after the tag's.
std::size_t begin_text(std::string_view line, std::size_t at, WaypointName& name) {
    if (line.substr(at).starts_with(cdata_start)) return add_cdata(line, at + cdata_start.size(), name);
    return add_plain_text(line, at, name);
}

// On the tag's own line the text begins right after it, blanks included,
// unless nothing but blanks stands before the line end or a CDATA section.
std::size_t after_name_tag(std::string_view line, const TagSpan& tag, WaypointName& name) {
    const std::size_t line_end = line_end_size(line);
    const std::size_t first = skip_blanks(line, tag.end);
    if (line_end > 0 && first == line.size() - line_end) {
        name.stage = Stage::before_text;
        return none;
    }
    if (line.substr(first).starts_with(cdata_start)) return add_cdata(line, first + cdata_start.size(), name);
    const std::string_view text = element_text(line.substr(tag.begin));
    const std::size_t close = static_cast<std::size_t>(text.data() - line.data()) + text.size();
    name.stage = Stage::in_text;
    return add_text(line, tag.end, close < line.size() ? close : none, 0, name);
}

OutsideName outside(std::string_view line, std::size_t before, std::size_t after) {
    return {line.substr(0, before), after == std::string_view::npos ? std::string_view{}
                                                                     : line.substr(after)};
}

}  // namespace

OutsideName take_name(std::string_view line, WaypointName& name) {
    switch (name.stage) {
        case Stage::searching: {
            const TagSpan tag = find_tag(line, LineKind::name);
            if (tag.begin == no_tag) return {line, {}};
            return outside(line, tag.begin, after_name_tag(line, tag, name));
        }
        case Stage::before_text: {
            const std::size_t text = skip_blanks(line, 0);
            if (text == line.size() - line_end_size(line)) {
                if (text == line.size()) name.stage = Stage::done;  // cut before any text
                return {};
            }
            return outside(line, 0, begin_text(line, text, name));
        }
        case Stage::in_text: return outside(line, 0, add_plain_text(line, skip_blanks(line, 0), name));
        case Stage::in_cdata: return outside(line, 0, add_cdata(line, skip_blanks(line, 0), name));
        case Stage::done: break;
    }
    return {line, {}};
}

std::string_view finish_name(WaypointName& name, NameCharsets* charsets) {
    // Decoded after the cap, so a reference the cap cut stays as written.
    if (charsets == nullptr) {
        if (!name.literal) name.size = decode_references(name.bytes.data(), name.size);
        return name.view();
    }
    std::string_view utf8 = name_into_utf8(*charsets, name.view());
    if (!name.literal) {
        char* const text = charsets->utf8.data();
        utf8 = {text, decode_references(text, utf8.size())};
    }
    return name_into_marks(*charsets, utf8);
}

}  // namespace kelpway
