// A faster form of attribute_text for the two keys of a start tag: the
// usual layout read without a search.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace kelpway {

struct AttributeTexts {
    std::optional<std::string_view> first;
    std::optional<std::string_view> second;
};

// attribute_text(line, first) and attribute_text(line, second), where
// `name_end` is where a start tag's name ends in the line (0 for a later
// line of the tag): the usual layout, ` lat="..." lon="..."` right there,
// is read without a search for the keys.
AttributeTexts attribute_texts_usual(std::string_view line, std::size_t name_end, std::string_view first,
                                     std::string_view second);

}  // namespace kelpway
