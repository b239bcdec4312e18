#include "Collect.h"

#include "core/OutputFile.h"
#include "core/PlainText.h"
#include "core/Settings.h"
#include "platform/MachineSource.h"
#include "platform/snapshot/Snapshot.h"
#include "report/JsonReport.h"
#include "sections/Sections.h"

#include <cmath>

namespace hl {

std::unique_ptr<DataSource> OpenMachine(const std::string& snapshot, const std::string& root,
                                        const SettingsStore& store) {
    if (!snapshot.empty())
        return std::make_unique<SnapshotSource>(LoadSnapshotFile(snapshot), store);
    return MakeMachineSource(store, root);
}

void SetUpApp(App& app, const ReportChoices& choices) {
    app.settings = LoadSettings(*app.source, app.table, /*writeBack=*/false);
    if (!choices.language.empty()) app.settings.language = choices.language;
    if (!choices.skin.empty()) app.settings.skin = choices.skin;
    LoadLanguage(app.table, app.settings.language);
    app.privateValues = choices.privateValues;
}

namespace {

using nlohmann::json;

// A value as the printed report gives it back when read: bad UTF-8 replaced, a number JSON
// cannot write (NaN, infinity) null, and, given a login, that login masked in paths as the
// printed text has it masked. Only texts that need it are printed and read back.
void AsPrinted(json& value, const std::string& login) {
    switch (value.type()) {
    case json::value_t::object:
    case json::value_t::array:
        for (json& member : value)
            AsPrinted(member, login);
        break;
    case json::value_t::number_float:
        if (!std::isfinite(value.get<double>())) value = nullptr;
        break;
    case json::value_t::string: {
        const std::string& text = value.get_ref<const std::string&>();
        if (IsWellFormedUtf8(text) && (login.empty() || text.find(login) == std::string::npos))
            break;
        const std::string printed = value.dump(-1, ' ', false, json::error_handler_t::replace);
        value = json::parse(MaskLoginInPaths(printed, login));
        break;
    }
    default: break;
    }
}

} // namespace

nlohmann::json CollectReport(DataSource& source, const ReportChoices& choices,
                             const std::vector<int>& sections, bool details) {
    App app(source, AllSections());
    SetUpApp(app, choices);
    // Scripts and the inventory see what --format json prints, without the printed text: a
    // report that repeats a list on every row is many times longer than the machine's facts.
    json document = JsonReportDocument(app, sections, details, /*listsOnce=*/true);
    AsPrinted(document, choices.privateValues ? source.ReadEnvironment("USERNAME") : "");
    return document;
}

int SectionOfId(const std::string& id) {
    for (int n = 1; n <= kSectionCount; ++n)
        if (id == AllSections().RowsOf(n).id) return n;
    return 0;
}

const nlohmann::json& RowData(const nlohmann::json& row, const nlohmann::json* section) {
    auto data = row.find("data");
    if (data != row.end()) return *data;
    auto from = row.find("data_from");
    if (from != row.end() && section)
        for (const json& other : section->at("rows"))
            if (other.value("key", "") == *from && other.contains("data")) return other["data"];
    return row.at("value");
}

std::unordered_map<std::string, RowInReport> RowsByKey(const nlohmann::json& report) {
    std::unordered_map<std::string, RowInReport> rows;
    for (const json& section : report.at("sections"))
        for (const json& row : section.at("rows"))
            rows.emplace(row.at("key").get<std::string>(), RowInReport{&row, &section});
    return rows;
}

void Say(std::ostream& err, const std::string& message) {
    err << "hardlens-report: " << PlainText(message) << "\n";
}

bool WriteOrSay(const std::string& path, const DocumentPieces& pieces, std::ostream& err) {
    WriteResult r = WriteOutputFile(path, pieces);
    if (!r.ok) Say(err, "cannot write " + r.reason);
    return r.ok;
}

bool WriteOrSay(const std::string& path, const std::string& bytes, std::ostream& err) {
    return WriteOrSay(
        path, [&bytes](const PieceSink& put) { put(bytes); }, err);
}

} // namespace hl
