#include "CompareFormats.h"

#include "HtmlPage.h"
#include "core/PlainText.h"
#include "core/TextFormats.h"

namespace hl {

namespace {

using nlohmann::json;

const char* const kArrow = " \xE2\x86\x92 "; // →

// A side without the row reads "(absent)", and an empty value "(empty)", so that neither
// looks like the other or like a blank.
std::string Shown(const json& value) {
    if (value.is_null()) return "(absent)";
    std::string text = value.get<std::string>();
    return text.empty() ? "(empty)" : text;
}

// A file name is the user's, but may hold anything a file name can: neutralised like a value.
std::string SideName(const std::string& name) {
    return name == "-" ? "this machine" : PlainText(name);
}

// A device's field as its typed data shows it: the text itself, digits, true or false.
std::string DataShown(const json& data) {
    if (data.is_null()) return "(unknown)";
    return PlainText(data.is_string() ? data.get<std::string>()
                                      : data.dump(-1, ' ', false, json::error_handler_t::replace));
}

std::string DeviceLabel(const DeviceChange& device) {
    return PlainText(device.kind + " " + device.name);
}

// "Added gpu NVIDIA ...", "Removed disk ...", or one line per changed field.
std::vector<std::string> DeviceLines(const DeviceChange& device) {
    if (device.change == DeviceChangeKind::Added) return {"Added " + DeviceLabel(device)};
    if (device.change == DeviceChangeKind::Removed) return {"Removed " + DeviceLabel(device)};
    std::vector<std::string> lines;
    for (const FieldChange& field : device.fields)
        lines.push_back(DeviceLabel(device) + " " + PlainText(field.key) + ": " +
                        DataShown(field.oldData) + kArrow + DataShown(field.newData));
    return lines;
}

std::string Text(const Comparison& c) {
    if (c.sections.empty()) return "";
    std::string out = "Old: " + SideName(c.oldName) + "\nNew: " + SideName(c.newName) + "\n";
    for (const SectionChange& section : c.sections) {
        out += "\n" + section.title + "\n";
        for (const RowChange& row : section.rows)
            out += "  " + row.caption + ": " + Shown(row.oldValue) + kArrow + Shown(row.newValue) +
                   "\n";
        for (const DeviceChange& device : section.devices)
            for (const std::string& line : DeviceLines(device))
                out += "  " + line + "\n";
    }
    return out;
}

json RowJson(const RowChange& row) {
    return {{"key", row.key},      {"caption", row.caption},  {"old", row.oldValue},
            {"new", row.newValue}, {"old_data", row.oldData}, {"new_data", row.newData}};
}

const char* ChangeName(DeviceChangeKind change) {
    switch (change) {
    case DeviceChangeKind::Added: return "added";
    case DeviceChangeKind::Removed: return "removed";
    case DeviceChangeKind::Changed: break;
    }
    return "changed";
}

json DeviceJson(const DeviceChange& device) {
    json fields = json::array();
    for (const FieldChange& field : device.fields)
        fields.push_back({{"key", field.key}, {"old", field.oldData}, {"new", field.newData}});
    return {{"change", ChangeName(device.change)},
            {"kind", device.kind},
            {"name", device.name},
            {"old", device.oldDevice},
            {"new", device.newDevice},
            {"fields", std::move(fields)}};
}

std::string Json(const Comparison& c) {
    json sections = json::array();
    for (const SectionChange& section : c.sections) {
        json rows = json::array();
        for (const RowChange& row : section.rows)
            rows.push_back(RowJson(row));
        json devices = json::array();
        for (const DeviceChange& device : section.devices)
            devices.push_back(DeviceJson(device));
        sections.push_back(
            {{"id", section.id}, {"title", section.title}, {"rows", rows}, {"devices", devices}});
    }
    json doc = {{"old", c.oldName}, {"new", c.newName}, {"sections", std::move(sections)}};
    return doc.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

const char* const kStyle =
    "body { font-family: sans-serif; }\n"
    "table { border-collapse: collapse; margin-bottom: 1em; }\n"
    "th, td { border: 1px solid #999; padding: 2px 8px; text-align: left; }\n"
    "th { background: #dde; }\n";

std::string Cell(const char* tag, const std::string& text) {
    return std::string("<") + tag + ">" + EscapeHtml(text) + "</" + tag + ">";
}

// A device added or removed is one row, present on its side; a changed one a row per field.
std::string DeviceRows(const DeviceChange& device) {
    const std::string label = DeviceLabel(device);
    if (device.change == DeviceChangeKind::Added)
        return "<tr>" + Cell("th", label) + Cell("td", "(absent)") + Cell("td", "added") +
               "</tr>\n";
    if (device.change == DeviceChangeKind::Removed)
        return "<tr>" + Cell("th", label) + Cell("td", "removed") + Cell("td", "(absent)") +
               "</tr>\n";
    std::string out;
    for (const FieldChange& field : device.fields)
        out += "<tr>" + Cell("th", label + " " + PlainText(field.key)) +
               Cell("td", DataShown(field.oldData)) + Cell("td", DataShown(field.newData)) +
               "</tr>\n";
    return out;
}

std::string HtmlTable(const Comparison& c, const SectionChange& section) {
    std::string out = "<h2>" + EscapeHtml(section.title) + "</h2>\n<table>\n<tr>" + Cell("th", "") +
                      Cell("th", SideName(c.oldName)) + Cell("th", SideName(c.newName)) + "</tr>\n";
    for (const RowChange& row : section.rows)
        out += "<tr>" + Cell("th", row.caption) + Cell("td", Shown(row.oldValue)) +
               Cell("td", Shown(row.newValue)) + "</tr>\n";
    for (const DeviceChange& device : section.devices)
        out += DeviceRows(device);
    return out + "</table>\n";
}

std::string Html(const Comparison& c) {
    std::string heading = SideName(c.oldName) + kArrow + SideName(c.newName);
    std::string out = HtmlPageStart("Hardlens: " + heading, kStyle);
    out += "<h1>" + EscapeHtml(heading) + "</h1>\n";
    if (c.sections.empty()) out += "<p>No differences.</p>\n";
    for (const SectionChange& section : c.sections)
        out += HtmlTable(c, section);
    return out + kHtmlPageEnd;
}

} // namespace

std::string ComparisonDocument(const Comparison& c, const std::string& format) {
    if (format == "json") return Json(c);
    if (format == "html") return Html(c);
    return Text(c);
}

} // namespace hl
