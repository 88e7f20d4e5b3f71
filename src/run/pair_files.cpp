// The files of the other direction: the pair FILE names, read, and its GPX
// beside it, which appears whole or not at all and never replaces an entry.
#include "run/pair_files.h"

#include <string>

#include "run/name_lookup.h"
#include "run/path_parts.h"
#include "run/stop_signals.h"

namespace kelpway {

namespace {

std::string with_extension(std::string_view path, const char* extension) {
    PathParts parts = split_path(path);
    parts.extension = extension;
    return merge_path(parts);
}

// The entry of that name in any case.
Found find_any_case(FileSystem& files, std::string& path) {
    if (files.exists(path)) return Found::entry;
    const std::string formed = path;
    return find_entry_ignoring_case(files, path, locate(formed).entry);
}

// Opens one file of the pair; a missing one is no failure, but one that may
// be there unseen is, as is one that cannot be opened.
bool open_record_file(FileLink& link, FileSystem& files, std::string path, bool& found) {
    const Found lookup = find_any_case(files, path);
    found = lookup == Found::entry;
    if (lookup != Found::entry) return lookup == Found::none;
    link = {&files, files.open_input(path)};
    return link.handle != no_file;
}

Outcome outcome_of(PairOutcome written) {
    switch (written) {
        case PairOutcome::converted: return Outcome::converted;
        case PairOutcome::cant_read_drw: return Outcome::cant_read_drw;
        case PairOutcome::cant_read_mmk: return Outcome::cant_read_mmk;
        case PairOutcome::cant_write_gpx: break;
    }
    return Outcome::cant_write_gpx;
}

// In one held stretch, as the pair of the forward direction is placed.
Outcome place_gpx(PairFiles& state, FileSystem& files, const std::string& path) {
    const StopsHeld held;
    ignore_stops_from_now();
    const Placed placed = files.place_new(state.gpx.handle, path);
    if (placed != Placed::placed) return placed == Placed::exists ? Outcome::wont_overwrite_gpx : Outcome::cant_write_gpx;
    const bool closed = files.close(state.gpx.handle);
    state.gpx.handle = no_file;
    if (closed) return Outcome::converted;
    files.remove(path);
    return Outcome::cant_write_gpx;
}

Outcome convert_opened(PairFiles& state, std::string_view path, FileSystem& files, bool has_drw, bool has_mmk) {
    std::string gpx_path = with_extension(path, "GPX");
    // Where the folder cannot be listed, placing still never replaces the name itself.
    if (find_any_case(files, gpx_path) == Found::entry) return Outcome::wont_overwrite_gpx;
    state.gpx = {&files, files.create_temporary(locate(gpx_path).directory)};
    if (state.gpx.handle == no_file) return Outcome::cant_write_gpx;
    const ByteSource drw = file_source(state.drw);
    const ByteSource mmk = file_source(state.mmk);
    const PairOutcome written =
        convert_pair(state.pair, has_drw ? &drw : nullptr, has_mmk ? &mmk : nullptr, temporary_sink(state.gpx));
    if (written != PairOutcome::converted) return outcome_of(written);
    return place_gpx(state, files, gpx_path);
}

// Whatever a run leaves open is closed when it returns, on every path.
struct PairFilesGuard {
    explicit PairFilesGuard(PairFiles& guarded) : state(guarded) {}
    PairFiles& state;
    PairFilesGuard(const PairFilesGuard&) = delete;
    PairFilesGuard& operator=(const PairFilesGuard&) = delete;
    ~PairFilesGuard() {
        for (FileLink* input : {&state.drw, &state.mmk}) {
            if (input->handle != no_file) input->files->close(input->handle);
        }
        if (state.gpx.handle != no_file) state.gpx.files->discard(state.gpx.handle);
    }
};

}  // namespace

Outcome convert_pair_files(PairFiles& state, std::string_view path, FileSystem& files) {
    const PairFilesGuard guard{state};
    bool has_drw = false;
    bool has_mmk = false;
    if (!open_record_file(state.drw, files, with_extension(path, "DRW"), has_drw)) return Outcome::cant_open_drw;
    if (!open_record_file(state.mmk, files, with_extension(path, "MMK"), has_mmk)) return Outcome::cant_open_mmk;
    if (!has_drw && !has_mmk) return Outcome::cant_open_drw;
    return convert_opened(state, path, files, has_drw, has_mmk);
}

}  // namespace kelpway
