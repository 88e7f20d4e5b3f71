// Waypoint names from a GPX file's declared encoding into the MMK's charset,
// and MMK names back into UTF-8.
#include "gpx/name_charsets.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gpx/xml_declaration.h"
#include "run/system_charsets.h"

namespace kelpway {
namespace {

// The charsets of one run: the file's, from its first line, and --charset's.
struct Run {
    OpenCharset file;
    OpenCharset marks;
    NameCharsets names;
};

std::unique_ptr<Run> run_of(std::string_view first_line, std::string_view charset) {
    auto run = std::make_unique<Run>();
    const std::optional<std::string_view> declared = declared_encoding(first_line);
    const Charset* file = declared ? find_charset(*declared) : &utf8_charset();
    const Charset* marks = find_charset(charset);
    EXPECT_TRUE(file != nullptr && marks != nullptr && open_charset(*file, run->file) &&
                open_charset(*marks, run->marks));
    run->names.file = run->file.codec;
    run->names.marks = run->marks.codec;
    return run;
}

// Steps 1 and 3; the references a name holds are decoded between them.
std::string mark_name(NameCharsets& names, std::string_view name) {
    return std::string(name_into_marks(names, name_into_utf8(names, name)));
}

constexpr std::string_view latin1_file = R"(<?xml version="1.0" encoding="ISO-8859-1"?>)";
constexpr std::string_view shift_jis_file = R"(<?xml version='1.0' encoding='Shift_JIS'?>)";
constexpr std::string_view cyrillic_file = R"(<?xml version="1.0" encoding="windows-1251" ?>)";
constexpr std::string_view utf8_file = R"(<?xml version="1.0" encoding="UTF-8"?>)";
constexpr std::string_view undeclared_file = R"(<gpx version="1.1">)";

TEST(NameCharsets, TurnNamesFromTheFilesEncodingIntoTheMarksCharset) {
    const struct {
        std::string_view first_line;
        std::string_view name;
        const char* charset;
        std::string_view mark_name;
        std::int64_t unconvertible;
    } cases[] = {
        {latin1_file, "Caf\xE9", "CP1252", "Caf\xE9", 0},
        {latin1_file, "Caf\xE9", "UTF-8", "Caf\xC3\xA9", 0},
        {latin1_file, "Caf\xE9", "CP932", "Caf?", 1},
        {latin1_file, "Z\xFCrich \xE9t\xE9", "cp1251", "Z?rich ?t?", 3},
        {undeclared_file, "Caf\xC3\xA9", "CP1252", "Caf\xE9", 0},
        {undeclared_file, "灯台", "Shift_JIS", "\x93\x94\x91\xE4", 0},
        {shift_jis_file, "\x93\x94\x91\xE4", "GBK", "\xB5\xC6\xCC\xA8", 0},
        {shift_jis_file, "\x93\x94\x91\xE4", "UTF-8", "灯台", 0},
        {cyrillic_file, "\xCC\xEE\xF1\xEA\xE2\xE0", "ISO-8859-5", "\xBC\xDE\xE1\xDA\xD2\xD0", 0},
        {cyrillic_file, "\xCC\xEE\xF1\xEA\xE2\xE0", "CP1252", "??????", 6},
        {utf8_file, "Buoy 7, \"red\"", "US-ASCII", "Buoy 7, \"red\"", 0},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.first_line) + " " + std::string(row.name) + " " + row.charset);
        const auto run = run_of(row.first_line, row.charset);
        EXPECT_EQ(mark_name(run->names, row.name), row.mark_name);
        EXPECT_EQ(run->names.unconvertible, row.unconvertible);
        EXPECT_EQ(run->names.invalid, 0);
    }
}

// Bytes that are no character of the declared encoding become U+FFFD, and
// so '?' in a code page; bytes of another encoding that happen to be
// characters of the declared one cannot be told from them.
TEST(NameCharsets, CountBytesThatAreNotWhatTheFileDeclares) {
    const struct {
        std::string_view first_line;
        std::string_view name;
        const char* charset;
        std::string_view mark_name;
        std::int64_t unconvertible;
        std::int64_t invalid;
    } cases[] = {
        // A byte replaced is counted once, as such, though the code page cannot hold U+FFFD either.
        {utf8_file, "Caf\xE9", "CP1252", "Caf?", 0, 1},                 // Latin-1 in a UTF-8 file
        {undeclared_file, "Caf\xE9", "UTF-8", "Caf\xEF\xBF\xBD", 0, 1},
        {shift_jis_file, "\x81 Bay", "CP932", "? Bay", 0, 1},
        {latin1_file, "Caf\xC3\xA9", "CP1252", "Caf\xC3\xA9", 0, 0},     // UTF-8 in a Latin-1 file: CafÃ©
        {latin1_file, "Caf\x85", "CP1252", "Caf?", 0, 1},                // a C1 control
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.first_line) + " " + std::string(row.name) + " " + row.charset);
        const auto run = run_of(row.first_line, row.charset);
        EXPECT_EQ(mark_name(run->names, row.name), row.mark_name);
        EXPECT_EQ(run->names.unconvertible, row.unconvertible);
        EXPECT_EQ(run->names.invalid, row.invalid);
    }
}

TEST(NameCharsets, AddUpTheirCountsOverARun) {
    const auto run = run_of(latin1_file, "CP932");
    EXPECT_EQ(mark_name(run->names, "Caf\xE9"), "Caf?");
    EXPECT_EQ(mark_name(run->names, "\xC5lesund \x80"), "?lesund ?");
    EXPECT_EQ(mark_name(run->names, "Harbour"), "Harbour");
    EXPECT_EQ(run->names.unconvertible, 2);
    EXPECT_EQ(run->names.invalid, 1);
}

TEST(NameCharsets, TurnMarkNamesIntoUtf8ForAGpx) {
    const auto run = run_of(utf8_file, "CP932");
    EXPECT_EQ(mark_name_into_utf8(run->names, "\x93\x94\x91\xE4 1"), "灯台 1");
    EXPECT_EQ(mark_name_into_utf8(run->names, "\x93\x94\x91"), "灯\xEF\xBF\xBD");
    EXPECT_EQ(run->names.invalid, 1);
    EXPECT_EQ(run->names.unconvertible, 0);
}

TEST(NameCharsets, KeepEveryByteOfTheLongestName) {
    const auto run = run_of(latin1_file, "UTF-8");
    const std::string name(line_limit, '\xE9');
    std::string expected;
    for (std::size_t i = 0; i < line_limit; ++i) expected += "\xC3\xA9";
    EXPECT_EQ(mark_name(run->names, name), expected);

    // The chart program may write names as long as a record line.
    const auto back = run_of(utf8_file, "CP1252");
    const std::string mark(record_line_limit - 20, '\xE9');
    std::string utf8;
    for (std::size_t i = 0; i < mark.size(); ++i) utf8 += "\xC3\xA9";
    EXPECT_EQ(mark_name_into_utf8(back->names, mark), utf8);
}

// The lead decides what a run does with a file whose encoding kelpway does not know.
TEST(NameCharsets, KnowNoCharsetForSomeDeclarations) {
    for (const std::string_view line : {R"(<?xml version="1.0" encoding="EUC-JP"?>)",
                                        R"(<?xml version="1.0" encoding="UTF-16"?>)"}) {
        SCOPED_TRACE(std::string(line));
        const std::optional<std::string_view> declared = declared_encoding(line);
        ASSERT_TRUE(declared);
        EXPECT_EQ(find_charset(*declared), nullptr);
    }
}

}  // namespace
}  // namespace kelpway
