// Opening the GPX input and creating the DRW and MMK outputs of a run.
#include "run/file_set.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "output/output_file.h"
#include "run/line_reader.h"
#include "run/name_lookup.h"
#include "run/path_parts.h"

namespace kelpway {

namespace {

bool form_output_path(ConversionState& state, int number) {
    char name[16];
    std::snprintf(name, sizeof name, "BV10%04d", number);
    return assign(state.path_parts.name, name) && merge_path(state.path_parts, state.output_path);
}

std::string_view last_component(std::string_view path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// O_NONBLOCK keeps a FIFO from hanging the run before it is refused.
int open_regular_file(const PathText& path) {
    int fd = ::open(path.bytes.data(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return -1;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return -1;
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return fd;
}

}  // namespace

Outcome open_input_file(ConversionState& state, std::string_view path) {
    if (path.size() >= path_size) return Outcome::cant_open_gpx;
    split_path(path, state.path_parts);
    assign(state.path_parts.extension, "GPX");
    if (!merge_path(state.path_parts, state.input_path)) return Outcome::cant_open_gpx;
    if (::access(state.input_path.bytes.data(), F_OK) != 0 && errno == ENOENT &&
        !find_entry_ignoring_case(state.input_path, last_component(path))) {
        return Outcome::cant_open_gpx;
    }
    int fd = open_regular_file(state.input_path);
    if (fd < 0) return Outcome::cant_open_gpx;
    attach_input(state.input, fd);
    return Outcome::converted;
}

Outcome create_line_file(ConversionState& state, std::string_view path) {
    split_path(path, state.path_parts);
    assign(state.path_parts.extension, "DRW");
    if (!form_output_path(state, 1)) {
        close_input_file(state);
        return Outcome::cant_open_gpx;
    }
    static TakenNumbers taken;
    taken.fill(false);
    find_taken_numbers(state.output_path, taken);
    for (int number = 1; number <= last_number; ++number) {
        if (taken[static_cast<std::size_t>(number)]) continue;
        form_output_path(state, number);
        int fd = ::open(state.output_path.bytes.data(),
                        O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0) {
            attach_output(state.line_file, fd);
            return Outcome::converted;
        }
        // EEXIST: another run took the number since the listing.
        if (errno != EEXIST) break;
    }
    close_input_file(state);
    return Outcome::cant_open_drw;
}

// The MMK of the chosen number may be the input itself, through a link to
// it: truncated on opening, the input would be lost. So the file is opened
// as it is, compared with the input, and only then emptied.
int open_mark_file(const ConversionState& state) {
    int fd = ::open(state.output_path.bytes.data(),
                    O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    if (fd < 0) return -1;
    struct stat mark;
    struct stat input;
    bool usable = ::fstat(fd, &mark) == 0 && S_ISREG(mark.st_mode) &&
                  ::fstat(state.input.fd, &input) == 0 &&
                  !(mark.st_dev == input.st_dev && mark.st_ino == input.st_ino) &&
                  ::ftruncate(fd, 0) == 0;
    if (!usable) {
        ::close(fd);
        return -1;
    }
    return fd;
}

Outcome create_mark_file(ConversionState& state) {
    assign(state.path_parts.extension, "MMK");
    int fd = merge_path(state.path_parts, state.output_path) ? open_mark_file(state) : -1;
    if (fd < 0) {
        close_input_file(state);
        abandon_output(state.line_file);
        return Outcome::cant_open_mmk;
    }
    attach_output(state.mark_file, fd);
    return Outcome::converted;
}

void close_input_file(ConversionState& state) {
    if (state.input.fd >= 0) ::close(state.input.fd);
    state.input.fd = -1;
}

}  // namespace kelpway
