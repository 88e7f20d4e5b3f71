// Eight conversions started at once in one folder, as a batch script with `xargs -P 8` starts them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "binary_run.h"

namespace kelpway::e2e {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

constexpr int run_count = 8;

// A track long enough that the runs overlap while they write, with a waypoint
// naming the run so every output pair can be told apart.
std::string input_of(int run) {
    std::string gpx = "<?xml version=\"1.0\"?>\n<gpx>\n";
    gpx += "<wpt lat=\"" + std::to_string(10 + run) + ".5\" lon=\"20.25\"><name>run " +
           std::to_string(run) + "</name></wpt>\n<trk><trkseg>\n";
    for (int i = 0; i < 2000; ++i) {
        gpx += "<trkpt lat=\"" + std::to_string(run) + "." + std::to_string(i) + "\" lon=\"-3.5\"/>\n";
    }
    return gpx + "</trkseg></trk>\n</gpx>\n";
}

struct Expected {
    std::string printed;
    std::string drw;
    std::string mmk;
};

// The same runs one after another are the reference.
std::map<int, Expected> sequential_results(const std::vector<std::string>& inputs,
                                           const std::vector<int>& colors) {
    std::map<int, Expected> results;
    for (int run = 0; run < run_count; ++run) {
        TempDir dir;
        write_file(dir.path / "in.gpx", inputs[static_cast<std::size_t>(run)]);
        BinaryRun done = run_kelpway(dir.path, {"in", std::to_string(colors[static_cast<std::size_t>(run)])});
        results[run] = {done.printed, read_file(dir.path / "BV100001.DRW"),
                        read_file(dir.path / "BV100001.MMK")};
    }
    return results;
}

// Paths here are temporary folders: no quote inside them.
std::string quoted(const fs::path& path) {
    std::string text = "'";
    text += path.string();
    text += '\'';
    return text;
}

// Starts every run at once in `dir` and waits for all of them. The runs wait at a FIFO,
// opened read-write so that none blocks in open(), until one write frees them all; the
// shell holds it open too, so a late run still finds its line there.
// Run i converts NAMES[i] in colour COLORS[i]; its summary and exit status go to `logs`/i.
void start_together(const fs::path& dir, const fs::path& logs, const std::vector<std::string>& names,
                    const std::vector<int>& colors) {
    const std::string go = quoted(logs / "go");
    std::string script = "cd " + quoted(dir) + " && mkfifo " + go + " && exec 3<>" + go + " && {";
    for (std::size_t run = 0; run < names.size(); ++run) {
        const std::string log = quoted(logs / std::to_string(run));
        script += " ( exec 3>&-; read line <>";
        script += go;
        script += "; ";
        script += quoted(KELPWAY_BINARY);
        script += ' ';
        script += names[run];
        script += ' ';
        script += std::to_string(colors[run]);
        script += " >";
        script += log;
        script += " 2>&1; echo \"status $?\" >>";
        script += log;
        script += " ) &";
    }
    script += " sleep 0.2; printf '";
    for (std::size_t run = 0; run < names.size(); ++run) script += "\\n";
    script += "' >&3; wait; }";
    // The runs are started by a shell, as a batch script starts them.
    ASSERT_EQ(std::system(script.c_str()), 0) << script;  // NOLINT(cert-env33-c)
}

TEST(Concurrency, EightRunsAtOnceGetEightWholePairs) {
    std::vector<std::string> inputs;
    inputs.reserve(run_count);
    for (int run = 0; run < run_count; ++run) inputs.push_back(input_of(run));
    const struct {
        const char* what;
        bool one_input;  // all runs read the same file, told apart by colour alone
    } cases[] = {
        {"eight inputs", false},
        {"one input, eight colours", true},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        std::vector<std::string> used_inputs;
        std::vector<std::string> input_names;
        std::vector<int> colors;
        for (int run = 0; run < run_count; ++run) {
            used_inputs.push_back(row.one_input ? inputs[0] : inputs[static_cast<std::size_t>(run)]);
            input_names.push_back(row.one_input ? "shared" : "in" + std::to_string(run));
            colors.push_back(row.one_input ? run % 7 + 1 : 2);
        }
        if (row.one_input) colors[7] = 9;  // an invalid colour: 2, told apart from colour 1 and the rest
        std::map<int, Expected> expected = sequential_results(used_inputs, colors);
        // Repeated in fresh folders, since a race need not show the first time.
        for (int round = 0; round < 5; ++round) {
            SCOPED_TRACE("round " + std::to_string(round));
            TempDir dir;
            TempDir logs;
            Names names;
            for (int run = 0; run < run_count; ++run) {
                auto at = static_cast<std::size_t>(run);
                write_file(dir.path / (input_names[at] + ".gpx"), used_inputs[at]);
                names.push_back(input_names[at] + ".gpx");
            }
            start_together(dir.path, logs.path, input_names, colors);
            for (int number = 1; number <= run_count; ++number) {
                names.push_back("BV10000" + std::to_string(number) + ".DRW");
                names.push_back("BV10000" + std::to_string(number) + ".MMK");
            }
            std::sort(names.begin(), names.end());
            names.erase(std::unique(names.begin(), names.end()), names.end());
            EXPECT_EQ(entries(dir.path), names);
            for (int run = 0; run < run_count; ++run) {
                EXPECT_EQ(read_file(logs.path / std::to_string(run)),
                          expected[run].printed + "status 0\n")
                    << "run " << run;
            }
            // Each pair is the whole output of one run, and each run has one pair. Runs
            // with equal outputs are told apart by count: a pair counts for the first of them.
            auto first_alike = [&](const std::string& drw, const std::string& mmk) {
                for (const auto& [run, result] : expected) {
                    if (result.drw == drw && result.mmk == mmk) return run;
                }
                return -1;
            };
            std::map<int, int> wanted;
            for (const auto& [run, result] : expected) ++wanted[first_alike(result.drw, result.mmk)];
            std::map<int, int> found;
            for (int number = 1; number <= run_count; ++number) {
                std::string stem = "BV10000" + std::to_string(number);
                int owner = first_alike(read_file(dir.path / (stem + ".DRW")),
                                        read_file(dir.path / (stem + ".MMK")));
                EXPECT_NE(owner, -1) << stem << " is no run's whole output";
                ++found[owner];
            }
            EXPECT_EQ(found, wanted);
        }
    }
}

}  // namespace
}  // namespace kelpway::e2e
