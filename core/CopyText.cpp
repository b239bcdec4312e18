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
        const TableRow* entry = section.Row(r);
        if (!entry) continue;
        text += "\r\n";
        if (entry->kind == RowKind::Value)
            text += CopyRowText(area, r);
        else if (entry->kind == RowKind::Heading)
            text += area.Row(r).caption + ":";
    }
    return text;
}

bool CopyEnabled(const SectionRows& section, int row) {
    const TableRow* entry = section.Row(row);
    return entry && entry->kind == RowKind::Value;
}

bool CopyEnabled(const SectionRows& section, const ValueArea& area, int row) {
    return CopyEnabled(section, row) && !area.Row(row).caption.empty();
}

std::string BareCaption(const std::string& caption) {
    if (caption.size() >= 2 && caption.compare(caption.size() - 2, 2, ": ") == 0)
        return caption.substr(0, caption.size() - 2);
    return caption;
}

std::string DeviceText(const ShownDevice& device) {
    std::string text = device.heading;
    for (const auto& [caption, value] : device.fields)
        text += "\r\n  " + caption + ": " + value;
    return text;
}

} // namespace hl
