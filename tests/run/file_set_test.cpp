// The pair's number: found when the run begins, moved on when an entry takes it meanwhile.
#include "run/file_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "faulty_files.h"
#include "folder_run.h"
#include "run/file_system.h"

namespace kelpway {
namespace {

// The number is found when the run begins; an entry that takes it meanwhile moves the pair on
// to the first number free then, and the MMK of that number is checked again. One that stands
// in the MMK's way only as it is placed is refused then, and the DRW placed before it removed.
TEST(FileSet, AnEntryThatTakesTheNumberMeanwhileMovesThePairOn) {
    const struct {
        const char* what;
        std::vector<std::string> appearing;  // "link:NAME" a symbolic link, "dir:NAME" a directory
        bool at_mark;                        // appearing just before the MMK is placed
        const char* pair;
    } cases[] = {
        {"another run's DRW", {"BV100002.DRW"}, false, "BV100003"},
        {"and one in another case", {"BV100002.DRW", "bv100003.drw"}, false, "BV100004"},
        {"and another run's whole pair", {"BV100002.DRW", "BV100002.MMK"}, false, "BV100003"},
        {"a directory in place of the MMK as it is placed", {"dir:BV100002.MMK"}, true, nullptr},
#if !defined(_WIN32)
        {"then a link in place of the next MMK", {"BV100002.DRW", "link:BV100003.MMK"}, false, nullptr},
#endif
    };
    const fs::path folder = scratch_folder("meanwhile");
    for (const auto& [system, real] : file_systems()) {
        for (const auto& row : cases) {
            SCOPED_TRACE(::testing::Message() << system << ", " << row.what);
            FaultyFiles files(*real, 0, Fault::io_error);
            const auto appear = [&] {
                for (const std::string& name : row.appearing) {
                    const std::string entry = name.substr(name.find(':') + 1);
                    if (name.starts_with("link:")) fs::create_symlink("nowhere", folder / entry);
                    if (name.starts_with("dir:")) fs::create_directory(folder / entry);
                    if (entry == name) std::ofstream(folder / name, std::ios::binary) << other_runs_drw;
                }
            };
            (row.at_mark ? files.before_mark : files.meanwhile) = appear;
            const FolderRun run = run_with(files, sample_gpx(2, 3), folder);
            std::vector<std::string> expected = nothing_new;
            for (const std::string& name : row.appearing) expected.push_back(name.substr(name.find(':') + 1));
            if (row.pair != nullptr) {
                EXPECT_EQ(run.status, 0) << run.printed;
                expected.push_back(std::string(row.pair) + ".DRW");
                expected.push_back(std::string(row.pair) + ".MMK");
                EXPECT_TRUE(read_bytes(folder / (std::string(row.pair) + ".DRW")).ends_with("E\r\n"));
            } else {
                EXPECT_EQ(run.status, 1);
                EXPECT_EQ(run.printed, "Can't open .MMK file!\n");
            }
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(run.entries, expected);
        }
    }
    fs::remove_all(folder);
}

#if defined(_WIN32)
// A rename replaces a read-only file on some systems (Wine's): such an MMK is refused before
// converting. Root on POSIX may write any file, so there a run without privileges checks this.
TEST(FileSet, RefusesAReadOnlyMmk) {
    const fs::path folder = scratch_folder("read-only");
    fs::create_directories(folder);
    std::ofstream(folder / "in.gpx", std::ios::binary) << sample_gpx(2, 3);
    std::ofstream(folder / "BV100001.MMK", std::ios::binary) << "mine\r\n";
    fs::permissions(folder / "BV100001.MMK", fs::perms::owner_write, fs::perm_options::remove);
    const std::string path = (folder / "in.gpx").string();
    const char* const arguments[] = {path.c_str()};
    const ConsoleFile console;
    ASSERT_NE(console.file(), nullptr);
    EXPECT_EQ(run_program(arguments, console.file(), system_files()), 1);
    EXPECT_EQ(console.printed(), "Can't open .MMK file!\n");
    EXPECT_EQ(entries(folder), (std::vector<std::string>{"BV100001.MMK", "in.gpx"}));
    EXPECT_EQ(read_bytes(folder / "BV100001.MMK"), "mine\r\n");
    fs::permissions(folder / "BV100001.MMK", fs::perms::owner_write, fs::perm_options::add);
    fs::remove_all(folder);
}
#endif

}  // namespace
}  // namespace kelpway
