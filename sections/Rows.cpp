#include "Rows.h"

#include "WmiCodeTexts.h"
#include "core/Navigation.h"
#include "core/Skip.h"
#include "core/TextFormats.h"
#include "core/Variant.h"

#include <cctype>
#include <stdexcept>

namespace hl {

namespace {

bool TakesValue(const TableRow& entry) {
    return entry.kind == RowKind::Value || entry.kind == RowKind::ReportOnly;
}

// A table and its values written apart would put values under the wrong captions.
void CheckCount(const SectionRows& table, const RowValues& values) {
    size_t expected = 0;
    for (const TableRow& entry : table.rows)
        expected += TakesValue(entry) ? 1 : 0;
    if (values.size() != expected)
        throw std::logic_error(std::string("values do not match the rows of ") + table.id);
}

int CaptionOf(const TableRow& entry, const RowValue& value) {
    return value.caption ? value.caption : entry.caption;
}

// The value's text moves into the area: a list as long as its machine is not copied there.
void ShowRow(App& app, int r, const TableRow& entry, RowValue& value) {
    int tip = value.caption ? value.tip : entry.tip;
    const bool unknown = value.text.empty() && value.emptyShowsUnknown;
    WriteRow(app, r, Caption(app, CaptionOf(entry, value)),
             unknown ? app.T(kUnknown) : std::move(value.text), tip ? app.T(tip) : std::string());
    // A list without devices is as unknown as a missing value.
    const Data& data = value.Typed();
    if (data.is_null() || (data.is_array() && data.empty())) return;
    app.area.Row(r).data = value.list ? value.list : std::make_shared<const Data>(data);
}

} // namespace

Data IntData(const std::string& text) {
    long long n = 0;
    return CodeNumber(text, n) ? Data(n) : Data();
}

Data BoolData(const std::string& flag) {
    try {
        return flag.empty() ? Data() : Data(Variant(flag).ToBool());
    } catch (const PlatformError&) {
        return {};
    }
}

Data VolumeData(const WmiObject& disk) {
    Data volume = {{"mount", nullptr}, {"label", nullptr},      {"size", nullptr},
                   {"free", nullptr},  {"filesystem", nullptr}, {"serial", nullptr}};
    auto text = [&](const char* field, const char* property) {
        Skip([&] { volume[field] = RowValue::TextData(disk.Get(property).Trimmed()); });
    };
    auto bytes = [&](const char* field, const char* property) {
        Skip([&] { volume[field] = disk.Get(property).ToInt64(); });
    };
    text("mount", "Caption");
    // A volume without a name has the empty label, not an unknown one.
    Skip([&] { volume["label"] = disk.Get("VolumeName").Trimmed(); });
    bytes("size", "Size");
    bytes("free", "Freespace");
    text("filesystem", "FileSystem");
    text("serial", "VolumeSerialNumber");
    return volume;
}

Data WmiDateData(const std::string& wmiDate, bool withTime) {
    const size_t length = withTime ? 14 : 8;
    const std::string digits = wmiDate.substr(0, length);
    if (digits.size() < length || !IsDigitText(digits)) return {};
    std::string iso = digits.substr(0, 4) + "-" + digits.substr(4, 2) + "-" + digits.substr(6, 2);
    if (!withTime) return iso;
    return iso + "T" + digits.substr(8, 2) + ":" + digits.substr(10, 2) + ":" +
           digits.substr(12, 2);
}

void ShowRows(App& app, const SectionRows& table, RowValues values, Rgb headingColour) {
    CheckCount(table, values);
    size_t next = 0;
    int r = 1;
    for (const TableRow& entry : table.rows) {
        if (TakesValue(entry)) ++next;
        if (entry.kind == RowKind::ReportOnly) continue;
        if (entry.kind == RowKind::Value) {
            ShowRow(app, r, entry, values[next - 1]);
        } else if (entry.kind == RowKind::Heading) {
            WriteRow(app, r, app.T(entry.caption), "");
            app.area.Row(r).captionColour = headingColour;
        } else {
            WriteRow(app, r, "", "");
        }
        ++r;
    }
    if (r <= 12) ClearLabels(app, 2 * r - 1, 24);
}

void ReportRows(ReportWriter& writer, const App& app, const SectionRows& table,
                const RowValues& values, InReport part, RowEnd lastEnd) {
    CheckCount(table, values);
    std::vector<std::pair<const TableRow*, const RowValue*>> rows;
    size_t next = 0;
    for (const TableRow& entry : table.rows) {
        if (!TakesValue(entry)) continue;
        const RowValue& value = values[next++];
        if (entry.report == part) rows.emplace_back(&entry, &value);
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& [entry, value] = rows[i];
        const std::string caption = app.T(CaptionOf(*entry, *value));
        const std::string html = entry->htmlCaption ? app.T(entry->htmlCaption) : caption;
        writer.SplitRow(caption, html, value->text, i + 1 == rows.size() ? lastEnd : RowEnd::Normal,
                        entry->identifying);
    }
}

} // namespace hl
