// The options table read from the leading arguments, and the help made from it.
#include "run/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console_file.h"

namespace kelpway {
namespace {

TEST(Options, AreReadUpToTheFirstOperandOrTheirEnd) {
    const struct {
        std::vector<const char*> arguments;
        Request request;
        bool routes;
        std::size_t operands;
        std::string_view refused = {};
    } rows[] = {
        {{}, Request::convert, false, 0},
        {{"a", "--routes"}, Request::convert, false, 0},
        {{"--routes", "a", "3"}, Request::convert, true, 1},
        {{"--routes", "--routes"}, Request::convert, true, 2},
        {{"--", "--routes"}, Request::convert, false, 1},
        {{"--routes", "--", "--"}, Request::convert, true, 2},
        {{"-", "--routes"}, Request::convert, false, 0},
        {{"--help", "--bogus"}, Request::help, false, 0},
        {{"--routes", "--version"}, Request::version, true, 1},
        {{"--bogus", "--help"}, Request::unknown, false, 0, "--bogus"},
        {{"--routes", "--ROUTES"}, Request::unknown, true, 1, "--ROUTES"},
        {{"--routes=yes"}, Request::unknown, false, 0, "--routes=yes"},
        {{"---"}, Request::unknown, false, 0, "---"},
        {{"--color"}, Request::unknown, false, 0, "--color"},          // a value is wanted
        {{"--charset", "CP932"}, Request::unknown, false, 0, "--charset"},
        {{"--color=5=6"}, Request::invalid_color, false, 0, "5=6"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments.empty() ? "(none)" : row.arguments.front());
        const RunOptions options = read_options(row.arguments);
        EXPECT_EQ(options.request, row.request);
        EXPECT_EQ(options.convert_routes, row.routes);
        EXPECT_EQ(options.operands, row.operands);
        EXPECT_EQ(options.refused, row.refused);
    }
}

// --color=N takes one digit from 1 to 7, and nothing else; the last given counts.
TEST(Options, TakeAColourFromOneToSeven) {
    const struct {
        std::vector<const char*> arguments;
        int color;
        std::string_view refused;
    } rows[] = {
        {{"--color=1"}, 1, {}}, {{"--color=7"}, 7, {}}, {{"--color=3", "--color=4"}, 4, {}},
        {{"--color=0"}, 0, "0"}, {{"--color=8"}, 0, "8"}, {{"--color="}, 0, ""}, {{"--color=07"}, 0, "07"},
        {{"--color= 5"}, 0, " 5"}, {{"--color=5x"}, 0, "5x"}, {{"--color=+3"}, 0, "+3"}, {{"--color=-1"}, 0, "-1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments.back());
        const RunOptions options = read_options(row.arguments);
        EXPECT_EQ(options.request, row.color != 0 ? Request::convert : Request::invalid_color);
        EXPECT_EQ(options.color, row.color);
        EXPECT_EQ(options.refused, row.refused);
    }
}

TEST(Options, TakeTheOtherDirectionABatchAndACharset) {
    const char* const both[] = {"--to-gpx", "--batch", "--charset=shift_jis", "f"};
    const RunOptions options = read_options(both);
    EXPECT_TRUE(options.to_gpx);
    EXPECT_TRUE(options.batch);
    ASSERT_NE(options.charset, nullptr);
    EXPECT_EQ(options.charset->names[0], "CP932");
    EXPECT_EQ(options.operands, 3u);
    const char* const unknown[] = {"--charset=klingon", "f"};
    const RunOptions refused = read_options(unknown);
    EXPECT_EQ(refused.request, Request::unknown_charset);
    EXPECT_EQ(refused.refused, "klingon");
}

// The help's lines stand in one column, continuation lines under the first.
TEST(Options, HelpLinesShareOneColumn) {
    const ConsoleFile console;
    ASSERT_NE(console.file(), nullptr);
    print_help_line(console.file(), "FILE", "one\ntwo");
    print_options_help(console.file());
    const std::string printed = console.printed();
    EXPECT_TRUE(printed.starts_with("  FILE            one\n                  two\n  --routes        convert")) << printed;
    EXPECT_NE(printed.find("\n  --charset=NAME  the MMK's names"), std::string::npos) << printed;
    EXPECT_NE(printed.find("\n  --              end of the options"), std::string::npos) << printed;
}

}  // namespace
}  // namespace kelpway
