// The file system of POSIX platforms.
#include "run/posix_file_system.h"

#include <array>
#include <cerrno>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "run/posix_temporary.h"

namespace kelpway {

namespace {

int descriptor(FileHandle file) { return static_cast<int>(file); }

struct DirectoryCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

class PosixFileSystem final : public FileSystem {
public:
    explicit PosixFileSystem(bool use_unnamed) : unnamed(use_unnamed) {}

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

    FileHandle create_temporary(const std::string& directory) override {
        Temporary* free = find(-1);
        if (free == nullptr || !create_temporary_file(*free, directory, unnamed)) return no_file;
        return free->fd;
    }

    Placed place_new(FileHandle file, const std::string& path) override {
        if (place_temporary_new(*find(descriptor(file)), path)) return Placed::placed;
        return errno == EEXIST ? Placed::exists : Placed::failed;
    }

    bool place_over(FileHandle file, const std::string& path) override {
        return place_temporary_over(*find(descriptor(file)), path);
    }

    // A file its owner made read-only is refused, as opening it for writing
    // would be, though a rename could replace it.
    bool replaceable(const std::string& path, FileHandle input) override {
        const char* name = system_path(path);
        struct stat mark;
        if (name == nullptr || ::lstat(name, &mark) != 0) return name != nullptr && errno == ENOENT;
        struct stat in;
        return S_ISREG(mark.st_mode) && ::fstat(descriptor(input), &in) == 0 &&
               !(mark.st_dev == in.st_dev && mark.st_ino == in.st_ino) && ::access(name, W_OK) == 0;
    }

    void discard(FileHandle file) override {
        remove_temporary_name(*find(descriptor(file)));
        close(file);
    }

    void remove(const std::string& path) override {
        if (const char* name = system_path(path)) ::unlink(name);
    }

    std::ptrdiff_t read(FileHandle file, char* bytes, std::size_t size) override {
        return ::read(descriptor(file), bytes, size);
    }

    std::ptrdiff_t write(FileHandle file, const char* bytes, std::size_t size) override {
        return ::write(descriptor(file), bytes, size);
    }

    bool close(FileHandle file) override {
        if (Temporary* temporary = find(descriptor(file))) *temporary = {};
        return ::close(descriptor(file)) == 0;
    }

private:
    Temporary* find(int fd) {
        for (Temporary& temporary : temporaries) {
            if (temporary.fd == fd) return &temporary;
        }
        return nullptr;
    }

    bool unnamed;
    std::array<Temporary, 4> temporaries;
};

}  // namespace

FileSystem& system_files() {
    static PosixFileSystem files{true};
    return files;
}

FileSystem& files_with_named_temporaries() {
    static PosixFileSystem files{false};
    return files;
}

}  // namespace kelpway
