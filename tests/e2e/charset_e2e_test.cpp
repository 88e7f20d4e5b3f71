// --charset through the binary: names into and out of every code page kelpway names, against
// glibc's iconv, and the round trip through --to-gpx.
#include <gtest/gtest.h>

#include <iconv.h>

#include <filesystem>
#include <string>
#include <vector>

#include "binary_run.h"

namespace kelpway::e2e {
namespace {

namespace fs = std::filesystem;

const char* const code_pages[] = {
    "CP932",      "CP936",      "CP949",      "CP950",      "CP1250",      "CP1251",      "CP1252",
    "CP1253",     "CP1254",     "CP1255",     "CP1256",     "CP1257",      "CP1258",      "ISO-8859-1",
    "ISO-8859-2", "ISO-8859-3", "ISO-8859-4", "ISO-8859-5", "ISO-8859-6",  "ISO-8859-7",  "ISO-8859-8",
    "ISO-8859-9", "ISO-8859-10", "ISO-8859-11", "ISO-8859-13", "ISO-8859-14", "ISO-8859-15", "UTF-8",
};

// The names of an MMK file's records, between the quote that opens field 12 and the last one.
std::vector<std::string> names_of(const std::string& mmk) {
    std::vector<std::string> names;
    for (std::size_t at = 0; at < mmk.size();) {
        const std::size_t end = mmk.find("\r\n", at);
        const std::string record = mmk.substr(at, end - at);
        const std::size_t open = record.find(",26,,,,,,\"") + 10;
        names.push_back(record.substr(open, record.size() - 1 - open));
        at = end + 2;
    }
    return names;
}

std::size_t utf8_length(unsigned char lead) { return lead < 0xc0 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4; }

// `text` from one charset into another through glibc; empty when it cannot.
std::string through_iconv(const char* to, const char* from, std::string text) {
    const iconv_t converter = iconv_open(to, from);
    char buffer[16];
    char* in = text.data();
    std::size_t in_left = text.size();
    char* written = buffer;
    std::size_t out_left = sizeof buffer;
    const bool converted = iconv(converter, &in, &in_left, &written, &out_left) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    return converted ? std::string(buffer, static_cast<std::size_t>(written - buffer)) : std::string();
}

// `utf8` in `code_page` as glibc writes it, a character at a time, '?' for one it cannot or
// writes as a look-alike (bytes that read back as one other character); the number of those.
std::string in_code_page(const std::string& utf8, const char* code_page, int& lacking) {
    std::string out;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t size = utf8_length(static_cast<unsigned char>(utf8[at]));
        const std::string character = utf8.substr(at, size);
        const std::string written = through_iconv(code_page, "UTF-8", character);
        const std::string back = written.empty() ? std::string() : through_iconv("UTF-8", code_page, written);
        const bool look_alike = back != character && !back.empty() && utf8_length(static_cast<unsigned char>(back[0])) == back.size();
        if (written.empty() || look_alike) {
            out += '?';
            ++lacking;
        } else {
            out += written;
        }
        at += size;
    }
    return out;
}

TEST(Charset, WritesNamesInEveryCodePageAsIconvDoesAndReadsThemBack) {
    const std::string expected_utf8 = read_file(test_data("world-names.MMK"));  // kelpway's own, in UTF-8
    for (const char* const code_page : code_pages) {
        SCOPED_TRACE(code_page);
        TempDir dir;
        fs::copy_file(test_data("world-names.gpx"), dir.path / "world-names.gpx");
        const std::string option = std::string("--charset=") + code_page;
        const BinaryRun run = run_kelpway(dir.path, {option, "world-names"});
        ASSERT_EQ(run.status, 0) << run.printed;
        int lacking = 0;
        std::vector<std::string> expected;
        for (const std::string& name : names_of(expected_utf8)) expected.push_back(in_code_page(name, code_page, lacking));
        EXPECT_EQ(names_of(read_file(dir.path / "BV100001.MMK")), expected);
        std::string summary = "MMK 20 points\nDRW 0 lines(color=2)\n";
        if (lacking > 0) {
            summary += std::to_string(lacking) + " characters of names not in " + code_page + ", written as ?\n";
        }
        EXPECT_EQ(run.printed, summary);
        // Back into GPX in UTF-8 and converted again: the same MMK.
        ASSERT_EQ(run_kelpway(dir.path, {"--to-gpx", option, "BV100001"}).status, 0);
        ASSERT_EQ(run_kelpway(dir.path, {option, "BV100001"}).status, 0);
        EXPECT_EQ(read_file(dir.path / "BV100002.MMK"), read_file(dir.path / "BV100001.MMK"));
    }
}

TEST(Charset, ReadsTheEncodingAFileDeclares) {
    const struct {
        const char* file;
        const char* charset;
        std::string names;    // the MMK's names, one after another
        std::string summary;  // after the two lines of counts
    } rows[] = {
        {"latin1-names", "UTF-8", "Caf\xc3\xa9 cr\xc3\xa8me & \xe2\x82\xac" "Stra\xc3\x9f" "e \xc2\xbd Preis", ""},
        {"latin1-names", "ISO-8859-15", "Caf\xe9 cr\xe8me & \xa4" "Stra\xdf" "e ? Preis",
         "1 characters of names not in ISO-8859-15, written as ?\n"},
        {"mislabelled", "CP1252", "Caf? without a declaration", "Replaced 1 bytes that are not UTF-8 in names\n"},
        {"mislabelled", "UTF-8", "Caf\xef\xbf\xbd without a declaration",
         "Replaced 1 bytes that are not UTF-8 in names\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.file) + " " + row.charset);
        TempDir dir;
        fs::copy_file(test_data(std::string(row.file) + ".gpx"), dir.path / "in.gpx");
        const BinaryRun run = run_kelpway(dir.path, {std::string("--charset=") + row.charset, "in"});
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(run.printed.ends_with(" lines(color=2)\n" + row.summary)) << run.printed;
        std::string names;
        for (const std::string& name : names_of(read_file(dir.path / "BV100001.MMK"))) names += name;
        EXPECT_EQ(names, row.names);
    }
}

TEST(Charset, RefusesNamesItDoesNotKnow) {
    for (const char* const name : {"CP9999", "ISO-8859-12", "", "UTF-16", "EBCDIC", "ASCII7"}) {
        SCOPED_TRACE(name);
        TempDir dir;
        fs::copy_file(test_data("world-names.gpx"), dir.path / "in.gpx");
        const BinaryRun run = run_kelpway(dir.path, {std::string("--charset=") + name, "in"});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.printed, std::string("Unknown charset ") + name + "\nUsage: KELPWAY ***.GPX \n");
        EXPECT_EQ(entries(dir.path), std::vector<std::string>{"in.gpx"});
    }
    // Names in any case, with or without '-' and '_'.
    for (const char* const name : {"cp932", "Shift_JIS", "iso8859-1", "ISO_8859_15", "utf8"}) {
        TempDir dir;
        fs::copy_file(test_data("world-names.gpx"), dir.path / "in.gpx");
        EXPECT_EQ(run_kelpway(dir.path, {std::string("--charset=") + name, "in"}).status, 0) << name;
    }
}

// An MMK name that is no text of its code page comes back with U+FFFD, counted.
TEST(Charset, ReplacesMarkBytesThatAreNoCharacterOfTheirCodePage) {
    TempDir dir;
    write_file(dir.path / "BV100001.MMK", ",3540.874,N,13946.027,E,26,,,,,,\"\x93\x8c\x8b\x9e \x81\"\r\n");
    const BinaryRun run = run_kelpway(dir.path, {"--to-gpx", "--charset=CP932", "BV100001"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.printed, "GPX 1 waypoints, 0 tracks, 0 track points\nReplaced 1 bytes that are not CP932 in names\n");
    EXPECT_NE(read_file(dir.path / "BV100001.GPX").find("<name>\xe6\x9d\xb1\xe4\xba\xac \xef\xbf\xbd</name>"),
              std::string::npos);
}

}  // namespace
}  // namespace kelpway::e2e
