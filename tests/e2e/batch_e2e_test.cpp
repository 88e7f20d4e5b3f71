// --batch through the binary: every operand a run of its own, each output under its operand.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "binary_run.h"

namespace kelpway::e2e {
namespace {

namespace fs = std::filesystem;

const std::string tokyo_summary = "MMK 4 points\nDRW 8 lines(color=2)\n";

TEST(Batch, ConvertsEveryOperandOnItsOwnAndGoesOnAfterAFailure) {
    const struct {
        const char* what;
        std::vector<std::string> arguments;
        int status;
        std::string printed;
        std::vector<std::string> pairs;  // BV10nnnn present afterwards
    } rows[] = {
        {"files, one missing", {"--batch", "a.gpx", "missing", "b"}, 1,
         "a.gpx:\n" + tokyo_summary + "missing:\nCan't open .GPX file!\nb:\n" + tokyo_summary,
         {"BV100001", "BV100002"}},
        {"all converted", {"--batch", "a", "b"}, 0, "a:\n" + tokyo_summary + "b:\n" + tokyo_summary,
         {"BV100001", "BV100002"}},
        {"a colour for all", {"--color=5", "--batch", "a", "7"}, 1,
         "a:\nMMK 4 points\nDRW 8 lines(color=5)\n7:\nCan't open .GPX file!\n", {"BV100001"}},
        {"more operands than a run takes", {"--batch", "a", "b", "a", "b"}, 0,
         "a:\n" + tokyo_summary + "b:\n" + tokyo_summary + "a:\n" + tokyo_summary + "b:\n" + tokyo_summary,
         {"BV100001", "BV100002", "BV100003", "BV100004"}},
        {"no operand", {"--batch"}, 0,
         "Sondrix GPX data --> Bravik DRW,MMK data conversion  Ver1.10\nUsage: KELPWAY ***.GPX \n", {}},
        {"the other direction", {"--batch", "--to-gpx", "pair", "none", "pair"}, 1,
         "pair:\nGPX 4 waypoints, 3 tracks, 8 track points\nnone:\nCan't open .DRW file!\n"
         "pair:\nWon't overwrite .GPX file!\n",
         {}},
        {"a refused option ends before any file", {"--batch", "--color=0", "a"}, 1,
         "Invalid color 0\nUsage: KELPWAY ***.GPX \n", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        fs::copy_file(fs::path(KELPWAY_EXAMPLES) / "tokyo-bay.gpx", dir.path / "a.gpx");
        fs::copy_file(fs::path(KELPWAY_EXAMPLES) / "tokyo-bay.gpx", dir.path / "b.gpx");
        fs::copy_file(fs::path(KELPWAY_EXAMPLES) / "tokyo-bay.DRW", dir.path / "pair.DRW");
        fs::copy_file(fs::path(KELPWAY_EXAMPLES) / "tokyo-bay.MMK", dir.path / "pair.MMK");
        const BinaryRun run = run_kelpway(dir.path, row.arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.printed, row.printed);
        std::vector<std::string> pairs;
        for (const std::string& name : entries(dir.path)) {
            if (name.starts_with("BV10") && name.ends_with(".DRW")) pairs.push_back(name.substr(0, 8));
        }
        EXPECT_EQ(pairs, row.pairs);
        for (const std::string& pair : pairs) {
            EXPECT_TRUE(read_file(dir.path / (pair + ".DRW")).ends_with("E\r\n"));
            EXPECT_TRUE(fs::exists(dir.path / (pair + ".MMK")));
        }
    }
}

}  // namespace
}  // namespace kelpway::e2e
