// A text converted between two charsets kelpway knows, opened as a run opens them.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "base/text_conversion.h"
#include "run/system_charsets.h"

namespace kelpway {

struct Converted {
    std::string text;
    int not_in_target = 0;
    int not_in_source = 0;
};

inline Converted convert(std::string_view from_name, std::string_view to_name, std::string_view text) {
    OpenCharset from;
    OpenCharset to;
    const Charset* from_charset = find_charset(from_name);
    const Charset* to_charset = find_charset(to_name);
    if (from_charset == nullptr || to_charset == nullptr || !open_charset(*from_charset, from) ||
        !open_charset(*to_charset, to)) {
        ADD_FAILURE() << "cannot open " << from_name << " or " << to_name;
        return {};
    }
    std::array<char, 256> out{};
    const ConvertedText converted = recode_text(from.codec, to.codec, text, out);
    EXPECT_FALSE(converted.cut);
    return {std::string(converted.text), converted.not_in_target, converted.not_in_source};
}

}  // namespace kelpway
