// Splitting a path into drive, directory, name and extension, and back.
#pragma once

#include <string_view>

#include "run/state.h"

namespace kelpway {

// Separator that merge_path puts after a directory lacking one.
inline constexpr char native_separator = '/';

std::string_view view(const PathText& text);
// False, leaving `text` unchanged, when the result would not fit.
bool assign(PathText& text, std::string_view bytes);
bool append(PathText& text, std::string_view bytes);

// Both `\` and `/` separate, and "X:" at the start is a drive, on every
// platform, so a path reads the same wherever it was written.
void split_path(std::string_view path, PathParts& parts);
// False when the merged path would not fit a path buffer.
bool merge_path(const PathParts& parts, PathText& path);

}  // namespace kelpway
