#include "CopyText.h"

#include <vector>

namespace hl {

namespace {

// A line of "Copy all": a row's text (> 0), an empty line (0), or a heading caption with ":"
// (< 0, the row number negated).
const std::vector<int>& LinesOf(int section) {
    static const std::vector<int> kLines[14] = {
        {},
        {-1, 0, 3, 4, 5, 6, 0, -8, 0, 10, 11, 12},
        {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
        {1, 2, 3, 4, 5, 6},
        {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
        {1, 2, 3, 4, 5, 6, 7, 8, 9},
        {1, 2, 3, 4, 5, 6, 7, 8},
        {1, 2, 3, 4, 5, 6, 7, 8, 9},
        {1, 2, 3, 4, 5, 6, 7},
        {1, 2, 3, 4, 0, 6, 7, 8, 9, 10, 11},
        {1, 2, 3, 0, 5, 6, 7, 8, 9},
        {1, 2, 3, 4, 5, 6, 7, 8},
        {1, 2, 3, 4, 5, 6},
        {1, 2, 3, 0, 5, 6},
    };
    return kLines[section];
}

} // namespace

std::string CopyRowText(const ValueArea& area, int row) {
    if (row < 1 || row > 12) return {};
    return area.Row(row).caption + area.Row(row).value;
}

std::string CopyAllText(const ValueArea& area, int section) {
    if (section < 1 || section > 13) return {};
    std::string text = area.titulo + "\r\n\r\n";
    bool first = true;
    for (int line : LinesOf(section)) {
        if (!first) text += "\r\n";
        first = false;
        if (line > 0)
            text += CopyRowText(area, line);
        else if (line < 0)
            text += area.Row(-line).caption + ":";
    }
    return text;
}

bool CopyEnabled(int section, int row) {
    // Sections that leave row r empty or use it as a heading.
    static const std::vector<int> kDisabled[12] = {
        {1},
        {1},
        {},
        {10, 13},
        {9},
        {},
        {1, 3, 12, 13},
        {1, 3, 8, 12, 13},
        {1, 3, 6, 8, 11, 12, 13},
        {3, 5, 6, 7, 8, 10, 11, 12, 13},
        {2, 3, 5, 6, 7, 8, 10, 11, 12, 13},
        {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},
    };
    if (row < 1 || row > 12) return false;
    for (int s : kDisabled[row - 1])
        if (s == section) return false;
    return true;
}

} // namespace hl
