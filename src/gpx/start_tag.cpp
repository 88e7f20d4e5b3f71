// The start tag of a waypoint or a track or route point: its position, from
// the lat= and lon= attributes, and where the tag ends.
#include "gpx/start_tag.h"

#include <optional>

#include "gpx/line_kind.h"
#include "gpx/line_text.h"
#include "gpx/readers.h"
#include "run/line_reader.h"
#include "run/short_text.h"

namespace kelpway {
namespace {

struct Attributes {
    bool has_latitude = false;
    bool has_longitude = false;
    Position position{};
};

// Values are converted at once: the line they stand in is gone at the next line.
void take_attributes(std::string_view line, Attributes& found) {
    if (!found.has_latitude) {
        if (const std::optional<std::string_view> value = attribute_text(line, "lat=")) {
            found.position.latitude = degrees_minutes_text(*value);
            found.has_latitude = true;
        }
    }
    if (!found.has_longitude) {
        if (const std::optional<std::string_view> value = attribute_text(line, "lon=")) {
            found.position.longitude = degrees_minutes_text(*value);
            found.has_longitude = true;
        }
    }
}

std::size_t find_close(std::string_view line, std::size_t from) {
    return find_byte(line.data(), from, line.size(), '>');
}

StartTag finished(const Attributes& found, TagEnd end, std::size_t rest) {
    return {found.position,
            found.has_latitude && found.has_longitude && found.position.latitude.usable &&
                found.position.longitude.usable,
            end, rest};
}

}  // namespace

StartTag read_start_tag(ConversionState& state, std::size_t name_end) {
    Attributes found;
    take_attributes(state.line, found);
    std::size_t close = find_close(state.line, name_end);
    while (close == state.line.size()) {
        if (!next_line(state)) return finished(found, TagEnd::input_ended, 0);
        if (is_reader_line(state, classify(state.line).kind)) {
            return finished(found, TagEnd::reader_line, 0);
        }
        take_attributes(state.line, found);
        close = find_close(state.line, 0);
    }
    const bool empty = close > 0 && state.line[close - 1] == '/';
    return finished(found, empty ? TagEnd::empty_element : TagEnd::open, close + 1);
}

bool closes_empty_tag(std::string_view line) {
    const std::size_t close = find_close(line, 0);
    return close < line.size() && close > 0 && line[close - 1] == '/';
}

}  // namespace kelpway
