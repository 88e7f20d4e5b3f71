// One whole conversion: the file set, the scan over the input, the records.
#include "run/conversion.h"

#include "gpx/scan.h"
#include "output/output_file.h"
#include "run/file_set.h"

namespace kelpway {

namespace {

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

Outcome convert_gpx(ConversionState& state, std::string_view path, FileSystem& files) {
    const FileSetGuard guard{state};
    if (const Outcome opened = open_input_file(state, path, files); opened != Outcome::converted) return opened;
    if (const Outcome created = create_outputs(state, files); created != Outcome::converted) return created;
    scan_input(state.scan);
    if (const Outcome written = finish_run(state.scan); written != Outcome::converted) return written;
    return place_outputs(state, files);
}

}  // namespace kelpway
