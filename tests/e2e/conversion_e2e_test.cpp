// Whole conversions by the binary, compared byte for byte with stored results.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "binary_run.h"

namespace kelpway::e2e {
namespace {

namespace fs = std::filesystem;

TEST(Conversion, MatchesTheStoredResults) {
    const struct {
        fs::path input;  // FILE.gpx beside FILE.DRW, FILE.MMK and FILE.stdout
        const char* color;
        std::vector<std::string> options;
    } cases[] = {
        {fs::path(KELPWAY_EXAMPLES) / "tokyo-bay.gpx", "5", {}},
        {fs::path(KELPWAY_EXAMPLES) / "harbour-approach.gpx", "3", {"--routes"}},
        {test_data("mixed-crlf.gpx"), "3", {}},
        // Layouts of other writers: CR-only line ends, namespace prefixes, start tags over
        // several lines, single quotes, a waypoint after other content, names over several lines.
        {test_data("cr-only.gpx"), "1", {}},
        {test_data("prefixed.gpx"), "4", {}},
        {test_data("split-tags.gpx"), "6", {}},
        {test_data("single-quotes.gpx"), "7", {}},
        {test_data("after-content.gpx"), "3", {}},
        {test_data("long-names.gpx"), "2", {}},
        // Edited by hand: points, tracks and a waypoint switched off with comments, references in names.
        {test_data("hand-edited.gpx"), "4", {}},
        // Names in many scripts, in ISO-8859-1 as declared, and bytes that are not what the file says.
        {test_data("world-names.gpx"), "2", {}},
        {test_data("latin1-names.gpx"), "2", {}},
        {test_data("mislabelled.gpx"), "2", {}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.input.string());
        TempDir dir;
        fs::copy_file(row.input, dir.path / row.input.filename());
        std::vector<std::string> arguments = row.options;
        arguments.insert(arguments.end(), {row.input.stem().string(), row.color});
        BinaryRun run = run_kelpway(dir.path, arguments);
        fs::path expected = row.input;
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.printed, read_file(expected.replace_extension(".stdout")));
        EXPECT_EQ(entries(dir.path), (std::vector<std::string>{"BV100001.DRW", "BV100001.MMK",
                                                               row.input.filename().string()}));
        EXPECT_EQ(read_file(dir.path / "BV100001.DRW"), read_file(expected.replace_extension(".DRW")));
        EXPECT_EQ(read_file(dir.path / "BV100001.MMK"), read_file(expected.replace_extension(".MMK")));
    }
}

// Options are answered before any file is looked at; "--" lets a FILE begin with "--".
TEST(Conversion, AnswersOptions) {
    const std::string banner =
        "Sondrix GPX data --> Bravik DRW,MMK data conversion  Ver1.10\nUsage: KELPWAY ***.GPX \n";
    const std::vector<std::string> untouched = {"--odd.gpx", "route.gpx"};
    const std::vector<std::string> converted = {"--odd.gpx", "BV100001.DRW", "BV100001.MMK", "route.gpx"};
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string printed;
        std::vector<std::string> entries;
    } cases[] = {
        {{"--help"}, 0, read_file(test_data("help.stdout")), untouched},
        {{"--version", "route"}, 0, "kelpway 1.10\n", untouched},
        {{"--routes", "--version"}, 0, "kelpway 1.10\n", untouched},
        {{"--colour", "route"}, 1, "Unknown option --colour\n" + banner.substr(banner.find('\n') + 1), untouched},
        {{"--routes"}, 0, banner, untouched},
        {{"--"}, 0, banner, untouched},
        {{"--routes", "--", "route", "2", "x"}, 1, "Too many option!\n", untouched},
        {{"--", "--odd.gpx", "6"}, 0, "MMK 0 points\nDRW 0 lines(color=6)\n", converted},
        {{"route"}, 0, "MMK 0 points\nDRW 0 lines(color=2)\nPassed over 1 route points (--routes converts them)\n",
         converted},
        {{"--routes", "route", "4"}, 0, "MMK 0 points\nDRW 1 lines(color=4)\n", converted},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.arguments.front());
        TempDir dir;
        write_file(dir.path / "--odd.gpx", "<gpx>\n</gpx>\n");
        write_file(dir.path / "route.gpx", "<rte>\n<rtept lat=\"1\" lon=\"2\"/>\n</rte>\n");
        BinaryRun run = run_kelpway(dir.path, row.arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.printed, row.printed);
        EXPECT_EQ(entries(dir.path), row.entries);
    }
}

// A second conversion of the same file takes the next number and leaves
// the first pair as it was.
TEST(Conversion, NeverTouchesAnEarlierPair) {
    TempDir dir;
    fs::copy_file(fs::path(KELPWAY_EXAMPLES) / "tokyo-bay.gpx", dir.path / "trip.gpx");
    ASSERT_EQ(run_kelpway(dir.path, {"trip"}).status, 0);
    std::string first_drw = read_file(dir.path / "BV100001.DRW");
    std::string first_mmk = read_file(dir.path / "BV100001.MMK");
    BinaryRun second = run_kelpway(dir.path, {"trip", "4"});
    EXPECT_EQ(second.printed, "MMK 4 points\nDRW 8 lines(color=4)\n");
    EXPECT_EQ(read_file(dir.path / "BV100001.DRW"), first_drw);
    EXPECT_EQ(read_file(dir.path / "BV100001.MMK"), first_mmk);
    EXPECT_EQ(read_file(dir.path / "BV100002.MMK"), first_mmk);
    EXPECT_NE(read_file(dir.path / "BV100002.DRW"), first_drw);  // colour 4
}

}  // namespace
}  // namespace kelpway::e2e
