#include "Rows.h"

#include "core/Navigation.h"

#include <stdexcept>

namespace hl {

namespace {

bool TakesValue(const RowSpec& spec) {
    return spec.kind == RowKind::Value || spec.kind == RowKind::ReportOnly;
}

// A table and its values written apart would put values under the wrong captions.
void CheckCount(const SectionRows& table, const RowValues& values) {
    size_t expected = 0;
    for (const RowSpec& spec : table.rows)
        expected += TakesValue(spec) ? 1 : 0;
    if (values.size() != expected)
        throw std::logic_error(std::string("values do not match the rows of ") + table.id);
}

int CaptionOf(const RowSpec& spec, const RowValue& value) {
    return value.caption ? value.caption : spec.caption;
}

void ShowRow(App& app, int r, const RowSpec& spec, const RowValue& value) {
    int tip = value.caption ? value.tip : spec.tip;
    const std::string& text = value.emptyShowsUnknown ? OrUnknown(app, value.text) : value.text;
    WriteRow(app, r, Caption(app, CaptionOf(spec, value)), text, tip ? app.T(tip) : std::string());
}

} // namespace

void ShowRows(App& app, const SectionRows& table, const RowValues& values, Rgb headingColour) {
    CheckCount(table, values);
    size_t next = 0;
    int r = 1;
    for (const RowSpec& spec : table.rows) {
        if (TakesValue(spec)) ++next;
        if (spec.kind == RowKind::ReportOnly) continue;
        if (spec.kind == RowKind::Value) {
            ShowRow(app, r, spec, values[next - 1]);
        } else if (spec.kind == RowKind::Heading) {
            WriteRow(app, r, app.T(spec.caption), "");
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
    std::vector<std::pair<const RowSpec*, const RowValue*>> rows;
    size_t next = 0;
    for (const RowSpec& spec : table.rows) {
        if (!TakesValue(spec)) continue;
        const RowValue& value = values[next++];
        if (spec.report == part) rows.emplace_back(&spec, &value);
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& [spec, value] = rows[i];
        const std::string caption = app.T(CaptionOf(*spec, *value));
        const std::string html = spec->htmlCaption ? app.T(spec->htmlCaption) : caption;
        writer.SplitRow(caption, html, value->text, i + 1 == rows.size() ? lastEnd : RowEnd::Normal,
                        spec->identifying);
    }
}

} // namespace hl
