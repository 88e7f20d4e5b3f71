// Lines made of the pieces the line rules look at, for holding faster forms to their references.
#include "generated_lines.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string_view>

namespace kelpway {
namespace {

constexpr std::string_view pieces[] = {
    "<wpt", "<trk", "<rte", "<trkpt", "<rtept", "<trkseg", "</trkseg", "</trk", "</wpt", "</rte", "<name",
    "</name", "<ele", "<ns2:", "<:", "<a:b:", "<a/b:", "<abcdefghij:", "wpt", "trkpt", "name", "lat=", "lon=",
    " lat=\"", " lon=\"", "lat='", "\"", "'", "35.681236", "-139.5", "1e3", "=", " ", "  ", "\t", "\r", "\n",
    "\r\n", ">", "/>", "/", ":", "<", "x", "<![CDATA[", "]]>",
};

void add_prefixes(std::vector<std::string>& lines, const std::string& line) {
    for (std::size_t size = 0; size <= line.size() && size <= 40; ++size) lines.push_back(line.substr(0, size));
}

// The lines of the files in `folder`, as they stand (line ends kept).
void add_lines_of(std::vector<std::string>& lines, const std::filesystem::path& folder) {
    if (!std::filesystem::is_directory(folder)) return;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        for (std::size_t at = 0; at < text.size();) {
            std::size_t end = text.find('\n', at);
            end = end == std::string::npos ? text.size() : end + 1;
            lines.push_back(text.substr(at, end - at > 1023 ? 1023 : end - at));
            at = end;
        }
    }
}

}  // namespace

const std::vector<std::string>& generated_lines() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> made;
        std::mt19937 random{20261209};
        for (int i = 0; i < 6000; ++i) {
            std::string line(random() % 3, ' ');
            while (line.size() < 40) line += pieces[random() % std::size(pieces)];
            add_prefixes(made, line);
        }
        add_lines_of(made, KELPWAY_TEST_DATA);
        add_lines_of(made, KELPWAY_FUZZ_SEEDS);
        return made;
    }();
    return lines;
}

}  // namespace kelpway
