// Layer: base. Delivers a DRW or MMK file record line by record line.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "base/byte_io.h"

namespace kelpway {

// A record of the longest kind, a mark, holds a name of up to 1023 bytes as
// converted from GPX; the chart program may write longer ones, so the limit
// leaves room for those before a line counts as no record at all.
inline constexpr std::size_t record_line_limit = 4096;
inline constexpr std::size_t record_block_size = std::size_t{1} << 18;
static_assert(record_block_size > 2 * record_line_limit);

// Reads its source in large blocks and cuts them at LF only: a name may hold
// any other byte, "><" included, and must not be split.
struct RecordLines {
    ByteSource source;
    std::size_t begin = 0;     // first byte not yet delivered
    std::size_t end = 0;       // one past the last byte held
    bool exhausted = false;    // nothing more will arrive from the source
    bool failed = false;       // a read error ended the input
    // The current line without its LF or CR LF, pointing into the block and
    // valid until the next call. An overlong line holds its first bytes only.
    std::string_view line;
    bool overlong = false;     // more than record_line_limit bytes: no record
    bool passing_over = false; // the rest of an overlong line is still to come
    std::array<char, record_block_size> block;
};

void attach_record_lines(RecordLines& input, const ByteSource& source);

// The next line into input.line: the bytes up to an LF, or the last bytes of
// the input when no LF ends them. A line longer than record_line_limit is
// delivered once, as overlong, and its remaining bytes are passed over.
// False at the end of the input or after a read error (input.failed). A read
// that EINTR interrupts is asked again.
bool next_record_line(RecordLines& input);

}  // namespace kelpway
