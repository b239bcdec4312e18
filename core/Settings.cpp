#include "Settings.h"

#include "LocaleText.h"
#include "Skins.h"
#include "Skip.h"

namespace hl {

std::string SettingPath(const char* valueName) {
    return std::string(kSettingsKey) + valueName;
}

Settings LoadSettings(DataSource& source, StringTable& table, bool writeBack) {
    Settings s;
    auto write = [&](const char* name, const char* value) {
        if (writeBack) Skip([&] { source.RegWrite(SettingPath(name), value); });
    };
    Skip([&] { s.language = source.RegRead(SettingPath(kIdioma)).Trimmed(); });
    if (s.language.empty()) {
        // Nothing saved yet: the language the user's session already speaks.
        s.language = LanguageOfUserLocale();
        write(kIdioma, s.language.c_str());
    } else if (!IsLanguage(s.language)) {
        write(kIdioma, "English");
        s.language = "English";
    }
    LoadLanguage(table, s.language);

    Skip([&] { s.skin = source.RegRead(SettingPath(kCaratula)).Trimmed(); });
    if (!FindSkin(s.skin)) {
        write(kCaratula, "Blue");
        s.skin = "Blue";
    }

    Skip([&] {
        s.transparency = Variant(source.RegRead(SettingPath(kTransparencia)).Trimmed()).ToInt32();
    });
    if (s.transparency < 0 || s.transparency > 80) {
        write(kTransparencia, "0");
        s.transparency = 0;
    }
    return s;
}

void SaveChangedSettings(DataSource& source, const Settings& now, const Settings& atOpening) {
    if (now.transparency != atOpening.transparency)
        Skip([&] { source.RegWrite(SettingPath(kTransparencia), Variant(now.transparency)); });
    if (now.language != atOpening.language)
        Skip([&] { source.RegWrite(SettingPath(kIdioma), now.language); });
    if (now.skin != atOpening.skin)
        Skip([&] { source.RegWrite(SettingPath(kCaratula), now.skin); });
}

} // namespace hl
