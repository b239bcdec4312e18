#include "SettingsStore.h"

#include "BoundedFile.h"
#include "OutputFile.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <sstream>
#include <vector>

namespace hl {

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// Only well-formed lines count; anything else in a damaged file is ignored.
Entries Parse(const std::string& text) {
    Entries entries;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0 || line.find('\0') != std::string::npos) continue;
        entries.emplace_back(line.substr(0, eq), line.substr(eq + 1));
    }
    return entries;
}

std::string Serialized(const Entries& entries) {
    std::string text;
    for (const auto& [key, value] : entries)
        text += key + "=" + value + "\n";
    return text;
}

} // namespace

struct SettingsStore::Contents {
    std::mutex guard; // the window gathers sections on a worker thread
    bool loaded = false;
    Entries entries;
    std::string refusal;

    // A FIFO, a device or an oversized file in its place reads as no settings, at once.
    void LoadOnce(const std::string& path) {
        if (loaded) return;
        loaded = true;
        BoundedText file = ReadBoundedFile(path, kSettingsCap);
        if (file.Ok())
            entries = Parse(file.bytes);
        else if (file.error != ENOENT)
            refusal = file.refusal;
    }
};

SettingsStore::SettingsStore(std::string filePath)
    : path_(std::move(filePath)), contents_(std::make_shared<Contents>()) {}

std::string SettingsStore::DefaultPath() {
#ifdef _WIN32
    // Only a recorded machine reads settings from here on Windows; the machine itself keeps
    // them in the registry.
    const char* appData = std::getenv("APPDATA");
    if (appData && *appData) return std::string(appData) + "\\hardlens\\settings";
#endif
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg && *xdg == '/')
        base = xdg;
    else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : ".") + "/.config";
    }
    return base + "/hardlens/settings";
}

std::optional<std::string> SettingsStore::Read(const std::string& name) const {
    std::lock_guard lock(contents_->guard);
    contents_->LoadOnce(path_);
    for (const auto& [key, value] : contents_->entries)
        if (key == name) return value;
    return std::nullopt;
}

std::string SettingsStore::Refusal() const {
    std::lock_guard lock(contents_->guard);
    contents_->LoadOnce(path_);
    return contents_->refusal;
}

bool SettingsStore::Write(const std::string& name, const std::string& value) const {
    // Refuse what Read could never find again rather than report it saved.
    using namespace std::string_literals;
    if (name.empty() || name.find_first_of("=\r\n\0"s) != std::string::npos ||
        value.find_first_of("\r\n\0"s) != std::string::npos)
        return false;
    std::lock_guard lock(contents_->guard);
    contents_->LoadOnce(path_);
    Entries entries = contents_->entries;
    bool replaced = false;
    for (auto& [key, v] : entries) {
        if (key == name) {
            v = value;
            replaced = true;
        }
    }
    if (!replaced) entries.emplace_back(name, value);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
    if (!WriteOutputFile(path_, Serialized(entries)).ok) return false;
    contents_->entries = std::move(entries);
    return true;
}

} // namespace hl
