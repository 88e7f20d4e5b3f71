// A fault at every call: runs whose k-th file-system call fails end as the clean run did,
// or with exactly one message, status 1, no summary, and no other run's DRW file touched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <initializer_list>
#include <utility>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "console_file.h"
#include "run/command_line.h"
#include "run/file_system.h"

namespace kelpway {
namespace {

namespace fs = std::filesystem;

enum class Fault { io_error, short_write, failed_close, interrupted };
enum class Call { exists, list, open_input, create_new, open_mark, read, write, close };
enum class Role { none, input, drw, mmk };

// The system's files, with the call numbered `failing` (from 1) failing as `fault` says, and
// a second one too when `also_failing` is set. Notes what the failing call was.
struct FaultyFiles final : FileSystem {
    FaultyFiles(int failing_call, Fault kind, int second = 0)
        : failing(failing_call), also_failing(second), fault(kind) {}
    FileSystem& real = system_files();
    int failing;
    int also_failing;
    Fault fault;
    int calls = 0;
    Call failed_call = Call::exists;
    Role failed_role = Role::none;
    std::vector<std::pair<FileHandle, Role>> roles;

    Role role_of(FileHandle file) const {
        for (const auto& [handle, role] : roles) {
            if (handle == file) return role;
        }
        return Role::none;
    }
    FileHandle note(FileHandle file, Role role) {
        if (file != no_file) roles.emplace_back(file, role);
        return file;
    }
    // Counts the call; true when it is to fail in one of the `kinds` of fault.
    bool fails(Call call, Role role, std::initializer_list<Fault> kinds) {
        ++calls;
        if (calls != failing && calls != also_failing) return false;
        if (std::find(kinds.begin(), kinds.end(), fault) == kinds.end()) return false;
        failed_call = call;
        failed_role = role;
        return true;
    }

    bool exists(const std::string& path) override {
        return !fails(Call::exists, Role::none, {Fault::io_error}) && real.exists(path);
    }
    bool list(const std::string& directory, const std::function<void(std::string_view)>& visit) override {
        return !fails(Call::list, Role::none, {Fault::io_error}) && real.list(directory, visit);
    }
    FileHandle open_input(const std::string& path) override {
        if (fails(Call::open_input, Role::input, {Fault::io_error})) return no_file;
        return note(real.open_input(path), Role::input);
    }
    Created create_new(const std::string& path, FileHandle& file) override {
        if (fails(Call::create_new, Role::drw, {Fault::io_error})) return Created::failed;
        const Created created = real.create_new(path, file);
        if (created == Created::created) note(file, Role::drw);
        return created;
    }
    FileHandle open_mark(const std::string& path, FileHandle input) override {
        if (fails(Call::open_mark, Role::mmk, {Fault::io_error})) return no_file;
        return note(real.open_mark(path, input), Role::mmk);
    }
    std::ptrdiff_t read(FileHandle file, char* bytes, std::size_t size) override {
        if (fails(Call::read, role_of(file), {Fault::io_error, Fault::interrupted})) return failure();
        return real.read(file, bytes, size);
    }
    std::ptrdiff_t write(FileHandle file, const char* bytes, std::size_t size) override {
        if (fails(Call::write, role_of(file), {Fault::io_error, Fault::interrupted, Fault::short_write})) {
            if (fault != Fault::short_write) return failure();
            size = size > 1 ? size / 2 : size;
        }
        return real.write(file, bytes, size);
    }
    bool close(FileHandle file) override {
        const bool failed = fails(Call::close, role_of(file), {Fault::io_error, Fault::failed_close});
        return real.close(file) && !failed;
    }
    std::ptrdiff_t failure() const {
        errno = fault == Fault::interrupted ? EINTR : EIO;
        return -1;
    }
};

// The one message a run must end with when this call failed; empty: it must end as the clean run.
std::string expected_message(const FaultyFiles& files) {
    if (files.fault == Fault::interrupted || files.fault == Fault::short_write) return "";
    const bool output = files.failed_role == Role::drw || files.failed_role == Role::mmk;
    const std::string which = files.failed_role == Role::drw ? "DRW" : "MMK";
    switch (files.failed_call) {
        case Call::exists:
        case Call::list: return "";  // the name is found, or taken numbers show on creating them
        case Call::open_input: return "Can't open .GPX file!\n";
        case Call::create_new: return "Can't open .DRW file!\n";
        case Call::open_mark: return "Can't open .MMK file!\n";
        case Call::read: return "Can't read .GPX file!\n";
        case Call::write:
        case Call::close: return output ? "Can't write ." + which + " file!\n" : "";
    }
    return "";
}

std::string read_bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> entries(const fs::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct FolderRun {
    int status;
    std::string printed;
    std::string drw, mmk;  // BV100002, the pair this run creates
    std::vector<std::string> entries;
    int calls;
};

const std::string other_runs_drw = "S\r\nE\r\n";

// A folder of this test's own under the system's temporary folder.
fs::path scratch_folder(const char* what) {
    std::random_device random;
    return fs::temp_directory_path() / ("kelpway-" + std::string(what) + "-" + std::to_string(random()));
}

// One conversion of `gpx` in a folder where another run left BV100001.DRW.
FolderRun run_with(FileSystem& files, const std::string& gpx, const fs::path& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "in.gpx", std::ios::binary) << gpx;
    std::ofstream(folder / "BV100001.DRW", std::ios::binary) << other_runs_drw;
    const std::string path = (folder / "in.gpx").string();
    const char* const arguments[] = {path.c_str(), "3"};
    const ConsoleFile console;
    if (console.file() == nullptr) return {-1, {}, {}, {}, {}, 0};  // the failure is reported
    FolderRun run{run_program(arguments, console.file(), files), console.printed(), {}, {}, {}, 0};
    run.drw = read_bytes(folder / "BV100002.DRW");
    run.mmk = read_bytes(folder / "BV100002.MMK");
    run.entries = entries(folder);
    EXPECT_EQ(read_bytes(folder / "BV100001.DRW"), other_runs_drw) << "another run's DRW changed";
    return run;
}

std::string sample_gpx(int waypoints, int points) {
    std::string gpx = "<gpx>\n";
    for (int i = 0; i < waypoints; ++i) {
        gpx += "<wpt lat=\"35." + std::to_string(100000 + i) + "\" lon=\"-139.5\"><name>Mark " +
               std::to_string(i) + "</name></wpt>\n";
    }
    gpx += "<trk><trkseg>\n";
    for (int i = 0; i < points; ++i) {
        gpx += "  <trkpt lat=\"-12." + std::to_string(100000 + i) + "\" lon=\"45.25\"><ele>3</ele></trkpt>\n";
    }
    return gpx + "</trkseg></trk>\n</gpx>\n";
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
    for (const auto& input : inputs) {
        SCOPED_TRACE(input.what);
        FaultyFiles counting(0, Fault::io_error);
        const FolderRun clean = run_with(counting, input.gpx, folder);
        ASSERT_EQ(clean.status, 0) << clean.printed;
        for (const Fault fault : {Fault::io_error, Fault::short_write, Fault::failed_close, Fault::interrupted}) {
            for (int k = 1; k <= counting.calls; ++k) {
                SCOPED_TRACE(::testing::Message() << "fault " << static_cast<int>(fault) << " at call " << k);
                FaultyFiles files(k, fault);
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
                // A read error ends the DRW without its end record; a lost MMK leaves the DRW whole.
                if (message == "Can't read .GPX file!\n") {
                    EXPECT_FALSE(run.drw.ends_with("E\r\n"));
                }
                if (message == "Can't write .MMK file!\n") {
                    EXPECT_TRUE(run.drw == clean.drw);
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
    FaultyFiles counting(0, Fault::io_error);
    run_with(counting, sample_gpx(1, 9000), folder);
    int first_read = 0;
    for (int k = 1; k <= counting.calls && first_read == 0; ++k) {
        FaultyFiles probe(k, Fault::io_error);
        run_with(probe, sample_gpx(1, 9000), folder);
        if (probe.failed_call == Call::read) first_read = k;
    }
    ASSERT_GT(first_read, 0);
    FaultyFiles files(first_read, Fault::io_error, first_read + 1);  // the read, then the DRW's flush
    const FolderRun run = run_with(files, sample_gpx(1, 9000), folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.printed, "Can't read .GPX file!\n");
    fs::remove_all(folder);
}

}  // namespace
}  // namespace kelpway
