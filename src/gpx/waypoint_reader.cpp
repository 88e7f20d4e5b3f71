// A waypoint element becomes one mark record in the MMK file.
#include "gpx/line_kind.h"
#include "gpx/readers.h"
#include "gpx/start_tag.h"
#include "gpx/waypoint_name.h"
#include "output/records.h"
#include "base/line_reader.h"

namespace kelpway {

namespace {

bool holds_end_tag(std::string_view text) { return find_tag(text, LineKind::waypoint_end).begin != no_tag; }

// Takes the line's part of the name; true when the element ends on it.
bool ends_waypoint(std::string_view line, WaypointName& name) {
    const OutsideName outside = take_name(line, name);
    return holds_end_tag(outside.before) || holds_end_tag(outside.after);
}

}  // namespace

bool read_waypoint(ScanState& state, const LineClass& start) {
    Position position{};
    const StartTag tag = read_start_tag(state, start.tag_end, TagClose::where, position);
    WaypointName name;
    bool line_left = tag.end == TagEnd::reader_line;
    bool ended = tag.end != TagEnd::open || ends_waypoint(state.input.line.substr(tag.rest), name);
    while (!ended && next_line(state.input)) {
        if (is_reader_line(state, classify_input_line(state).kind)) {
            line_left = true;  // the element was never closed; the next one starts here
            break;
        }
        ended = ends_waypoint(state.input.line, name);
    }
    if (tag.placed) {
        write_mark_record(state.mark_file, position.latitude, position.longitude, finish_name(name, state.name_charsets));
        ++state.point_count;
    } else {
        ++state.skipped_count;
    }
    return line_left;
}

}  // namespace kelpway
