// The other direction through the binary: a pair into GPX, compared with stored results, and back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "binary_run.h"

namespace kelpway::e2e {
namespace {

namespace fs = std::filesystem;

const fs::path examples = KELPWAY_EXAMPLES;
const fs::path stored = test_data("back");

TEST(ToGpx, MatchesTheStoredResults) {
    for (const std::string stem : {"tokyo-bay", "harbour-approach"}) {
        SCOPED_TRACE(stem);
        TempDir dir;
        fs::copy_file(examples / (stem + ".DRW"), dir.path / (stem + ".DRW"));
        fs::copy_file(examples / (stem + ".MMK"), dir.path / (stem + ".MMK"));
        const BinaryRun run = run_kelpway(dir.path, {"--to-gpx", stem});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.printed, read_file(stored / (stem + ".stdout")));
        EXPECT_EQ(read_file(dir.path / (stem + ".GPX")), read_file(stored / (stem + ".GPX")));
    }
}

// The pair converted into GPX and that GPX again, in the same colour, give the same pair.
TEST(ToGpx, GivesBackThePairItRead) {
    for (const std::string color : {"3", "7"}) {
        SCOPED_TRACE(color);
        TempDir dir;
        fs::copy_file(examples / "tokyo-bay.gpx", dir.path / "tokyo-bay.gpx");
        ASSERT_EQ(run_kelpway(dir.path, {"tokyo-bay", color}).status, 0);
        ASSERT_EQ(run_kelpway(dir.path, {"--to-gpx", "BV100001"}).status, 0);
        const BinaryRun again = run_kelpway(dir.path, {"BV100001", color});
        EXPECT_EQ(again.status, 0);
        EXPECT_EQ(read_file(dir.path / "BV100002.DRW"), read_file(dir.path / "BV100001.DRW"));
        EXPECT_EQ(read_file(dir.path / "BV100002.MMK"), read_file(dir.path / "BV100001.MMK"));
    }
}

TEST(ToGpx, FindsThePairAndWritesBesideIt) {
    const std::string drw = read_file(examples / "tokyo-bay.DRW");
    const std::string mmk = read_file(examples / "tokyo-bay.MMK");
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files;  // name, bytes
        std::vector<std::string> arguments;
        int status;
        std::string printed;
        std::string written;  // the GPX that appears, or none
    } rows[] = {
        {"names in other cases, any extension typed", {{"bv100003.drw", drw}, {"Bv100003.Mmk", mmk}},
         {"--to-gpx", "BV100003.xyz"}, 0, "GPX 4 waypoints, 3 tracks, 8 track points\n", "BV100003.GPX"},
        {"marks only", {{"BV100003.MMK", mmk}}, {"--to-gpx", "BV100003"}, 0,
         "GPX 4 waypoints, 0 tracks, 0 track points\n", "BV100003.GPX"},
        {"lines only", {{"BV100003.DRW", drw}}, {"--to-gpx", "BV100003"}, 0,
         "GPX 0 waypoints, 3 tracks, 8 track points\n", "BV100003.GPX"},
        {"in a folder", {{"logs/BV100003.DRW", drw}}, {"--to-gpx", "logs/BV100003"}, 0,
         "GPX 0 waypoints, 3 tracks, 8 track points\n", "logs/BV100003.GPX"},
        {"records that are none", {{"BV100003.MMK", mmk + "garbage\r\n\r\n"}}, {"--to-gpx", "BV100003"}, 0,
         "GPX 4 waypoints, 0 tracks, 0 track points\nSkipped 2 records that are not points or marks\n",
         "BV100003.GPX"},
        {"neither file", {}, {"--to-gpx", "BV100003"}, 1, "Can't open .DRW file!\n", ""},
        {"a GPX of that name", {{"BV100003.DRW", drw}, {"BV100003.GPX", "mine"}}, {"--to-gpx", "BV100003"}, 1,
         "Won't overwrite .GPX file!\n", ""},
        {"a GPX in another case", {{"BV100003.DRW", drw}, {"bv100003.gpx", "mine"}}, {"--to-gpx", "BV100003"}, 1,
         "Won't overwrite .GPX file!\n", ""},
        {"a folder of that name", {{"BV100003.DRW", drw}, {"BV100003.GPX/x", ""}}, {"--to-gpx", "BV100003"}, 1,
         "Won't overwrite .GPX file!\n", ""},
        {"a second operand", {{"BV100003.DRW", drw}}, {"--to-gpx", "BV100003", "5"}, 1, "Too many option!\n", ""},
        {"--routes", {{"BV100003.DRW", drw}}, {"--routes", "--to-gpx", "BV100003"}, 1,
         "Option --routes does not apply to --to-gpx\nUsage: KELPWAY ***.GPX \n", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        for (const auto& [name, bytes] : row.files) {
            fs::create_directories((dir.path / name).parent_path());
            write_file(dir.path / name, bytes);
        }
        const BinaryRun run = run_kelpway(dir.path, row.arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.printed, row.printed);
        // Every file but those of the row is new: the GPX written, and nothing else.
        std::vector<std::string> new_files;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path)) {
            const std::string name = fs::relative(entry.path(), dir.path).string();
            bool given = !entry.is_regular_file();
            for (const auto& file : row.files) given = given || file.first == name;
            if (!given) new_files.push_back(name);
        }
        EXPECT_EQ(new_files, row.written.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.written});
        for (const auto& [name, bytes] : row.files) {
            if (fs::is_regular_file(dir.path / name)) {
                EXPECT_EQ(read_file(dir.path / name), bytes) << name;
            }
        }
    }
}

}  // namespace
}  // namespace kelpway::e2e
