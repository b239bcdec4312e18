#include "TestSupport.h"
#include "core/Navigation.h"

#include <gtest/gtest.h>

using namespace hl;
using hl::test::MachineBuilder;
using hl::test::TestApp;

TEST(Navigation, OpeningAPanelStopsTimersSavesTheSectionGreysTheMenuAndClearsRows) {
    TestApp t(MachineBuilder().Build());
    App& app = *t;
    app.main.currentSection = 4;
    app.main.timer1Enabled = true;
    app.area.titulo = "Operating system";
    app.area.Row(3) = {"Type: ", "64 Bits", "", "64 Bits"};
    app.area.labelmi = "Done";

    ASSERT_TRUE(OpenPanel(app, kCustomizePanel));
    EXPECT_FALSE(app.main.timer1Enabled || app.main.timer2Enabled || app.main.timer3Enabled);
    EXPECT_EQ(app.main.savedSection, 4);
    EXPECT_EQ(app.main.currentSection, kCustomizePanel);
    EXPECT_TRUE(app.main.panelOpen);
    EXPECT_EQ(app.main.menu.textColour, (Rgb{215, 215, 215}));
    EXPECT_EQ(app.main.menu.entryPointer[7], Pointer::Arrow);
    EXPECT_EQ(app.area.titulo, "");
    EXPECT_EQ(app.area.Row(3).caption + app.area.Row(3).value, "");
    EXPECT_EQ(app.area.labelmi, "");
    EXPECT_FALSE(app.area.imagenInfoVisible);
}

TEST(Navigation, ClicksAndTheAboutBoxAreIgnoredWhileAPanelIsOpen) {
    TestApp t(MachineBuilder().Build());
    App& app = *t;
    app.main.currentSection = 2;
    ASSERT_TRUE(OpenPanel(app, kCustomizePanel));
    MenuClick(app, 7);
    BM_Click(app, 7);
    EXPECT_EQ(app.main.currentSection, kCustomizePanel);
    EXPECT_EQ(app.main.selectedEntry, 0);
    EXPECT_FALSE(app.main.menu.markerShown[7]);
    EXPECT_FALSE(OpenPanel(app, kAboutBox));
    EXPECT_EQ(app.main.currentSection, kCustomizePanel);
}

TEST(Navigation, ClosingAPanelReturnsToTheSectionShownBeforeIt) {
    TestApp t(MachineBuilder().Build());
    App& app = *t;
    app.main.currentSection = 3;
    app.main.selectedEntry = 9; // the last entry clicked need not be the one shown
    ASSERT_TRUE(OpenPanel(app, kAboutBox));
    ClosePanel(app);
    EXPECT_FALSE(app.main.panelOpen);
    EXPECT_EQ(app.main.currentSection, 3);
    EXPECT_EQ(app.main.selectedEntry, 3);
    EXPECT_TRUE(app.main.menu.markerShown[3]);
    EXPECT_EQ(app.main.menu.textColour, (Rgb{250, 250, 250}));
    EXPECT_EQ(app.main.menu.entryPointer[1], Pointer::Hand);
    EXPECT_TRUE(app.area.imagenInfoVisible);
}

TEST(Navigation, AMenuClickMarksOnlyItsEntry) {
    TestApp t(MachineBuilder().Build());
    App& app = *t;
    MenuClick(app, 2);
    MenuClick(app, 5);
    EXPECT_EQ(app.main.selectedEntry, 5);
    for (int i = 1; i <= 16; ++i)
        EXPECT_EQ(app.main.menu.markerShown[i], i == 5) << i;
    BM_Click(app, 17);
    EXPECT_EQ(app.main.selectedEntry, 5) << "markers outside 1..16 do nothing";
}

TEST(Navigation, SectionIconsByCurrentSection) {
    struct Case {
        int section, removable, cd;
        const char *ico, *iaviso;
    } cases[] = {
        {1, 0, 0, "Sec1", ""},          {2, 0, 0, "Sec2", "Info"},      {3, 0, 0, "Sec3", ""},
        {10, 0, 0, "Sec10", ""},        {11, 0, 0, "Sec11b", "Alerta"}, {11, 1, 0, "Sec11a", "Ok"},
        {12, 0, 0, "Sec12b", "Alerta"}, {12, 0, 2, "Sec12a", "Ok"},     {13, 0, 0, "Sec13", ""},
        {14, 0, 0, "Sec14", ""},        {15, 0, 0, "Sec15", ""},        {16, 0, 0, "Sec16", ""},
        {97, 0, 0, "IOpc", ""},         {98, 0, 0, "IInf", ""},         {99, 0, 0, "IAC", ""},
    };
    for (const Case& c : cases) {
        IconPair icons = IconsFor(c.section, c.removable, c.cd);
        EXPECT_EQ(icons.ico, c.ico) << c.section;
        EXPECT_EQ(icons.iaviso, c.iaviso) << c.section;
    }
}

TEST(Navigation, ClearLabelsClearsCaptionsValuesAndTips) {
    TestApp t(MachineBuilder().Build());
    App& app = *t;
    for (int r = 1; r <= 12; ++r)
        WriteRow(app, r, "C: ", "v", "tip");
    ClearLabels(app, 19, 24);
    EXPECT_EQ(app.area.Row(9).value, "v");
    for (int r = 10; r <= 12; ++r) {
        EXPECT_EQ(app.area.Row(r).caption, "");
        EXPECT_EQ(app.area.Row(r).value, "");
        EXPECT_EQ(app.area.Row(r).captionTip, "");
        EXPECT_EQ(app.area.Row(r).valueTip, "");
    }
}

// A value's tool tip is the value, up to 4096 bytes; past that it is cut before the character
// that would cross the limit, never inside one, and ends with "…".
TEST(Navigation, ALongValuesToolTipIsCutAtACharacter) {
    const std::string ellipsis = "\xE2\x80\xA6";
    const std::string euro = "\xE2\x82\xAC"; // 3 bytes
    struct Case {
        const char* what;
        std::string value, tip;
    } cases[] = {
        {"short", "Intel(R) Core(TM)", "Intel(R) Core(TM)"},
        {"exactly the limit", std::string(4096, 'a'), std::string(4096, 'a')},
        {"one byte past", std::string(4097, 'a'), std::string(4096, 'a') + ellipsis},
        {"a character across the limit", std::string(4095, 'a') + euro + "b",
         std::string(4095, 'a') + ellipsis},
        {"a character ending at the limit", std::string(4093, 'a') + euro + "b",
         std::string(4093, 'a') + euro + ellipsis},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ValueTip(c.value), c.tip) << c.what;
}
