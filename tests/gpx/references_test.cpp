// References in names decoded as a GPX reader decodes them; anything else stays as written.
#include "gpx/references.h"

#include <gtest/gtest.h>

#include <string>

namespace kelpway {
namespace {

std::string decoded(std::string text) {
    text.resize(decode_references(text.data(), text.size()));
    return text;
}

TEST(References, DecodesTheFiveNamesAndCharacterReferences) {
    const struct {
        std::string text;
        std::string shown;
    } rows[] = {
        {"Fish &amp; Chips", "Fish & Chips"},
        {"&lt;b&gt; &quot;Q&quot; &apos;s", "<b> \"Q\" 's"},
        {"Caf&#xE9; Caf&#xe9; Caf&#233;", "Caf\xc3\xa9 Caf\xc3\xa9 Caf\xc3\xa9"},
        {"&#0065;&#x0041;&#32;&#x20;", "AA  "},
        {"&#128;&#x7FF;&#x800;&#xFFFF;&#x10000;&#x10FFFF;",
         "\xc2\x80\xdf\xbf\xe0\xa0\x80\xef\xbf\xbf\xf0\x90\x80\x80\xf4\x8f\xbf\xbf"},
        {"&#x706f;&#x53f0;", "\xe7\x81\xaf\xe5\x8f\xb0"},
        {"&amp;amp; &amp;#65;", "&amp; &#65;"},  // decoded once
        {"&amp;&amp;&lt;", "&&<"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(decoded(row.text), row.shown);
    }
}

TEST(References, LeavesWhatIsNoReferenceAsWritten) {
    const std::string kept[] = {
        "AT&T", "&", "&amp", "a & b; c", "&;", "&#;", "&#x;", "&#X41;", "&#65", "&#x4G;", "&#6 5;",
        "&nbsp;", "&AMP;", "&amp ;",
        "&#9;", "&#10;", "&#13;", "&#0;", "&#31;", "&#x1F;", "&#127;", "&#x7f;",  // controls
        "&#xD800;", "&#xDFFF;", "&#55296;",                                     // surrogates
        "&#x110000;", "&#1114112;", "&#99999999999999999999;", "&#xFFFFFFFF41;",  // past U+10FFFF
    };
    for (const std::string& text : kept) {
        SCOPED_TRACE(text);
        EXPECT_EQ(decoded(text), text);
    }
    // What stays does not keep a reference after it from being decoded.
    EXPECT_EQ(decoded("&nbsp;&amp; &x &lt;"), "&nbsp;& &x <");
    EXPECT_EQ(decoded("&#10;&#65;"), "&#10;A");
}

}  // namespace
}  // namespace kelpway
