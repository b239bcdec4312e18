#include "RowTable.h"

namespace hl {

const RowSpec* SectionRows::Row(int r) const {
    if (r < 1 || static_cast<size_t>(r) > rows.size()) return nullptr;
    const RowSpec& spec = rows[static_cast<size_t>(r) - 1];
    return spec.kind == RowKind::ReportOnly ? nullptr : &spec;
}

std::string RowKey(const SectionRows& section, int row) {
    const RowSpec* spec = section.Row(row);
    if (!spec || !spec->key) return {};
    return std::string(section.id) + "." + spec->key;
}

void MaskPrivateRows(ValueArea& area, const SectionRows& section) {
    for (int r = 1; r <= 12; ++r) {
        const RowSpec* spec = section.Row(r);
        if (!spec || !spec->identifying || area.Row(r).value.empty()) continue;
        area.Row(r).value = kPrivateMarker;
        area.Row(r).valueTip = kPrivateMarker;
    }
}

} // namespace hl
