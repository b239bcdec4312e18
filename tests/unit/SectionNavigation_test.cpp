#include "SectionTestSupport.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

TEST(SectionNavigation, ClickWhilePanelIsOpenDoesNothing) {
    for (int panel : {kCustomizePanel, kReportPanel, kAboutBox}) {
        FaultyApp t(FixtureMachine());
        MenuClick(*t, 2);
        ASSERT_TRUE(OpenPanel(*t, panel));
        int connects = t.faulty.connects;
        for (int n = 1; n <= 7; ++n)
            MenuClick(*t, n);
        EXPECT_EQ(t.faulty.connects, connects) << panel;
        EXPECT_EQ(t->main.currentSection, panel);
        EXPECT_EQ(t->area.titulo, "");
        EXPECT_EQ(t->main.menu.textColour, kMenuGrey);
    }
}

TEST(SectionNavigation, ClickingTheShownEntryDoesNotSayGettingInformation) {
    for (int n = 1; n <= 7; ++n) {
        FaultyApp t(FixtureMachine());
        std::vector<std::string> atBind;
        t.faulty.onConnect = [&] { atBind.push_back(t->area.labelmi); };
        MenuClick(*t, n == 1 ? 2 : 1);
        atBind.clear();
        MenuClick(*t, n);
        ASSERT_FALSE(atBind.empty()) << n;
        EXPECT_EQ(atBind.front(), "Getting information...") << n;
        EXPECT_EQ(t->area.labelmi, "Done") << n;
        if (n == 5) continue; // the Processor redraws without reading anything
        atBind.clear();
        MenuClick(*t, n);
        ASSERT_FALSE(atBind.empty()) << n;
        EXPECT_EQ(atBind.front(), "Done") << n;
        EXPECT_EQ(t->area.labelmi, "Done") << n;
    }
}

TEST(SectionNavigation, ClosingAPanelCollectsTheSectionShownBeforeIt) {
    TestApp t(FixtureMachine());
    MenuClick(*t, 4);
    ASSERT_TRUE(OpenPanel(*t, kReportPanel));
    EXPECT_FALSE(t->main.timer1Enabled);
    MenuClick(*t, 6); // ignored: the panel is open
    ClosePanel(*t);
    EXPECT_EQ(t->main.currentSection, 4);
    EXPECT_EQ(t->area.titulo, "Operating system");
    EXPECT_EQ(t->area.Row(11).value, "1,536 MB (37%) of 4,096 MB");
    EXPECT_TRUE(t->main.timer1Enabled);
    EXPECT_EQ(t->area.labelmi, "Done");
}

TEST(SectionNavigation, ProcessorRedrawnAfterAPanelGathersAgain) {
    FaultyApp t(FixtureMachine());
    MenuClick(*t, 5);
    int reads = t.faulty.registryReads;
    ASSERT_TRUE(OpenPanel(*t, kAboutBox));
    ClosePanel(*t);
    // Closing restores CurrentSection before the click, so the shortcut applies.
    EXPECT_EQ(t.faulty.registryReads, reads);
    EXPECT_EQ(t->area.Row(2).value, "4 - (Quad core)");
}
