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
        {"a.b.c", "", "", "a.b", ".c"},
        {"dir.x/name", "", "dir.x/", "name", ""},
        {"/abs/path/", "", "/abs/path/", "", ""},
        {"..", "", "..", "", ""},
        {"up/.", "", "up/.", "", ""},
        {"x:y:z", "x:", "", "y:z", ""},
        {".hidden", "", "", "", ".hidden"},
        {"mixed\\dir/file.GPX", "", "mixed\\dir/", "file", ".GPX"},
    };
    auto parts = std::make_unique<PathParts>();
    for (const auto& row : cases) {
        SCOPED_TRACE(row.path);
        split_path(row.path, *parts);
        EXPECT_EQ(view(parts->drive), row.drive);
        EXPECT_EQ(view(parts->directory), row.directory);
        EXPECT_EQ(view(parts->name), row.name);
        EXPECT_EQ(view(parts->extension), row.extension);
    }
}

TEST(MergePath, ReplacesTheExtensionAsTheRunDoes) {
    const struct {
        const char* path;
        const char* extension;
        const char* merged;
    } cases[] = {
        {"route", "GPX", "route.GPX"},
        {"route.gpx", "GPX", "route.GPX"},
        {"a.b.c", "GPX", "a.b.GPX"},
        {"logs/track.gpx", "GPX", "logs/track.GPX"},
        {"C:\\logs\\track.gpx", "GPX", "C:\\logs\\track.GPX"},
        {"C:track", "GPX", "C:track.GPX"},
        {"..", "GPX", "../.GPX"},
        {"route", ".GPX", "route.GPX"},
        {"route", "", "route"},
    };
    auto parts = std::make_unique<PathParts>();
    auto merged = std::make_unique<PathText>();
    for (const auto& row : cases) {
        SCOPED_TRACE(row.path);
        split_path(row.path, *parts);
        ASSERT_TRUE(assign(parts->extension, row.extension));
        ASSERT_TRUE(merge_path(*parts, *merged));
        EXPECT_EQ(view(*merged), row.merged);
    }
}

TEST(MergePath, RefusesAPathThatDoesNotFitInsteadOfCuttingIt) {
    auto parts = std::make_unique<PathParts>();
    auto merged = std::make_unique<PathText>();
    std::string directory(path_size - 8, 'd');
    directory += '/';
    split_path(directory + "track.gpx", *parts);
    assign(parts->extension, "GPX");
    EXPECT_FALSE(merge_path(*parts, *merged));
    split_path(directory, *parts);
    assign(parts->extension, "GPX");
    EXPECT_TRUE(merge_path(*parts, *merged));
    EXPECT_EQ(view(*merged), directory + ".GPX");
}

}  // namespace
}  // namespace kelpway
