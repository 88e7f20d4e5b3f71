// Comments taken out of the input, in one piece and split at every byte.
#include "base/comment_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelpway {
namespace {

// The text filtered in pieces that end at `cuts`, each put back behind what the last one held.
std::string filtered(const std::string& text, const std::vector<std::size_t>& cuts) {
    CommentFilter filter;
    std::string out;
    std::size_t from = 0;
    std::vector<char> buffer(text.size() + 16);
    for (std::size_t i = 0; i <= cuts.size(); ++i) {
        const std::size_t to = i < cuts.size() ? cuts[i] : text.size();
        const std::size_t held = put_back_opening(filter, buffer.data());
        text.copy(buffer.data() + held, to - from, from);
        const bool last = i == cuts.size();
        out.append(buffer.data(), take_out_comments(filter, {buffer.data(), held + to - from}, last));
        from = to;
    }
    return out;
}

TEST(CommentFilter, TakesOutCommentsOutsideCdata) {
    const struct {
        std::string text;
        std::string kept;
    } rows[] = {
        {"", ""},
        {"<gpx><wpt lat=\"1\">\n", "<gpx><wpt lat=\"1\">\n"},
        {"a<!-- b -->c", "ac"},
        {"<trkpt/><!-- <trkpt lat=\"1\"/> -->\n<trkpt/>", "<trkpt/>\n<trkpt/>"},
        {"a<!--\n-->b\n", "ab\n"},
        {"<!---->z", "z"},
        {"<!-->x-->y", "y"},             // "<!-->" does not close itself
        {"<!--->x-->y", "y"},
        {"<!-- a -- b --->c", "c"},      // a third dash before '>' still closes
        {"<!-- open", ""},               // runs to the end of the input
        {"a<!--", "a"},
        {"<![CDATA[<!--x]]>y", "<![CDATA[<!--x]]>y"},
        {"<![CDATA[a]]]>b<!--c-->d", "<![CDATA[a]]]>bd"},
        {"<![CDATA[open <!-- x -->", "<![CDATA[open <!-- x -->"},
        {"<!-- <![CDATA[ -->z", "z"},   // a comment holds no section
        {"<!<!-- x -->--", "<!--"},       // bytes that join after a comment are text
        {"<<!---->!---->", "<!---->"},
        {"<!DOCTYPE gpx><?xml?>", "<!DOCTYPE gpx><?xml?>"},
        {"<!-x <![CDAT <!", "<!-x <![CDAT <!"},
        {"x<", "x<"},
        {"x<!-", "x<!-"},
        {"x<![CDATA", "x<![CDATA"},
        {"]]><!--c-->-->", "]]>-->"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(filtered(row.text, {}), row.kept);
        // Reads may end anywhere: at every byte, and one byte at a time.
        for (std::size_t cut = 0; cut <= row.text.size(); ++cut) {
            SCOPED_TRACE(cut);
            EXPECT_EQ(filtered(row.text, {cut}), row.kept);
        }
        std::vector<std::size_t> every_byte;
        for (std::size_t cut = 1; cut < row.text.size(); ++cut) every_byte.push_back(cut);
        EXPECT_EQ(filtered(row.text, every_byte), row.kept);
    }
}

}  // namespace
}  // namespace kelpway
