#pragma once

#include "core/App.h"
#include "core/Navigation.h"
#include "report/ReportWriter.h"

#include <string>
#include <vector>

namespace hl {

// A row as a section builds it once for the screen and the report: caption entry, value, and
// on screen an explanatory tool tip for the caption (entry 0 for none).
struct Line {
    int entry;
    std::string value;
    int tipEntry = 0;
};

// Rows 1, 2, ... of the value area.
inline void WriteLines(App& app, const std::vector<Line>& lines) {
    for (size_t i = 0; i < lines.size(); ++i)
        WriteRow(app, static_cast<int>(i) + 1, Caption(app, lines[i].entry), lines[i].value,
                 lines[i].tipEntry ? app.T(lines[i].tipEntry) : std::string());
}

// Report rows; the last ends with `lastEnd` (RowEnd::Normal when more rows follow).
inline void ReportLines(ReportWriter& writer, const App& app, const std::vector<Line>& lines,
                        RowEnd lastEnd = RowEnd::Normal) {
    for (size_t i = 0; i < lines.size(); ++i)
        writer.Row(app.T(lines[i].entry), lines[i].value,
                   i + 1 == lines.size() ? lastEnd : RowEnd::Normal);
}

} // namespace hl
