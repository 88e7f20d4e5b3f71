// A stop at every call: a run that a stop signal reaches before its file-system call k ends
// killed by that signal with nothing new in its folder, or, once it has begun to place its
// outputs, as the clean run did. Never anything between.
#include "run/stop_signals.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)

#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "faulty_files.h"
#include "folder_run.h"
#include "run/posix_file_system.h"

namespace kelpway {
namespace {

struct StoppedRun {
    int wait_status;
    std::string printed;
    std::string drw, mmk;
    std::vector<std::string> entries;
};

// The conversion in a child process that takes stop signals as the program does, with
// `signal` raised before call `k`.
StoppedRun run_stopped(FileSystem& real, int k, int signal, const std::string& gpx, const fs::path& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "in.gpx", std::ios::binary) << gpx;
    std::ofstream(folder / "BV100001.DRW", std::ios::binary) << other_runs_drw;
    const std::string path = (folder / "in.gpx").string();
    const ConsoleFile console;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        catch_stop_signals();
        FaultyFiles files(real, k, Fault::stop);
        files.stop_signal = signal;
        const char* const arguments[] = {path.c_str(), "3"};
        const int status = run_program(arguments, console.file(), files);
        std::fflush(console.file());
        ::_exit(status);
    }
    StoppedRun run{-1, {}, {}, {}, {}};
    ::waitpid(child, &run.wait_status, 0);
    run.printed = console.printed();
    run.drw = read_bytes(folder / "BV100002.DRW");
    run.mmk = read_bytes(folder / "BV100002.MMK");
    run.entries = entries(folder);
    return run;
}

TEST(StopSignals, EndTheRunWithNothingNewUntilItPlacesItsOutputs) {
    const std::string gpx = sample_gpx(3, 9000);
    const fs::path folder = scratch_folder("stops");
    const std::pair<const char*, FileSystem*> systems[] = {
        {"system files", &system_files()}, {"named temporaries", &files_with_named_temporaries()}};
    int killed = 0;
    int finished = 0;
    for (const auto& [system, real] : systems) {
        FaultyFiles counting(*real, 0, Fault::io_error);
        const FolderRun clean = run_with(counting, gpx, folder);
        ASSERT_EQ(clean.status, 0) << clean.printed;
        ASSERT_GT(counting.last_check, 0);  // the first call of the placing
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            for (int k = 1; k <= counting.calls + 1; ++k) {
                SCOPED_TRACE(::testing::Message() << system << ", signal " << signal << " before call " << k);
                const StoppedRun run = run_stopped(*real, k, signal, gpx, folder);
                if (k < counting.last_check) {
                    ++killed;
                    EXPECT_TRUE(WIFSIGNALED(run.wait_status) && WTERMSIG(run.wait_status) == signal);
                    EXPECT_EQ(run.printed, "");
                    EXPECT_EQ(run.entries, nothing_new);
                    continue;
                }
                ++finished;
                EXPECT_TRUE(WIFEXITED(run.wait_status) && WEXITSTATUS(run.wait_status) == 0);
                EXPECT_EQ(run.printed, clean.printed);
                EXPECT_TRUE(run.drw == clean.drw && run.mmk == clean.mmk);
                EXPECT_EQ(run.entries, clean.entries);
            }
        }
    }
    fs::remove_all(folder);
    EXPECT_GT(killed, 30);
    EXPECT_GT(finished, 12);
}

// A signal the program was started ignoring, as nohup leaves SIGHUP, stays ignored.
TEST(StopSignals, LeaveAnIgnoredSignalIgnored) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGHUP, SIG_IGN);
        catch_stop_signals();
        ::_exit(::raise(SIGHUP) == 0 && std::signal(SIGHUP, SIG_IGN) == SIG_IGN ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace kelpway

#endif
