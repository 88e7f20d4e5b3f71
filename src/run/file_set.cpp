// Opening the GPX input, writing the DRW and MMK outputs as temporaries, and
// putting them in place as a pair.
#include "run/file_set.h"

#include <cstdio>

#include "output/output_file.h"
#include "run/name_lookup.h"
#include "run/stop_signals.h"

namespace kelpway {

namespace {

std::string output_path(const PathParts& argument, int number, const char* extension) {
    char name[16];
    std::snprintf(name, sizeof name, "BV10%04d", number);
    return merge_path({argument.drive, argument.directory, name, extension});
}

// The last component of the argument as the operating system reads it.
std::string_view typed_entry(std::string_view path) { return path.substr(path.size() - locate(path).entry.size()); }

bool create_output(FileLink& link, OutputFile& output, FileSystem& files, const std::string& directory) {
    link = {&files, files.create_temporary(directory)};
    if (link.handle == no_file) return false;
    attach_output(output, temporary_sink(link));
    return true;
}

// The first number from `from` on that no listed entry takes; past the last when none.
int first_free(const TakenNumbers& taken, int from) {
    while (from <= last_number && taken[static_cast<std::size_t>(from)]) ++from;
    return from;
}

// Both placed: closing them is the last check. On a failure nothing stays,
// not even the pair just placed.
Outcome close_placed(ConversionState& state, const std::string& line, const std::string& mark) {
    FileSystem& files = *state.line_link.files;
    const bool line_closed = files.close(state.line_link.handle);
    const bool mark_closed = files.close(state.mark_link.handle);
    state.line_link.handle = no_file;
    state.mark_link.handle = no_file;
    if (line_closed && mark_closed) return Outcome::converted;
    files.remove(line);
    files.remove(mark);
    return line_closed ? Outcome::cant_write_mmk : Outcome::cant_write_drw;
}

}  // namespace

Outcome open_input_file(ConversionState& state, std::string_view path, FileSystem& files) {
    state.path_parts = split_path(path);
    state.path_parts.extension = "GPX";
    state.input_path = merge_path(state.path_parts);
    if (!files.exists(state.input_path) &&
        find_entry_ignoring_case(files, state.input_path, typed_entry(path)) != Found::entry) {
        return Outcome::cant_open_gpx;
    }
    const FileHandle input = files.open_input(state.input_path);
    if (input == no_file) return Outcome::cant_open_gpx;
    state.input_file = {&files, input};
    attach_input(state.scan.input, file_source(state.input_file));
    return Outcome::converted;
}

// The number is looked up here, so that an MMK name that cannot take the
// file is reported before any work; it is taken when the pair is placed.
Outcome create_outputs(ConversionState& state, FileSystem& files) {
    TakenNumbers taken{};
    find_taken_numbers(files, output_path(state.path_parts, 1, "DRW"), taken);
    state.number = first_free(taken, 1);
    if (state.number > last_number) return Outcome::cant_open_drw;
    if (!files.replaceable(output_path(state.path_parts, state.number, "MMK"), state.input_file.handle)) {
        return Outcome::cant_open_mmk;
    }
    const std::string directory = locate(output_path(state.path_parts, state.number, "DRW")).directory;
    if (!create_output(state.line_link, state.scan.line_file, files, directory)) return Outcome::cant_open_drw;
    if (!create_output(state.mark_link, state.scan.mark_file, files, directory)) return Outcome::cant_open_mmk;
    return Outcome::converted;
}

// The number found when the run began is tried first: placing the DRW never
// replaces, so it fails if an entry took that name since. Only then is the
// folder listed again, and the first number free now is taken, and so on.
// One held stretch from the first try to the last close.
Outcome place_outputs(ConversionState& state, FileSystem& files) {
    const StopsHeld held;
    ignore_stops_from_now();
    TakenNumbers taken{};
    bool listed_again = false;
    for (int number = state.number; number <= last_number;) {
        const std::string mark = output_path(state.path_parts, number, "MMK");
        if (!files.replaceable(mark, state.input_file.handle)) return Outcome::cant_open_mmk;
        const std::string line = output_path(state.path_parts, number, "DRW");
        const Placed placed = files.place_new(state.line_link.handle, line);
        if (placed == Placed::failed) return Outcome::cant_open_drw;
        if (placed == Placed::exists) {
            if (!listed_again) find_taken_numbers(files, output_path(state.path_parts, 1, "DRW"), taken);
            number = first_free(taken, listed_again ? number + 1 : 1);
            listed_again = true;
            continue;
        }
        state.number = number;
        if (!files.place_over(state.mark_link.handle, mark)) {
            files.remove(line);
            return Outcome::cant_open_mmk;
        }
        return close_placed(state, line, mark);
    }
    return Outcome::cant_open_drw;
}

void close_file_set(ConversionState& state) {
    if (state.input_file.handle != no_file) state.input_file.files->close(state.input_file.handle);
    state.input_file.handle = no_file;
    abandon_output(state.scan.line_file);
    abandon_output(state.scan.mark_file);
    for (FileLink* output : {&state.line_link, &state.mark_link}) {
        if (output->handle != no_file) output->files->discard(output->handle);
        output->handle = no_file;
    }
}

}  // namespace kelpway
