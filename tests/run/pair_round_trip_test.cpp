// The promise of the other direction: a pair converted into GPX and that GPX
// converted again, in the same colour, give the same DRW and MMK.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "gpx/scan.h"
#include "run/pair_conversion.h"

namespace kelpway {
namespace {

namespace fs = std::filesystem;

std::string read_bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Pair {
    std::string drw, mmk;
};

Pair forward(std::string_view gpx, int color, bool routes) {
    auto state = std::make_unique<ScanState>();
    state->color = color;
    state->convert_routes = routes;
    Pair pair;
    EXPECT_TRUE(convert_text(*state, gpx, pair.drw, pair.mmk));
    return pair;
}

struct Back {
    std::string gpx;
    PairCounts counts;
};

Back backward(const Pair& pair) {
    auto state = std::make_unique<PairState>();
    Back back;
    EXPECT_EQ(convert_pair_text(*state, pair.drw, pair.mmk, back.gpx), PairOutcome::converted);
    back.counts = state->counts;
    return back;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; at < text.size(); at = end + 2) {
        end = text.find("\r\n", at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
    }
    return lines;
}

// A mark's fields 1 to 11: everything before its name.
std::string position_of(const std::string& mark) { return mark.substr(0, mark.find('"')); }

// What a round trip changed: nothing, or names whose bytes that are not
// UTF-8 became U+FFFD. Then the marks keep their positions and order, and
// the changed names come back as they are. The number of names changed.
int check_round_trip(const Pair& pair, int color, const std::string& keep_as) {
    const Back back = backward(pair);
    if (!keep_as.empty()) std::ofstream(keep_as, std::ios::binary) << back.gpx;
    const Pair again = forward(back.gpx, color, false);
    EXPECT_EQ(again.drw, pair.drw);
    EXPECT_EQ(back.counts.skipped, 0);
    if (back.counts.replaced == 0 && back.counts.replaced_characters == 0) {
        EXPECT_EQ(again.mmk, pair.mmk);
        return 0;
    }
    const std::vector<std::string> marks = lines_of(pair.mmk);
    const std::vector<std::string> marks_again = lines_of(again.mmk);
    EXPECT_EQ(marks_again.size(), marks.size());
    int changed = 0;
    for (std::size_t i = 0; i < marks.size() && i < marks_again.size(); ++i) {
        EXPECT_EQ(position_of(marks_again[i]), position_of(marks[i]));
        changed += marks_again[i] != marks[i] ? 1 : 0;
    }
    EXPECT_GT(changed, 0);
    EXPECT_EQ(forward(backward(again).gpx, color, false).mmk, again.mmk);
    return changed;
}

// Where the GPX written back is kept, for other GPX readers to check: in
// KELPWAY_ROUND_TRIP_GPX when that names a folder, else nowhere ("").
std::string kept_as(const std::string& stem) {
    const char* const keep = std::getenv("KELPWAY_ROUND_TRIP_GPX");
    return keep == nullptr ? "" : (fs::path(keep) / (stem + ".gpx")).string();
}

// Every GPX file of the folder, with and without routes, in two colours.
void check_folder(const fs::path& folder) {
    int files = 0;
    int changed_files = 0;
    int changed_names = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".gpx") continue;
        const std::string gpx = read_bytes(entry.path());
        int changed = 0;
        for (const bool routes : {false, true}) {
            for (const int color : {2, 7}) {
                SCOPED_TRACE(entry.path().filename().string() + (routes ? " routes" : "") + " colour " +
                             std::to_string(color));
                const std::string stem = entry.path().stem().string() + (routes ? "-routes-" : "-") +
                                         std::to_string(color);
                changed = check_round_trip(forward(gpx, color, routes), color, kept_as(stem));
            }
        }
        ++files;
        changed_files += changed > 0 ? 1 : 0;
        changed_names += changed;
    }
    EXPECT_GT(files, 0);
    std::printf("%s: %d files, %d of them with %d names that are not UTF-8\n", folder.string().c_str(), files,
                changed_files, changed_names);
}

std::string repeated(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

std::string waypoint(const std::string& name_lines) {
    return "<wpt lat=\"35.681236\" lon=\"-139.767125\">\n" + name_lines + "</wpt>\n";
}

// Names as they stand in GPX files, valid XML or not, come back byte for byte.
TEST(PairRoundTrip, GivesBackEveryNameOfUtf8) {
    const std::string long_name(1017, 'n');  // the longest on one line with its tags
    const std::string names[] = {
        "<name>Buoy 7</name>\n",
        "<name>Tokyo &amp; Bay &lt;3&gt; &#233;t&#xE9; &quot;q&quot; &apos;a&apos;</name>\n",
        "<name>\"quoted\", 'single', a > b, tab\tand  blanks  </name>\n",
        "<name>x></name>\n",
        "<name>Fish & Chips &nbsp; &#0;</name>\n",
        "<name><![CDATA[Fish & <Chips> &amp; ]]]></name>\n",
        "<name><![CDATA[a><1 >< b]]></name>\n",
        "<name>\xC3\x9Cn\xC3\xAF" "c\xC3\xB8" "d\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80</name>\n",
        "<name></name>\n",
        "<ele>3</ele>\n",
        "<name>" + long_name + "</name>\n",
        "<name>" + std::string(600, 'a') + "\n" + std::string(600, 'b') + "</name>\n",  // joined and cut to 1023
        "<name><![CDATA[<" + std::string(1100, 'c') + "]]></name>\n",
        "<name>EL A\n  Iso.8s</name>\n",
        // Longer as references than a line piece holds, or blanks first on a long line.
        "<name>" + repeated("& ", 300) + "</name>\n",
        "<name><![CDATA[" + std::string(300, '>') + "]]></name>\n",
        "<name><![CDATA[" + std::string(1000, '&') + "]]></name>\n",
        "<name><![CDATA[" + std::string(1010, '<') + "]]></name>\n",  // cut to 1008
        "<name>  " + std::string(1015, 'y') + "</name>\n",
        "<name>\t" + std::string(1000, 'y') + " &amp;</name>\n",
    };
    std::string gpx = "<gpx>\n";
    for (const std::string& name : names) gpx += waypoint(name);
    gpx += "</gpx>\n";
    const Pair pair = forward(gpx, 2, false);
    ASSERT_EQ(lines_of(pair.mmk).size(), std::size(names));
    EXPECT_EQ(check_round_trip(pair, 2, kept_as("names-of-utf-8")), 0);
}

// Names that are not UTF-8 come back with U+FFFD; names with "]]>" that also
// need CDATA, which cannot hold them, come back with references.
TEST(PairRoundTrip, GivesBackOtherNamesAsWritten) {
    const std::string fffd = "\xEF\xBF\xBD";
    const struct {
        const char* name;
        std::string again;
    } cases[] = {
        {"a\xFF\xFE", "a" + fffd + fffd},
        {"\xE9t\xE9 & co", fffd + "t" + fffd + " & co"},
        {"a &amp; b ]]&gt; c", "a & b ]]> c"},  // references are decoded on the way in and written on the way out
        {"x]]&gt;y&lt;!--", "x]]>y<!--"},
    };
    std::string gpx;
    std::string expected;
    for (const auto& row : cases) {
        gpx += waypoint("<name>" + std::string(row.name) + "</name>\n");
        expected += ",3540.874,N,13946.027,W,26,,,,,,\"" + row.again + "\"\r\n";
    }
    const Pair pair = forward(gpx, 2, false);
    const Back back = backward(pair);
    if (const std::string kept = kept_as("names-written-otherwise"); !kept.empty()) {
        std::ofstream(kept, std::ios::binary) << back.gpx;
    }
    EXPECT_EQ(forward(back.gpx, 2, false).mmk, expected);
    EXPECT_EQ(back.counts.replaced, 4);
}

TEST(PairRoundTrip, GivesBackThePairsOfRealFiles) {
    const char* const corpus = std::getenv("KELPWAY_CORPUS");
    if (corpus == nullptr) GTEST_SKIP() << "set KELPWAY_CORPUS to a folder of GPX files";
    check_folder(corpus);
}

TEST(PairRoundTrip, GivesBackThePairsOfTheTestsLayouts) { check_folder(KELPWAY_TEST_DATA); }

TEST(PairRoundTrip, GivesBackThePairsOfTheExamples) { check_folder(KELPWAY_EXAMPLES); }

}  // namespace
}  // namespace kelpway
