// The start tag of a waypoint or a track or route point: its position, from
// the lat= and lon= attributes, and where the tag ends.
#include "gpx/start_tag.h"

#include <optional>

#include "gpx/usual_attributes.h"
#include "gpx/line_kind.h"
#include "output/degrees_decimal.h"
#include "gpx/line_text.h"
#include "gpx/readers.h"
#include "base/line_reader.h"

namespace kelpway {
namespace {

struct Attributes {
    Position& position;
    bool has_latitude = false;
    bool has_longitude = false;
};

// Values are converted at once: the line they stand in is gone at the next
// line. Gives where the later of the values found on the line ends.
std::size_t take_attributes(std::string_view line, std::size_t name_end, Attributes& found) {
    const AttributeTexts texts = attribute_texts_usual(line, name_end, "lat=", "lon=");
    std::size_t values_end = 0;
    const auto take = [&](const std::optional<std::string_view>& text, bool& has, DegreesMinutes& value) {
        if (has || !text) return;
        degrees_minutes_text_decimal(*text, value);
        has = true;
        const auto end = static_cast<std::size_t>(text->data() - line.data()) + text->size();
        if (end > values_end) values_end = end;
    };
    take(texts.first, found.has_latitude, found.position.latitude);
    take(texts.second, found.has_longitude, found.position.longitude);
    return values_end;
}

std::size_t find_close(std::string_view line, std::size_t from) {
    // Mostly a byte or two away: a loop costs less than a call to search.
    while (from < line.size() && line[from] != '>') ++from;
    return from;
}

StartTag finished(const Attributes& found, TagEnd end, std::size_t rest) {
    return {found.has_latitude && found.has_longitude && found.position.latitude.usable &&
                found.position.longitude.usable,
            end, rest};
}

}  // namespace

StartTag read_start_tag(ScanState& state, std::size_t name_end, TagClose wanted, Position& position) {
    Attributes found{position};
    const std::size_t values_end = take_attributes(state.input.line, name_end, found);
    std::size_t close = state.input.line.size();
    // Its '>' mostly follows the values at once; looking there first spares a
    // search when only whether the tag closes matters.
    if (wanted == TagClose::whether && values_end > name_end) close = find_close(state.input.line, values_end);
    if (close == state.input.line.size()) close = find_close(state.input.line, name_end);
    while (close == state.input.line.size()) {
        if (!next_line(state.input)) return finished(found, TagEnd::input_ended, 0);
        if (is_reader_line(state, classify_input_line(state).kind)) {
            return finished(found, TagEnd::reader_line, 0);
        }
        take_attributes(state.input.line, 0, found);
        close = find_close(state.input.line, 0);
    }
    const bool empty = close > 0 && state.input.line[close - 1] == '/';
    return finished(found, empty ? TagEnd::empty_element : TagEnd::open, close + 1);
}

bool closes_empty_tag(std::string_view line) {
    const std::size_t close = find_close(line, 0);
    return close < line.size() && close > 0 && line[close - 1] == '/';
}

}  // namespace kelpway
