// The command line's options, in one table from which both the parser and
// the help are made.
#include "run/options.h"

#include <array>

namespace kelpway {
namespace {

struct OptionRow {
    std::string_view name;   // as typed, dashes included
    std::string_view help;   // its lines separated by LF
    void (*apply)(RunOptions& options);  // nullptr: the end of the options
};

constexpr std::array<OptionRow, 5> option_table{{
    {"--routes", "convert routes (rte) too, as tracks; otherwise their points\nare only counted",
     [](RunOptions& options) { options.convert_routes = true; }},
    {"--to-gpx", "convert the other way: FILE names a DRW and MMK pair, which\nbecomes FILE.GPX",
     [](RunOptions& options) { options.to_gpx = true; }},
    {"--help", "print this help and exit", [](RunOptions& options) { options.request = Request::help; }},
    {"--version", "print the version and exit", [](RunOptions& options) { options.request = Request::version; }},
    {"--", "end of the options, for a FILE that begins with --", nullptr},
}};

// The help's text column: after the longest name and two blanks.
constexpr std::size_t help_column = [] {
    std::size_t longest = 0;
    for (const OptionRow& row : option_table) longest = row.name.size() > longest ? row.name.size() : longest;
    return 2 + longest + 2;
}();

const OptionRow* option_named(std::string_view name) {
    for (const OptionRow& row : option_table) {
        if (row.name == name) return &row;
    }
    return nullptr;
}

}  // namespace

RunOptions read_options(std::span<const char* const> arguments) {
    RunOptions options;
    for (; options.operands < arguments.size(); ++options.operands) {
        const std::string_view argument = arguments[options.operands];
        if (!argument.starts_with("--")) break;
        const OptionRow* row = option_named(argument);
        if (row == nullptr) {
            options.request = Request::unknown;
            options.refused = argument;
            break;
        }
        if (row->apply == nullptr) {
            ++options.operands;
            break;
        }
        row->apply(options);
        if (options.request != Request::convert) break;
    }
    return options;
}

void print_help_line(std::FILE* console, std::string_view label, std::string_view text) {
    std::fprintf(console, "  %-*.*s", static_cast<int>(help_column - 2), static_cast<int>(label.size()), label.data());
    for (std::size_t from = 0; from <= text.size();) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) end = text.size();
        if (from > 0) std::fprintf(console, "%*s", static_cast<int>(help_column), "");
        std::fprintf(console, "%.*s\n", static_cast<int>(end - from), text.data() + from);
        from = end + 1;
    }
}

void print_options_help(std::FILE* console) {
    for (const OptionRow& row : option_table) print_help_line(console, row.name, row.help);
}

}  // namespace kelpway
