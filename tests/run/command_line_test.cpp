// Arguments, colours and the messages of runs that end before converting.
#include "run/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "console_file.h"

namespace kelpway {
namespace {

TEST(ColorArgument, ReadsOneToSevenAndFallsBackToTwo) {
    const struct {
        const char* argument;
        int color;
    } cases[] = {
        {"7", 7}, {"1", 1}, {"0", 2}, {"8", 2}, {"-3", 2}, {"abc", 2}, {"", 2},
        {" 5", 5}, {"\t\n5", 5}, {"5x", 5}, {"+3", 3}, {"007", 7}, {"-0", 2},
        {"99999999999999999999999", 2}, {"3.9", 3}, {"+-3", 2},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.argument);
        EXPECT_EQ(parse_color(row.argument), row.color);
    }
}

struct ConsoleRun {
    int status;
    std::string printed;
};

ConsoleRun run_with(const std::vector<const char*>& arguments) {
    const ConsoleFile console;
    if (console.file() == nullptr) return {-1, {}};  // the failure is reported
    const int status = run_program(arguments, console.file(), system_files());
    return {status, console.printed()};
}

TEST(CommandLine, EndsBeforeConvertingWithItsMessage) {
    const struct {
        std::vector<const char*> arguments;
        int status;
        const char* printed;
    } cases[] = {
        {{}, 0,
         "Sondrix GPX data --> Bravik DRW,MMK data conversion  Ver1.10\n"
         "Usage: KELPWAY ***.GPX \n"},
        {{"a", "2", "x"}, 1, "Too many option!\n"},
        {{"", "", "", ""}, 1, "Too many option!\n"},
        {{"/nonexistent-dir/none"}, 1, "Can't open .GPX file!\n"},
        {{""}, 1, "Can't open .GPX file!\n"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.printed);
        ConsoleRun run = run_with(row.arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.printed, row.printed);
    }
}

// Options come first; what follows them is FILE and COLOR as without options.
TEST(CommandLine, ReadsOptionsBeforeFileAndColor) {
    const char* const cant_open = "Can't open .GPX file!\n";
    const struct {
        std::vector<const char*> arguments;
        int status;
        std::string_view printed_start;
    } cases[] = {
        {{"--routes", "/nonexistent/a", "7"}, 1, cant_open},
        {{"--", "--routes", "5"}, 1, cant_open},             // FILE "--routes"
        {{"/nonexistent/a", "--routes"}, 1, cant_open},      // COLOR "--routes"
        {{"-", "3"}, 1, cant_open},                          // one dash is a FILE
        {{"--routes", "--routes", "a", "b", "c"}, 1, "Too many option!\n"},
        {{"--", "a", "b", "c"}, 1, "Too many option!\n"},
        {{"--routes"}, 0, "Sondrix GPX data"},
        {{"--help", "--bogus"}, 0, "Sondrix GPX data"},
        {{"--routes", "--version", "--bogus"}, 0, "kelpway 1.10\n"},
        {{"--bogus", "--help"}, 1, "Unknown option --bogus\nUsage: KELPWAY ***.GPX \n"},
        {{"--ROUTES", "a"}, 1, "Unknown option --ROUTES\n"},
        {{"--routes=yes", "a"}, 1, "Unknown option --routes=yes\n"},
        {{"--color=9", "a"}, 1, "Invalid color 9\nUsage: KELPWAY ***.GPX \n"},
        {{"--charset=EBCDIC", "a"}, 1, "Unknown charset EBCDIC\nUsage: KELPWAY ***.GPX \n"},
        {{"--to-gpx", "--routes", "a"}, 1, "Option --routes does not apply to --to-gpx\nUsage: KELPWAY ***.GPX \n"},
        {{"--color=3", "--to-gpx", "a"}, 1, "Option --color does not apply to --to-gpx\nUsage: KELPWAY ***.GPX \n"},
        {{"--to-gpx", "a", "b"}, 1, "Too many option!\n"},
        {{"--to-gpx", "/nonexistent/a"}, 1, "Can't open .DRW file!\n"},
        {{"--batch"}, 0, "Sondrix GPX data"},
        {{"--batch", "/nonexistent/a", "/nonexistent/b", "c"}, 1,
         "/nonexistent/a:\nCan't open .GPX file!\n/nonexistent/b:\nCan't open .GPX file!\nc:\nCan't open .GPX file!\n"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.arguments.front());
        ConsoleRun run = run_with(row.arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_TRUE(run.printed.starts_with(row.printed_start)) << run.printed;
    }
}

TEST(CommandLine, RefusesAPathLongerThanAPathBuffer) {
    std::string path(5000, 'a');
    ConsoleRun run = run_with({path.c_str()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.printed, "Can't open .GPX file!\n");
}

}  // namespace
}  // namespace kelpway
