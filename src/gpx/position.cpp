// The position a wpt or trkpt start tag gives in its lat= and lon= attributes.
#include "gpx/position.h"

#include "gpx/line_text.h"

namespace kelpway {

bool read_position(std::string_view line, Position& position) {
    std::optional<std::string_view> latitude = attribute_text(line, "lat=");
    std::optional<std::string_view> longitude = attribute_text(line, "lon=");
    if (!latitude || !longitude) return false;
    position.latitude = degrees_minutes_text(*latitude);
    position.longitude = degrees_minutes_text(*longitude);
    return position.latitude.usable && position.longitude.usable;
}

bool closes_empty_tag(std::string_view line) {
    std::size_t close = line.find('>');
    return close != std::string_view::npos && close > 0 && line[close - 1] == '/';
}

}  // namespace kelpway
