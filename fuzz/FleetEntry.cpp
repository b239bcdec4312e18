// The fleet requests over fuzzed recordings: --compare of two machines in its three formats,
// and an inventory line of the second in CSV, HTML and JSON.
#include "FuzzEntries.h"
#include "app/Collect.h"
#include "app/Compare.h"
#include "app/CompareFormats.h"
#include "app/DeviceRows.h"
#include "app/Inventory.h"
#include "app/InventoryFormats.h"
#include "platform/snapshot/Snapshot.h"

#include <filesystem>
#include <sstream>
#include <string>

namespace hl::fuzz {

namespace {

using nlohmann::json;

// What a text or HTML document may not carry: controls other than its own line ends, DEL, C1
// controls and bidi marks.
bool HasHiddenControl(const std::string& doc) {
    for (size_t i = 0; i < doc.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(doc[i]);
        unsigned char next = i + 1 < doc.size() ? static_cast<unsigned char>(doc[i + 1]) : 0;
        unsigned char third = i + 2 < doc.size() ? static_cast<unsigned char>(doc[i + 2]) : 0;
        if ((c < 0x20 && c != '\r' && c != '\n') || c == 0x7F) return true;
        if (c == 0xC2 && next >= 0x80 && next <= 0x9F) return true;
        if (c == 0xE2 && ((next == 0x80 && third >= 0xAA && third <= 0xAE) ||
                          (next == 0x81 && third >= 0xA6 && third <= 0xA9)))
            return true;
    }
    return false;
}

json Collected(const std::string& text, const std::string& settings) {
    SnapshotSource source(ParseSnapshot(text, "fuzz"), SettingsStore(settings));
    std::vector<int> every;
    for (int n = 1; n <= kSectionCount; ++n)
        every.push_back(n);
    return CollectReport(source, {"English", "Blue", false}, every);
}

void Inventory(const json& report) {
    auto rows = RowsByKey(report);
    std::vector<json> cells;
    for (const std::string& column : DefaultColumns()) {
        auto row = rows.find(column);
        cells.push_back(row != rows.end() ? RowCell(*row->second.row, row->second.section)
                                          : json());
    }
    for (const char* format : {"csv", "html", "json"}) {
        std::ostringstream out;
        auto writer = MakeInventoryWriter(format, out);
        writer->Begin(DefaultColumns());
        writer->Line(cells);
        writer->End();
        Expect(std::string(format) == "json" || !HasHiddenControl(out.str()),
               std::string("a hidden control in the inventory's ") + format);
        if (std::string(format) == "json")
            Expect(json::accept(out.str()), "the inventory's JSON does not parse");
    }
}

} // namespace

// Two recordings split at the first NUL byte (the same one twice without it).
int Fleet(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const std::string oldText = input.substr(0, split);
    const std::string newText = split == std::string::npos ? oldText : input.substr(split + 1);
    static const std::string settings = (std::filesystem::temp_directory_path() /
                                         ("hardlens-fuzz-fleet-" + std::to_string(std::rand())))
                                            .string();
    json oldReport, newReport;
    try {
        oldReport = Collected(oldText, settings);
        newReport = Collected(newText, settings);
    } catch (const SnapshotError&) {
        return 0;
    }
    try {
        Comparison c{"old\x1b.json", "new\n.json", Differences(oldReport, newReport, true)};
        Expect(split != std::string::npos || c.sections.empty(), "a machine differs from itself");
        for (const char* format : {"text", "html", "json"}) {
            std::string doc = ComparisonDocument(c, format);
            if (std::string(format) == "json")
                Expect(json::accept(doc), "the comparison's JSON does not parse");
            else
                Expect(!HasHiddenControl(doc) && doc.find('\x1b') == std::string::npos,
                       std::string("a hidden control in the comparison's ") + format);
        }
        Inventory(newReport);
    } catch (const std::exception& e) {
        Broken(std::string("an exception escaped the fleet requests: ") + e.what());
    }
    return 0;
}

} // namespace hl::fuzz
