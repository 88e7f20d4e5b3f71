// Splitting a path into drive, directory, name and extension, and back.
#include "run/path_parts.h"

#include <cstring>

namespace kelpway {

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string_view view(const PathText& text) { return {text.bytes.data(), text.size}; }

bool assign(PathText& text, std::string_view bytes) {
    if (bytes.size() >= text.bytes.size()) return false;
    if (!bytes.empty()) std::memmove(text.bytes.data(), bytes.data(), bytes.size());  // data() may be null
    text.size = bytes.size();
    text.bytes[text.size] = '\0';
    return true;
}

bool append(PathText& text, std::string_view bytes) {
    if (bytes.size() >= text.bytes.size() - text.size) return false;
    if (!bytes.empty()) std::memcpy(text.bytes.data() + text.size, bytes.data(), bytes.size());
    text.size += bytes.size();
    text.bytes[text.size] = '\0';
    return true;
}

// Every component is a piece of `path`, so none can outgrow a path buffer
// once the caller has checked the whole path fits.
void split_path(std::string_view path, PathParts& parts) {
    std::string_view drive;
    if (path.size() >= 2 && path[1] == ':') {
        drive = path.substr(0, 2);
        path.remove_prefix(2);
    }
    std::size_t name_start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (is_separator(path[i])) name_start = i + 1;
    }
    std::string_view last = path.substr(name_start);
    if (last == "." || last == "..") name_start = path.size();  // a directory, not a name
    std::string_view directory = path.substr(0, name_start);
    std::string_view rest = path.substr(name_start);
    std::size_t dot = rest.rfind('.');
    std::string_view name = dot == std::string_view::npos ? rest : rest.substr(0, dot);
    std::string_view extension = dot == std::string_view::npos ? std::string_view{} : rest.substr(dot);
    assign(parts.drive, drive);
    assign(parts.directory, directory);
    assign(parts.name, name);
    assign(parts.extension, extension);
}

bool merge_path(const PathParts& parts, PathText& path) {
    PathText merged{};
    bool fits = true;
    if (parts.drive.size > 0) {
        const char drive[] = {parts.drive.bytes[0], ':'};
        fits = append(merged, {drive, 2});
    }
    if (parts.directory.size > 0) {
        fits = fits && append(merged, view(parts.directory));
        char last = parts.directory.bytes[parts.directory.size - 1];
        if (!is_separator(last)) fits = fits && append(merged, {&native_separator, 1});
    }
    fits = fits && append(merged, view(parts.name));
    if (parts.extension.size > 0) {
        if (parts.extension.bytes[0] != '.') fits = fits && append(merged, ".");
        fits = fits && append(merged, view(parts.extension));
    }
    return fits && assign(path, view(merged));
}

}  // namespace kelpway
