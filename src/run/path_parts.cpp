// Splitting a path into drive, directory, name and extension, and back.
#include "run/path_parts.h"

namespace kelpway {

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

#if defined(_WIN32)
bool is_system_separator(char c) { return is_separator(c); }
#else
bool is_system_separator(char c) { return c == '/'; }
#endif

// Where the last component starts: after the last separator the predicate
// accepts, or after a leading drive, or at the start.
template <typename Separator>
std::size_t last_component_start(std::string_view path, std::size_t from, Separator separates) {
    std::size_t start = from;
    for (std::size_t i = from; i < path.size(); ++i) {
        if (separates(path[i])) start = i + 1;
    }
    return start;
}

bool has_drive(std::string_view path) { return path.size() >= 2 && path[1] == ':'; }

}  // namespace

PathParts split_path(std::string_view path) {
    PathParts parts;
    std::size_t from = 0;
    if (has_drive(path)) {
        parts.drive = path.substr(0, 2);
        from = 2;
    }
    std::size_t name_start = last_component_start(path, from, is_separator);
    const std::string_view last = path.substr(name_start);
    if (last == "." || last == "..") name_start = path.size();  // a directory, not a name
    parts.directory = path.substr(from, name_start - from);
    const std::string_view rest = path.substr(name_start);
    const std::size_t dot = rest.rfind('.');
    parts.name = rest.substr(0, dot);
    if (dot != std::string_view::npos) parts.extension = rest.substr(dot);
    return parts;
}

std::string merge_path(const PathParts& parts) {
    std::string path;
    if (!parts.drive.empty()) {
        path += parts.drive[0];
        path += ':';
    }
    if (!parts.directory.empty()) {
        path += parts.directory;
        if (!is_separator(parts.directory.back())) path += native_separator;
    }
    path += parts.name;
    if (!parts.extension.empty()) {
        if (parts.extension[0] != '.') path += '.';
        path += parts.extension;
    }
    return path;
}

Location locate(std::string_view path) {
#if defined(_WIN32)
    const std::size_t from = has_drive(path) ? 2 : 0;
#else
    const std::size_t from = 0;
#endif
    const std::size_t start = last_component_start(path, from, is_system_separator);
    Location where;
    where.entry = path.substr(start);
    if (start == 0) {
        where.directory = ".";
    } else if (start == from) {
        where.directory = std::string(path.substr(0, from)) + ".";  // "C:" names the drive's current directory
    } else {
        where.directory = path.substr(0, start - 1 == from ? start : start - 1);  // "/" stays "/"
    }
    return where;
}

}  // namespace kelpway
