#pragma once

#include "DataSource.h"
#include "StringTable.h"

#include <cstdint>
#include <string>

namespace hl {

// The three persisted choices in force: CurrentLanguage, CurrentSkin, CurrentTransparency.
struct Settings {
    std::string language;
    std::string skin;
    int32_t transparency = 0;
    bool operator==(const Settings&) const = default;
};

std::string SettingPath(const char* valueName);
inline constexpr const char* kIdioma = "Idioma";
inline constexpr const char* kCaratula = "Car\xC3\xA1tula";
inline constexpr const char* kTransparencia = "Transparencia";

// Start-up: reads, trims and validates the three values, writing the defaults back for an
// invalid language or skin (a language never saved comes from the user's locale) and "0" for a
// transparency outside 0 to 80, and fills the table for the language. Failed reads and writes never
// stop it. Without writeBack nothing is written (the command-line companion reads the settings but
// leaves them to the window).
Settings LoadSettings(DataSource& source, StringTable& table, bool writeBack = true);

// Accepting the customize panel: writes only the values that differ from the copies taken when
// the panel opened. Failed writes are ignored.
void SaveChangedSettings(DataSource& source, const Settings& now, const Settings& atOpening);

} // namespace hl
