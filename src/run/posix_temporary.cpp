// Outputs written as temporaries on POSIX.
#include "run/posix_temporary.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include "run/stop_signals.h"
#include "run/temporary_name.h"

namespace kelpway {

const char* system_path(const std::string& path) {
    if (path.size() >= PATH_MAX) {
        errno = ENAMETOOLONG;
        return nullptr;
    }
    return path.c_str();
}

namespace {

std::string hidden_path(const std::string& directory) {
    return temporary_path(directory, static_cast<std::uint64_t>(::getpid()));
}

// Makes a new hidden file in `directory` and has a stop remove it: both in
// one held stretch, so that no stop falls between them.
int create_named(const std::string& directory, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = hidden_path(directory);
        const char* path = system_path(name);
        if (path == nullptr) return -1;
        const StopsHeld held;
        const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 && remove_when_stopped(name)) return fd;
        if (fd >= 0) {
            ::unlink(path);
            ::close(fd);
            return -1;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

#if defined(O_TMPFILE)
// A file without a name is linked through its entry in /proc, which needs no
// privilege, so it is used only where that entry can be reached.
bool unnamed_files_linkable() {
    static const bool linkable = ::access("/proc/self/fd", X_OK) == 0;
    return linkable;
}

int create_unnamed(const std::string& directory) {
    const char* path = system_path(directory);
    return path != nullptr ? ::open(path, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666) : -1;
}

bool link_unnamed(int fd, const std::string& path) {
    char own[32];
    std::snprintf(own, sizeof own, "/proc/self/fd/%d", fd);
    const char* name = system_path(path);
    return name != nullptr && ::linkat(AT_FDCWD, own, AT_FDCWD, name, AT_SYMLINK_FOLLOW) == 0;
}
#else
bool link_unnamed(int, const std::string&) {
    errno = ENOTSUP;
    return false;
}
#endif

// A rename that never replaces; where the file system cannot refuse in the
// rename itself, a link that fails on an existing name, then an unlink.
bool rename_new(const std::string& from, const std::string& to) {
    const char* name = system_path(to);
    if (name == nullptr) return false;
#if defined(RENAME_NOREPLACE)
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, name, RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
#endif
    if (::link(from.c_str(), name) != 0) return false;
    ::unlink(from.c_str());
    return true;
}

void forget_name(Temporary& temporary) {
    if (!temporary.name.empty()) forget_when_stopped(temporary.name);
    temporary.name.clear();
}

}  // namespace

bool create_temporary_file(Temporary& temporary, const std::string& directory, bool unnamed) {
    int fd = -1;
    std::string name;
#if defined(O_TMPFILE)
    if (unnamed && unnamed_files_linkable()) {
        fd = create_unnamed(directory);
        // EISDIR: a kernel without such files; EOPNOTSUPP: a file system without them.
        if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR) return false;
    }
#endif
    if (fd < 0) fd = create_named(directory, name);
    if (fd < 0) return false;
    temporary = {fd, directory, name};
    return true;
}

bool place_temporary_new(Temporary& temporary, const std::string& path) {
    const bool placed = temporary.name.empty() ? link_unnamed(temporary.fd, path) : rename_new(temporary.name, path);
    if (placed) forget_name(temporary);
    return placed;
}

// A file without a name is linked straight to a free name; over a file, it
// gets a hidden name first, since a link cannot replace.
bool place_temporary_over(Temporary& temporary, const std::string& path) {
    const char* name = system_path(path);
    if (name == nullptr) return false;
    if (temporary.name.empty() && link_unnamed(temporary.fd, path)) return true;
    for (int attempt = 0; temporary.name.empty() && attempt < 100; ++attempt) {
        std::string hidden = hidden_path(temporary.directory);
        if (link_unnamed(temporary.fd, hidden)) {
            temporary.name = std::move(hidden);
        } else if (errno != EEXIST) {
            return false;
        }
    }
    if (temporary.name.empty()) return false;
    const bool placed = ::rename(temporary.name.c_str(), name) == 0;
    if (!placed) ::unlink(temporary.name.c_str());
    forget_name(temporary);
    return placed;
}

void remove_temporary_name(Temporary& temporary) {
    if (!temporary.name.empty()) ::unlink(temporary.name.c_str());
    forget_name(temporary);
}

}  // namespace kelpway
