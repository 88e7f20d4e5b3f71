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
