// Real GPX files written by other programs: every waypoint and track point
// is either converted or counted as skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "base/comment_filter.h"
#include "gpx/scan.h"

namespace kelpway {
namespace {

namespace fs = std::filesystem;

std::string read_bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string without_comments(std::string text) {
    CommentFilter filter;
    text.resize(take_out_comments(filter, text, true));
    return text;
}

bool ends_name(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '>' || c == '/'; }

// Start tags such as "<wpt " or "<ns2:trkpt>", counted without the converter's help.
std::int64_t count_start_tags(const std::string& text, const std::string& tag) {
    std::int64_t count = 0;
    for (std::size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1)) {
        std::size_t end = at + 1;
        while (end < text.size() && !ends_name(text[end]) && text[end] != '<') ++end;
        if (end == text.size() || text[end] == '<') continue;
        std::string name = text.substr(at + 1, end - at - 1);
        std::size_t colon = name.find(':');
        if (colon != std::string::npos && colon > 0) name.erase(0, colon + 1);
        if (name == tag) ++count;
    }
    return count;
}

struct CorpusRun {
    std::string drw, mmk;
    std::int64_t points, lines, skipped, passed_over;
};

CorpusRun convert_file(const fs::path& file, bool routes = false) {
    std::string gpx = read_bytes(file);
    auto state = std::make_unique<ScanState>();
    state->convert_routes = routes;
    CorpusRun run;
    EXPECT_TRUE(convert_text(*state, gpx, run.drw, run.mmk));
    run.points = state->point_count;
    run.lines = state->line_count;
    run.skipped = state->skipped_count;
    run.passed_over = state->passed_over_count;
    return run;
}

const char* corpus_folder() { return std::getenv("KELPWAY_CORPUS"); }

// Every waypoint and track point of each file is converted or counted as skipped, and so is
// every route point with --routes; without, route points are counted as passed over.
void expect_every_point(const fs::path& folder) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".gpx") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const std::string gpx = without_comments(read_bytes(entry.path()));
        const std::int64_t waypoints_and_track_points =
            count_start_tags(gpx, "wpt") + count_start_tags(gpx, "trkpt");
        const std::int64_t route_points = count_start_tags(gpx, "rtept");
        const CorpusRun plain = convert_file(entry.path());
        EXPECT_EQ(plain.points + plain.lines + plain.skipped, waypoints_and_track_points);
        EXPECT_EQ(plain.passed_over, route_points);
        const CorpusRun routes = convert_file(entry.path(), true);
        EXPECT_EQ(routes.points + routes.lines + routes.skipped, waypoints_and_track_points + route_points);
        EXPECT_EQ(routes.passed_over, 0);
        ++files;
    }
    EXPECT_GT(files, 0);
}

TEST(Corpus, ConvertsEveryPointOfRealFiles) {
    if (!corpus_folder()) GTEST_SKIP() << "set KELPWAY_CORPUS to a folder of GPX files";
    expect_every_point(corpus_folder());
}

TEST(Corpus, ConvertsEveryPointOfTheTestsLayouts) { expect_every_point(KELPWAY_TEST_DATA); }

// First and last records, worked out by hand from the files' attributes.
TEST(Corpus, WritesTheRecordsOfKnownFiles) {
    if (!corpus_folder()) GTEST_SKIP() << "set KELPWAY_CORPUS to a folder of GPX files";
    const struct {
        const char* file;
        const char* first_drw;
        const char* last_drw;
        const char* first_mmk;
        const char* last_mmk;
    } cases[] = {
        {"georust-garmin_with_extensions.gpx", ",4729.069,N,1058.541,E,,2,,,,",
         ",4729.073,N,1058.553,E,,2,,,,", "", ""},
        {"gpsbabel-expertgps.gpx", ",3003.731,N,9136.621,W,,2,,,,", ",3002.828,N,9135.980,W,,2,,,,",
         ",4226.333,N,7107.157,W,26,,,,,,\"5066\"", ",4226.504,N,7107.301,W,26,,,,,,\"5150TANK\""},
        {"gogpx-ashland.gpx", ",4213.990,N,7128.508,W,,2,,,,", ",4214.677,N,7128.122,W,,2,,,,",
         ",4214.817,N,7127.708,W,26,,,,,,\"AQUADUCT\"", ",4214.132,N,7128.601,W,26,,,,,,\"\""},
        // Whole documents on one line.
        {"gogpx-hhs_77yl9msjcr.gpx", ",5144.738,N,1101.863,E,,2,,,,", ",5144.376,N,1046.178,E,,2,,,,",
         "", ""},
        {"gpxpy-around-visnjan-with-car.gpx", ",4516.411,N,1342.853,E,,2,,,,",
         ",4516.400,N,1342.840,E,,2,,,,", "", ""},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.file);
        CorpusRun run = convert_file(fs::path(corpus_folder()) / row.file);
        std::string drw_points = run.drw.substr(3, run.drw.size() - 6);  // between S and E
        EXPECT_TRUE(drw_points.starts_with(std::string(row.first_drw) + "\r\n"));
        EXPECT_TRUE(drw_points.ends_with(std::string(row.last_drw) + "\r\n"));
        EXPECT_TRUE(run.mmk.starts_with(row.first_mmk));
        EXPECT_TRUE(run.mmk.ends_with(std::string(row.last_mmk) + (*row.last_mmk ? "\r\n" : "")));
    }
}

}  // namespace
}  // namespace kelpway
