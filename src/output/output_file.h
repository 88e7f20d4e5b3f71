// Buffered output to a DRW or MMK file through its byte sink, with the byte rule.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "base/byte_io.h"

namespace kelpway {

inline constexpr std::size_t output_buffer_size = std::size_t{1} << 16;

// The byte rule of both outputs: every LF goes out as these two bytes.
inline constexpr std::string_view output_line_end = "\r\n";

// Collects output bytes and hands them to the sink in large writes.
struct OutputFile {
    ByteSink sink;
    bool open = false;              // the sink is attached and not yet closed
    bool failed = false;            // a write, flush or close went wrong
    std::size_t used = 0;
    std::array<char, output_buffer_size> buffer;
};

void attach_output(OutputFile& file, const ByteSink& sink);

// Every LF goes out as CR LF; every other byte, CR included, unchanged.
void put_text(OutputFile& file, std::string_view text);

// Every byte unchanged, for files of other kinds than DRW and MMK (GPX).
void put_bytes(OutputFile& file, std::string_view bytes);

// Room for `size` (at most the buffer's size) bytes written in place, which
// output_advance then counts; the writer applies the byte rule itself.
char* output_space(OutputFile& file, std::size_t size);
void output_advance(OutputFile& file, std::size_t size);

// Hands buffered bytes on; on a write error the file is marked failed and
// later output is dropped. An interrupted write is asked again.
void flush_output(OutputFile& file);

// Flushes and closes; false when anything written to the file was lost.
bool finish_output(OutputFile& file);

// Closes without caring about the content (a run that already failed).
void abandon_output(OutputFile& file);

}  // namespace kelpway
