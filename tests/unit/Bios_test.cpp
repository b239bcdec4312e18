#include "SectionTestSupport.h"
#include "TestSupport.h"
#include "core/Navigation.h"
#include "sections/Sections.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

namespace {

Props KeystoneBios() {
    return {{"Name", " Keystone Firmware "}, {"Manufacturer", "Keystone Ltd."},
            {"SMBIOSBIOSVersion", "1.40"},   {"ReleaseDate", "20080115000000.000000+000"},
            {"SerialNumber", "KS-0042"},     {"PrimaryBIOS", true},
            {"SMBIOSMajorVersion", 2}};
}

Snapshot MachineWith(const Props& bios) {
    return MachineBuilder().Instance("Win32_BIOS", bios).Build();
}

} // namespace

TEST(Bios, ShowsTheSevenRowsOfTheFirstInstance) {
    TestApp app(MachineBuilder()
                    .Instance("Win32_BIOS", KeystoneBios())
                    .Instance("Win32_BIOS", With(KeystoneBios(), "Name", "Second BIOS"))
                    .Build());
    app->area.Row(9).caption = "stale";
    MenuClick(*app, 8);

    const ValueArea& a = app->area;
    EXPECT_EQ(a.titulo, "Bios");
    const std::pair<const char*, const char*> rows[] = {
        {"Name: ", "Keystone Firmware"}, {"Manufacturer: ", "Keystone Ltd."},
        {"Version: ", "1.40"},           {"Released: ", "01/15/2008"},
        {"Serial number: ", "KS-0042"},  {"Main bios: ", "Yes"},
        {"SMBIOS: ", "Version 2"},
    };
    for (int r = 1; r <= 7; ++r) {
        EXPECT_EQ(a.Row(r).caption, rows[r - 1].first) << r;
        EXPECT_EQ(a.Row(r).value, rows[r - 1].second) << r;
        EXPECT_EQ(a.Row(r).valueTip, rows[r - 1].second) << r;
    }
    EXPECT_EQ(a.Row(9).caption, "");
    EXPECT_EQ(a.Row(1).captionColour, kDarkGrey);
    EXPECT_FALSE(a.imageLineVisible);
    EXPECT_FALSE(a.lavisoVisible);
    EXPECT_EQ(a.labelmi, "Done");
    EXPECT_EQ(a.icoPicture, "Sec8");
    EXPECT_EQ(app->main.currentSection, 8);
}

TEST(Bios, ReleaseDateFollowsTheLanguage) {
    const std::pair<const char*, const char*> cases[] = {
        {"Spanish", "15/01/2008"}, {"English", "01/15/2008"}, {"Dutch", "15-01-2008"}};
    for (const auto& [language, date] : cases) {
        TestApp app(MachineWith(KeystoneBios()), language);
        MenuClick(*app, 8);
        EXPECT_EQ(app->area.Row(4).value, date) << language;
    }
}

TEST(Bios, UnreadableOrZeroFactsShowUnknown) {
    struct Case {
        const char* property;
        Variant value;
        int row;
        const char* shown;
    } cases[] = {
        {"SMBIOSMajorVersion", 0, 7, "Unknown"},
        {"SMBIOSMajorVersion", Variant::Null(), 7, "Unknown"},
        {"ReleaseDate", Variant::Null(), 4, "Unknown"},
        {"SerialNumber", "  ", 5, "Unknown"},
        {"PrimaryBIOS", false, 6, "No"},
        {"PrimaryBIOS", Variant::Null(), 6, "Unknown"},
        {"Name", Variant::Null(), 1, "Unknown"},
    };
    for (const Case& c : cases) {
        TestApp app(MachineWith(With(KeystoneBios(), c.property, c.value)));
        MenuClick(*app, 8);
        EXPECT_EQ(app->area.Row(c.row).value, c.shown) << c.property;
        EXPECT_EQ(app->area.Row(2).value, "Keystone Ltd.") << c.property;
    }
}

TEST(Bios, AFailingBindingOrWalkLeavesTheRowsAsTheyWere) {
    for (bool failBinding : {true, false}) {
        TestApp app(MachineWith(KeystoneBios()));
        MenuClick(*app, 8);
        FaultInjectingSource broken(*app->source);
        broken.failConnect = failBinding;
        if (!failBinding) broken.failingClasses = {"Win32_BIOS"};
        app->source = &broken;
        MenuClick(*app, 8);
        EXPECT_EQ(app->area.Row(1).value, "Keystone Firmware");
        EXPECT_EQ(app->area.Row(7).value, "Version 2");
        EXPECT_NE(app->main.lastError, "");
        EXPECT_EQ(app->area.labelmi, "Error!");
    }
}

TEST(InformeBios, WritesTheSectionToBothDocuments) {
    TestApp app(MachineWith(KeystoneBios()));
    BuilderRun run(*app);
    InformeBios(run.ctx);
    EXPECT_EQ(run.writer.Text(), " Bios\r\n"
                                 "------------------\r\n"
                                 " \xC2\xB7 Name: Keystone Firmware\r\n"
                                 " \xC2\xB7 Manufacturer: Keystone Ltd.\r\n"
                                 " \xC2\xB7 Version: 1.40\r\n"
                                 " \xC2\xB7 Released: 01/15/2008\r\n"
                                 " \xC2\xB7 Serial number: KS-0042\r\n"
                                 " \xC2\xB7 Main bios: Yes\r\n"
                                 " \xC2\xB7 SMBIOS: Version 2\r\n\r\n\r\n");
    EXPECT_EQ(run.writer.Html(),
              "<font color=#0042dd size=4><strong><i>Bios</i></strong></font><br>\r\n"
              "------------------<br>\r\n"
              "<ul><li><strong>Name:</strong> Keystone Firmware<br>\r\n"
              "<li><strong>Manufacturer:</strong> Keystone Ltd.<br>\r\n"
              "<li><strong>Version:</strong> 1.40<br>\r\n"
              "<li><strong>Released:</strong> 01/15/2008<br>\r\n"
              "<li><strong>Serial number:</strong> KS-0042<br>\r\n"
              "<li><strong>Main bios:</strong> Yes<br>\r\n"
              "<li><strong>SMBIOS:</strong> Version 2<br>"
              "</ul><br><br>\r\n\r\n\r\n");
}

TEST(InformeBios, EnumeratesOnTheServiceOfAnEarlierBuilder) {
    TestApp app(MachineWith(KeystoneBios()));
    FaultInjectingSource counting(*app->source);
    app->source = &counting;
    BuilderRun run(*app);
    run.ctx.service = counting.ConnectWmi();
    InformeBios(run.ctx);
    EXPECT_EQ(counting.connects, 1);
    EXPECT_EQ(counting.instancesOfCalls["Win32_BIOS"], 1);
}

TEST(InformeBios, AFailedBindingStillWritesEveryRowAsUnknown) {
    TestApp app(MachineWith(KeystoneBios()));
    FaultInjectingSource broken(*app->source);
    broken.failConnect = true;
    app->source = &broken;
    BuilderRun run(*app);
    InformeBios(run.ctx);
    EXPECT_EQ(run.writer.Text(), " Bios\r\n"
                                 "------------------\r\n"
                                 " \xC2\xB7 Name: Unknown\r\n"
                                 " \xC2\xB7 Manufacturer: Unknown\r\n"
                                 " \xC2\xB7 Version: Unknown\r\n"
                                 " \xC2\xB7 Released: Unknown\r\n"
                                 " \xC2\xB7 Serial number: Unknown\r\n"
                                 " \xC2\xB7 Main bios: Unknown\r\n"
                                 " \xC2\xB7 SMBIOS: Unknown\r\n\r\n\r\n");
    EXPECT_NE(run.writer.Html().find("<li><strong>SMBIOS:</strong> Unknown<br></ul>"),
              std::string::npos);
}
