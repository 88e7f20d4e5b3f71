// Pieces cut out of one line: tag names, element texts, attribute values.
// Every result is a view into the text given, which stays unchanged.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace kelpway {

// The number of blanks and tabs the text begins with.
std::size_t indentation(std::string_view text);

// '>', blank, tab, CR and LF end a tag name.
bool ends_tag_name(char c);

// The name after the first '<', up to '>', blank, tab, CR or LF.
std::string_view tag_name(std::string_view text);

// The text between the first '>' and the next '<'.
std::string_view element_text(std::string_view text);

// The text between the first quote, double or single, and the next one of
// the same kind; up to the end when that is missing.
std::string_view quoted_value(std::string_view text);

// The quoted value after the first occurrence of `key` (a plain substring
// search); nothing when the line lacks the key.
std::optional<std::string_view> attribute_text(std::string_view line, std::string_view key);

}  // namespace kelpway
