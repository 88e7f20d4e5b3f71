// Opening the GPX input and creating the DRW and MMK outputs of a run.
#include "run/file_set.h"

#include <cstdio>

#include "output/output_file.h"
#include "run/name_lookup.h"

namespace kelpway {

namespace {

ByteSource file_source(FileLink& link) {
    const ReadBytes read = [](void* context, char* bytes, std::size_t size) {
        const auto& file = *static_cast<FileLink*>(context);
        return file.files->read(file.handle, bytes, size);
    };
    return {read, &link};
}

ByteSink file_sink(FileLink& link) {
    const WriteBytes write = [](void* context, const char* bytes, std::size_t size) {
        const auto& file = *static_cast<FileLink*>(context);
        return file.files->write(file.handle, bytes, size);
    };
    const CloseSink close = [](void* context) {
        auto& file = *static_cast<FileLink*>(context);
        const bool closed = file.files->close(file.handle);
        file.handle = no_file;
        return closed;
    };
    return {write, close, &link};
}

std::string output_path(const PathParts& argument, int number, const char* extension) {
    char name[16];
    std::snprintf(name, sizeof name, "BV10%04d", number);
    return merge_path({argument.drive, argument.directory, name, extension});
}

// The last component of the argument as the operating system reads it.
std::string_view typed_entry(std::string_view path) { return path.substr(path.size() - locate(path).entry.size()); }

}  // namespace

Outcome open_input_file(ConversionState& state, std::string_view path, FileSystem& files) {
    state.path_parts = split_path(path);
    state.path_parts.extension = "GPX";
    state.input_path = merge_path(state.path_parts);
    if (!files.exists(state.input_path) &&
        !find_entry_ignoring_case(files, state.input_path, typed_entry(path))) {
        return Outcome::cant_open_gpx;
    }
    const FileHandle input = files.open_input(state.input_path);
    if (input == no_file) return Outcome::cant_open_gpx;
    state.input_file = {&files, input};
    attach_input(state.scan.input, file_source(state.input_file));
    return Outcome::converted;
}

int create_line_file(ConversionState& state, FileSystem& files) {
    state.path_parts.extension = "DRW";
    TakenNumbers taken{};
    find_taken_numbers(files, output_path(state.path_parts, 1, "DRW"), taken);
    for (int number = 1; number <= last_number; ++number) {
        if (taken[static_cast<std::size_t>(number)]) continue;
        state.output_path = output_path(state.path_parts, number, "DRW");
        FileHandle file = no_file;
        const Created created = files.create_new(state.output_path, file);
        if (created == Created::created) {
            state.line_link = {&files, file};
            attach_output(state.scan.line_file, file_sink(state.line_link));
            return number;
        }
        if (created == Created::failed) break;  // exists: another run took it since the listing
    }
    return 0;
}

bool create_mark_file(ConversionState& state, FileSystem& files, int number) {
    state.path_parts.extension = "MMK";
    state.output_path = output_path(state.path_parts, number, "MMK");
    const FileHandle file = files.open_mark(state.output_path, state.input_file.handle);
    if (file == no_file) return false;
    state.mark_link = {&files, file};
    attach_output(state.scan.mark_file, file_sink(state.mark_link));
    return true;
}

void close_file_set(ConversionState& state) {
    if (state.input_file.handle != no_file) state.input_file.files->close(state.input_file.handle);
    state.input_file.handle = no_file;
    abandon_output(state.scan.line_file);
    abandon_output(state.scan.mark_file);
}

}  // namespace kelpway
