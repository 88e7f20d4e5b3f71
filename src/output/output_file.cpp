// Buffered output to a DRW or MMK file through its byte sink, with the byte rule.
#include "output/output_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>


namespace kelpway {

namespace {

bool write_all(const ByteSink& sink, const char* bytes, std::size_t size) {
    while (size > 0) {
        const std::ptrdiff_t written = sink.write(sink.context, bytes, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

void put_raw(OutputFile& file, const char* bytes, std::size_t size) {
    while (size > 0) {
        if (file.used == file.buffer.size()) flush_output(file);
        const std::size_t room = file.buffer.size() - file.used;
        const std::size_t part = size < room ? size : room;
        std::memcpy(file.buffer.data() + file.used, bytes, part);
        file.used += part;
        bytes += part;
        size -= part;
    }
}

}  // namespace

void attach_output(OutputFile& file, const ByteSink& sink) {
    file.sink = sink;
    file.open = true;
    file.used = 0;
    file.failed = false;
}

void put_text(OutputFile& file, std::string_view text) {
    while (!text.empty()) {
        const std::size_t plain = std::min(text.find('\n'), text.size());
        put_raw(file, text.data(), plain);
        if (plain == text.size()) return;
        put_raw(file, output_line_end.data(), output_line_end.size());
        text.remove_prefix(plain + 1);
    }
}

void put_bytes(OutputFile& file, std::string_view bytes) { put_raw(file, bytes.data(), bytes.size()); }

char* output_space(OutputFile& file, std::size_t size) {
    if (file.buffer.size() - file.used < size) flush_output(file);
    return file.buffer.data() + file.used;
}

void output_advance(OutputFile& file, std::size_t size) { file.used += size; }

void flush_output(OutputFile& file) {
    if (file.used == 0) return;
    if (!file.failed && !write_all(file.sink, file.buffer.data(), file.used)) file.failed = true;
    file.used = 0;
}

bool finish_output(OutputFile& file) {
    flush_output(file);
    if (file.open) {
        if (!file.sink.close(file.sink.context)) file.failed = true;
        file.open = false;
    }
    return !file.failed;
}

void abandon_output(OutputFile& file) {
    file.used = 0;
    finish_output(file);
}

}  // namespace kelpway
