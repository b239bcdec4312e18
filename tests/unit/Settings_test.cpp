#include "TestSupport.h"
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

} // namespace

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
