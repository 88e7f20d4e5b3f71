// Delivers the input line by line, from a file or from memory.
#include "run/line_reader.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace kelpway {

namespace {

// Moves the undelivered bytes to the front of the block and reads more.
void refill(InputFile& input) {
    if (input.fd < 0) {
        input.exhausted = true;
        return;
    }
    std::size_t rest = input.end - input.begin;
    std::memmove(input.block.data(), input.block.data() + input.begin, rest);
    input.begin = 0;
    input.end = rest;
    ssize_t got;
    do {
        got = ::read(input.fd, input.block.data() + input.end, input.block.size() - input.end);
    } while (got < 0 && errno == EINTR);
    if (got < 0) input.failed = true;
    if (got <= 0) {
        input.exhausted = true;
        return;
    }
    input.end += static_cast<std::size_t>(got);
}

// A line piece and the two bytes after it that may decide a tag boundary.
constexpr std::size_t lookahead = line_limit + 2;

// "><" then a letter or '/' starts a new tag: whole documents on one line
// arrive one element per line.
bool is_tag_boundary(const char* bytes, std::size_t at, std::size_t held) {
    if (at + 2 >= held || bytes[at + 1] != '<') return false;
    char next = bytes[at + 2];
    return next == '/' || (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z');
}

// Up to and including the first LF or tag-closing '>' in the window, or the
// whole window.
std::size_t piece_size(const char* bytes, std::size_t window, std::size_t held) {
    const void* lf = std::memchr(bytes, '\n', window);
    std::size_t size = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - bytes) + 1 : window;
    for (std::size_t from = 0;;) {
        const void* close = std::memchr(bytes + from, '>', size - from);
        if (!close) return size;
        std::size_t at = static_cast<std::size_t>(static_cast<const char*>(close) - bytes);
        if (is_tag_boundary(bytes, at, held)) return at + 1;
        from = at + 1;
    }
}

std::string_view up_to_nul(const char* piece, std::size_t size) {
    const void* nul = std::memchr(piece, '\0', size);
    return {piece, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - piece) : size};
}

}  // namespace

void attach_input(InputFile& input, int fd) {
    input.fd = fd;
    input.data = input.block.data();
    input.begin = input.end = 0;
    input.exhausted = input.failed = input.ended = false;
}

void attach_input(InputFile& input, std::string_view text) {
    input.fd = -1;
    input.data = text.data();
    input.begin = 0;
    input.end = text.size();
    input.exhausted = true;
    input.failed = input.ended = false;
}

bool next_line(ConversionState& state) {
    InputFile& input = state.input;
    if (input.ended) return false;
    while (input.end - input.begin < lookahead && !input.exhausted) refill(input);
    std::size_t held = input.end - input.begin;
    if (input.failed || held == 0) {
        input.ended = true;
        return false;
    }
    const char* piece = input.data + input.begin;
    std::size_t size = piece_size(piece, held < line_limit ? held : line_limit, held);
    input.begin += size;
    state.line = up_to_nul(piece, size);
    return true;
}

}  // namespace kelpway
