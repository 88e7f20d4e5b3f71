// The binary's choice of files, its messages and exit status, end to end.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>


#include "binary_run.h"

namespace kelpway::e2e {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

const char* const empty_gpx = "<?xml version=\"1.0\"?>\n<gpx>\n</gpx>\n";
const char* const empty_summary = "MMK 0 points\nDRW 0 lines(color=2)\n";
const char* const empty_drw = "S\r\nE\r\n";

TEST(FileSet, CreatesTheFirstPairBesideTheInput) {
    const struct {
        const char* input;  // created with empty_gpx
        std::vector<std::string> arguments;
        const char* drw;
        const char* mmk;
    } cases[] = {
        {"track.GPX", {"track"}, "BV100001.DRW", "BV100001.MMK"},
        {"track.GPX", {"track.gpx"}, "BV100001.DRW", "BV100001.MMK"},
        {"logs/track.GPX", {"logs/track.gpx"}, "logs/BV100001.DRW", "logs/BV100001.MMK"},
        {"logs/track.GPX", {"./logs//track.xml"}, "logs/BV100001.DRW", "logs/BV100001.MMK"},
        {"a.b.GPX", {"a.b.c"}, "BV100001.DRW", "BV100001.MMK"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.input);
        TempDir dir;
        fs::create_directories((dir.path / row.input).parent_path());
        write_file(dir.path / row.input, empty_gpx);
        BinaryRun run = run_kelpway(dir.path, row.arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.printed, empty_summary);
        EXPECT_EQ(read_file(dir.path / row.drw), empty_drw);
        EXPECT_TRUE(fs::exists(dir.path / row.mmk));
        EXPECT_EQ(read_file(dir.path / row.mmk), "");
    }
}

// Names that exist in any form take their number; nothing existing changes.
TEST(FileSet, TakesTheFirstNumberNoEntryHolds) {
    const struct {
        const char* what;
        Names drw_files;
        Names others;  // "dir:NAME" a directory, "link:NAME" a dangling link
        const char* chosen;
    } cases[] = {
        {"four in a row", {"BV100001.DRW", "BV100002.DRW", "BV100003.DRW", "BV100004.DRW"}, {},
         "BV100005"},
        {"a gap", {"BV100001.DRW", "BV100003.DRW"}, {}, "BV100002"},
        {"another case", {"bv100001.drw", "Bv100002.Drw"}, {}, "BV100003"},
        {"only DRW counts", {}, {"BV100001.MMK"}, "BV100001"},
        {"a directory", {}, {"dir:BV100001.DRW"}, "BV100002"},
        {"a dangling link", {}, {"link:BV100001.DRW"}, "BV100002"},
        {"not a number", {"BV10000x.DRW", "BV100001.DRWX", "XBV100001.DRW"}, {}, "BV100001"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        write_file(dir.path / "in.GPX", empty_gpx);
        for (const std::string& name : row.drw_files) write_file(dir.path / name, "keep " + name);
        for (const std::string& other : row.others) {
            std::string name = other.substr(other.find(':') + 1);
            if (other.starts_with("dir:")) fs::create_directory(dir.path / name);
            if (other.starts_with("link:")) fs::create_symlink("nowhere", dir.path / name);
            if (other.find(':') == std::string::npos) write_file(dir.path / name, "old");
        }
        BinaryRun run = run_kelpway(dir.path, {"in"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(read_file(dir.path / (std::string(row.chosen) + ".DRW")), empty_drw);
        EXPECT_EQ(read_file(dir.path / (std::string(row.chosen) + ".MMK")), "");
        for (const std::string& name : row.drw_files) {
            EXPECT_EQ(read_file(dir.path / name), "keep " + name);
        }
    }
}

TEST(FileSet, RefusesWhenEveryNumberIsTaken) {
    TempDir dir;
    write_file(dir.path / "in.GPX", empty_gpx);
    for (int number = 1; number <= 9999; ++number) {
        char name[16];
        std::snprintf(name, sizeof name, "BV10%04d.DRW", number);
        write_file(dir.path / name, "");
    }
    // No number is left, whatever stands in the place of the last one's MMK.
    fs::create_symlink("nowhere", dir.path / "BV109999.MMK");
    BinaryRun run = run_kelpway(dir.path, {"in"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.printed, "Can't open .DRW file!\n");
    EXPECT_EQ(entries(dir.path).size(), 10001u);
}

TEST(FileSet, RefusesAnMmkLinkAndLeavesItsTargetAlone) {
    TempDir dir;
    write_file(dir.path / "in.GPX", empty_gpx);
    write_file(dir.path / "target", "precious");
    fs::create_symlink("target", dir.path / "BV100001.MMK");
    BinaryRun run = run_kelpway(dir.path, {"in"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.printed, "Can't open .MMK file!\n");
    EXPECT_EQ(read_file(dir.path / "target"), "precious");
    EXPECT_TRUE(fs::is_symlink(dir.path / "BV100001.MMK"));
    EXPECT_EQ(entries(dir.path), (Names{"BV100001.MMK", "in.GPX", "target"}));  // no DRW stays
}

// Emptying that MMK would destroy the very input being converted.
TEST(FileSet, RefusesAnMmkThatIsTheInputItself) {
    const struct {
        const char* what;
        bool symbolic;
    } cases[] = {{"input is a symbolic link to it", true}, {"input is a hard link to it", false}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        const std::string gpx = "<wpt lat=\"1\" lon=\"2\"><name>kept</name></wpt>\n";
        write_file(dir.path / "BV100001.MMK", gpx);
        if (row.symbolic) {
            fs::create_symlink("BV100001.MMK", dir.path / "in.GPX");
        } else {
            fs::create_hard_link(dir.path / "BV100001.MMK", dir.path / "in.GPX");
        }
        BinaryRun run = run_kelpway(dir.path, {"in"});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.printed, "Can't open .MMK file!\n");
        EXPECT_EQ(read_file(dir.path / "BV100001.MMK"), gpx);
        EXPECT_EQ(entries(dir.path), (Names{"BV100001.MMK", "in.GPX"}));  // no DRW stays
    }
}

TEST(FileSet, OverwritesAnOrphanMmkOfTheChosenNumber) {
    TempDir dir;
    write_file(dir.path / "in.GPX", empty_gpx);
    write_file(dir.path / "BV100001.MMK", "old marks\r\n");
    BinaryRun run = run_kelpway(dir.path, {"in"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(read_file(dir.path / "BV100001.MMK"), "");
}

TEST(FileSet, FindsTheInputWhateverTheCaseOfItsName) {
    const struct {
        const char* what;
        Names files;     // "dir:NAME" makes a directory, which cannot be converted
        const char* argument;
        int status;
    } cases[] = {
        {"lower case extension", {"route.gpx"}, "route", 0},
        {"as typed", {"route.gpx"}, "route.gpx", 0},
        {"other case name", {"ROUTE.Gpx"}, "route", 0},
        {"spelled as typed wins", {"dir:ROUTE.GPX", "Route.gpx"}, "Route.gpx", 0},
        {"else first in byte order", {"dir:ROUTE.gpx", "Route.gpx"}, "route", 1},
        {"no match", {"other.gpx"}, "route", 1},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        for (const std::string& file : row.files) {
            if (file.starts_with("dir:")) {
                fs::create_directory(dir.path / file.substr(4));
            } else {
                write_file(dir.path / file, empty_gpx);
            }
        }
        Names before = entries(dir.path);
        BinaryRun run = run_kelpway(dir.path, {row.argument});
        EXPECT_EQ(run.status, row.status);
        if (row.status == 0) {
            EXPECT_EQ(run.printed, empty_summary);
        } else {
            EXPECT_EQ(run.printed, "Can't open .GPX file!\n");
            EXPECT_EQ(entries(dir.path), before);
        }
    }
}

// Failures end with one message, status 1, and no summary.
TEST(FileSet, ReportsEachFailureOnce) {
    const struct {
        const char* what;
        std::string argument;
        std::string setup;
        const char* printed;
        Names left;  // entries afterwards besides in.GPX
    } cases[] = {
        {"missing input", "none", "", "Can't open .GPX file!\n", {}},
        {"input is a directory", "folder", "mkdir folder.GPX;", "Can't open .GPX file!\n",
         {"folder.GPX"}},
        {"missing directory", "nodir/in", "", "Can't open .GPX file!\n", {}},
        {"path too long", std::string(5000, 'p'), "", "Can't open .GPX file!\n", {}},
        // Reading the memory of a process fails at its unmapped first page, a real read error;
        // the outputs begun are removed.
        {"reads fail", "proc", "ln -s /proc/self/mem proc.GPX;", "Can't read .GPX file!\n", {"proc.GPX"}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        write_file(dir.path / "in.GPX", empty_gpx);
        BinaryRun run = run_kelpway(dir.path, {row.argument}, row.setup);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.printed, row.printed);
        Names left = row.left;
        left.push_back("in.GPX");
        std::sort(left.begin(), left.end());
        EXPECT_EQ(entries(dir.path), left);
    }
}

// A summary that cannot reach standard output is a failure too.
TEST(FileSet, ReportsAConsoleThatCannotBeWritten) {
    TempDir dir;
    write_file(dir.path / "in.GPX", empty_gpx);
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"in"}, std::vector<std::string>{}}) {
        BinaryRun run = run_kelpway(dir.path, arguments, "exec >/dev/full;");
        EXPECT_EQ(run.status, 1);
    }
}

// Run as a user without privileges, as root writes into read-only directories.
TEST(FileSet, ReportsADirectoryItCannotWriteTo) {
    TempDir dir;
    write_file(dir.path / "in.GPX", empty_gpx);
    fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec);
    BinaryRun run = run_kelpway_unprivileged(dir.path, {"in"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.printed, "Can't open .DRW file!\n");
}

// A rename would replace a read-only MMK: it is refused before converting, and nothing changes.
TEST(FileSet, RefusesAReadOnlyMmk) {
    TempDir dir;
    write_file(dir.path / "in.GPX", empty_gpx);
    write_file(dir.path / "BV100001.MMK", "mine\r\n");
    fs::permissions(dir.path / "BV100001.MMK", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    BinaryRun run = run_kelpway_unprivileged(dir.path, {"in"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.printed, "Can't open .MMK file!\n");
    EXPECT_EQ(entries(dir.path), (std::vector<std::string>{"BV100001.MMK", "in.GPX"}));
    EXPECT_EQ(read_file(dir.path / "BV100001.MMK"), "mine\r\n");
}

TEST(CommandLine, PrintsBannerAndUsageOrRefusesExtraArguments) {
    TempDir dir;
    BinaryRun banner = run_kelpway(dir.path, {});
    EXPECT_EQ(banner.status, 0);
    EXPECT_EQ(banner.printed,
              "Sondrix GPX data --> Bravik DRW,MMK data conversion  Ver1.10\n"
              "Usage: KELPWAY ***.GPX \n");
    BinaryRun extra = run_kelpway(dir.path, {"a", "1", "b"});
    EXPECT_EQ(extra.status, 1);
    EXPECT_EQ(extra.printed, "Too many option!\n");
    EXPECT_TRUE(entries(dir.path).empty());
}

TEST(CommandLine, ShowsTheColourInTheSummary) {
    TempDir dir;
    write_file(dir.path / "in.GPX", empty_gpx);
    EXPECT_EQ(run_kelpway(dir.path, {"in", "7"}).printed, "MMK 0 points\nDRW 0 lines(color=7)\n");
    EXPECT_EQ(run_kelpway(dir.path, {"in", "9"}).printed, empty_summary);
    // The option wins over the operand.
    EXPECT_EQ(run_kelpway(dir.path, {"--color=4", "in", "7"}).printed, "MMK 0 points\nDRW 0 lines(color=4)\n");
    EXPECT_EQ(read_file(dir.path / "BV100002.DRW"), empty_drw);
    EXPECT_EQ(read_file(dir.path / "BV100003.DRW"), empty_drw);
}

}  // namespace
}  // namespace kelpway::e2e
