// One whole conversion: the file set, the scan over the input, the records.
#include "run/conversion.h"

#include "gpx/line_kind.h"
#include "gpx/readers.h"
#include "output/output_file.h"
#include "output/records.h"
#include "run/file_set.h"

namespace kelpway {

namespace {

void reset_counts(ScanState& state) {
    state.point_count = 0;
    state.line_count = 0;
    state.skipped_count = 0;
    state.passed_over_count = 0;
}

// Ends the writing of both outputs and tells which failure, if any, the run
// met. A read error outranks a write error; DRW outranks MMK.
Outcome finish_run(ScanState& state) {
    const bool drw_kept = finish_output(state.line_file);
    const bool mmk_kept = finish_output(state.mark_file);
    if (state.input.failed) return Outcome::cant_read_gpx;
    if (!drw_kept) return Outcome::cant_write_drw;
    if (!mmk_kept) return Outcome::cant_write_mmk;
    return Outcome::converted;
}

// Whatever a run leaves open is closed when it returns, on every path.
struct FileSetGuard {
    explicit FileSetGuard(ConversionState& guarded) : state(guarded) {}
    ConversionState& state;
    FileSetGuard(const FileSetGuard&) = delete;
    FileSetGuard& operator=(const FileSetGuard&) = delete;
    ~FileSetGuard() { close_file_set(state); }
};

}  // namespace

void scan_input(ScanState& state) {
    write_start_record(state.line_file);
    bool line_left = false;  // a reader stopped at a line that is not its own
    while (line_left || next_line(state.input)) {
        const LineClass line = classify_input_line(state);
        const Reader reader = reader_for(line.kind);
        line_left = reader != nullptr && reader(state, line);
        // A lost DRW decides the message; with only the MMK lost, the DRW is
        // still written whole.
        if (state.line_file.failed) return;
    }
    if (!state.input.failed) write_end_record(state.line_file);
}

Outcome convert_gpx(ConversionState& state, std::string_view path, FileSystem& files) {
    reset_counts(state.scan);
    const FileSetGuard guard{state};
    if (const Outcome opened = open_input_file(state, path, files); opened != Outcome::converted) return opened;
    if (const Outcome created = create_outputs(state, files); created != Outcome::converted) return created;
    scan_input(state.scan);
    if (const Outcome written = finish_run(state.scan); written != Outcome::converted) return written;
    return place_outputs(state, files);
}

Outcome convert_text(ScanState& state, std::string_view gpx, std::string& drw, std::string& mmk) {
    reset_counts(state);
    MemoryText text{gpx};
    attach_input(state.input, memory_source(text));
    attach_output(state.line_file, memory_sink(drw));
    attach_output(state.mark_file, memory_sink(mmk));
    scan_input(state);
    return finish_run(state);
}

}  // namespace kelpway
