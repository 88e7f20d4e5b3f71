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
    NameReplacements replaced;
};

Element element_of(std::string_view name, std::string_view indent = "") {
    auto file = std::make_unique<OutputFile>();
    std::string written;
    attach_output(*file, memory_sink(written));
    const NameReplacements replaced = put_name_element(*file, indent, name);
    EXPECT_TRUE(finish_output(*file));
    return {written, replaced};
}

const std::string fffd = "\xEF\xBF\xBD";

struct Case {
    const char* what;
    std::string name;
    std::string element;  // between <name> and </name>
    std::int64_t bytes = 0;       // replaced as not UTF-8
    std::int64_t characters = 0;  // replaced as no character XML holds
};

void check(const Case& row) {
    SCOPED_TRACE(row.what);
    const Element got = element_of(row.name);
    EXPECT_EQ(got.text, "<name>" + row.element + "</name>\n");
    EXPECT_EQ(got.replaced.bytes, row.bytes);
    EXPECT_EQ(got.replaced.characters, row.characters);
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

TEST(NameElement, ReplacesEveryByteThatIsNotUtf8AndEveryCharacterXmlCannotHold) {
    const Case cases[] = {
        {"a lone byte", "a\xFF" "b", "a" + fffd + "b", 1},
        {"a continuation byte", "\x80", fffd, 1},
        {"a cut sequence", "a\xE6\x9D", "a" + fffd + fffd, 2},
        {"a sequence cut by another", "\xE6\x9D" "a", fffd + fffd + "a", 2},
        {"an overlong form", "\xC0\x80\xE0\x80\x80", fffd + fffd + fffd + fffd + fffd, 5},
        {"a surrogate", "\xED\xA0\x80", fffd + fffd + fffd, 3},
        {"past U+10FFFF", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd, 4},
        {"U+FFFE and U+FFFF, no XML characters", "\xEF\xBF\xBE\xEF\xBF\xBF", fffd + fffd, 0, 2},
        {"control characters XML cannot hold", std::string("a\x01\x1F\r\n\0b", 7), "a" + fffd + fffd + fffd + fffd + fffd + "b", 0, 5},
        {"both", "\x01\xFF", fffd + fffd, 1, 1},
        {"U+FFFD itself", fffd, fffd},
        {"the last characters of each width", "\x7F\xDF\xBF\xEF\xBF\xBD\xF4\x8F\xBF\xBF",
         "\x7F\xDF\xBF\xEF\xBF\xBD\xF4\x8F\xBF\xBF"},
    };
    for (const Case& row : cases) check(row);
}

std::string repeat(std::string_view piece, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += piece;
    return text;
}

// The GPX line reader takes a line piece of at most line_limit bytes, and a
// name as written (references included) of at most that: a name is laid out
// so that it lies whole in one piece wherever it can.
TEST(NameElement, LaysOutLongNamesToLieWholeInOneLinePiece) {
    const std::string indent = "    ";
    const std::size_t room = line_limit - indent.size() - 6;  // on the tag's line, after the indent
    const std::string cdata = "<![CDATA[";
    const struct {
        const char* what;
        std::string name;
        std::string before;  // what stands before <name>
        std::string element;  // from <name> on
    } rows[] = {
        {"fits after the indent", repeat("n", room), indent, "<name>" + repeat("n", room)},
        {"fits without the indent", repeat("n", room + 4), "", "<name>" + repeat("n", room + 4)},
        {"blanks first, without the indent", "  " + repeat("y", room + 2), "", "<name>  " + repeat("y", room + 2)},
        {"too long for the tag's line", repeat("n", room + 5), indent, "<name>\n" + repeat("n", room + 5)},
        {"references would make it too long", repeat("&", 300), indent, "<name>" + cdata + repeat("&", 300) + "]]>"},
        {"markup in CDATA without the indent", repeat(">", room - 8), "", "<name>" + cdata + repeat(">", room - 8) + "]]>"},
        {"markup in CDATA too long for the tag's line", repeat("&", room - 3), indent,
         "<name>\n" + cdata + repeat("&", room - 3) + "]]>"},
        {"replaced bytes count as written", repeat("\xFF", 341), indent, "<name>\n" + repeat(fffd, 341)},
        {"markup that would end a CDATA section", "]]>" + repeat("&", room), indent, "<name>\n]]&gt;" + repeat("&amp;", room)},
        {"a tag boundary a CDATA section would hold", "> <a" + repeat("<", room), indent,
         "<name>\n&gt; &lt;a" + repeat("&lt;", room)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(element_of(row.name, indent).text, row.before + row.element + "</name>\n");
    }
}

}  // namespace
}  // namespace kelpway
