// A track element becomes a run of point records in the DRW file, one run
// per segment, with a separator before each run once points exist.
#include "gpx/line_kind.h"
#include "gpx/readers.h"
#include "gpx/start_tag.h"
#include "output/records.h"
#include "run/line_reader.h"

namespace kelpway {

namespace {

void separate(ConversionState& state) {
    if (state.line_count > 0) write_separator_record(state);
}

// False when the point's start tag ran into a reader line, which ends the track.
bool convert_point(ConversionState& state, const LineClass& point) {
    const StartTag tag = read_start_tag(state, point.tag_end);
    if (tag.placed) {
        write_point_record(state, tag.position.latitude, tag.position.longitude);
        ++state.line_count;
    } else {
        ++state.skipped_count;
    }
    return tag.end != TagEnd::reader_line;
}

// Passes over the track's name, description and the like. The header ends
// with its trkseg line (consumed), with a line that already belongs to the
// body (left in state.line), or with the input.
enum class Header { consumed, body_line, input_ended };

Header skip_header(ConversionState& state) {
    while (next_line(state)) {
        switch (const LineKind kind = classify(state.line).kind) {
            case LineKind::segment: return Header::consumed;
            case LineKind::track_point:
            case LineKind::segment_end:
            case LineKind::track_end: return Header::body_line;
            default:
                if (is_reader_line(state, kind)) return Header::body_line;
        }
    }
    return Header::input_ended;
}

}  // namespace

bool read_track(ConversionState& state, const LineClass& /*start*/) {
    if (closes_empty_tag(state.line) || find_tag(state.line, LineKind::track_end).begin != no_tag) {
        separate(state);
        return false;
    }
    const Header header = skip_header(state);
    if (header == Header::input_ended) return false;
    separate(state);
    bool have_line = header == Header::body_line;
    while (have_line || next_line(state)) {
        have_line = false;
        const LineClass line = classify(state.line);
        switch (line.kind) {
            case LineKind::track_point:
                if (!convert_point(state, line)) return true;  // the track was never closed
                break;
            case LineKind::segment: separate(state); break;
            case LineKind::track_end: return false;
            default:
                if (is_reader_line(state, line.kind)) return true;  // never closed either
        }
    }
    return false;
}

}  // namespace kelpway
