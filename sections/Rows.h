#pragma once

#include "core/App.h"
#include "core/RowTable.h"
#include "report/ReportWriter.h"

#include <string>
#include <vector>

namespace hl {

// A row's value as a section computes it. The caption and its tip are the table's, unless the
// value names its own (Display's refresh rate is captioned by the rates it found).
struct RowValue {
    RowValue(std::string text) : text(std::move(text)) {}
    RowValue(const char* text) : text(text) {}
    RowValue(std::string text, int caption, int tip)
        : text(std::move(text)), caption(caption), tip(tip) {}

    // A value the screen shows as it is, even empty (a code the section has no text for).
    static RowValue AsShown(std::string text) {
        RowValue value(std::move(text));
        value.emptyShowsUnknown = false;
        return value;
    }

    std::string text;
    int caption = 0;
    int tip = 0;
    bool emptyShowsUnknown = true; // on screen; the report always shows "Unknown" for empty
};

// One value for each value row and report-only row of a table, in table order.
using RowValues = std::vector<RowValue>;

// Writes the section's screen rows from its table: captions, values, headings (in
// `headingColour`) and blank rows; the rows past the table are cleared.
void ShowRows(App& app, const SectionRows& table, const RowValues& values,
              Rgb headingColour = kDarkGrey);

// Writes the rows of report section `part`; the last ends with `lastEnd`.
void ReportRows(ReportWriter& writer, const App& app, const SectionRows& table,
                const RowValues& values, InReport part, RowEnd lastEnd);

} // namespace hl
