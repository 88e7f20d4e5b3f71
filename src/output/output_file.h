// Buffered output to a DRW or MMK file (or to memory) with the byte rule.
#pragma once

#include <string>
#include <string_view>

#include "run/state.h"

namespace kelpway {

void attach_output(OutputFile& file, int fd);
void attach_output(OutputFile& file, std::string& memory);

// Every LF goes out as CR LF; every other byte, CR included, unchanged.
void put_text(OutputFile& file, std::string_view text);

// Room for `size` (at most the buffer's size) bytes written in place, which
// output_advance then counts; the writer applies the byte rule itself.
char* output_space(OutputFile& file, std::size_t size);
void output_advance(OutputFile& file, std::size_t size);

// Hands buffered bytes on; on a write error the file is marked failed and
// later output is dropped.
void flush_output(OutputFile& file);

// Flushes and closes; false when anything written to the file was lost.
bool finish_output(OutputFile& file);

// Closes without caring about the content (a run that already failed).
void abandon_output(OutputFile& file);

}  // namespace kelpway
