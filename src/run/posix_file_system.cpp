// The file system of POSIX platforms.
#include <cerrno>
#include <climits>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "run/file_system.h"

namespace kelpway {

namespace {

// The one check before every system call: a path that does not fit is
// refused rather than cut into another name.
const char* system_path(const std::string& path) {
    if (path.size() >= PATH_MAX) {
        errno = ENAMETOOLONG;
        return nullptr;
    }
    return path.c_str();
}

int descriptor(FileHandle file) { return static_cast<int>(file); }

struct DirectoryCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

struct PosixFileSystem final : FileSystem {
    bool exists(const std::string& path) override {
        const char* name = system_path(path);
        return name != nullptr && ::access(name, F_OK) == 0;
    }

    bool list(const std::string& directory, const std::function<void(std::string_view)>& visit) override {
        const char* name = system_path(directory);
        const std::unique_ptr<DIR, DirectoryCloser> dir{name != nullptr ? ::opendir(name) : nullptr};
        if (!dir) return false;
        while (const dirent* entry = ::readdir(dir.get())) visit(entry->d_name);
        return true;
    }

    // O_NONBLOCK keeps a FIFO from hanging the run before it is refused.
    FileHandle open_input(const std::string& path) override {
        const char* name = system_path(path);
        const int fd = name != nullptr ? ::open(name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK) : -1;
        if (fd < 0) return no_file;
        struct stat status;
        if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
            ::close(fd);
            return no_file;
        }
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        return fd;
    }

    Created create_new(const std::string& path, FileHandle& file) override {
        const char* name = system_path(path);
        const int fd = name != nullptr ? ::open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666) : -1;
        file = fd;
        if (fd >= 0) return Created::created;
        return errno == EEXIST ? Created::exists : Created::failed;
    }

    // The file is opened as it is, compared with the input, and only then
    // emptied: truncated on opening, an input reached through a link to it
    // would be lost.
    FileHandle open_mark(const std::string& path, FileHandle input) override {
        const char* name = system_path(path);
        const int fd = name != nullptr
                           ? ::open(name, O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666)
                           : -1;
        if (fd < 0) return no_file;
        struct stat mark;
        struct stat in;
        const bool usable = ::fstat(fd, &mark) == 0 && S_ISREG(mark.st_mode) &&
                            ::fstat(descriptor(input), &in) == 0 &&
                            !(mark.st_dev == in.st_dev && mark.st_ino == in.st_ino) && ::ftruncate(fd, 0) == 0;
        if (!usable) {
            ::close(fd);
            return no_file;
        }
        return fd;
    }

    std::ptrdiff_t read(FileHandle file, char* bytes, std::size_t size) override {
        return ::read(descriptor(file), bytes, size);
    }

    std::ptrdiff_t write(FileHandle file, const char* bytes, std::size_t size) override {
        return ::write(descriptor(file), bytes, size);
    }

    bool close(FileHandle file) override { return ::close(descriptor(file)) == 0; }
};

}  // namespace

FileSystem& system_files() {
    static PosixFileSystem files;
    return files;
}

}  // namespace kelpway
