// A track element becomes a run of point records in the DRW file, one run
// per segment, with a separator before each run once points exist. A route
// is read the same way, as one run of route points.
#include "gpx/line_kind.h"
#include "gpx/readers.h"
#include "gpx/start_tag.h"
#include "output/records.h"
#include "base/line_reader.h"

namespace kelpway {

namespace {

// The tags that shape an element of point runs.
struct RunTags {
    LineKind point;
    LineKind end;
    bool segments;  // trkseg starts a run of its own
};

constexpr RunTags track_tags{LineKind::track_point, LineKind::track_end, true};
constexpr RunTags route_tags{LineKind::route_point, LineKind::route_end, false};

void separate(ScanState& state) {
    if (state.line_count > 0) write_separator_record(state.line_file);
}

// False when the point's start tag ran into a reader line, which ends the element.
bool convert_point(ScanState& state, const LineClass& point) {
    Position position{};
    const StartTag tag = read_start_tag(state, point.tag_end, TagClose::whether, position);
    if (tag.placed) {
        write_point_record(state.line_file, state.color, position.latitude, position.longitude);
        ++state.line_count;
    } else {
        ++state.skipped_count;
    }
    return tag.end != TagEnd::reader_line;
}

// A start tag that is empty or holds its own end tag: an element without points.
bool is_whole(std::string_view line, const RunTags& tags) {
    return closes_empty_tag(line) || find_tag(line, tags.end).begin != no_tag;
}

// Passes over the element's name, description and the like. The header
// ends with its trkseg line (consumed), with a line that already belongs
// to the body (left in state.input.line), or with the input.
enum class Header { consumed, body_line, input_ended };

Header skip_header(ScanState& state, const RunTags& tags) {
    while (next_line(state.input)) {
        const LineKind kind = classify_input_line(state).kind;
        if (tags.segments && kind == LineKind::segment) return Header::consumed;
        if (kind == tags.point || kind == tags.end || (tags.segments && kind == LineKind::segment_end) ||
            is_reader_line(state, kind)) {
            return Header::body_line;
        }
    }
    return Header::input_ended;
}

bool read_runs(ScanState& state, const RunTags& tags) {
    if (is_whole(state.input.line, tags)) {
        separate(state);
        return false;
    }
    const Header header = skip_header(state, tags);
    if (header == Header::input_ended) return false;
    separate(state);
    bool have_line = header == Header::body_line;
    while (have_line || next_line(state.input)) {
        have_line = false;
        const LineClass line = classify_input_line(state);
        if (line.kind == tags.point) {
            if (!convert_point(state, line)) return true;  // the element was never closed
        } else if (tags.segments && line.kind == LineKind::segment) {
            separate(state);
        } else if (line.kind == tags.end) {
            return false;
        } else if (is_reader_line(state, line.kind)) {
            return true;  // never closed either
        }
    }
    return false;
}

// Without --routes a route writes nothing; its points are counted so that
// the summary can say what was left out.
bool count_route_points(ScanState& state) {
    if (is_whole(state.input.line, route_tags)) return false;
    while (next_line(state.input)) {
        const LineKind kind = classify_input_line(state).kind;
        if (kind == LineKind::route_point) {
            ++state.passed_over_count;
        } else if (kind == LineKind::route_end) {
            return false;
        } else if (is_reader_line(state, kind)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool read_track(ScanState& state, const LineClass& /*start*/) {
    return read_runs(state, track_tags);
}

bool read_route(ScanState& state, const LineClass& /*start*/) {
    return state.convert_routes ? read_runs(state, route_tags) : count_route_points(state);
}

}  // namespace kelpway
