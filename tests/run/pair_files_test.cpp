// The other direction's files: the pair found in any case, the GPX never replacing an entry,
// and a fault at every call ending as the clean run did or with one message and no GPX.
#include "run/pair_files.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <string>
#include <vector>

#include "console_file.h"
#include "faulty_files.h"
#include "folder_run.h"
#include "run/command_line.h"

namespace kelpway {
namespace {

struct BackRun {
    int status;
    std::string printed;
    std::string gpx;
    std::vector<std::string> entries;
};

// `kelpway --to-gpx BV100001` in a folder that holds the pair `drw` and `mmk` (none when empty).
BackRun run_back(FileSystem& files, const fs::path& folder, const std::string& drw, const std::string& mmk) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    if (!drw.empty()) std::ofstream(folder / "BV100001.DRW", std::ios::binary) << drw;
    if (!mmk.empty()) std::ofstream(folder / "bv100001.mmk", std::ios::binary) << mmk;
    const std::string path = (folder / "BV100001").string();
    const char* const arguments[] = {"--to-gpx", path.c_str()};
    const ConsoleFile console;
    if (console.file() == nullptr) return {-1, {}, {}, {}};
    BackRun run{run_program(arguments, console.file(), files), console.printed(), {}, {}};
    run.gpx = read_bytes(folder / "BV100001.GPX");
    run.entries = entries(folder);
    return run;
}

std::string extension_of(const std::string& path) {
    std::string extension = path.substr(path.size() - 3);
    for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return extension;
}

// `listings`: the message of each listing's failure in turn; a listing that may hide a file of
// the pair fails the run, one that only looks for a GPX in another case does not.
std::string expected_message(const FaultyFiles& files, const std::vector<std::string>& listings) {
    if (files.fault == Fault::interrupted || files.fault == Fault::short_write) return "";
    switch (files.failed_call) {
        case Call::list: return files.lists <= static_cast<int>(listings.size()) ? listings[files.lists - 1] : "";
        case Call::open_input: return "Can't open ." + extension_of(files.failed_path) + " file!\n";
        case Call::read: return "Can't read ." + extension_of(files.failed_path) + " file!\n";
        case Call::create_temporary:
        case Call::place_new: return "Can't write .GPX file!\n";
        case Call::write:
        case Call::close: return files.failed_role == Role::input ? "" : "Can't write .GPX file!\n";
        default: return "";
    }
}

std::string sample_drw(int points) {
    std::string drw = "S\r\n";
    for (int i = 0; i < points; ++i) drw += ",3540." + std::to_string(100 + i % 900) + ",N,13946.027,E,,3,,,,\r\n";
    return drw + "J\r\n,100.000,S,200.000,W,,3,,,,\r\nE\r\n";
}

std::string sample_mmk(int marks) {
    std::string mmk;
    for (int i = 0; i < marks; ++i) mmk += ",3540.874,N,13946.027,E,26,,,,,,\"Mark " + std::to_string(i) + "\"\r\n";
    return mmk;
}

TEST(PairFiles, EveryCallFailingEndsCleanlyOrWithOneMessage) {
    const fs::path folder = scratch_folder("pair-faults");
    // The DRW is named as looked for, the MMK in another case: a folder that tells names apart by
    // case (not Windows) lists itself to find the MMK, and a missing DRW is listed for everywhere.
    fs::create_directories(folder);
    std::ofstream(folder / "bv100001.mmk").put('\n');
    const bool cased = !fs::exists(folder / "BV100001.MMK");
    std::vector<std::string> mmk_listing, listings_of_marks_only = {"Can't open .DRW file!\n"};
    if (cased) {
        mmk_listing.emplace_back("Can't open .MMK file!\n");
        listings_of_marks_only.emplace_back("Can't open .MMK file!\n");
    }
    const struct {
        const char* what;
        std::string drw, mmk;
        std::vector<std::string> listings;
    } inputs[] = {
        {"small", sample_drw(3), sample_mmk(2), mmk_listing},
        {"several reads of each", sample_drw(20000), sample_mmk(8000), mmk_listing},
        {"marks only", "", sample_mmk(2), listings_of_marks_only},
    };
    int runs = 0;
    for (const auto& [system, real] : file_systems()) {
        for (const auto& input : inputs) {
            SCOPED_TRACE(::testing::Message() << system << ", " << input.what);
            FaultyFiles counting(*real, 0, Fault::io_error);
            const BackRun clean = run_back(counting, folder, input.drw, input.mmk);
            ASSERT_EQ(clean.status, 0) << clean.printed;
            std::vector<std::string> nothing_new = clean.entries;
            std::erase(nothing_new, "BV100001.GPX");
            for (const Fault fault : {Fault::io_error, Fault::short_write, Fault::failed_close, Fault::interrupted}) {
                for (int k = 1; k <= counting.calls; ++k) {
                    SCOPED_TRACE(::testing::Message() << "fault " << static_cast<int>(fault) << " at call " << k);
                    FaultyFiles files(*real, k, fault);
                    const BackRun run = run_back(files, folder, input.drw, input.mmk);
                    ++runs;
                    const std::string message = expected_message(files, input.listings);
                    if (message.empty()) {
                        EXPECT_EQ(run.status, 0);
                        EXPECT_EQ(run.printed, clean.printed);
                        EXPECT_EQ(run.gpx, clean.gpx);
                        EXPECT_EQ(run.entries, clean.entries);
                    } else {
                        EXPECT_EQ(run.status, 1);
                        EXPECT_EQ(run.printed, message);
                        EXPECT_EQ(run.entries, nothing_new);  // no GPX, no temporary
                    }
                }
            }
        }
    }
    fs::remove_all(folder);
    EXPECT_GT(runs, 100);
}

}  // namespace
}  // namespace kelpway
