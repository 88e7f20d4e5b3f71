// One whole conversion: the file set, the scan over the input, the records.
#include "run/conversion.h"

#include "gpx/line_kind.h"
#include "gpx/readers.h"
#include "output/output_file.h"
#include "output/records.h"
#include "run/file_set.h"
#include "run/line_reader.h"

namespace kelpway {

namespace {

void reset_counts(ConversionState& state) {
    state.point_count = 0;
    state.line_count = 0;
    state.skipped_count = 0;
    state.passed_over_count = 0;
}

// Closes everything and tells which failure, if any, the run met. A read
// error outranks a write error; DRW outranks MMK.
Outcome finish_run(ConversionState& state) {
    bool drw_kept = finish_output(state.line_file);
    bool mmk_kept = finish_output(state.mark_file);
    if (state.input.failed) return Outcome::cant_read_gpx;
    if (!drw_kept) return Outcome::cant_write_drw;
    if (!mmk_kept) return Outcome::cant_write_mmk;
    return Outcome::converted;
}

}  // namespace

void scan_input(ConversionState& state) {
    write_start_record(state);
    bool line_left = false;  // a reader stopped at a line that is not its own
    while (line_left || next_line(state)) {
        const LineClass line = classify(state.line);
        const Reader reader = reader_for(line.kind);
        line_left = reader != nullptr && reader(state, line);
        // A lost DRW decides the message; with only the MMK lost, the DRW is
        // still written whole.
        if (state.line_file.failed) return;
    }
    if (!state.input.failed) write_end_record(state);
}

Outcome convert_gpx(ConversionState& state, std::string_view path) {
    reset_counts(state);
    Outcome outcome = open_input_file(state, path);
    if (outcome == Outcome::converted) outcome = create_line_file(state, path);
    if (outcome == Outcome::converted) outcome = create_mark_file(state);
    if (outcome != Outcome::converted) return outcome;
    scan_input(state);
    close_input_file(state);
    return finish_run(state);
}

Outcome convert_text(ConversionState& state, std::string_view gpx, std::string& drw,
                     std::string& mmk) {
    reset_counts(state);
    attach_input(state.input, gpx);
    attach_output(state.line_file, drw);
    attach_output(state.mark_file, mmk);
    scan_input(state);
    return finish_run(state);
}

}  // namespace kelpway
