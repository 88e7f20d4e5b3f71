// Hostile inputs and hostile folders, end to end: a conversion or one message, nothing else touched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <signal.h>
#include <sys/stat.h>

#include "binary_run.h"

namespace kelpway::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Names = std::vector<std::string>;

const std::string bystander = "not kelpway's\r\n";

const Names first_pair = {"BV100001.DRW", "BV100001.MMK"};

// Runs `kelpway in` over `gpx` in a folder that also holds files of others, and checks
// that the run added the first pair and nothing else, and left the input and those files alone.
BinaryRun convert_among_bystanders(const TempDir& dir, const std::string& gpx) {
    write_file(dir.path / "in.GPX", gpx);
    write_file(dir.path / "notes.txt", bystander);
    fs::create_directory(dir.path / "old");
    write_file(dir.path / "old" / "BV100001.DRW", bystander);
    Names expected = entries(dir.path);
    BinaryRun run = run_kelpway(dir.path, {"in"});
    expected.insert(expected.end(), first_pair.begin(), first_pair.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries(dir.path), expected);
    EXPECT_TRUE(read_file(dir.path / "in.GPX") == gpx) << "the input changed";
    EXPECT_EQ(read_file(dir.path / "notes.txt"), bystander);
    EXPECT_EQ(entries(dir.path / "old"), Names{"BV100001.DRW"});
    EXPECT_EQ(read_file(dir.path / "old" / "BV100001.DRW"), bystander);
    return run;
}

std::string repeated(const std::string& text, std::size_t times) {
    std::string all;
    all.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) all += text;
    return all;
}

// Bytes of a fixed Mersenne Twister sequence, the same with every standard library.
std::string noise(std::size_t size) {
    std::mt19937 generator(20240531);  // NOLINT(cert-msc32-c,cert-msc51-cpp): the same bytes every run
    std::string bytes;
    bytes.reserve(size + 3);
    while (bytes.size() < size) {
        std::uint32_t word = static_cast<std::uint32_t>(generator());
        for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((word >> shift) & 0xff);
    }
    bytes.resize(size);
    return bytes;
}

std::string utf16(const std::string& ascii, bool big_endian) {
    std::string encoded = big_endian ? "\xfe\xff" : "\xff\xfe";
    for (char c : ascii) {
        encoded += big_endian ? '\0' : c;
        encoded += big_endian ? c : '\0';
    }
    return encoded;
}

// Each element padded with blanks to `width` bytes, the last of them `line_end`.
std::string padded(const std::vector<std::string>& elements, std::size_t width, char line_end) {
    std::string text;
    for (const std::string& element : elements) {
        text += element;
        text.append(width - 1 - element.size(), ' ');
        text += line_end;
    }
    return text;
}

const std::vector<std::string> small_document = {
    "<?xml version=\"1.0\"?>",
    "<gpx>",
    "<wpt lat=\"35.5\" lon=\"-139.25\"> <name>Pier 2</name> </wpt>",
    "<trk>",
    "<trkseg>",
    "<trkpt lat=\"-1.5\" lon=\"2.75\"/>",
    "<trkpt lat=\"-1.25\" lon=\"2.5\"/>",
    "</trkseg>",
    "</trk>",
    "</gpx>",
};

const char* const no_points = "MMK 0 points\nDRW 0 lines(color=2)\n";

TEST(Faults, ConvertsHostileInputsCleanly) {
    const std::string waypoint_after = "<wpt lat=\"1\" lon=\"2\"><name>after</name></wpt>\n";
    const std::string one_point = "<trkpt lat=\"1\" lon=\"2\"/>";
    const std::size_t points_in_2_mb = (std::size_t{2} << 20) / one_point.size();
    const std::string point_record = ",100.000,N,200.000,E,,2,,,,\r\n";

    const std::size_t noise_piece = std::size_t{1} << 16;
    const std::string noise_bytes = noise(std::size_t{4} << 20);
    std::string noisy;  // 4 MB of noise with a known waypoint after each of its first 64 pieces
    std::string noisy_marks;
    for (std::size_t i = 0; i < 64; ++i) {
        std::string name = "noise " + std::to_string(i);
        noisy += noise_bytes.substr(i * noise_piece, noise_piece);
        noisy += "\n<wpt lat=\"-12.5\" lon=\"7.25\"><name>" + name + "</name></wpt>\n";
        noisy_marks += ",1230.000,S,715.000,E,26,,,,,,\"" + name + "\"\r\n";
    }
    noisy += noise_bytes.substr(64 * noise_piece);

    std::string tokyo_bay = read_file(fs::path(KELPWAY_EXAMPLES) / "tokyo-bay.gpx");
    std::string cr_only = tokyo_bay;
    std::replace(cr_only.begin(), cr_only.end(), '\n', '\r');
    std::string tokyo_bay_drw = read_file(fs::path(KELPWAY_EXAMPLES) / "tokyo-bay.DRW");
    for (std::size_t at = 0; (at = tokyo_bay_drw.find(",E,,5,", at)) != std::string::npos; ++at) {
        tokyo_bay_drw[at + 4] = '2';  // the example's stored output is in colour 5
    }
    const std::string tokyo_bay_mmk = read_file(fs::path(KELPWAY_EXAMPLES) / "tokyo-bay.MMK");
    const std::string small_printed = "MMK 1 points\nDRW 2 lines(color=2)\n";
    const std::string small_drw = "S\r\n,130.000,S,245.000,E,,2,,,,\r\n,115.000,S,230.000,E,,2,,,,\r\nE\r\n";
    const std::string small_mmk = ",3530.000,N,13915.000,W,26,,,,,,\"Pier 2\"\r\n";

    const struct {
        const char* what;
        std::string gpx;
        std::string printed;
        std::string drw;
        std::string mmk;
    } cases[] = {
        {"a 10 MB line before a waypoint", std::string(std::size_t{10} << 20, 'x') + "\n" + waypoint_after,
         "MMK 1 points\nDRW 0 lines(color=2)\n", "S\r\nE\r\n",
         ",100.000,N,200.000,E,26,,,,,,\"after\"\r\n"},
        {"a 2 MB document on one line",
         "<gpx><trk><trkseg>" + repeated(one_point, points_in_2_mb) + "</trkseg></trk></gpx>",
         "MMK 0 points\nDRW " + std::to_string(points_in_2_mb) + " lines(color=2)\n",
         "S\r\n" + repeated(point_record, points_in_2_mb) + "E\r\n", ""},
        // A NUL ends the text of its line piece; what follows it there is not seen.
        {"NUL bytes inside lines",
         "<wpt lat=\"1\" lon=\"2\"><name>ab\0cd</name></wpt>\n"s
         "\0<wpt lat=\"5\" lon=\"6\"/>\n"
         "<trk><trkseg>\n<trkpt lat=\"1\" lon=\"2\"\0 junk/>\n</trkseg></trk>\n"
         "<wp\0t lat=\"7\" lon=\"8\"/>\n"
         "<wpt \0lat=\"1\" lon=\"2\"/>\n"
         "<wpt lat=\"9\" lon=\"9\"/>\n",
         "MMK 2 points\nDRW 1 lines(color=2)\nSkipped 1 points without position\n",
         "S\r\n" + point_record + "E\r\n",
         ",100.000,N,200.000,E,26,,,,,,\"ab\"\r\n,900.000,N,900.000,E,26,,,,,,\"\"\r\n"},
        {"binary noise around waypoints", noisy, "MMK 64 points\nDRW 0 lines(color=2)\n",
         "S\r\nE\r\n", noisy_marks},
        // Every other byte is NUL, so no line's text reaches past the "<" of a tag.
        {"UTF-16 little endian with BOM", utf16(tokyo_bay, false), no_points, "S\r\nE\r\n", ""},
        {"UTF-16 big endian with BOM", utf16(tokyo_bay, true), no_points, "S\r\nE\r\n", ""},
        // A CR without LF ends a line as LF does, wherever the line falls in a 1023-byte piece.
        {"CR line ends", cr_only, "MMK 4 points\nDRW 8 lines(color=2)\n", tokyo_bay_drw, tokyo_bay_mmk},
        {"CR line ends, every element a whole piece", padded(small_document, 1023, '\r'),
         small_printed, small_drw, small_mmk},
        {"CR line ends, elements one byte short of a piece", padded(small_document, 1022, '\r'),
         small_printed, small_drw, small_mmk},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        BinaryRun run = convert_among_bystanders(dir, row.gpx);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.printed, row.printed);
        // Whole-output comparisons, but without printing megabytes on a failure.
        std::string drw = read_file(dir.path / "BV100001.DRW");
        std::string mmk = read_file(dir.path / "BV100001.MMK");
        EXPECT_EQ(drw.size(), row.drw.size());
        EXPECT_TRUE(drw == row.drw) << drw.substr(0, 500);
        EXPECT_TRUE(mmk == row.mmk) << mmk.substr(0, 500);
    }
}

// A shell that ends the run if it is still going after `seconds`: a FIFO that the
// binary waited on would otherwise hang the test instead of failing it. It watches
// in short steps, so it is gone soon after the run.
struct Watchdog {
    TempDir place;
    std::string setup(int seconds) const {
        // Braces keep the `&` off the `cd DIR &&` that run_kelpway puts before the setup.
        return "{ ( i=0; while kill -0 $$ 2>/dev/null; do [ $i -ge " + std::to_string(seconds * 10) +
               " ] && kill -KILL $$; sleep 0.1; i=$((i+1)); done ) >/dev/null 2>&1 & } ; echo $! > '" +
               (place.path / "pid").string() + "';";
    }
    ~Watchdog() {
        long pid = std::strtol(read_file(place.path / "pid").c_str(), nullptr, 10);
        if (pid > 0) ::kill(static_cast<pid_t>(pid), SIGKILL);
    }
};

TEST(Faults, RefusesEntriesThatAreNotFilesWithoutWaitingOnThem) {
    const char* const empty_gpx = "<gpx>\n</gpx>\n";
    const struct {
        const char* what;
        const char* fifo;       // made with mkfifo before the run
        const char* directory;  // made with a file inside it before the run
        int status;
        const char* printed;
        Names added;            // entries the run leaves besides those
        const char* empty;      // a file left empty, or nullptr
    } cases[] = {
        {"a FIFO as the input", "in.GPX", nullptr, 1, "Can't open .GPX file!\n", {}, nullptr},
        {"a FIFO in the way of the first DRW", "BV100001.DRW", nullptr, 0,
         "MMK 0 points\nDRW 0 lines(color=2)\n", {"BV100002.DRW", "BV100002.MMK"}, "BV100002.MMK"},
        // Refused before any output is written: nothing of the run stays.
        {"a FIFO in place of the MMK", "BV100001.MMK", nullptr, 1, "Can't open .MMK file!\n", {}, nullptr},
        {"a directory in place of the MMK", nullptr, "BV100001.MMK", 1, "Can't open .MMK file!\n", {}, nullptr},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        Watchdog watchdog;
        if (std::string(row.fifo ? row.fifo : "") != "in.GPX") write_file(dir.path / "in.GPX", empty_gpx);
        if (row.fifo) {
            ASSERT_EQ(::mkfifo((dir.path / row.fifo).c_str(), 0644), 0);
        }
        if (row.directory) {
            fs::create_directory(dir.path / row.directory);
            write_file(dir.path / row.directory / "inside", bystander);
        }
        Names expected = entries(dir.path);
        BinaryRun run = run_kelpway(dir.path, {"in"}, watchdog.setup(20));
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.printed, row.printed);
        expected.insert(expected.end(), row.added.begin(), row.added.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(entries(dir.path), expected);
        if (row.fifo) {
            EXPECT_TRUE(fs::is_fifo(dir.path / row.fifo));
        }
        if (row.directory) {
            EXPECT_EQ(read_file(dir.path / row.directory / "inside"), bystander);
        }
        if (row.empty) {
            EXPECT_EQ(read_file(dir.path / row.empty), "");
        }
    }
}

}  // namespace
}  // namespace kelpway::e2e
