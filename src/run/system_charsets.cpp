// Opening a run's charsets: UTF-8 and kelpway's own pages need no platform.
#include "run/system_charsets.h"

#include "base/single_byte_pages.h"

namespace kelpway {

bool open_charset(const Charset& charset, OpenCharset& open) {
    open.charset = &charset;
    if (charset.is_utf8) {
        open.codec = utf8_codec();
        return true;
    }
    if (open_system_charset(charset, open)) return true;
    if (charset.built_in == nullptr) return false;
    open.codec = single_byte_codec(*charset.built_in);
    return true;
}

bool charset_converts(const Charset& charset) {
    OpenCharset open;
    return open_charset(charset, open);
}

}  // namespace kelpway
