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
    std::size_t searched = 0;  // bytes after begin known to hold no LF
    const void* lf = nullptr;
    for (;;) {
        std::size_t held = input.end - input.begin;
        std::size_t window = held < line_limit ? held : line_limit;
        lf = std::memchr(input.data + input.begin + searched, '\n', window - searched);
        searched = window;
        if (lf || window == line_limit || input.exhausted) break;
        refill(input);
    }
    std::size_t held = input.end - input.begin;
    if (input.failed || held == 0) {
        input.ended = true;
        return false;
    }
    const char* piece = input.data + input.begin;
    std::size_t size = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - piece) + 1
                          : searched;
    input.begin += size;
    state.line = up_to_nul(piece, size);
    return true;
}

}  // namespace kelpway
