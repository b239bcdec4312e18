#include "SettingsStore.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>
#include <filesystem>

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

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

} // namespace

std::string SettingsStore::DefaultPath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg && *xdg == '/') base = xdg;
    else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : ".") + "/.config";
    }
    return base + "/hardlens/settings";
}

std::optional<std::string> SettingsStore::Read(const std::string& name) const {
    for (const auto& [key, value] : Parse(ReadAll(path_)))
        if (key == name) return value;
    return std::nullopt;
}

bool SettingsStore::Write(const std::string& name, const std::string& value) const {
    if (name.find_first_of("=\r\n") != std::string::npos ||
        value.find_first_of("\r\n") != std::string::npos)
        return false;
    Entries entries = Parse(ReadAll(path_));
    bool replaced = false;
    for (auto& [key, v] : entries) {
        if (key == name) {
            v = value;
            replaced = true;
        }
    }
    if (!replaced) entries.emplace_back(name, value);
    std::string text;
    for (const auto& [key, v] : entries) text += key + "=" + v + "\n";
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
    return WriteFileAtomically(path_, text);
}

bool WriteFileAtomically(const std::string& path, const std::string& contents) {
    std::string temp = path + ".tmp-" + std::to_string(::getpid());
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (::fsync(::fileno(f)) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    if (ok && std::rename(temp.c_str(), path.c_str()) == 0) return true;
    std::remove(temp.c_str());
    return false;
}

} // namespace hl
