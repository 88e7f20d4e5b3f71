// What a line is to the scan and the readers, told by the first tag on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kelpway {

struct ScanState;

// The kinds of lines the tag table gives (gpx/tag_table.h).
enum class LineKind : std::uint8_t {
    other,
    waypoint,      // <wpt, first on its line: a reader line
    track,         // <trk, likewise
    route,         // <rte, likewise
    track_point,   // trkpt
    route_point,   // rtept
    segment,       // trkseg
    segment_end,   // /trkseg
    track_end,     // /trk
    route_end,     // /rte
    waypoint_end,  // /wpt
    name,          // name
};

struct LineClass {
    LineKind kind;
    std::size_t tag_end;  // where the tag's name ends in the line
};

// The kind of the line's tag name (tag_name's rules), where a name written
// "prefix:local" counts as its local part. wpt, trk and rte only count when
// their '<' is the line's first byte after blanks and tabs.
LineClass classify(std::string_view line);

// The last step of classify, shared by its faster forms: the class of a tag
// whose local name is `local`, an end tag when `closing`, whose '<' comes
// first on its line when `first`.
LineClass class_of_name(std::string_view local, bool closing, bool first, std::size_t tag_end);

// "ns2:trkpt" gives "trkpt"; a prefix is one or more bytes other than ':',
// '<' and '/' (a tag name holds neither '>' nor white space).
std::string_view local_name(std::string_view name);

// The first tag of `kind` written out whole in `text` ("<name>", "</wpt>",
// "<ns:name>"): where its '<' stands and where its '>' ends, or npos.
struct TagSpan {
    std::size_t begin;
    std::size_t end;
};
inline constexpr std::size_t no_tag = std::string_view::npos;
TagSpan find_tag(std::string_view text, LineKind kind);

// A reader is called with its start-tag line in state.input.line, classified as
// `start`. True when it stopped at a line it did not consume (a reader
// line, for the scan).
using Reader = bool (*)(ScanState& state, const LineClass& start);

// The reader of the elements a line of `kind` starts; nullptr for others.
Reader reader_for(LineKind kind);

// A reader line starts an element and so ends any element still open. A
// route's line is one only when routes are converted.
bool is_reader_line(const ScanState& state, LineKind kind);

}  // namespace kelpway
