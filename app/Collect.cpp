#include "Collect.h"

#include "core/OutputFile.h"
#include "core/PlainText.h"
#include "core/Settings.h"
#include "platform/MachineSource.h"
#include "platform/snapshot/Snapshot.h"
#include "report/JsonReport.h"
#include "sections/Sections.h"

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

nlohmann::json CollectReport(DataSource& source, const ReportChoices& choices,
                             const std::vector<int>& sections, bool details) {
    App app(source, AllSections());
    SetUpApp(app, choices);
    // Read back from the written text, which has bad UTF-8 replaced and, when private, the login
    // masked in paths: scripts and the inventory then see what --format json prints.
    std::string document = JsonReport(app, sections, details);
    if (choices.privateValues)
        document = MaskLoginInPaths(document, source.ReadEnvironment("USERNAME"));
    return nlohmann::json::parse(document);
}

int SectionOfId(const std::string& id) {
    for (int n = 1; n <= kSectionCount; ++n)
        if (id == AllSections().RowsOf(n).id) return n;
    return 0;
}

const nlohmann::json& RowData(const nlohmann::json& row) {
    auto data = row.find("data");
    return data != row.end() ? *data : row.at("value");
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
