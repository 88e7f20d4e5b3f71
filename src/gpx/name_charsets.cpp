// Waypoint names between the charsets of the GPX and the MMK file.
#include "gpx/name_charsets.h"

#include <optional>

#include "gpx/xml_declaration.h"

namespace kelpway {

void choose_file_charset(NameCharsets& charsets, std::string_view first_line) {
    const std::optional<std::string_view> declared = declared_encoding(first_line);
    const Charset* charset = declared ? find_charset(*declared) : nullptr;
    if (charset != nullptr && !charset->is_utf8 && charsets.open_declared(charsets.opener, *charset, charsets.file)) {
        charsets.file_charset = charset;
        return;
    }
    charsets.file_charset = &utf8_charset();
    charsets.file = utf8_codec();
}

std::string_view name_into_utf8(NameCharsets& charsets, std::string_view name) {
    const ConvertedText converted = recode_text(charsets.file, utf8_codec(), name, charsets.utf8);
    charsets.invalid += converted.not_in_source;
    charsets.replaced_in_name = converted.not_in_source;
    return converted.text;
}

std::string_view name_into_marks(NameCharsets& charsets, std::string_view utf8_name) {
    const ConvertedText converted = recode_text(utf8_codec(), charsets.marks, utf8_name, charsets.converted);
    // A code page holds no U+FFFD: those step 1 made are counted once, as bytes replaced.
    const int made = charsets.marks.is_utf8 ? 0 : charsets.replaced_in_name;
    charsets.unconvertible += converted.not_in_target - (made < converted.not_in_target ? made : converted.not_in_target);
    charsets.replaced_in_name = 0;
    charsets.invalid += converted.not_in_source;
    return converted.text;
}

std::string_view mark_name_into_utf8(NameCharsets& charsets, std::string_view name) {
    const ConvertedText converted = recode_text(charsets.marks, utf8_codec(), name, charsets.utf8);
    charsets.invalid += converted.not_in_source;
    return converted.text;
}

}  // namespace kelpway
