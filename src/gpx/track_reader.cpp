// A track element becomes a run of point records in the DRW file, one run
// per segment, with a separator before each run once points exist.
#include "gpx/line_text.h"
#include "gpx/position.h"
#include "gpx/readers.h"
#include "output/records.h"
#include "run/short_text.h"
#include "run/line_reader.h"

namespace kelpway {

namespace {

// A reader line's tag name is "wpt" or "trk"; the cheap test comes first.
bool starts_reader(std::string_view line, std::string_view tag) {
    return (tag == "wpt" || tag == "trk") && is_reader_line(line);
}

// The name's length is a constant here, so the comparison unrolls.
template <std::size_t size>
bool has_tag(std::string_view rest, const char (&name)[size]) {
    constexpr std::size_t length = size - 1;
    return rest.size() >= length && same_bytes(rest.data(), name, length) &&
           (rest.size() == length || ends_tag_name(rest[length]));
}

// The tag name of a body line, as far as the body acts on it: lines of other
// tags (ele, time, extensions) give an empty name without a search.
std::string_view body_tag(std::string_view line) {
    std::size_t at = indentation(line);
    if (at >= line.size() || line[at] != '<') return tag_name(line);
    std::string_view rest = line.substr(at + 1);
    switch (rest.empty() ? '\0' : rest[0]) {
        case 't':
            if (has_tag(rest, "trkpt")) return "trkpt";
            if (has_tag(rest, "trkseg")) return "trkseg";
            if (has_tag(rest, "trk")) return "trk";
            return {};
        case '/':
            if (has_tag(rest, "/trkseg")) return "/trkseg";
            if (has_tag(rest, "/trk")) return "/trk";
            return {};
        case 'w': return has_tag(rest, "wpt") ? "wpt" : std::string_view{};
        default: return {};
    }
}

void separate(ConversionState& state) {
    if (state.line_count > 0) write_separator_record(state);
}

void convert_point(ConversionState& state) {
    Position position;
    if (read_position(state.line, position)) {
        write_point_record(state, position.latitude, position.longitude);
        ++state.line_count;
    } else {
        ++state.skipped_count;
    }
}

// Passes over the track's name, description and the like. The header ends
// with its trkseg line (consumed), with a line that already belongs to the
// body (left in state.line), or with the input.
enum class Header { consumed, body_line, input_ended };

Header skip_header(ConversionState& state) {
    while (next_line(state)) {
        std::string_view tag = tag_name(state.line);
        if (tag == "trkseg") return Header::consumed;
        if (tag == "trkpt" || tag == "/trkseg" || tag == "/trk" || starts_reader(state.line, tag)) {
            return Header::body_line;
        }
    }
    return Header::input_ended;
}

}  // namespace

bool read_track(ConversionState& state) {
    if (closes_empty_tag(state.line) || state.line.find("</trk>") != std::string_view::npos) {
        separate(state);
        return false;
    }
    Header header = skip_header(state);
    if (header == Header::input_ended) return false;
    separate(state);
    bool have_line = header == Header::body_line;
    while (have_line || next_line(state)) {
        have_line = false;
        std::string_view tag = body_tag(state.line);
        if (tag == "trkpt") {
            convert_point(state);
        } else if (tag == "trkseg") {
            separate(state);
        } else if (tag == "/trk") {
            return false;
        } else if (starts_reader(state.line, tag)) {
            return true;  // the track was never closed; the next element starts here
        }
    }
    return false;
}

}  // namespace kelpway
