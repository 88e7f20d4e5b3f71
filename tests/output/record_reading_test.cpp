// DRW and MMK records read back: their kind, position, colour and name.
#include "output/record_reading.h"

#include <gtest/gtest.h>

#include <string>

namespace kelpway {
namespace {

// A record as text: its kind, then the decimal position, colour and name where it has them.
std::string shown(const ReadRecord& record) {
    switch (record.kind) {
        case RecordKind::none: return "none";
        case RecordKind::start: return "start";
        case RecordKind::separator: return "separator";
        case RecordKind::end: return "end";
        case RecordKind::point:
            return "point " + std::string(record.latitude.view()) + " " + std::string(record.longitude.view()) +
                   " " + std::to_string(record.color);
        case RecordKind::mark:
            return "mark " + std::string(record.latitude.view()) + " " + std::string(record.longitude.view()) +
                   " [" + std::string(record.name) + "]";
    }
    return "?";
}

struct Case {
    const char* what;
    std::string line;
    std::string record;
};

const std::string tokyo = "35.681233333 139.767116667";

TEST(LineRecords, ReadEveryKindOfDrwLine) {
    const Case cases[] = {
        {"start", "S", "start"},
        {"separator", "J", "separator"},
        {"end", "E", "end"},
        {"point", ",3540.874,N,13946.027,E,,2,,,,", "point " + tokyo + " 2"},
        {"south and west", ",3540.874,S,13946.027,W,,7,,,,", "point -35.681233333 -139.767116667 7"},
        {"zero", ",000.000,N,000.000,E,,1,,,,", "point 0.000000000 0.000000000 1"},
        {"zero south", ",000.000,S,000.000,W,,1,,,,", "point -0.000000001 -0.000000001 1"},
        {"59.999 minutes", ",8959.999,N,17959.999,E,,3,,,,", "point 89.999983333 179.999983333 3"},
        {"2^31-1 degrees", ",214748364759.999,S,214748364700.000,E,,4,,,,",
         "point -2147483647.999983333 2147483647.000000000 4"},
        {"carried to 2^31", ",214748364800.000,N,000.000,E,,4,,,,", "point 2147483647.999999762 0.000000000 4"},
        {"filled empty fields", "x,3540.874,N,13946.027,E,abc,5,1,2,3,\"4\"", "point " + tokyo + " 5"},
        {"other decimals", ",3540.8741,N,13946,E,,2,,,,", "point 35.681235000 139.766666667 2"},
        {"colour 0", ",3540.874,N,13946.027,E,,0,,,,", "point " + tokyo + " 0"},
        {"colour 8", ",3540.874,N,13946.027,E,,8,,,,", "point " + tokyo + " 0"},
        {"colour empty", ",3540.874,N,13946.027,E,,,,,,", "point " + tokyo + " 0"},
        {"colour of two digits", ",3540.874,N,13946.027,E,,12,,,,", "point " + tokyo + " 0"},
        {"colour a letter", ",3540.874,N,13946.027,E,,b,,,,", "point " + tokyo + " 0"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        ReadRecord record;
        read_line_record(row.line, record);
        EXPECT_EQ(shown(record), row.record);
    }
}

TEST(LineRecords, PassOverLinesThatAreNoDrwRecord) {
    const char* const cases[] = {
        "", "s", "S ", " S", "SJ", "JE", "EE", "\r",
        ",3540.874,N,13946.027,E,,2,,,",            // ten fields
        ",3540.874,N,13946.027,E,,2,,,,,",          // twelve
        ",3540.874,N,13946.027,E,26,,,,,,\"Buoy\"",  // a mark
        ",3540.874,X,13946.027,E,,2,,,,", ",3540.874,N,13946.027,e,,2,,,,", ",3540.874,,13946.027,E,,2,,,,",
        ",3540.874,NN,13946.027,E,,2,,,,", ",35a0.874,N,13946.027,E,,2,,,,", ",3560.000,N,13946.027,E,,2,,,,",
        ",40.874,N,13946.027,E,,2,,,,", ",3540.874,N,,E,,2,,,,", ",-3540.874,N,13946.027,E,,2,,,,",
        ",214748364800.001,N,000.000,E,,2,,,,", "3540.874,N,13946.027,E,,2,,,,,",
    };
    for (const char* line : cases) {
        SCOPED_TRACE(line);
        ReadRecord record;
        read_line_record(line, record);
        EXPECT_EQ(shown(record), "none");
    }
}

TEST(MarkRecords, ReadTheNameOfField12) {
    const std::string mark = ",3540.874,N,13946.027,E,26,,,,,,";
    const Case cases[] = {
        {"plain", mark + "\"Buoy\"", "mark " + tokyo + " [Buoy]"},
        {"empty name", mark + "\"\"", "mark " + tokyo + " []"},
        {"commas and quotes", mark + "\"Buoy, \"red\", 3\"", "mark " + tokyo + " [Buoy, \"red\", 3]"},
        {"up to the last quote", mark + "\"a\"b", "mark " + tokyo + " [a]"},
        {"no closing quote", mark + "\"Buoy", "mark " + tokyo + " [Buoy]"},
        {"a lone quote", mark + "\"", "mark " + tokyo + " []"},
        {"no quotes", mark + "Buoy 7", "mark " + tokyo + " [Buoy 7]"},
        {"an empty field 12", mark, "mark " + tokyo + " []"},
        {"any bytes", mark + "\"<&>\xff\t\"", "mark " + tokyo + " [<&>\xff\t]"},
        {"south and west, filled fields", "1,3540.874,S,13946.027,W,99,a,b,c,d,e,\"N\"",
         "mark -35.681233333 -139.767116667 [N]"},
        {"2^31-1 degrees", ",214748364759.999,N,000.000,W,26,,,,,,\"far\"",
         "mark 2147483647.999983333 -0.000000001 [far]"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        ReadRecord record;
        read_mark_record(row.line, record);
        EXPECT_EQ(shown(record), row.record);
    }
}

TEST(MarkRecords, PassOverLinesThatAreNoMmkRecord) {
    const char* const cases[] = {
        "", "S", "E",
        ",3540.874,N,13946.027,E,,2,,,,",  // a point: eleven fields
        ",3540.874,N,13946.027,E,26,,,,,\"Buoy\"",
        ",3540.874,S,13946.027,X,26,,,,,,\"Buoy\"", ",3540.874,N,139a6.027,E,26,,,,,,\"Buoy\"",
        ",3540.874,N,13960.000,E,26,,,,,,\"Buoy\"", ",3540.874,N,13946.027,E\"Buoy,\",26,,,,,,\"Buoy\"",
    };
    for (const char* line : cases) {
        SCOPED_TRACE(line);
        ReadRecord record;
        read_mark_record(line, record);
        EXPECT_EQ(shown(record), "none");
    }
}

}  // namespace
}  // namespace kelpway
