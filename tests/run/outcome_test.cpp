// Every way a run can end has its one message, none shared.
#include "run/outcome.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "console_file.h"

namespace kelpway {
namespace {

TEST(Outcome, EachFailureHasAMessageOfItsOwn) {
    const struct {
        Outcome outcome;
        const char* message;
    } rows[] = {
        {Outcome::converted, ""},
        {Outcome::cant_open_gpx, "Can't open .GPX file!\n"},
        {Outcome::cant_open_drw, "Can't open .DRW file!\n"},
        {Outcome::cant_open_mmk, "Can't open .MMK file!\n"},
        {Outcome::cant_read_gpx, "Can't read .GPX file!\n"},
        {Outcome::cant_read_drw, "Can't read .DRW file!\n"},
        {Outcome::cant_read_mmk, "Can't read .MMK file!\n"},
        {Outcome::cant_write_drw, "Can't write .DRW file!\n"},
        {Outcome::cant_write_mmk, "Can't write .MMK file!\n"},
        {Outcome::cant_write_gpx, "Can't write .GPX file!\n"},
        {Outcome::wont_overwrite_gpx, "Won't overwrite .GPX file!\n"},
    };
    std::set<std::string> seen;
    for (const auto& row : rows) {
        const ConsoleFile console;
        ASSERT_NE(console.file(), nullptr);
        print_failure(row.outcome, console.file());
        EXPECT_EQ(console.printed(), row.message);
        EXPECT_TRUE(seen.insert(console.printed()).second) << row.message;
    }
}

}  // namespace
}  // namespace kelpway
