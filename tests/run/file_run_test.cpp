// One run's console: the summary's lines in their order, and those --charset adds.
#include "run/file_run.h"

#include <gtest/gtest.h>

#include <string>

#include "console_file.h"
#include "folder_run.h"
#include "run/options.h"

namespace kelpway {
namespace {

std::string printed_by(const std::string& gpx, const std::vector<const char*>& option_arguments) {
    const fs::path folder = scratch_folder("file-run");
    fs::create_directories(folder);
    std::ofstream(folder / "in.gpx", std::ios::binary) << gpx;
    const RunOptions options = read_options(option_arguments);
    const ConsoleFile console;
    const int status = run_file((folder / "in").string(), 3, options, console.file(), system_files());
    fs::remove_all(folder);
    EXPECT_EQ(status, 0);
    return console.printed();
}

TEST(FileRun, PrintsTheSummaryLinesInTheirOrder) {
    const std::string gpx =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
        "<wpt lat=\"1\" lon=\"2\"><name>Caf\xe9 \xbd</name></wpt>\n<wpt lat=\"x\" lon=\"2\"/>\n"
        "<rte><rtept lat=\"1\" lon=\"2\"/></rte>\n";
    EXPECT_EQ(printed_by(gpx, {}),
              "MMK 1 points\nDRW 0 lines(color=3)\nSkipped 1 points without position\n"
              "Passed over 1 route points (--routes converts them)\n");
    EXPECT_EQ(printed_by(gpx, {"--charset=ISO-8859-15"}),
              "MMK 1 points\nDRW 0 lines(color=3)\nSkipped 1 points without position\n"
              "Passed over 1 route points (--routes converts them)\n"
              "1 characters of names not in ISO-8859-15, written as ?\n");
    const std::string undeclared = "<wpt lat=\"1\" lon=\"2\"><name>Caf\xe9 \xe2\x82\xac</name></wpt>\n";
    EXPECT_EQ(printed_by(undeclared, {"--charset=ISO-8859-1"}),
              "MMK 1 points\nDRW 0 lines(color=3)\n1 characters of names not in ISO-8859-1, written as ?\n"
              "Replaced 1 bytes that are not UTF-8 in names\n");
}

}  // namespace
}  // namespace kelpway
