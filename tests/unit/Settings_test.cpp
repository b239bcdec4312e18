#include "TestSupport.h"
#include "core/LocaleText.h"
#include "core/Settings.h"
#include "core/SettingsStore.h"
#include "core/Skins.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace hl;
using hl::test::TempDir;

namespace {

struct Fixture {
    TempDir dir;
    SettingsStore store{dir.File("hardlens/settings")};
    SnapshotSource source{Snapshot{}, store};
    StringTable table;

    Settings Load() { return LoadSettings(source, table); }
    std::optional<std::string> Stored(const char* name) { return store.Read(name); }
};

// Sets the four language variables for one test and puts back what the run had.
class LocaleEnvironment {
public:
    LocaleEnvironment(const char* lcAll, const char* lcMessages, const char* lang,
                      const char* language = nullptr) {
        const char* values[] = {lcAll, lcMessages, lang, language};
        for (int i = 0; i < 4; ++i) {
            if (const char* old = std::getenv(kNames[i])) saved_[i] = old;
            if (values[i])
                ::setenv(kNames[i], values[i], 1);
            else
                ::unsetenv(kNames[i]);
        }
    }
    ~LocaleEnvironment() {
        for (int i = 0; i < 4; ++i)
            if (saved_[i])
                ::setenv(kNames[i], saved_[i]->c_str(), 1);
            else
                ::unsetenv(kNames[i]);
    }

private:
    static constexpr const char* kNames[4] = {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"};
    std::optional<std::string> saved_[4];
};

} // namespace

TEST(Settings, FirstRunSpeaksTheLanguageOfTheUsersLocale) {
    struct Case {
        const char *lcAll, *lcMessages, *lang, *expected, *language = nullptr;
    } cases[] = {
        {nullptr, nullptr, "es_AR.UTF-8", "Spanish"},
        {nullptr, nullptr, "nl_NL.UTF-8", "Dutch"},
        {nullptr, nullptr, "en_GB.UTF-8", "English"},
        {nullptr, nullptr, "de_DE.UTF-8", "English"},
        {nullptr, nullptr, "C", "English"},
        {nullptr, nullptr, nullptr, "English"},
        {nullptr, "nl_BE@euro", "es_ES.UTF-8", "Dutch"}, // LC_MESSAGES before LANG
        {"es", "nl_NL.UTF-8", "en_US.UTF-8", "Spanish"}, // LC_ALL before both
        {"", "", "nl_NL.UTF-8", "Dutch"},                // empty counts as unset
        {nullptr, nullptr, "nds_NL.UTF-8", "English"},   // Low German is not Dutch
        {nullptr, nullptr, "est_EE", "English"},
        // GNU's LANGUAGE list comes before all three; its first language spoken here wins.
        {"en_US.UTF-8", "en_US.UTF-8", "en_US.UTF-8", "Spanish", "es:en"},
        {"es_ES.UTF-8", nullptr, nullptr, "Dutch", "nl_BE:es"},
        {nullptr, nullptr, "nl_NL.UTF-8", "Spanish", "de:fr_FR:es_MX"}, // unspoken ones skipped
        {nullptr, nullptr, "nl_NL.UTF-8", "English", "en_GB:nl"},
        {nullptr, nullptr, "nl_NL.UTF-8", "Dutch", "de:fr"}, // none spoken: the locale
        {nullptr, nullptr, "es_ES.UTF-8", "Spanish", ""},    // empty counts as unset
        {nullptr, nullptr, "es_ES.UTF-8", "Spanish", ":::"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lang ? c.lang : "-") + " / " +
                     (c.lcMessages ? c.lcMessages : "-") + " / " + (c.lcAll ? c.lcAll : "-") +
                     " / " + (c.language ? c.language : "-"));
        LocaleEnvironment env(c.lcAll, c.lcMessages, c.lang, c.language);
        Fixture f;
        EXPECT_EQ(f.Load().language, c.expected);
        EXPECT_EQ(f.Stored(kIdioma), c.expected);
    }
}

TEST(Settings, ASavedLanguageWinsOverTheLocale) {
    LocaleEnvironment env(nullptr, nullptr, "es_AR.UTF-8");
    // An invalid saved value still falls back to English, not to the locale.
    const std::pair<const char*, const char*> cases[] = {{"Dutch", "Dutch"}, {"dutch", "English"}};
    for (const auto& [saved, expected] : cases) {
        Fixture f;
        ASSERT_TRUE(f.store.Write(kIdioma, saved));
        EXPECT_EQ(f.Load().language, expected) << saved;
    }
}

TEST(Settings, FirstRunWritesEnglishAndBlueButNoTransparency) {
    Fixture f;
    Settings s = f.Load();
    EXPECT_EQ(s.language, "English");
    EXPECT_EQ(s.skin, "Blue");
    EXPECT_EQ(s.transparency, 0);
    EXPECT_EQ(f.Stored(kIdioma), "English");
    EXPECT_EQ(f.Stored(kCaratula), "Blue");
    EXPECT_FALSE(f.Stored(kTransparencia).has_value());
    EXPECT_EQ(f.table[10], "Summary");
}

TEST(Settings, LanguageIsTrimmedButCaseSensitive) {
    Fixture f;
    f.store.Write(kIdioma, "  Dutch  ");
    EXPECT_EQ(f.Load().language, "Dutch");
    EXPECT_EQ(f.table[10], "Overzicht");
    EXPECT_EQ(f.Stored(kIdioma), "  Dutch  ");

    f.store.Write(kIdioma, "dutch");
    EXPECT_EQ(f.Load().language, "English");
    EXPECT_EQ(f.Stored(kIdioma), "English");
}

TEST(Settings, SkinWithInnerSpacesOrOtherCaseIsReset) {
    Fixture f;
    f.store.Write(kCaratula, " Violet ");
    EXPECT_EQ(f.Load().skin, "Violet");
    f.store.Write(kCaratula, "VIOLET");
    EXPECT_EQ(f.Load().skin, "Blue");
    EXPECT_EQ(f.Stored(kCaratula), "Blue");
}

TEST(Settings, TransparencyRange) {
    Fixture f;
    f.store.Write(kTransparencia, "80");
    EXPECT_EQ(f.Load().transparency, 80);
    EXPECT_EQ(f.Stored(kTransparencia), "80");
    for (const char* bad : {"81", "-1"}) {
        f.store.Write(kTransparencia, bad);
        EXPECT_EQ(f.Load().transparency, 0) << bad;
        EXPECT_EQ(f.Stored(kTransparencia), "0") << bad;
    }
}

TEST(Settings, NonNumericTransparencyCountsAsZeroAndIsNotWritten) {
    Fixture f;
    f.store.Write(kTransparencia, "half");
    EXPECT_EQ(f.Load().transparency, 0);
    EXPECT_EQ(f.Stored(kTransparencia), "half");
}

TEST(Settings, SavingWritesOnlyWhatChanged) {
    Fixture f;
    Settings opened{"English", "Blue", 0};
    Settings now = opened;
    SaveChangedSettings(f.source, now, opened);
    EXPECT_FALSE(f.Stored(kIdioma) || f.Stored(kCaratula) || f.Stored(kTransparencia));

    now.skin = "Pink";
    now.transparency = 35;
    SaveChangedSettings(f.source, now, opened);
    EXPECT_EQ(f.Stored(kCaratula), "Pink");
    EXPECT_EQ(f.Stored(kTransparencia), "35");
    EXPECT_FALSE(f.Stored(kIdioma).has_value());
}

TEST(Settings, DamagedStoreReadsAsMissingValues) {
    Fixture f;
    std::filesystem::create_directories(f.dir.File("hardlens"));
    hl::test::WriteFile(f.store.Path(), std::string("\x00\xff\xfe garbage\nIdioma\n=Dutch\n", 24));
    Settings s = f.Load();
    EXPECT_EQ(s.language, "English");
    EXPECT_EQ(s.skin, "Blue");
    EXPECT_EQ(f.Stored(kIdioma), "English");
}

TEST(Settings, StoreRefusesWhatItCouldNotReadBack) {
    Fixture f;
    using namespace std::string_literals;
    EXPECT_FALSE(f.store.Write("", "Dutch"));
    EXPECT_FALSE(f.store.Write("Idi\0oma"s, "Dutch"));
    EXPECT_FALSE(f.store.Write("Idioma", "Du\0tch"s));
    EXPECT_FALSE(f.store.Write("Idioma", "Dutch\r\n"));
    EXPECT_EQ(f.store.Read("Idioma"), std::nullopt);
    EXPECT_TRUE(f.store.Write("Idioma", "Dutch"));
    EXPECT_EQ(f.store.Read("Idioma"), "Dutch");
}

TEST(Settings, UnwritableStoreLeavesTheRunGoing) {
    if (::geteuid() == 0) GTEST_SKIP() << "root can write into read-only folders";
    Fixture f;
    std::filesystem::create_directories(f.dir.File("hardlens"));
    std::filesystem::permissions(f.dir.File("hardlens"), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::owner_exec);
    Settings s = f.Load();
    EXPECT_EQ(s.language, "English");
    EXPECT_FALSE(f.Stored(kIdioma).has_value());
}

TEST(Settings, StoreThatIsAFolderLeavesTheRunGoing) {
    Fixture f;
    std::filesystem::create_directories(f.store.Path()); // the file's place is taken
    Settings s = f.Load();
    EXPECT_EQ(s.language, "English");
    EXPECT_EQ(s.skin, "Blue");
    EXPECT_FALSE(f.store.Write(kIdioma, "Dutch"));
}

// A store kept in a dotfiles repository is a link; saving must not cut it.
TEST(Settings, StoreThatIsALinkKeepsPointingAtItsTarget) {
    Fixture f;
    std::filesystem::create_directories(f.dir.File("hardlens"));
    hl::test::WriteFile(f.dir.File("kept"), "Idioma=Dutch\n");
    std::filesystem::create_symlink(f.dir.File("kept"), f.store.Path());
    EXPECT_TRUE(f.store.Write(kCaratula, "Pink"));
    EXPECT_TRUE(std::filesystem::is_symlink(f.store.Path()));
    EXPECT_EQ(hl::test::ReadFile(f.dir.File("kept")), "Idioma=Dutch\nCar\xC3\xA1tula=Pink\n");
}

TEST(Skins, TableOfTheFourSkins) {
    ASSERT_NE(FindSkin("Pink"), nullptr);
    EXPECT_EQ(FindSkin("Pink")->title, (Rgb{255, 25, 147}));
    EXPECT_STREQ(FindSkin("Green")->frame[0], "ETopLeft");
    EXPECT_STREQ(FindSkin("Violet")->menuMarker, "OBotonMenu");
    EXPECT_EQ(FindSkin("Blue")->nameEntry, 215);
    EXPECT_STREQ(FindSkin("Blue")->htmlColour, "#0042dd");
    EXPECT_EQ(FindSkin("blue"), nullptr);
}
