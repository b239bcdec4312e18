#include "Inventory.h"

#include "DeviceColumns.h"
#include "DeviceRows.h"
#include "InventoryFormats.h"
#include "core/Variant.h"
#include "platform/snapshot/Snapshot.h"
#include "sections/Sections.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <unordered_map>
#include <utility>

namespace hl {

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

const char* const kFile = "file";
const char* const kMachine = "machine";

bool IsRowKey(const std::string& key) {
    if (key.empty()) return false;
    for (int n = 1; n <= kSectionCount; ++n)
        for (int r = 1; r <= 12; ++r)
            if (RowKey(AllSections().RowsOf(n), r) == key) return true;
    return false;
}

// Only the sections a column reads are collected.
std::vector<int> SectionsFor(const std::vector<std::string>& columns) {
    std::vector<int> sections;
    for (const std::string& column : columns) {
        int n = SectionOfId(column.substr(0, column.find('.')));
        if (n && std::find(sections.begin(), sections.end(), n) == sections.end())
            sections.push_back(n);
    }
    std::sort(sections.begin(), sections.end());
    return sections;
}

std::string MachineName(const Snapshot& s, const fs::path& file) {
    for (const auto& [cls, objects] : s.wmi)
        if (cls == "Win32_ComputerSystem" && !objects.empty()) {
            std::string name = TrimSpaces(objects.front().Get("Name").JoinText());
            if (!name.empty()) return name;
            break;
        }
    return file.stem().string();
}

class Inventory {
public:
    Inventory(const InventoryRequest& r, const SettingsStore& store, InventoryWriter& writer)
        : r_(r), store_(store), writer_(writer), sections_(SectionsFor(r.columns)),
          details_(std::any_of(r.columns.begin(), r.columns.end(), IsDeviceColumn)) {}

    // The recording is read, collected and written, and nothing of it kept.
    void Add(const fs::path& file) {
        Snapshot snapshot = LoadSnapshotFile(file.string());
        std::string machine = MachineName(snapshot, file);
        SnapshotSource source(std::move(snapshot), store_);
        json report = CollectReport(source, r_.choices, sections_, details_);
        auto rows = RowsByKey(report);
        std::vector<json> cells;
        for (const std::string& column : r_.columns) {
            auto row = rows.find(column);
            cells.push_back(column == kFile      ? json(file.filename().string())
                            : column == kMachine ? json(machine)
                            : row != rows.end()  ? RowCell(*row->second.row, row->second.section)
                            : IsDeviceColumn(column) ? DeviceColumnCell(report, column)
                                                     : json());
        }
        writer_.Line(cells);
    }

private:
    const InventoryRequest& r_;
    const SettingsStore& store_;
    InventoryWriter& writer_;
    std::vector<int> sections_;
    bool details_; // a column reads devices
};

// The recordings a path names: the file itself, or the *.json entries directly in the folder,
// by name. Every such entry is taken, whatever it is: a FIFO, a device, a dangling link or a
// folder is then refused by name when read, not passed over in silence. Only the names are kept: a
// path object per file of a large folder took more memory than the recording being read.
struct Recordings {
    fs::path folder;
    std::vector<std::string> names;
};

Recordings RecordingsIn(const std::string& path) {
    if (!fs::is_directory(path)) return {"", {path}};
    Recordings found{path, {}};
    for (const fs::directory_entry& entry : fs::directory_iterator(path))
        if (entry.path().extension() == ".json")
            found.names.push_back(entry.path().filename().string());
    std::sort(found.names.begin(), found.names.end());
    return found;
}

bool Refused(std::ostream& err, const std::string& what) {
    Say(err, what);
    return false;
}

// False when some recording, or a folder, could not be read.
bool AddAll(const InventoryRequest& r, Inventory& inventory, std::ostream& err) {
    bool ok = true;
    for (const std::string& path : r.paths) {
        Recordings found;
        try {
            found = RecordingsIn(path);
        } catch (const fs::filesystem_error& e) {
            ok = Refused(err, path + ": " + e.code().message());
        }
        for (const std::string& name : found.names) {
            const fs::path file = found.folder.empty() ? fs::path(name) : found.folder / name;
            try {
                inventory.Add(file);
            } catch (const SnapshotError& e) { // names the file itself
                ok = Refused(err, e.what());
            } catch (const std::runtime_error& e) {
                ok = Refused(err, file.string() + ": " + e.what());
            }
        }
    }
    return ok;
}

} // namespace

const std::vector<std::string>& DefaultColumns() {
    static const std::vector<std::string> kColumns = {
        kMachine,
        "computer.manufacturer",
        "computer.model",
        "os.name",
        "processor.name",
        "processor.speed",
        "processor.cores",
        "memory.total",
        "memory.type",
        "disks.capacity",
        "disks.free_space",
        "bios.version",
        "bios.release_date",
        "display.adapter_name",
        "display.monitor_name",
    };
    return kColumns;
}

std::vector<std::string> SplitColumns(const std::string& list) {
    std::vector<std::string> columns;
    std::stringstream in(list);
    for (std::string column; std::getline(in, column, ',');)
        columns.push_back(column);
    if (list.empty() || list.back() == ',') columns.emplace_back();
    return columns;
}

std::optional<std::string> UnknownColumn(const std::vector<std::string>& columns) {
    for (const std::string& column : columns)
        if (column != kFile && column != kMachine && !IsRowKey(column) && !IsDeviceColumn(column))
            return column;
    return std::nullopt;
}

int RunInventory(const InventoryRequest& r, const SettingsStore& store, std::ostream& out,
                 std::ostream& err) {
    // The document goes to --output whole, as the report's does; printed, it streams.
    std::ostringstream kept;
    std::ostream& sink = r.output.empty() ? out : kept;
    std::unique_ptr<InventoryWriter> writer = MakeInventoryWriter(r.format, sink);
    writer->Begin(r.columns);
    Inventory inventory(r, store, *writer);
    bool ok = AddAll(r, inventory, err);
    writer->End();
    sink.flush();
    if (!r.output.empty() && !WriteOrSay(r.output, std::move(kept).str(), err)) return 1;
    return ok ? 0 : 1;
}

} // namespace hl
