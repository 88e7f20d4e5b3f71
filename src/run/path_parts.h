// Splitting a path into drive, directory, name and extension, and back.
#pragma once

#include <string>
#include <string_view>

namespace kelpway {

struct PathParts {
    std::string drive;      // "X:" or empty
    std::string directory;  // with its trailing separator, if it has one
    std::string name;
    std::string extension;  // with its leading dot, as split_path gives it
};

// Separator that merge_path puts after a directory lacking one: the platform's own.
#if defined(_WIN32)
inline constexpr char native_separator = '\\';
#else
inline constexpr char native_separator = '/';
#endif

// Both `\` and `/` separate, and "X:" at the start is a drive, on every
// platform, so a path reads the same wherever it was written. Nothing is cut.
PathParts split_path(std::string_view path);
std::string merge_path(const PathParts& parts);

// The directory and the entry name of a path as the operating system reads
// it: at the last `/` (and on Windows also `\` or a drive's colon).
struct Location {
    std::string directory;  // "." for an entry of the current directory
    std::string entry;
};
Location locate(std::string_view path);

}  // namespace kelpway
