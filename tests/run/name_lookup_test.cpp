// Names found in a directory's listing: numbers the outputs may not take, and the input in any case.
#include "run/name_lookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kelpway {
namespace {

// A directory that holds `names` and nothing else can be done to.
struct ListedFiles final : FileSystem {
    std::vector<std::string> names;
    bool listable = true;
    bool exists(const std::string& path) override {
        for (const std::string& name : names) {
            if (path.ends_with("/" + name)) return true;
        }
        return false;
    }
    bool list(const std::string&, const std::function<void(std::string_view)>& visit) override {
        if (!listable) return false;
        for (const std::string& name : names) visit(name);
        return true;
    }
    FileHandle open_input(const std::string&) override { return no_file; }
    FileHandle create_temporary(const std::string&) override { return no_file; }
    Placed place_new(FileHandle, const std::string&) override { return Placed::failed; }
    bool place_over(FileHandle, const std::string&) override { return false; }
    bool replaceable(const std::string&, FileHandle) override { return false; }
    void discard(FileHandle) override {}
    void remove(const std::string&) override {}
    std::ptrdiff_t read(FileHandle, char*, std::size_t) override { return -1; }
    std::ptrdiff_t write(FileHandle, const char*, std::size_t) override { return -1; }
    bool close(FileHandle) override { return false; }
};

TEST(NameLookup, TakesTheNumbersOfEveryEntryOfTheFormInAnyCase) {
    ListedFiles files;
    files.names = {"BV100001.DRW", "bv100003.drw", "Bv109999.dRw", "BV100004.MMK", "BV100005.DRW.bak",
                   "BV10005.DRW",  "BV10000x.DRW", "XBV100006.DRW", "BV100007.DR", "BV100000.DRW"};
    TakenNumbers taken{};
    find_taken_numbers(files, "dir/BV100001.DRW", taken);
    std::vector<int> numbers;
    for (int number = 0; number <= last_number; ++number) {
        if (taken[static_cast<std::size_t>(number)]) numbers.push_back(number);
    }
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 3, 9999}));
    // A directory that cannot be listed takes nothing; creating the names stays exclusive.
    files.listable = false;
    TakenNumbers none{};
    find_taken_numbers(files, "dir/BV100001.DRW", none);
    EXPECT_EQ(std::count(none.begin(), none.end(), true), 0);
}

TEST(NameLookup, FindsTheInputSpelledAsTypedFirstThenTheFirstInByteOrder) {
    const struct {
        std::vector<std::string> names;
        std::string typed;
        std::string found;  // empty: none
    } rows[] = {
        {{"route.gpx"}, "route.GPX", "dir/route.gpx"},
        {{"ROUTE.GPX", "route.gpx", "Route.Gpx"}, "Route.Gpx", "dir/Route.Gpx"},
        {{"route.gpx", "ROUTE.GPX", "Route.gpx"}, "rOUTE.GPX", "dir/ROUTE.GPX"},
        {{"route.gpx.bak", "routes.gpx"}, "route.gpx", ""},
        {{"r\xc3\xa9sum\xc3\xa9.gpx"}, "R\xc3\xa9SUM\xc3\xa9.GPX", "dir/r\xc3\xa9sum\xc3\xa9.gpx"},  // ASCII case only
        {{"R\xc3\x89SUM\xc3\x89.GPX"}, "r\xc3\xa9sum\xc3\xa9.gpx", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        ListedFiles files;
        files.names = row.names;
        std::string path = "dir/" + row.typed;
        path.replace(path.size() - 3, 3, "GPX");
        const bool found = find_entry_ignoring_case(files, path, row.typed) == Found::entry;
        EXPECT_EQ(found, !row.found.empty());
        if (found) {
            EXPECT_EQ(path, row.found);
        }
    }
    // A directory that cannot be listed leaves only the exact name to be found.
    ListedFiles unlisted;
    unlisted.names = {"route.gpx"};
    unlisted.listable = false;
    std::string path = "dir/route.GPX";
    EXPECT_EQ(find_entry_ignoring_case(unlisted, path, "route.GPX"), Found::unlisted);
}

}  // namespace
}  // namespace kelpway
