// Waypoint names between the charsets of the GPX and the MMK file.
#include "gpx/name_charsets.h"

namespace kelpway {

std::string_view name_into_utf8(NameCharsets& charsets, std::string_view name) {
    const ConvertedText converted = convert_text(charsets.file, utf8_codec(), name, charsets.utf8);
    charsets.invalid += converted.not_in_source;
    return converted.text;
}

std::string_view name_into_marks(NameCharsets& charsets, std::string_view utf8_name) {
    const ConvertedText converted = convert_text(utf8_codec(), charsets.marks, utf8_name, charsets.converted);
    charsets.unconvertible += converted.not_in_target;
    charsets.invalid += converted.not_in_source;
    return converted.text;
}

std::string_view mark_name_into_utf8(NameCharsets& charsets, std::string_view name) {
    const ConvertedText converted = convert_text(charsets.marks, utf8_codec(), name, charsets.utf8);
    charsets.invalid += converted.not_in_source;
    return converted.text;
}

}  // namespace kelpway
