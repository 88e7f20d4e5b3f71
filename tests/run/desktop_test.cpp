// Opened from the desktop: the only process of its console, writing to it.
#include "run/desktop.h"

#include <gtest/gtest.h>

namespace kelpway {
namespace {

TEST(Desktop, IsTheConsolesOnlyProcessWritingToIt) {
    const struct {
        unsigned processes;
        bool output_is_console;
        bool desktop;
    } rows[] = {
        {1, true, true},    // Explorer: a drop, a double-click, Send To
        {2, true, false},   // cmd or PowerShell, and kelpway
        {3, true, false},   // a script run from cmd
        {1, false, false},  // its own console, but its output goes to a file or a pipe
        {0, false, false},  // no console at all
        {0, true, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(opened_from_desktop(row.processes, row.output_is_console), row.desktop)
            << row.processes << " processes, console output " << row.output_is_console;
    }
}

}  // namespace
}  // namespace kelpway
