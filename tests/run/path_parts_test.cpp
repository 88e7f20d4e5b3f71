// Splitting paths into their parts and forming paths from them.
#include "run/path_parts.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kelpway {
namespace {

TEST(SplitPath, FindsDriveDirectoryNameAndExtension) {
    const struct {
        const char* path;
        const char* drive;
        const char* directory;
        const char* name;
        const char* extension;
    } cases[] = {
        {"track", "", "", "track", ""},
        {"logs/track.gpx", "", "logs/", "track", ".gpx"},
        {"C:\\logs\\track.gpx", "C:", "\\logs\\", "track", ".gpx"},
        {"C:track", "C:", "", "track", ""},
        {"C:", "C:", "", "", ""},
        {"a.b.c", "", "", "a.b", ".c"},
        {"dir.x/name", "", "dir.x/", "name", ""},
        {"/abs/path/", "", "/abs/path/", "", ""},
        {"..", "", "..", "", ""},
        {"up/.", "", "up/.", "", ""},
        {"x:y:z", "x:", "", "y:z", ""},
        {".hidden", "", "", "", ".hidden"},
        {"mixed\\dir/file.GPX", "", "mixed\\dir/", "file", ".GPX"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.path);
        const PathParts parts = split_path(row.path);
        EXPECT_EQ(parts.drive, row.drive);
        EXPECT_EQ(parts.directory, row.directory);
        EXPECT_EQ(parts.name, row.name);
        EXPECT_EQ(parts.extension, row.extension);
    }
}

TEST(MergePath, ReplacesTheExtensionAsTheRunDoes) {
    const struct {
        const char* path;
        const char* extension;
        std::string merged;
    } cases[] = {
        {"route", "GPX", "route.GPX"},
        {"route.gpx", "GPX", "route.GPX"},
        {"a.b.c", "GPX", "a.b.GPX"},
        {"logs/track.gpx", "GPX", "logs/track.GPX"},
        {"C:\\logs\\track.gpx", "GPX", "C:\\logs\\track.GPX"},
        {"C:track", "GPX", "C:track.GPX"},
        {"..", "GPX", std::string("..") + native_separator + ".GPX"},  // a directory lacking its separator
        {"route", ".GPX", "route.GPX"},
        {"route", "", "route"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.path);
        PathParts parts = split_path(row.path);
        parts.extension = row.extension;
        EXPECT_EQ(merge_path(parts), row.merged);
    }
}

TEST(MergePath, CutsNothing) {
    const std::string directory = std::string(5000, 'd') + "/";
    PathParts parts = split_path(directory + std::string(300, 'n') + ".gpx");
    EXPECT_EQ(parts.name.size(), 300u);
    parts.extension = "GPX";
    EXPECT_EQ(merge_path(parts), directory + std::string(300, 'n') + ".GPX");
}

// Where the operating system looks for an entry: on this platform at `/` only.
TEST(Locate, SplitsAtTheSystemsSeparator) {
    const struct {
        const char* path;
        const char* directory;
        const char* entry;
    } cases[] = {
        {"track.GPX", ".", "track.GPX"},
        {"logs/track.GPX", "logs", "track.GPX"},
        {"/track.GPX", "/", "track.GPX"},
        {"/a/b/", "/a/b", ""},
#if defined(_WIN32)
        {"logs\\track.GPX", "logs", "track.GPX"},
        {"C:track.GPX", "C:.", "track.GPX"},
        {"C:\\track.GPX", "C:\\", "track.GPX"},
#else
        {"logs\\track.GPX", ".", "logs\\track.GPX"},
#endif
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.path);
        const Location where = locate(row.path);
        EXPECT_EQ(where.directory, row.directory);
        EXPECT_EQ(where.entry, row.entry);
    }
}

}  // namespace
}  // namespace kelpway
