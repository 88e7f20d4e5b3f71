// The encoding a GPX file declares on its first line.
#pragma once

#include <optional>
#include <string_view>

namespace kelpway {

// NAME of `<?xml version="1.0" encoding="NAME"?>` at the start of the
// file's first line: either quote, blanks, tabs and line ends between the
// parts, the pseudo-attributes in any order. Nothing when the line holds no
// such declaration, when it names no encoding, or when NAME is not an
// encoding name (a letter, then letters, digits, '.', '_' and '-'): the
// file is then UTF-8. A UTF-8 byte order mark makes the file UTF-8 whatever
// its declaration says, as an editor that added the mark left the
// declaration as it was.
std::optional<std::string_view> declared_encoding(std::string_view first_line);

}  // namespace kelpway
