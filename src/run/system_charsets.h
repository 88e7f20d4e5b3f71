// The charsets of a run, opened once through the platform's converters
// (iconv on POSIX, the code pages of Windows) and closed with the run.
#pragma once

#include "base/charset_codec.h"
#include "base/charsets.h"

namespace kelpway {

struct OpenCharset {
    const Charset* charset = nullptr;
    CharsetCodec codec;  // what the readers and writers call; it points into this record
    // iconv's descriptors, to and from UTF-32, where the platform uses them.
    void* decoder = nullptr;
    void* encoder = nullptr;

    OpenCharset() = default;
    OpenCharset(const OpenCharset&) = delete;
    OpenCharset& operator=(const OpenCharset&) = delete;
    ~OpenCharset();
};

// Opens `charset` into `open`, which must not hold one yet: through the
// platform, else through kelpway's own page for it. False when neither
// converts it.
bool open_charset(const Charset& charset, OpenCharset& open);

// Whether open_charset opens `charset` on this platform.
bool charset_converts(const Charset& charset);

// The platform's part: false when it has no converter for `charset`.
bool open_system_charset(const Charset& charset, OpenCharset& open);

}  // namespace kelpway
