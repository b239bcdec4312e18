#pragma once

#include "ValueArea.h"

#include <span>
#include <string>
#include <string_view>

namespace hl {

// What a row of a section's table is on screen, and so for Copy and Copy all.
enum class RowKind {
    Value,      // caption and value; copied as "caption: value"
    Heading,    // a caption alone, copied with ":" after it
    Blank,      // an empty row, an empty line in Copy all
    ReportOnly, // not on screen: a row only the report writes
};

// Which report section of its section a row is written in: most sections have one, Display
// and Keyboard and mouse have two.
enum class InReport { No, First, Second };

// One row of a section, as data: every use of the row (screen, report, Copy, Copy all, the
// structured output, masking of identifying values) reads it from here.
struct TableRow {
    const char* key = nullptr; // stable JSON key within the section; a value row has one
    int caption = 0;           // string-table entry of the caption
    int tip = 0;               // the caption's tool tip on screen
    bool identifying = false;  // serial numbers, product key, names: masked on request
    InReport report = InReport::No;
    int htmlCaption = 0; // the HTML report's caption where it differs from the text's
    RowKind kind = RowKind::Value;
};

// A section's rows: entry i is screen row i + 1, report-only rows last.
struct SectionRows {
    const char* id = ""; // "summary", "user", ..., "other"
    std::span<const TableRow> rows;

    // The entry of screen row r (1..12); nullptr when the section leaves it unused.
    const TableRow* Row(int r) const;
    // The screen row of the row keyed `key`; 0 when there is none.
    int RowNumber(std::string_view key) const;
};

// "processor.l2_cache"; empty for a row without a key.
std::string RowKey(const SectionRows& section, int row);

inline constexpr const char* kPrivateMarker = "[private]";
// Replaces the identifying values of a shown section (value and tool tip) by the marker.
void MaskPrivateRows(ValueArea& area, const SectionRows& section);

} // namespace hl
