// The charsets of one run with --charset.
#include "run/run_charsets.h"

#include <cinttypes>

namespace kelpway {

bool open_run_charsets(RunCharsets& charsets, const Charset& marks) {
    if (!open_charset(marks, charsets.marks)) return false;
    charsets.names.marks = charsets.marks.codec;
    charsets.names.opener = &charsets.file;
    charsets.names.open_declared = [](void* opener, const Charset& charset, CharsetCodec& codec) {
        auto& file = *static_cast<OpenCharset*>(opener);
        if (file.charset != nullptr || !open_charset(charset, file)) return false;
        codec = file.codec;
        return true;
    };
    return true;
}

void print_charset_summary(const NameCharsets& names, const Charset& marks, const Charset& read_in,
                           std::FILE* console) {
    if (names.unconvertible > 0) {
        std::fprintf(console, "%" PRId64 " characters of names not in %.*s, written as ?\n", names.unconvertible,
                     static_cast<int>(marks.names[0].size()), marks.names[0].data());
    }
    if (names.invalid > 0) {
        std::fprintf(console, "Replaced %" PRId64 " bytes that are not %.*s in names\n", names.invalid,
                     static_cast<int>(read_in.names[0].size()), read_in.names[0].data());
    }
}

}  // namespace kelpway
