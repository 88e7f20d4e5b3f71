// Temporaries on POSIX, both kinds: unseen while written, placed under a free
// name only, or over a file; a name that would not fit is refused, not cut.
#if !defined(_WIN32)
#include "run/posix_temporary.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <string>
#include <vector>

#include <unistd.h>

#include "folder_run.h"

namespace kelpway {
namespace {

// A temporary of that kind holding `bytes`; its hidden name is the only entry it adds.
Temporary written(const fs::path& folder, bool unnamed, const std::string& bytes) {
    Temporary temporary;
    EXPECT_TRUE(create_temporary_file(temporary, folder.string(), unnamed)) << errno;
    EXPECT_EQ(::write(temporary.fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    return temporary;
}

void close_file(Temporary& temporary) {
    EXPECT_EQ(::close(temporary.fd), 0);
    temporary.fd = -1;
}

// What the folder holds besides the temporary's own hidden name.
std::vector<std::string> seen(const fs::path& folder, const Temporary& temporary) {
    std::vector<std::string> names = entries(folder);
    if (!temporary.name.empty()) std::erase(names, fs::path(temporary.name).filename().string());
    return names;
}

TEST(PosixTemporary, IsUnseenUntilPlacedAndNeverTakesAnEntrysName) {
    const fs::path folder = scratch_folder("temporaries");
    for (const bool unnamed : {true, false}) {
        SCOPED_TRACE(unnamed ? "without a name" : "hidden");
        fs::remove_all(folder);
        fs::create_directories(folder);

        Temporary first = written(folder, unnamed, "first");
        if (!unnamed) {
            ASSERT_FALSE(first.name.empty());
            EXPECT_EQ(fs::path(first.name).filename().string()[0], '.');
        }
        EXPECT_EQ(seen(folder, first), std::vector<std::string>{});
        ASSERT_TRUE(place_temporary_new(first, (folder / "A").string())) << errno;
        EXPECT_TRUE(first.name.empty());
        close_file(first);
        EXPECT_EQ(entries(folder), std::vector<std::string>{"A"});

        Temporary second = written(folder, unnamed, "second");
        EXPECT_FALSE(place_temporary_new(second, (folder / "A").string()));
        EXPECT_EQ(errno, EEXIST);
        remove_temporary_name(second);
        close_file(second);
        EXPECT_EQ(entries(folder), std::vector<std::string>{"A"});
        EXPECT_EQ(read_bytes(folder / "A"), "first");

        Temporary third = written(folder, unnamed, "third");
        ASSERT_TRUE(place_temporary_over(third, (folder / "A").string())) << errno;
        close_file(third);
        EXPECT_EQ(entries(folder), std::vector<std::string>{"A"});
        EXPECT_EQ(read_bytes(folder / "A"), "third");

        Temporary fourth = written(folder, unnamed, "fourth");
        ASSERT_TRUE(place_temporary_over(fourth, (folder / "B").string())) << errno;
        close_file(fourth);
        EXPECT_EQ(entries(folder), (std::vector<std::string>{"A", "B"}));
        EXPECT_EQ(read_bytes(folder / "B"), "fourth");
    }
    fs::remove_all(folder);
}

TEST(PosixTemporary, RefusesNamesTooLongForTheSystem) {
    const std::string longest(PATH_MAX - 1, 'a');
    EXPECT_EQ(system_path(longest), longest.c_str());
    const std::string too_long(PATH_MAX, 'a');
    errno = 0;
    EXPECT_EQ(system_path(too_long), nullptr);
    EXPECT_EQ(errno, ENAMETOOLONG);

    const fs::path folder = scratch_folder("long-names");
    fs::create_directories(folder);
    for (const bool unnamed : {true, false}) {
        Temporary temporary = written(folder, unnamed, "x");
        const std::string path = folder.string() + "/" + std::string(PATH_MAX, 'b');
        EXPECT_FALSE(place_temporary_new(temporary, path));
        EXPECT_FALSE(place_temporary_over(temporary, path));
        remove_temporary_name(temporary);
        close_file(temporary);
        Temporary none;
        EXPECT_FALSE(create_temporary_file(none, folder.string() + "/" + std::string(PATH_MAX, 'c'), unnamed));
    }
    EXPECT_EQ(entries(folder), std::vector<std::string>{});
    fs::remove_all(folder);
}

}  // namespace
}  // namespace kelpway
#endif
