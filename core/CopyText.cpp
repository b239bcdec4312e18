#include "CopyText.h"

namespace hl {

std::string CopyRowText(const ValueArea& area, int row) {
    if (row < 1 || row > 12) return {};
    return area.Row(row).caption + area.Row(row).value;
}

std::string CopyAllText(const ValueArea& area, const SectionRows& section) {
    if (section.rows.empty()) return {};
    std::string text = area.titulo + "\r\n";
    for (int r = 1; r <= 12; ++r) {
        const RowSpec* spec = section.Row(r);
        if (!spec) continue;
        text += "\r\n";
        if (spec->kind == RowKind::Value)
            text += CopyRowText(area, r);
        else if (spec->kind == RowKind::Heading)
            text += area.Row(r).caption + ":";
    }
    return text;
}

bool CopyEnabled(const SectionRows& section, int row) {
    const RowSpec* spec = section.Row(row);
    return spec && spec->kind == RowKind::Value;
}

} // namespace hl
