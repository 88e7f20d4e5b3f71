// Which lines start an element that a reader converts.
#include <array>

#include "gpx/line_text.h"
#include "gpx/readers.h"

namespace kelpway {

namespace {

struct ReaderRow {
    std::string_view tag;
    Reader reader;
};

constexpr std::array<ReaderRow, 2> reader_table{{
    {"<wpt", read_waypoint},
    {"<trk", read_track},
}};

bool ends_tag(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '>'; }

// The tag of a start-tag line ("<wpt", "<trkseg", ...): from the first '<'
// after leading blanks and tabs up to a blank, tab, CR, LF or '>'. Empty
// when the line is not a start-tag line.
std::string_view scan_tag(std::string_view line) {
    std::size_t start = indentation(line);
    if (start + 1 >= line.size() || line[start] != '<' || line[start + 1] == '/') return {};
    std::size_t end = start + 1;
    while (end < line.size() && !ends_tag(line[end])) ++end;
    return line.substr(start, end - start);
}

}  // namespace

Reader reader_for(std::string_view line) {
    std::string_view tag = scan_tag(line);
    if (tag.size() != 4) return nullptr;  // every reader's tag is "<" and three letters
    for (const ReaderRow& row : reader_table) {
        if (tag == row.tag) return row.reader;
    }
    return nullptr;
}

}  // namespace kelpway
