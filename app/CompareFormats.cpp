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

std::string Text(const Comparison& c) {
    if (c.sections.empty()) return "";
    std::string out = "Old: " + SideName(c.oldName) + "\nNew: " + SideName(c.newName) + "\n";
    for (const SectionChange& section : c.sections) {
        out += "\n" + section.title + "\n";
        for (const RowChange& row : section.rows)
            out += "  " + row.caption + ": " + Shown(row.oldValue) + kArrow + Shown(row.newValue) +
                   "\n";
    }
    return out;
}

json RowJson(const RowChange& row) {
    return {{"key", row.key},      {"caption", row.caption},  {"old", row.oldValue},
            {"new", row.newValue}, {"old_data", row.oldData}, {"new_data", row.newData}};
}

std::string Json(const Comparison& c) {
    json sections = json::array();
    for (const SectionChange& section : c.sections) {
        json rows = json::array();
        for (const RowChange& row : section.rows)
            rows.push_back(RowJson(row));
        sections.push_back({{"id", section.id}, {"title", section.title}, {"rows", rows}});
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

std::string HtmlTable(const Comparison& c, const SectionChange& section) {
    std::string out = "<h2>" + EscapeHtml(section.title) + "</h2>\n<table>\n<tr>" + Cell("th", "") +
                      Cell("th", SideName(c.oldName)) + Cell("th", SideName(c.newName)) + "</tr>\n";
    for (const RowChange& row : section.rows)
        out += "<tr>" + Cell("th", row.caption) + Cell("td", Shown(row.oldValue)) +
               Cell("td", Shown(row.newValue)) + "</tr>\n";
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
