#pragma once

#include "core/App.h"
#include "core/OutputFile.h"
#include "core/SettingsStore.h"

#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

namespace hl {

// What the command line chooses for every report it collects; empty texts keep the saved
// settings.
struct ReportChoices {
    std::string language, skin;
    bool privateValues = false;
};

// The machine a report reads: the recording `snapshot`, else this one (or the Linux tree under
// `root`). Throws SnapshotError for a snapshot that cannot be read.
std::unique_ptr<DataSource> OpenMachine(const std::string& snapshot, const std::string& root,
                                        const SettingsStore& store);

// The settings saved for the window (never written back), then the choices over them.
void SetUpApp(App& app, const ReportChoices& choices);

// The given sections of the machine `source` serves, collected as --format json writes them and
// read back as a document: the rows gain whatever the JSON report gives them; with `details`
// each section also holds its "devices".
nlohmann::json CollectReport(DataSource& source, const ReportChoices& choices,
                             const std::vector<int>& sections, bool details = false);

// The number of the section whose JSON id is `id`; 0 for none.
int SectionOfId(const std::string& id);

// What a row stands for: its typed `data` (for a row of a collected report that holds
// "data_from", the data of that row of its `section`), or its shown text where the report does
// not type its rows.
const nlohmann::json& RowData(const nlohmann::json& row, const nlohmann::json* section = nullptr);

// A row of a collected report and the section it is in, by the row's key.
struct RowInReport {
    const nlohmann::json* row;
    const nlohmann::json* section;
};
std::unordered_map<std::string, RowInReport> RowsByKey(const nlohmann::json& report);

// One line of the program's own on `err`, "hardlens-report: " and the message. File names, keys
// and texts from a recording are in it: they are neutralised, so that none forges a line or
// drives the terminal.
void Say(std::ostream& err, const std::string& message);

// Writes a document to --output as WriteOutputFile does; false, and the reason told on `err`,
// when it cannot.
bool WriteOrSay(const std::string& path, const std::string& bytes, std::ostream& err);
bool WriteOrSay(const std::string& path, const DocumentPieces& pieces, std::ostream& err);

} // namespace hl
