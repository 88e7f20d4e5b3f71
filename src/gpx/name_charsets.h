// Waypoint names on their way between the charset of a GPX file and the
// charset of the MMK file (--charset=NAME).
//
// Converting a GPX into MMK, the waypoint reader makes each name as it
// stands in the file (its bytes, lines joined, at most 1023) and then
//   1. name_into_utf8: turns it from the encoding the file's XML
//      declaration names (UTF-8 when none) into UTF-8;
//   2. decodes its references (&amp;, &#xE9;, ...), which stand for
//      Unicode characters and so are decoded only in UTF-8;
//   3. name_into_marks: turns it from UTF-8 into the MMK's charset.
// With --to-gpx, mark_name_into_utf8 turns each MMK name from the MMK's
// charset into the UTF-8 of the GPX. Without --charset nothing is
// converted: names keep the bytes they were read with.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "base/charset_codec.h"
#include "base/charsets.h"
#include "base/line_reader.h"
#include "base/record_lines.h"
#include "base/text_conversion.h"

namespace kelpway {

inline constexpr std::size_t converted_name_size = converted_size_limit(line_limit);

// Opens the charset a GPX file declares, through the platform, for the
// names that follow; false when it cannot.
using OpenDeclared = bool (*)(void* context, const Charset& charset, CharsetCodec& codec);

struct NameCharsets {
    const Charset* file_charset = nullptr;  // the GPX's declared encoding
    OpenDeclared open_declared = nullptr;
    void* opener = nullptr;
    CharsetCodec file;
    CharsetCodec marks;               // the MMK's charset
    std::int64_t unconvertible = 0;   // characters the MMK's charset lacks, written as '?'
    // Bytes that are no character of the charset they were read in (the
    // GPX's; with --to-gpx the MMK's), each written as U+FFFD or '?'.
    std::int64_t invalid = 0;
    int replaced_in_name = 0;  // of them, those step 1 made U+FFFD in the name at hand
    // Also an MMK name of the longest record the chart program may write, in UTF-8.
    std::array<char, converted_size_limit(record_line_limit)> utf8;
    std::array<char, converted_name_size> converted;
};

// The encoding `first_line`, a GPX file's, declares, opened as charsets.file:
// UTF-8 when it declares none, or one that cannot be converted, whose bytes
// that are not UTF-8 are then replaced and counted.
void choose_file_charset(NameCharsets& charsets, std::string_view first_line);

// Step 1: the name as read, in UTF-8 (held in charsets.utf8).
std::string_view name_into_utf8(NameCharsets& charsets, std::string_view name);

// Step 3: the name in UTF-8, references decoded, in the MMK's charset (held
// in charsets.converted).
std::string_view name_into_marks(NameCharsets& charsets, std::string_view utf8_name);

// --to-gpx: an MMK name in UTF-8 (held in charsets.utf8), whole.
std::string_view mark_name_into_utf8(NameCharsets& charsets, std::string_view name);

}  // namespace kelpway
