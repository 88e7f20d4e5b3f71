// The hidden names of the outputs' temporaries.
#include "run/temporary_name.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "run/path_parts.h"

namespace kelpway {
namespace {

TEST(TemporaryName, IsHiddenBesideTheOutputsAndTellsWhatMadeIt) {
    const std::string separator(1, native_separator);
    const struct {
        std::string directory;
        std::string start;
    } cases[] = {
        {".", "." + separator + ".BV10-"},
        {"logs", "logs" + separator + ".BV10-"},
        {"logs/", "logs/.BV10-"},
        {"/", "/.BV10-"},
#if defined(_WIN32)
        {"C:.", "C:.\\.BV10-"},
        {"C:\\", "C:\\.BV10-"},
#endif
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.directory);
        const std::string path = temporary_path(row.directory, 42);
        ASSERT_EQ(path.size(), row.start.size() + 6 + 12) << path;
        EXPECT_TRUE(path.starts_with(row.start)) << path;
        EXPECT_TRUE(path.ends_with(".kelpway-tmp")) << path;
        const std::string random = path.substr(row.start.size(), 6);
        EXPECT_EQ(random.find_first_not_of("0123456789abcdefghijklmnopqrstuvwxyz"), std::string::npos) << path;
    }
}

// Runs started together in one folder draw from their own process numbers, the clock and a count.
TEST(TemporaryName, DiffersFromOneNameToTheNext) {
    std::set<std::string> names;
    for (int i = 0; i < 2000; ++i) names.insert(temporary_path(".", 7));
    for (std::uint64_t seed = 0; seed < 2000; ++seed) names.insert(temporary_path(".", seed));
    EXPECT_GT(names.size(), 3990u);
}

}  // namespace
}  // namespace kelpway
