// One conversion in a scratch folder of its own, and what it left there.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "console_file.h"
#include "run/command_line.h"
#include "run/file_system.h"
#if !defined(_WIN32)
#include "run/posix_file_system.h"
#endif

namespace kelpway {

namespace fs = std::filesystem;

// Empty for anything but a regular file.
inline std::string read_bytes(const fs::path& file) {
    if (!fs::is_regular_file(file)) return {};
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<std::string> entries(const fs::path& directory) {
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

inline const std::string other_runs_drw = "S\r\nE\r\n";

// A folder of this test's own under the system's temporary folder.
inline fs::path scratch_folder(const char* what) {
    std::random_device random;
    return fs::temp_directory_path() / ("kelpway-" + std::string(what) + "-" + std::to_string(random()));
}

// One conversion of `gpx` in a folder where another run left BV100001.DRW.
inline FolderRun run_with(FileSystem& files, const std::string& gpx, const fs::path& folder) {
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

inline std::string sample_gpx(int waypoints, int points) {
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

// The platform's file system, and on POSIX the same with its temporaries always named.
inline std::vector<std::pair<const char*, FileSystem*>> file_systems() {
    std::vector<std::pair<const char*, FileSystem*>> all = {{"system files", &system_files()}};
#if !defined(_WIN32)
    all.emplace_back("named temporaries", &files_with_named_temporaries());
#endif
    return all;
}

// What a failed run leaves: the folder as it was.
inline const std::vector<std::string> nothing_new = {"BV100001.DRW", "in.gpx"};

}  // namespace kelpway
