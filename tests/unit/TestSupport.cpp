#include "TestSupport.h"

#include "sections/Sections.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

namespace hl::test {

TempDir::TempDir() {
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = base / ("hardlens-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate.string();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary);
    out << contents;
}

std::string DataPath(const std::string& relative) {
    return std::string(HARDLENS_TEST_DATA) + "/" + relative;
}

Props With(Props props, const std::string& name, Variant value) {
    for (auto& [n, v] : props)
        if (n == name) v = std::move(value);
    return props;
}

MachineBuilder& MachineBuilder::Instance(const std::string& cls, Props props) {
    for (auto& [name, objects] : snapshot_.wmi) {
        if (name == cls) {
            objects.emplace_back(std::move(props));
            return *this;
        }
    }
    snapshot_.wmi.emplace_back(cls, std::vector<WmiObject>{WmiObject(std::move(props))});
    return *this;
}

MachineBuilder& MachineBuilder::Registry(const std::string& path, Variant value) {
    snapshot_.registry.emplace_back(path, std::move(value));
    return *this;
}

MachineBuilder& MachineBuilder::Environment(const std::string& name, const std::string& value) {
    snapshot_.environment.emplace_back(name, value);
    return *this;
}

MachineBuilder& MachineBuilder::Binary(const std::string& path, std::vector<uint8_t> bytes) {
    snapshot_.binary.emplace_back(path, std::move(bytes));
    return *this;
}

MachineBuilder& MachineBuilder::TickCount(int64_t ticks) {
    snapshot_.tickCount = ticks;
    return *this;
}

MachineBuilder& MachineBuilder::MouseButtons(int32_t buttons) {
    snapshot_.mouseButtons = buttons;
    return *this;
}

MachineBuilder& MachineBuilder::WithRegional(Regional r) {
    snapshot_.regional = std::move(r);
    return *this;
}

TestApp::TestApp(Snapshot snapshot, const std::string& language, const std::string& skin) {
    source =
        std::make_unique<SnapshotSource>(std::move(snapshot), SettingsStore(dir.File("settings")));
    app = std::make_unique<App>(*source, AllSections());
    app->settings.language = language;
    app->settings.skin = skin;
    LoadLanguage(app->table, language);
}

ReportRun RunCommand(const std::string& command) {
    ReportRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

ReportRun RunReportTool(const std::string& arguments, bool withErrors) {
    TempDir config;
    return RunCommand("XDG_CONFIG_HOME='" + config.Path() + "' '" + HARDLENS_REPORT_EXE + "' " +
                      arguments + (withErrors ? " 2>&1" : " 2>/dev/null"));
}

} // namespace hl::test
