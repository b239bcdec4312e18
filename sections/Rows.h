#pragma once

#include "core/App.h"
#include "core/ReportWriter.h"
#include "core/RowTable.h"

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace hl {

using Data = nlohmann::json;

// A row's value as a section computes it: the text shown and its typed data. A text given
// alone is a fact as read, and is its own data. The caption and its tip are the table's, unless
// the value names its own (Display's refresh rate is captioned by the rates it found).
struct RowValue {
    RowValue(std::string text) : text(std::move(text)), data(TextData(this->text)) {}
    RowValue(const char* text) : RowValue(std::string(text)) {}
    RowValue(std::string text, Data data) : text(std::move(text)), data(std::move(data)) {}
    // A list several rows show (the volumes behind each of Hard drives' list rows) is kept once.
    static RowValue Shared(std::string text, std::shared_ptr<const Data> list) {
        RowValue value(std::move(text), Data());
        value.list = std::move(list);
        return value;
    }
    RowValue(std::string text, int caption, int tip, Data data)
        : text(std::move(text)), data(std::move(data)), caption(caption), tip(tip) {}

    // A value the screen shows as it is, even empty (a code the section has no text for).
    static RowValue AsShown(std::string text, Data data) {
        RowValue value(std::move(text), std::move(data));
        value.emptyShowsUnknown = false;
        return value;
    }

    static Data TextData(const std::string& text) { return text.empty() ? Data() : Data(text); }

    // The typed data: the shared list where there is one.
    const Data& Typed() const { return list ? *list : data; }

    std::string text;
    Data data; // null: unknown
    std::shared_ptr<const Data> list;
    int caption = 0;
    int tip = 0;
    bool emptyShowsUnknown = true; // on screen; the report always shows "Unknown" for empty
};

// One value for each value row and report-only row of a table, in table order.
using RowValues = std::vector<RowValue>;

// Writes the section's screen rows from its table: captions, values, headings (in
// `headingColour`) and blank rows; the rows past the table are cleared.
void ShowRows(App& app, const SectionRows& table, RowValues values, Rgb headingColour = kDarkGrey);

// Writes the rows of report section `part`; the last ends with `lastEnd`.
void ReportRows(ReportWriter& writer, const App& app, const SectionRows& table,
                const RowValues& values, InReport part, RowEnd lastEnd);

// Typed data of facts read as text; null when the text does not hold one.
Data IntData(const std::string& text);  // a whole number: "512" gives 512
Data BoolData(const std::string& flag); // "True", "1", "-1" give true
// A logical disk as one object of a device list: mount (drive letter or mount point), label,
// size and free space in bytes, file system and serial; null where a property is unreadable.
Data VolumeData(const WmiObject& disk);

// A WMI datetime as ISO 8601: "2010-03-15T14:30:22", or the date alone "2010-03-15".
Data WmiDateData(const std::string& wmiDate, bool withTime);

} // namespace hl
