// A run's charsets: the MMK's, and the one the GPX declares, opened for its names.
#include "run/run_charsets.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kelpway {
namespace {

TEST(RunCharsets, OpenTheDeclaredCharsetOrFallBackToUtf8) {
    const struct {
        const char* first_line;
        const char* read_as;
    } rows[] = {
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?>", "CP1252"},
        {"<?xml version='1.0' encoding='Shift_JIS'?>\r\n", "CP932"},
        {"<?xml version=\"1.0\"?>", "UTF-8"},
        {"<?xml version=\"1.0\" encoding=\"EUC-JP\"?>", "UTF-8"},  // none kelpway converts
        {"<gpx>", "UTF-8"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.first_line);
        auto charsets = std::make_unique<RunCharsets>();
        ASSERT_TRUE(open_run_charsets(*charsets, *find_charset("UTF-8")));
        choose_file_charset(charsets->names, row.first_line);
        ASSERT_NE(charsets->names.file_charset, nullptr);
        EXPECT_EQ(charsets->names.file_charset->names[0], row.read_as);
    }
}

}  // namespace
}  // namespace kelpway
