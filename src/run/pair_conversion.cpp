// The other direction: a DRW and MMK pair into one GPX file.
#include "run/pair_conversion.h"

#include <cinttypes>

#include "run/gpx_writer.h"

namespace kelpway {

namespace {

using ReadRecordLine = void (*)(std::string_view line, ReadRecord& record);

// What the line just delivered holds; an overlong line holds no record.
RecordKind record_kind(PairState& state, ReadRecordLine read) {
    if (state.input.overlong) return RecordKind::none;
    read(state.input.line, state.record);
    return state.record.kind;
}

// The mark's name as the GPX holds it: in UTF-8 from the MMK's charset.
std::string_view name_in_utf8(PairState& state) {
    const std::string_view name = state.record.name;
    return state.name_charsets != nullptr ? mark_name_into_utf8(*state.name_charsets, name) : name;
}

// Marks in file order; false after a read error.
bool convert_marks(PairState& state, const ByteSource& mmk) {
    attach_record_lines(state.input, mmk);
    while (next_record_line(state.input) && !state.gpx.failed) {
        if (record_kind(state, read_mark_record) != RecordKind::mark) {
            ++state.counts.skipped;
            continue;
        }
        const NameReplacements replaced =
            write_waypoint(state.gpx, state.record.latitude, state.record.longitude, name_in_utf8(state));
        state.counts.replaced += replaced.bytes;
        state.counts.replaced_characters += replaced.characters;
        ++state.counts.waypoints;
    }
    return !state.input.failed;
}

// Where the DRW stands between tracks.
struct Runs {
    bool open = false;             // a track is written up to its points
    int color = 0;                 // the open track's
    bool after_separator = false;  // a J came, and no point since
};

void open_track(PairState& state, Runs& runs, int color) {
    write_track_start(state.gpx, ++state.counts.tracks, color);
    runs.open = true;
    runs.color = color;
}

void close_track(PairState& state, Runs& runs) {
    if (runs.open) write_track_end(state.gpx);
    runs.open = false;
}

// A colour change starts a new track.
void add_point(PairState& state, Runs& runs) {
    if (runs.open && runs.color != state.record.color) close_track(state, runs);
    if (!runs.open) open_track(state, runs, state.record.color);
    runs.after_separator = false;
    write_track_point(state.gpx, state.record.latitude, state.record.longitude);
    ++state.counts.track_points;
}

// S, J, E or the input's end closes the run before. A run that a J opened is
// a track even without points, so that converting back writes that J again;
// S, E and the start of the input open one only for points.
void end_run(PairState& state, Runs& runs, bool separator) {
    close_track(state, runs);
    if (runs.after_separator) {
        open_track(state, runs, 0);
        close_track(state, runs);
    }
    runs.after_separator = separator;
}

bool convert_lines(PairState& state, const ByteSource& drw) {
    attach_record_lines(state.input, drw);
    Runs runs;
    while (next_record_line(state.input) && !state.gpx.failed) {
        switch (record_kind(state, read_line_record)) {
            case RecordKind::point: add_point(state, runs); break;
            case RecordKind::start:
            case RecordKind::end: end_run(state, runs, false); break;
            case RecordKind::separator: end_run(state, runs, true); break;
            case RecordKind::none:
            case RecordKind::mark: ++state.counts.skipped; break;
        }
    }
    end_run(state, runs, false);
    return !state.input.failed;
}

}  // namespace

PairOutcome convert_pair(PairState& state, const ByteSource* drw, const ByteSource* mmk, const ByteSink& gpx) {
    state.counts = {};
    attach_output(state.gpx, gpx);
    write_gpx_start(state.gpx);
    PairOutcome outcome = PairOutcome::converted;
    if (mmk != nullptr && !convert_marks(state, *mmk)) {
        outcome = PairOutcome::cant_read_mmk;
    } else if (drw != nullptr && !convert_lines(state, *drw)) {
        outcome = PairOutcome::cant_read_drw;
    }
    if (outcome != PairOutcome::converted) {
        abandon_output(state.gpx);
        return outcome;
    }
    write_gpx_end(state.gpx);
    return finish_output(state.gpx) ? PairOutcome::converted : PairOutcome::cant_write_gpx;
}

PairOutcome convert_pair_text(PairState& state, std::optional<std::string_view> drw,
                              std::optional<std::string_view> mmk, std::string& gpx) {
    MemoryText drw_text{drw.value_or("")};
    MemoryText mmk_text{mmk.value_or("")};
    const ByteSource drw_source = memory_source(drw_text);
    const ByteSource mmk_source = memory_source(mmk_text);
    return convert_pair(state, drw ? &drw_source : nullptr, mmk ? &mmk_source : nullptr, memory_sink(gpx));
}

void print_pair_summary(const PairCounts& counts, std::FILE* console) {
    std::fprintf(console, "GPX %" PRId64 " waypoints, %" PRId64 " tracks, %" PRId64 " track points\n",
                 counts.waypoints, counts.tracks, counts.track_points);
    if (counts.skipped > 0) {
        std::fprintf(console, "Skipped %" PRId64 " records that are not points or marks\n", counts.skipped);
    }
    if (counts.replaced > 0) {
        std::fprintf(console, "Replaced %" PRId64 " bytes that are not UTF-8 in names\n", counts.replaced);
    }
    if (counts.replaced_characters > 0) {
        std::fprintf(console, "Replaced %" PRId64 " characters that GPX cannot hold in names\n",
                     counts.replaced_characters);
    }
}

}  // namespace kelpway
