#pragma once

#include <optional>
#include <string>

namespace hl {

// The three settings on platforms without a registry: one small "Name=Value" text file.
// A damaged file reads as missing values; writes go through a temporary file and a rename so
// that a crash never leaves half a file.
class SettingsStore {
public:
    explicit SettingsStore(std::string filePath) : path_(std::move(filePath)) {}
    // $XDG_CONFIG_HOME/hardlens/settings, else ~/.config/hardlens/settings.
    static std::string DefaultPath();

    std::optional<std::string> Read(const std::string& name) const;
    // False when the file cannot be written; the caller decides whether that matters.
    bool Write(const std::string& name, const std::string& value) const;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

} // namespace hl
