// Directory listings behind the choice of input and output names.
#include "run/name_lookup.h"

#include <memory>

#include <dirent.h>
#include <unistd.h>

#include "run/path_parts.h"

namespace kelpway {

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The directory and entry name as the operating system reads the path.
struct Location {
    PathText directory;
    std::string_view entry;
};

void locate(const PathText& path, Location& where) {
    std::string_view text = view(path);
    std::size_t slash = text.rfind('/');
    if (slash == std::string_view::npos) {
        assign(where.directory, ".");
        where.entry = text;
    } else {
        assign(where.directory, slash == 0 ? std::string_view{"/"} : text.substr(0, slash));
        where.entry = text.substr(slash + 1);
    }
}

struct DirectoryCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using Directory = std::unique_ptr<DIR, DirectoryCloser>;

}  // namespace

void find_taken_numbers(const PathText& candidate, TakenNumbers& taken) {
    Location where;
    locate(candidate, where);
    const std::size_t size = where.entry.size();
    if (size < 8) return;
    const std::size_t digits = size - 8;
    std::string_view prefix = where.entry.substr(0, digits);
    std::string_view suffix = where.entry.substr(digits + 4);
    Directory dir{opendir(where.directory.bytes.data())};
    if (!dir) return;
    while (const dirent* entry = readdir(dir.get())) {
        std::string_view name = entry->d_name;
        if (name.size() != size || !equal_ignoring_case(name.substr(0, digits), prefix) ||
            !equal_ignoring_case(name.substr(digits + 4), suffix)) {
            continue;
        }
        int number = 0;
        bool all_digits = true;
        for (char c : name.substr(digits, 4)) {
            all_digits = all_digits && c >= '0' && c <= '9';
            number = number * 10 + (c - '0');
        }
        if (all_digits) taken[static_cast<std::size_t>(number)] = true;
    }
}

bool find_entry_ignoring_case(PathText& path, std::string_view preferred) {
    Location where;
    PathText best{};
    locate(path, where);
    // The spelling typed wins over every other match: when it exists, the
    // listing, slow in a folder of thousands of files, is not needed.
    if (equal_ignoring_case(where.entry, preferred)) {
        PathText typed = path;
        typed.size -= where.entry.size();
        if (append(typed, preferred) && ::access(typed.bytes.data(), F_OK) == 0) {
            path = typed;
            return true;
        }
    }
    Directory dir{opendir(where.directory.bytes.data())};
    if (!dir) return false;
    bool found = false;
    while (const dirent* entry = readdir(dir.get())) {
        std::string_view name = entry->d_name;
        if (!equal_ignoring_case(name, where.entry)) continue;
        if (!found || name == preferred || (view(best) != preferred && name < view(best))) {
            assign(best, name);
        }
        found = true;
    }
    if (!found) return false;
    path.size -= where.entry.size();
    return append(path, view(best));
}

}  // namespace kelpway
