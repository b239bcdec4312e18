#pragma once

#include <memory>
#include <optional>
#include <string>

namespace hl {

// The three settings on platforms without a registry: one small "Name=Value" text file.
// It is read once, at the first use, and every copy of a store shares what was read: the
// program is its only writer while it runs. A damaged file reads as missing values; writes go
// through a temporary file and a rename so that a crash never leaves half a file.
class SettingsStore {
public:
    explicit SettingsStore(std::string filePath);
    // $XDG_CONFIG_HOME/hardlens/settings, else ~/.config/hardlens/settings.
    static std::string DefaultPath();

    std::optional<std::string> Read(const std::string& name) const;
    // False when the file cannot be written; the caller decides whether that matters.
    bool Write(const std::string& name, const std::string& value) const;
    const std::string& Path() const { return path_; }
    // Why the file in place was passed over ("is not a regular file"), "" when it was read or
    // there is none yet. The program then runs on its defaults.
    std::string Refusal() const;

private:
    struct Contents;
    std::string path_;
    std::shared_ptr<Contents> contents_;
};

} // namespace hl
