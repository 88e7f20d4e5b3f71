// The one record of a conversion run and the fixed sizes of its buffers.
#pragma once

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelpway {

inline constexpr std::size_t line_size = 1024;  // a line piece: 1023 bytes and a terminator
inline constexpr std::size_t path_size = PATH_MAX;
inline constexpr std::size_t input_block_size = std::size_t{1} << 18;
inline constexpr std::size_t output_buffer_size = std::size_t{1} << 16;

// A path or path component; always followed by a NUL inside `bytes`.
struct PathText {
    std::array<char, path_size> bytes;
    std::size_t size;
};

struct PathParts {
    PathText drive;
    PathText directory;
    PathText name;
    PathText extension;
};

// Reads a file descriptor in large blocks, or a text held in memory.
struct InputFile {
    int fd = -1;                    // -1: the text is `data` itself
    const char* data = nullptr;     // block.data() for a file
    std::size_t begin = 0;          // first byte not yet delivered
    std::size_t end = 0;            // one past the last byte held
    bool exhausted = false;         // nothing more will arrive from fd
    bool failed = false;            // a read error ended the input
    bool ended = false;             // next_line has reported the end
    std::array<char, input_block_size> block;
};

// Collects output bytes and hands them to a file descriptor in large
// writes, or to a string when the run is held in memory.
struct OutputFile {
    int fd = -1;
    std::string* memory = nullptr;
    std::size_t used = 0;
    bool failed = false;            // a write, flush or close went wrong
    std::array<char, output_buffer_size> buffer;
};

struct ConversionState {
    InputFile input;
    OutputFile line_file;           // DRW
    OutputFile mark_file;           // MMK
    // The current line up to its first NUL, line end kept. It points into
    // the input and stays valid only until the next call of next_line.
    std::string_view line;
    PathParts path_parts;
    PathText input_path;
    PathText output_path;
    int color = 2;
    bool convert_routes = false;    // --routes: routes are read as tracks
    std::int64_t point_count = 0;   // MMK mark records written
    std::int64_t line_count = 0;    // DRW point records written
    std::int64_t skipped_count = 0; // points passed over for want of a position
    std::int64_t passed_over_count = 0;  // route points, when routes are not converted
};

}  // namespace kelpway
