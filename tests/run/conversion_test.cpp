// A fault at every call: runs whose k-th file-system call fails end as the clean run did,
// or with exactly one message, status 1, no summary, no new entry at all (neither a BV10 name
// nor a temporary), and no other run's DRW file touched.
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

// The one message a run must end with when this call failed; empty: it must end as the clean run.
std::string expected_message(const FaultyFiles& files) {
    if (files.fault == Fault::interrupted || files.fault == Fault::short_write) return "";
    const bool output = files.failed_role == Role::drw || files.failed_role == Role::mmk;
    const std::string which = files.failed_role == Role::drw ? "DRW" : "MMK";
    switch (files.failed_call) {
        case Call::exists:
        case Call::list: return "";  // the name is found, or taken numbers show on placing the DRW
        case Call::open_input: return "Can't open .GPX file!\n";
        case Call::create_temporary: return "Can't open ." + which + " file!\n";
        case Call::place_new: return "Can't open .DRW file!\n";
        case Call::replaceable:
        case Call::place_over: return "Can't open .MMK file!\n";
        case Call::read: return "Can't read .GPX file!\n";
        case Call::write:
        case Call::close: return output ? "Can't write ." + which + " file!\n" : "";
    }
    return "";
}

TEST(Faults, EveryCallFailingEndsCleanlyOrWithOneMessage) {
    const struct {
        const char* what;
        std::string gpx;
    } inputs[] = {
        {"small", sample_gpx(2, 3)},
        {"several reads and DRW writes", sample_gpx(1, 9000)},   // 700 KB in, 260 KB out
        {"several MMK writes", sample_gpx(2500, 1)},
    };
    const fs::path folder = scratch_folder("faults");
    int runs = 0;
    for (const auto& [system, real] : file_systems()) {
        for (const auto& input : inputs) {
            SCOPED_TRACE(::testing::Message() << system << ", " << input.what);
            FaultyFiles counting(*real, 0, Fault::io_error);
            const FolderRun clean = run_with(counting, input.gpx, folder);
            ASSERT_EQ(clean.status, 0) << clean.printed;
            for (const Fault fault : {Fault::io_error, Fault::short_write, Fault::failed_close, Fault::interrupted}) {
                for (int k = 1; k <= counting.calls; ++k) {
                    SCOPED_TRACE(::testing::Message() << "fault " << static_cast<int>(fault) << " at call " << k);
                    FaultyFiles files(*real, k, fault);
                    const FolderRun run = run_with(files, input.gpx, folder);
                    ++runs;
                    const std::string message = expected_message(files);
                    if (message.empty()) {
                        EXPECT_EQ(run.status, 0) << run.printed;
                        EXPECT_EQ(run.printed, clean.printed);
                        EXPECT_TRUE(run.drw == clean.drw && run.mmk == clean.mmk);
                        EXPECT_EQ(run.entries, clean.entries);
                        continue;
                    }
                    EXPECT_EQ(run.status, 1);
                    EXPECT_EQ(run.printed, message);
                    EXPECT_EQ(run.entries, nothing_new);
                }
            }
        }
    }
    fs::remove_all(folder);
    EXPECT_GT(runs, 100);
}

// With the input and an output both failing, the read error is the one reported.
TEST(Faults, AReadErrorOutranksAWriteError) {
    const fs::path folder = scratch_folder("ranks");
    FaultyFiles counting(system_files(), 0, Fault::io_error);
    run_with(counting, sample_gpx(1, 9000), folder);
    int first_read = 0;
    for (int k = 1; k <= counting.calls && first_read == 0; ++k) {
        FaultyFiles probe(system_files(), k, Fault::io_error);
        run_with(probe, sample_gpx(1, 9000), folder);
        if (probe.failed_call == Call::read) first_read = k;
    }
    ASSERT_GT(first_read, 0);
    FaultyFiles files(system_files(), first_read, Fault::io_error, first_read + 1);  // the read, then the DRW's flush
    const FolderRun run = run_with(files, sample_gpx(1, 9000), folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.printed, "Can't read .GPX file!\n");
    EXPECT_EQ(run.entries, nothing_new);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace kelpway
