// The command line's options, in one table from which both the parser and
// the help are made.
#include "run/options.h"

#include <array>

namespace kelpway {
namespace {

struct OptionRow {
    std::string_view name;   // as typed, dashes included
    std::string_view value;  // the value's name in the help; empty for an option without one
    std::string_view help;   // its lines separated by LF
    // Takes the option (and its value) into the options; nullptr: the end of the options.
    void (*apply)(RunOptions& options, std::string_view value);
};

void take_color(RunOptions& options, std::string_view value) {
    if (value.size() == 1 && value[0] >= '1' && value[0] <= '7') {
        options.color = value[0] - '0';
        return;
    }
    options.request = Request::invalid_color;
    options.refused = value;
}

void take_charset(RunOptions& options, std::string_view value) {
    options.charset = find_charset(value);
    if (options.charset != nullptr) return;
    options.request = Request::unknown_charset;
    options.refused = value;
}

constexpr std::array<OptionRow, 8> option_table{{
    {"--routes", "", "convert routes (rte) too, as tracks; otherwise their points\nare only counted",
     [](RunOptions& options, std::string_view) { options.convert_routes = true; }},
    {"--to-gpx", "", "convert the other way: FILE names a DRW and MMK pair, which\nbecomes FILE.GPX",
     [](RunOptions& options, std::string_view) { options.to_gpx = true; }},
    {"--batch", "", "every operand is a FILE, converted in turn on its own; the\nothers go on when one fails",
     [](RunOptions& options, std::string_view) { options.batch = true; }},
    {"--color", "N", "colour of every DRW point, 1 to 7; wins over COLOR", take_color},
    {"--charset", "NAME", "the MMK's names are in the code page NAME (CP932, CP1252,\nISO-8859-1, ...)",
     take_charset},
    {"--help", "", "print this help and exit",
     [](RunOptions& options, std::string_view) { options.request = Request::help; }},
    {"--version", "", "print the version and exit",
     [](RunOptions& options, std::string_view) { options.request = Request::version; }},
    {"--", "", "end of the options, for a FILE that begins with --", nullptr},
}};

// "--name" or "--name=VALUE", as the help shows it.
constexpr std::size_t label_size(const OptionRow& row) {
    return row.name.size() + (row.value.empty() ? 0 : 1 + row.value.size());
}

// The help's text column: after the longest label and two blanks.
constexpr std::size_t help_column = [] {
    std::size_t longest = 0;
    for (const OptionRow& row : option_table) longest = label_size(row) > longest ? label_size(row) : longest;
    return 2 + longest + 2;
}();

// The row of `argument`, "--name" or "--name=VALUE" as the row takes a value; its value.
const OptionRow* option_of(std::string_view argument, std::string_view& value) {
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    for (const OptionRow& row : option_table) {
        if (row.name != name || row.value.empty() != (equals == std::string_view::npos)) continue;
        value = equals == std::string_view::npos ? std::string_view{} : argument.substr(equals + 1);
        return &row;
    }
    return nullptr;
}

}  // namespace

RunOptions read_options(std::span<const char* const> arguments) {
    RunOptions options;
    for (; options.operands < arguments.size(); ++options.operands) {
        const std::string_view argument = arguments[options.operands];
        if (!argument.starts_with("--")) break;
        std::string_view value;
        const OptionRow* row = option_of(argument, value);
        if (row == nullptr) {
            options.request = Request::unknown;
            options.refused = argument;
            break;
        }
        if (row->apply == nullptr) {
            ++options.operands;
            break;
        }
        row->apply(options, value);
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
    for (const OptionRow& row : option_table) {
        char label[32];
        const int size = std::snprintf(label, sizeof label, "%.*s%s%.*s", static_cast<int>(row.name.size()),
                                       row.name.data(), row.value.empty() ? "" : "=",
                                       static_cast<int>(row.value.size()), row.value.data());
        print_help_line(console, {label, static_cast<std::size_t>(size)}, row.help);
    }
}

}  // namespace kelpway
