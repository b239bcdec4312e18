#include "InventoryFormats.h"

#include "HtmlPage.h"
#include "core/PlainText.h"
#include "core/TextFormats.h"

#include <string_view>

namespace hl {

namespace {

using nlohmann::json;

std::string Dumped(const json& value) {
    // A device name that is not valid UTF-8 must still give valid output.
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

// A spreadsheet opens a cell that starts with one of these as a formula.
bool LooksLikeFormula(const std::string& text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string::npos;
}

// RFC 4180: CRLF line ends; a field with a comma, quote, CR or LF quoted, its quotes doubled.
// A text cell is neutralised as every output is, and one that a spreadsheet would take for a
// formula gets a leading "'"; numbers and booleans stay as they are, so that they stay numbers.
class CsvWriter : public InventoryWriter {
public:
    explicit CsvWriter(std::ostream& out) : out_(out) {}
    void Begin(const std::vector<std::string>& columns) override {
        std::vector<json> header(columns.begin(), columns.end());
        Line(header);
    }
    void Line(const std::vector<json>& cells) override {
        for (size_t i = 0; i < cells.size(); ++i)
            out_ << (i ? "," : "") << Field(TextOf(cells[i]));
        out_ << "\r\n";
    }
    void End() override {}

private:
    static std::string TextOf(const json& cell) {
        if (!cell.is_string()) return CellText(cell);
        std::string text = PlainText(cell.get<std::string>());
        return LooksLikeFormula(text) ? "'" + text : text;
    }
    static std::string Field(const std::string& text) {
        if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
        std::string quoted = "\"";
        for (char c : text)
            quoted += c == '"' ? "\"\"" : std::string(1, c);
        return quoted + "\"";
    }
    std::ostream& out_;
};

// An array of objects, one written per machine: a reader can start before the last one.
class JsonWriter : public InventoryWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}
    void Begin(const std::vector<std::string>& columns) override {
        columns_ = columns;
        out_ << "[";
    }
    void Line(const std::vector<json>& cells) override {
        out_ << (first_ ? "\n  {" : ",\n  {");
        for (size_t i = 0; i < cells.size(); ++i)
            out_ << (i ? ", " : "") << Dumped(columns_[i]) << ": " << Dumped(cells[i]);
        out_ << "}";
        first_ = false;
    }
    void End() override { out_ << (first_ ? "]\n" : "\n]\n"); }

private:
    std::ostream& out_;
    std::vector<std::string> columns_;
    bool first_ = true;
};

const char* const kStyle = "body { font-family: sans-serif; }\n"
                           "table { border-collapse: collapse; }\n"
                           "th, td { border: 1px solid #999; padding: 2px 6px; }\n"
                           "th { background: #dde; cursor: pointer; }\n";

// Sorts by the clicked column, again the other way; a column of numbers sorts as numbers.
const char* const kSortScript = R"(<script>
document.querySelectorAll("thead th").forEach(function (th, i) {
  th.addEventListener("click", function () {
    var body = document.querySelector("tbody"), rows = Array.from(body.rows);
    var text = function (r) { return r.cells[i].textContent; };
    var numeric = rows.every(function (r) { return text(r) === "" || isFinite(text(r)); });
    var key = function (r) { return numeric ? (text(r) === "" ? -Infinity : +text(r)) : text(r); };
    var way = th.dataset.way === "up" ? -1 : 1;
    th.dataset.way = way === 1 ? "up" : "down";
    rows.sort(function (a, b) {
      var x = key(a), y = key(b);
      return way * (numeric ? (x < y ? -1 : x > y ? 1 : 0) : String(x).localeCompare(y));
    });
    rows.forEach(function (r) { body.appendChild(r); });
  });
});
</script>
)";

class HtmlWriter : public InventoryWriter {
public:
    explicit HtmlWriter(std::ostream& out) : out_(out) {}
    void Begin(const std::vector<std::string>& columns) override {
        out_ << HtmlPageStart("Hardlens inventory", kStyle) << "<table>\n<thead><tr>";
        for (const std::string& column : columns)
            out_ << "<th>" << EscapeHtml(column) << "</th>";
        out_ << "</tr></thead>\n<tbody>\n";
    }
    void Line(const std::vector<json>& cells) override {
        out_ << "<tr>";
        for (const json& cell : cells)
            out_ << "<td>" << EscapeHtml(CellText(cell)) << "</td>";
        out_ << "</tr>\n";
    }
    void End() override { out_ << "</tbody>\n</table>\n" << kSortScript << kHtmlPageEnd; }

private:
    std::ostream& out_;
};

} // namespace

std::string CellText(const json& cell) {
    if (cell.is_null()) return "";
    if (cell.is_string()) return cell.get<std::string>();
    return Dumped(cell);
}

std::unique_ptr<InventoryWriter> MakeInventoryWriter(const std::string& format, std::ostream& out) {
    if (format == "json") return std::make_unique<JsonWriter>(out);
    if (format == "html") return std::make_unique<HtmlWriter>(out);
    return std::make_unique<CsvWriter>(out);
}

} // namespace hl
