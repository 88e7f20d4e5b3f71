// The command line's options, in one table from which both the parser and
// the help are made.
#pragma once

#include <cstddef>
#include <cstdio>
#include <span>
#include <string_view>

namespace kelpway {

enum class Request { convert, help, version, unknown };

struct RunOptions {
    Request request = Request::convert;
    bool convert_routes = false;
    bool to_gpx = false;       // the other direction: a pair into GPX
    std::size_t operands = 0;  // index of the first argument after the options
    std::string_view refused;  // the option not understood
};

// Leading arguments that begin with "--" are options, up to the first that
// does not or up to "--", which is dropped. The first help, version or
// unknown option decides at once, as it is met.
RunOptions read_options(std::span<const char* const> arguments);

// "  LABEL  text", the text's lines under one another in the column of the
// options' help, as --help shows arguments and options.
void print_help_line(std::FILE* console, std::string_view label, std::string_view text);

// Every option's help line, in the table's order.
void print_options_help(std::FILE* console);

}  // namespace kelpway
