#include "FuzzEntries.h"
#include "core/Navigation.h"
#include "core/PlatformError.h"
#include "core/SettingsStore.h"
#include "platform/snapshot/Snapshot.h"
#include "report/ReportChain.h"
#include "sections/Devices.h"
#include "sections/Sections.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <filesystem>
#include <string>

namespace hl::fuzz {

namespace {

std::tm Noon() {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 8;
    t.tm_hour = 12;
    return t;
}

[[noreturn]] void Escaped(const char* where, const char* what) {
    std::fprintf(stderr, "an exception escaped %s: %s\n", where, what);
    std::abort();
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

void Visit(App& app) {
    for (int n = 1; n <= kSectionCount; ++n) {
        MenuClick(app, n);
        MenuClick(app, n); // the Processor and CD/DVD redraw their kept values
    }
    for (int n = 1; n <= 13; ++n)
        SectionDevices(app, n);
    MenuClick(app, 2);
    Timer3_Timer(app);
    MenuClick(app, 4);
    Timer1_Timer(app);
    MenuClick(app, 6);
    Timer2_Timer(app);
    ReportDocuments d = BuildReport(app, Noon);
    if (d.html.rfind("<html>", 0) != 0 || !EndsWith(d.html, "</html>") ||
        !EndsWith(d.text, app.T(206) + "\r\n")) {
        std::fprintf(stderr, "the report lost its head or foot\n");
        std::abort();
    }
}

} // namespace

// A fuzzed recorded machine through every collector, every live monitor and the report. The
// first byte picks the language; the rest is the snapshot.
int Pipeline(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const char* const languages[] = {"English", "Spanish", "Dutch"};
    const char* language = languages[data[0] % 3];
    hl::Snapshot snapshot;
    try {
        snapshot =
            ParseSnapshot(std::string(reinterpret_cast<const char*>(data + 1), size - 1), "fuzz");
    } catch (const SnapshotError&) {
        return 0;
    }
    static const std::string settings = (std::filesystem::temp_directory_path() /
                                         ("hardlens-fuzz-settings-" + std::to_string(std::rand())))
                                            .string();
    std::remove(settings.c_str());
    SnapshotSource source(std::move(snapshot), SettingsStore(settings));
    App app(source, AllSections());
    app.settings.language = language;
    LoadLanguage(app.table, language);
    try {
        Visit(app);
    } catch (const std::exception& e) {
        Escaped("the collectors or the report", e.what());
    }
    return 0;
}

} // namespace hl::fuzz
