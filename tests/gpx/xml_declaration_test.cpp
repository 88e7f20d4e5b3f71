// The encoding a GPX file declares on its first line.
#include "gpx/xml_declaration.h"

#include <gtest/gtest.h>

#include <string>

namespace kelpway {
namespace {

std::string declared(std::string_view line) {
    const std::optional<std::string_view> name = declared_encoding(line);
    return name ? std::string(*name) : "(none)";
}

TEST(XmlDeclaration, NamesTheEncodingHoweverTheDeclarationIsWritten) {
    const struct {
        std::string_view line;
        std::string_view encoding;
    } cases[] = {
        {R"(<?xml version="1.0" encoding="ISO-8859-1"?>)" "\n", "ISO-8859-1"},
        {R"(<?xml version="1.0" encoding="UTF-8"?>)" "\r\n", "UTF-8"},
        {R"(<?xml version='1.0' encoding='windows-1252'?>)", "windows-1252"},
        {R"(<?xml version="1.0" encoding='Shift_JIS' standalone="yes"?>)", "Shift_JIS"},
        {R"(<?xml version = "1.0"  encoding = "us-ascii" ?>)", "us-ascii"},
        {"<?xml\tversion=\"1.0\"\tencoding\t=\t\"EUC-KR\"?>", "EUC-KR"},
        {"<?xml version=\"1.0\"\r\n", "(none)"},                       // the rest on a later line
        {R"(<?xml encoding="GB2312" version="1.0"?>)", "GB2312"},    // in any order
        {R"(<?xml version="1.0" encoding="x.y_z-1"?>)", "x.y_z-1"},
        {R"(<?xml version="1.0" encoding="ISO-8859-1"?><gpx>)", "ISO-8859-1"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.line));
        EXPECT_EQ(declared(row.line), row.encoding);
    }
}

TEST(XmlDeclaration, NamesNoneWithoutADeclarationThatNamesOne) {
    const std::string_view cases[] = {
        "",
        "\n",
        R"(<?xml version="1.0"?>)",
        R"(<?xml version="1.0" standalone="yes"?>)",
        R"(<gpx version="1.1" encoding="ISO-8859-1">)",                 // not a declaration
        R"( <?xml version="1.0" encoding="ISO-8859-1"?>)",              // not at the start
        R"(<?xml-stylesheet href="a.xsl" encoding="ISO-8859-1"?>)",
        R"(<?XML version="1.0" encoding="ISO-8859-1"?>)",
        R"(<?xml version="1.0"?> encoding="ISO-8859-1")",               // after its end
        R"(<?xml version="1.0" encoding="ISO-8859-1)",                  // quote not closed
        R"(<?xml version="1.0" encoding="ISO-8859-1')",
        R"(<?xml version="1.0" encoding=ISO-8859-1?>)",
        R"(<?xml version="1.0" encoding?>)",
        R"(<?xml version="1.0"encoding="ISO-8859-1"?>)",                // no blank between
        R"(<?xml version="1.0" encoding=""?>)",
        R"(<?xml version="1.0" encoding="8859-1"?>)",                   // no encoding name
        R"(<?xml version="1.0" encoding="ISO 8859-1"?>)",
        R"(<?xml version="1.0" encoding="UTF-8<"?>)",
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>",  // the byte order mark decides
    };
    for (const std::string_view line : cases) {
        SCOPED_TRACE(std::string(line));
        EXPECT_EQ(declared(line), "(none)");
    }
}

}  // namespace
}  // namespace kelpway
