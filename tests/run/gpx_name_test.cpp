// Names as GPX name elements: text with its markup as references, which kelpway's own GPX reading
// takes back byte for byte, and U+FFFD for bytes that are not UTF-8.
#include "run/gpx_name.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/line_reader.h"

namespace kelpway {
namespace {

struct Element {
    std::string text;
    std::int64_t replaced;
};

Element element_of(std::string_view name, std::string_view indent = "") {
    auto file = std::make_unique<OutputFile>();
    std::string written;
    attach_output(*file, memory_sink(written));
    const std::int64_t replaced = put_name_element(*file, indent, name);
    EXPECT_TRUE(finish_output(*file));
    return {written, replaced};
}

const std::string fffd = "\xEF\xBF\xBD";

struct Case {
    const char* what;
    std::string name;
    std::string element;  // between <name> and </name>
    std::int64_t replaced = 0;
};

void check(const Case& row) {
    SCOPED_TRACE(row.what);
    const Element got = element_of(row.name);
    EXPECT_EQ(got.text, "<name>" + row.element + "</name>\n");
    EXPECT_EQ(got.replaced, row.replaced);
}

// '&', '<' and '>' as references, which kelpway's GPX reading decodes again; the rest as it stands.
TEST(NameElement, WritesMarkupAsReferences) {
    const Case cases[] = {
        {"plain", "Buoy 7", "Buoy 7"},
        {"empty", "", ""},
        {"a bare '&'", "Fish & Chips", "Fish &amp; Chips"},
        {"markup", "a < b > c", "a &lt; b &gt; c"},
        {"text that reads as a reference", "A &amp; B &#65;", "A &amp;amp; B &amp;#65;"},
        {"a tag boundary", "a> \t</b", "a&gt; \t&lt;/b"},
        {"a CDATA section", "<![CDATA[x]]>", "&lt;![CDATA[x]]&gt;"},
        {"a comment", "<!-- x -->", "&lt;!-- x --&gt;"},
        {"quotes, commas and blanks", "  \"a\", 'b'\t", "  \"a\", 'b'\t"},
        {"UTF-8", "\xC3\x9Cn\xC3\xAF \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80",
         "\xC3\x9Cn\xC3\xAF \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80"},
        {"DEL and C1 controls, which XML allows", "\x7F\xC2\x80", "\x7F\xC2\x80"},
        {"not UTF-8 too", "<\xFF", "&lt;" + fffd, 1},
    };
    for (const Case& row : cases) check(row);
}

TEST(NameElement, ReplacesEveryByteThatIsNotUtf8) {
    const Case cases[] = {
        {"a lone byte", "a\xFF" "b", "a" + fffd + "b", 1},
        {"a continuation byte", "\x80", fffd, 1},
        {"a cut sequence", "a\xE6\x9D", "a" + fffd + fffd, 2},
        {"a sequence cut by another", "\xE6\x9D" "a", fffd + fffd + "a", 2},
        {"an overlong form", "\xC0\x80\xE0\x80\x80", fffd + fffd + fffd + fffd + fffd, 5},
        {"a surrogate", "\xED\xA0\x80", fffd + fffd + fffd, 3},
        {"past U+10FFFF", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd, 4},
        {"U+FFFE, no XML character", "\xEF\xBF\xBE", fffd + fffd + fffd, 3},
        {"control bytes XML cannot hold", std::string("a\x01\x1F\r\0b", 6), "a" + fffd + fffd + fffd + fffd + "b", 4},
        {"U+FFFD itself", fffd, fffd},
        {"the last characters of each width", "\x7F\xDF\xBF\xEF\xBF\xBD\xF4\x8F\xBF\xBF",
         "\x7F\xDF\xBF\xEF\xBF\xBD\xF4\x8F\xBF\xBF"},
    };
    for (const Case& row : cases) check(row);
}

// The GPX line reader takes a line piece of at most line_limit bytes: a text
// whose end would not lie in the first piece of its tag's line starts a line
// of its own.
TEST(NameElement, StartsALongTextOnALineOfItsOwn) {
    const std::string indent = "    ";
    const std::size_t room = line_limit - indent.size() - 6;
    const std::string fits(room, 'n');
    const std::string over(room + 1, 'n');
    EXPECT_EQ(element_of(fits, indent).text, indent + "<name>" + fits + "</name>\n");
    EXPECT_EQ(element_of(over, indent).text, indent + "<name>\n" + over + "</name>\n");
    const std::string escaped(room / 5 + 1, '&');  // longer when written
    EXPECT_EQ(element_of(escaped, indent).text.find('\n'), indent.size() + 6);
    const std::string replaced(room / 3 + 1, '\xFF');
    EXPECT_EQ(element_of(replaced, indent).text.find('\n'), indent.size() + 6);
}

}  // namespace
}  // namespace kelpway
