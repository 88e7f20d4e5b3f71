// Real runs on a large input stopped by SIGINT, SIGTERM and SIGHUP at moments spread over the
// whole run: before the outputs exist, while they are written, and about when they are placed.
// After each the folder holds the whole pair of the clean run and the status is 0 with its
// summary, or it holds nothing new and the run died of the signal without a word.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "binary_run.h"

extern char** environ;

namespace kelpway::e2e {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Names = std::vector<std::string>;

// About 1 MB of GPX: waypoints spread among the track points, so the MMK is written all
// through the run and a cut would split its records.
std::string chunk_of_gpx(int chunk) {
    std::string gpx;
    for (int waypoint = 0; waypoint < 20; ++waypoint) {
        gpx += "<wpt lat=\"35." + std::to_string(100000 + chunk) + "\" lon=\"139." + std::to_string(waypoint) +
               "\"><name>chunk " + std::to_string(chunk) + " mark " + std::to_string(waypoint) + "</name></wpt>\n";
        gpx += "<trk><name>leg</name><trkseg>\n";
        for (int point = 0; point < 400; ++point) {
            gpx += "  <trkpt lat=\"-12." + std::to_string(100000 + point) + "\" lon=\"45.25\"><ele>3.5</ele>"
                   "<time>2024-05-31T10:00:00Z</time></trkpt>\n";
        }
        gpx += "</trkseg></trk>\n";
    }
    return gpx;
}

// Appends chunks up to `size` bytes in all.
void grow_input(const fs::path& input, std::size_t size) {
    std::ofstream out(input, std::ios::binary | std::ios::app);
    for (auto written = static_cast<std::size_t>(fs::file_size(input)); written < size;) {
        const std::string gpx = chunk_of_gpx(static_cast<int>(written >> 20));
        out << gpx;
        written += gpx.size();
    }
}

struct StoppedRun {
    int wait_status = -1;
    double seconds = 0;
    std::string printed;
};

// Runs kelpway on `input`, sends `signal` after `delay` (none when 0), and waits for its end.
StoppedRun run_and_stop(const fs::path& input, const fs::path& console, int signal, Clock::duration delay) {
    fs::remove(console);  // a run stopped before it opens its console has none
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, console.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string path = input.string();
    char* const arguments[] = {const_cast<char*>(KELPWAY_BINARY), const_cast<char*>(path.c_str()), nullptr};
    StoppedRun run;
    const Clock::time_point start = Clock::now();
    pid_t child = -1;
    const int spawned = posix_spawn(&child, KELPWAY_BINARY, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return run;
    // A run that ends before its moment is not signalled.
    bool ended = false;
    while (signal != 0 && !ended && Clock::now() < start + delay) {
        ended = ::waitpid(child, &run.wait_status, WNOHANG) == child;
        if (!ended) std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    if (signal != 0 && !ended) ::kill(child, signal);
    if (!ended) ::waitpid(child, &run.wait_status, 0);
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.printed = read_file(console);
    return run;
}

TEST(Interrupt, LeavesTheWholePairOrNothing) {
    TempDir dir;
    TempDir logs;
    const fs::path input = dir.path / "big.gpx";
    const fs::path console = logs.path / "console";
    grow_input(input, std::size_t{KELPWAY_INTERRUPT_MEGABYTES} << 20);
    const StoppedRun clean = run_and_stop(input, console, 0, {});
    ASSERT_TRUE(WIFEXITED(clean.wait_status) && WEXITSTATUS(clean.wait_status) == 0) << clean.printed;
    const std::string clean_drw = read_file(dir.path / "BV100001.DRW");
    const std::string clean_mmk = read_file(dir.path / "BV100001.MMK");
    ASSERT_TRUE(clean_drw.ends_with("\r\nE\r\n"));
    ASSERT_TRUE(clean_mmk.ends_with("\"\r\n"));
    for (const char* name : {"BV100001.DRW", "BV100001.MMK"}) fs::remove(dir.path / name);
    const Names whole_pair = {"BV100001.DRW", "BV100001.MMK", "big.gpx"};
    const Names nothing_new = {"big.gpx"};

    // Moments from 0 to past the clean run's end, evenly, more of them about its end, where
    // the outputs are placed, and one so late that the run surely ends first, however busy
    // the machine (waiting for it stops when the run ends).
    std::vector<Clock::duration> moments;
    const auto clean_time = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(clean.seconds));
    for (int i = 0; i < 12; ++i) moments.push_back(clean_time * i / 10);
    for (int i = 0; i < 5; ++i) moments.push_back(clean_time * (90 + 5 * i) / 100);
    moments.push_back(clean_time * 10);
    int killed = 0;
    int finished = 0;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        int killed_by_this = 0;
        for (const Clock::duration moment : moments) {
            SCOPED_TRACE(::testing::Message() << "signal " << signal << " after "
                                              << std::chrono::duration<double>(moment).count() << " s");
            const StoppedRun run = run_and_stop(input, console, signal, moment);
            if (WIFSIGNALED(run.wait_status)) {
                ++killed_by_this;
                EXPECT_EQ(WTERMSIG(run.wait_status), signal);
                EXPECT_EQ(run.printed, "");
                EXPECT_EQ(entries(dir.path), nothing_new);
                continue;
            }
            ++finished;
            EXPECT_TRUE(WIFEXITED(run.wait_status) && WEXITSTATUS(run.wait_status) == 0);
            EXPECT_EQ(run.printed, clean.printed);
            EXPECT_EQ(entries(dir.path), whole_pair);
            EXPECT_TRUE(read_file(dir.path / "BV100001.DRW") == clean_drw);
            EXPECT_TRUE(read_file(dir.path / "BV100001.MMK") == clean_mmk);
            for (const char* name : {"BV100001.DRW", "BV100001.MMK"}) fs::remove(dir.path / name);
        }
        EXPECT_GT(killed_by_this, 0) << "no run of signal " << signal << " was stopped";
        killed += killed_by_this;
    }
    EXPECT_GT(finished, 0) << "no run finished";
    std::printf("interrupted %zu runs of %.0f MB (clean run %.3f s) at %zu moments each for 3 signals: "
                "%d died of the signal with nothing new, %d finished with the whole pair\n",
                moments.size() * 3, static_cast<double>(fs::file_size(input)) / 1e6, clean.seconds, moments.size(),
                killed, finished);
}

}  // namespace
}  // namespace kelpway::e2e
