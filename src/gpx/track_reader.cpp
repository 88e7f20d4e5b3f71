// A track element becomes a run of point records in the DRW file, one run
// per segment, with a separator before each run once points exist.
#include "gpx/line_text.h"
#include "gpx/position.h"
#include "gpx/readers.h"
#include "output/records.h"
#include "run/line_reader.h"

namespace kelpway {

namespace {

// A reader line's tag name is "wpt" or "trk"; the cheap test comes first.
bool starts_reader(std::string_view line, std::string_view tag) {
    return (tag == "wpt" || tag == "trk") && is_reader_line(line);
}

// The tags the body acts on begin "tr", "/t" or "wp": other tags (ele,
// time, extensions) need no name, which spares most lines the search.
std::string_view body_tag(std::string_view line) {
    std::size_t at = indentation(line);
    if (at + 2 < line.size() && line[at] == '<') {
        std::string_view start = line.substr(at + 1, 2);
        if (start != "tr" && start != "/t" && start != "wp") return {};
    }
    return tag_name(line);
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

// Passes over the track's name, description and the like. True when the
// current line already belongs to the body.
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
