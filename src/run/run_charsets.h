// The charsets of one run with --charset: the MMK's, and the one its GPX
// file declares, opened through the platform for that run alone.
#pragma once

#include <cstdio>

#include "gpx/name_charsets.h"
#include "run/system_charsets.h"

namespace kelpway {

struct RunCharsets {
    OpenCharset marks;
    OpenCharset file;
    NameCharsets names;
};

// False when the platform converts no such charset.
bool open_run_charsets(RunCharsets& charsets, const Charset& marks);

// After the summary: the characters of names written as '?', and the bytes
// that were no character of the charset they were read in (`read_in`).
void print_charset_summary(const NameCharsets& names, const Charset& marks, const Charset& read_in,
                           std::FILE* console);

}  // namespace kelpway
