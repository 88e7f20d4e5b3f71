// Directory listings behind the choice of input and output names.
#include "run/name_lookup.h"

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

}  // namespace

void find_taken_numbers(FileSystem& files, const std::string& candidate, TakenNumbers& taken) {
    const Location where = locate(candidate);
    const std::size_t size = where.entry.size();
    if (size < 8) return;
    const std::size_t digits = size - 8;
    const std::string_view entry = where.entry;
    const std::string_view prefix = entry.substr(0, digits);
    const std::string_view suffix = entry.substr(digits + 4);
    files.list(where.directory, [&](std::string_view name) {
        if (name.size() != size || !equal_ignoring_case(name.substr(0, digits), prefix) ||
            !equal_ignoring_case(name.substr(digits + 4), suffix)) {
            return;
        }
        int number = 0;
        for (const char c : name.substr(digits, 4)) {
            if (c < '0' || c > '9') return;
            number = number * 10 + (c - '0');
        }
        taken[static_cast<std::size_t>(number)] = true;
    });
}

Found find_entry_ignoring_case(FileSystem& files, std::string& path, std::string_view preferred) {
    const Location where = locate(path);
    const std::string_view directory_part = std::string_view{path}.substr(0, path.size() - where.entry.size());
    // The spelling typed wins over every other match: when it exists, the
    // listing, slow in a folder of thousands of files, is not needed.
    if (equal_ignoring_case(where.entry, preferred)) {
        std::string typed = std::string(directory_part) + std::string(preferred);
        if (files.exists(typed)) {
            path = std::move(typed);
            return Found::entry;
        }
    }
    std::string best;
    bool found = false;
    const bool listed = files.list(where.directory, [&](std::string_view name) {
        if (!equal_ignoring_case(name, where.entry)) return;
        if (!found || name == preferred || (best != preferred && name < best)) best = name;
        found = true;
    });
    if (!found) return listed ? Found::none : Found::unlisted;
    path = std::string(directory_part) + best;
    return Found::entry;
}

}  // namespace kelpway
