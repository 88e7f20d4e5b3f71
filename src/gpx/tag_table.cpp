// The tags the scan and the readers know, in one table.
#include "gpx/tag_table.h"

namespace kelpway {

const TagRow* find_row(std::span<const TagRow> rows, std::string_view name) {
    for (const TagRow& row : rows) {
        if (row.name == name) return &row;
    }
    return nullptr;
}

KindRow row_of_kind(LineKind kind) {
    for (const TagRow& row : tag_table) {
        if (kind == row.start) return {&row, false};
        if (kind == row.end && kind != LineKind::other) return {&row, true};
    }
    return {nullptr, false};
}

}  // namespace kelpway
