#include "SectionTestSupport.h"
#include "TestSupport.h"
#include "core/CopyText.h"
#include "core/Navigation.h"
#include "sections/Sections.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

namespace {

Props Monitor() {
    return {{"Name", "Generic PnP Monitor"}, {"MonitorManufacturer", "Lumetra"}};
}

Props Adapter() {
    return {{"CurrentHorizontalResolution", 1280},
            {"CurrentVerticalResolution", 1024},
            {"CurrentBitsPerPixel", 32},
            {"CurrentRefreshRate", 60},
            {"MinRefreshRate", 56},
            {"MaxRefreshRate", 75},
            {"Name", "Corvex Graphics 9"},
            {"AdapterRAM", int64_t{1610612736}},
            {"AdapterDACType", "Integrated RAMDAC"},
            {"InstalledDisplayDrivers", "corvex.dll"},
            {"DriverVersion", "8.15.10.2302"},
            {"DriverDate", "20080115000000.000000-000"}};
}

MachineBuilder Machine(const Props& adapter = Adapter()) {
    MachineBuilder m;
    m.Instance("Win32_DesktopMonitor", Monitor()).Instance("Win32_VideoController", adapter);
    return m;
}

} // namespace

TEST(Display, CopyAllGivesTheMonitorAndTheCardSeparatedByAnEmptyLine) {
    TestApp app(Machine()
                    .Instance("Win32_DesktopMonitor", {{"Name", "Second monitor"}})
                    .Instance("Win32_VideoController", With(Adapter(), "Name", "Second card"))
                    .Build());
    MenuClick(*app, 9);
    EXPECT_EQ(CopyAllText(app->area, app->sections->RowsOf(9)),
              "Display\r\n\r\n"
              "Display name: Generic PnP Monitor\r\n"
              "Manufacturer: Lumetra\r\n"
              "Current configuration: 1280 x 1024 pixels, 32 bits, 60 Hz\r\n"
              "Update rate minimum and maximum: 56 Hz - 75 Hz\r\n"
              "\r\n"
              "Graphics card name: Corvex Graphics 9\r\n"
              "Memory size: 1.5 GB\r\n"
              "Memory type: Integrated RAMDAC\r\n"
              "Driver name: corvex.dll\r\n"
              "Driver version: 8.15.10.2302\r\n"
              "Driver date: 01/15/2008");
    const ValueArea& a = app->area;
    EXPECT_EQ(a.Row(3).captionTip, app->T(130));
    EXPECT_EQ(a.Row(4).captionTip, app->T(136));
    EXPECT_EQ(a.Row(6).captionTip, "");
    EXPECT_TRUE(a.imageLineVisible);
    EXPECT_EQ(a.imageLineAnchorLabel, 9);
    EXPECT_EQ(a.imageLineOffset, 10);
    EXPECT_EQ(a.Row(12).caption, "");
    EXPECT_EQ(a.icoPicture, "Sec9");
}

TEST(Display, RefreshRateRowFollowsWhichRatesArePresent) {
    struct Case {
        Variant min, max;
        const char* caption;
        const char* value;
        int tip;
    } cases[] = {
        {56, 75, "Update rate minimum and maximum: ", "56 Hz - 75 Hz", 136},
        {0, 75, "Maximum update rate: ", "75 Hz", 132},
        {Variant::Null(), 75, "Maximum update rate: ", "75 Hz", 132},
        {56, 0, "Minimum update rate: ", "56 Hz", 134},
        {0, 0, "Update rate minimum and maximum: ", "Unknown", 136},
    };
    for (const Case& c : cases) {
        TestApp app(Machine(With(With(Adapter(), "MinRefreshRate", c.min), "MaxRefreshRate", c.max))
                        .Build());
        MenuClick(*app, 9);
        EXPECT_EQ(app->area.Row(4).caption, c.caption) << c.value;
        EXPECT_EQ(app->area.Row(4).value, c.value);
        EXPECT_EQ(app->area.Row(4).captionTip, app->T(c.tip));
    }
}

TEST(Display, ConfigurationNeedsAllFourFiguresAndNoZero) {
    for (const char* property : {"CurrentRefreshRate", "CurrentHorizontalResolution",
                                 "CurrentVerticalResolution", "CurrentBitsPerPixel"}) {
        for (Variant missing : {Variant(0), Variant::Null(), Variant("")}) {
            TestApp app(Machine(With(Adapter(), property, missing)).Build());
            MenuClick(*app, 9);
            EXPECT_EQ(app->area.Row(3).value, "Unknown") << property;
        }
    }
}

TEST(Display, AdapterMemoryOnScreen) {
    struct Case {
        Variant ram;
        const char* shown;
    } cases[] = {
        {int64_t{268435456}, "256 MB"},
        {int64_t{4294967296}, "4 GB"}, // 2 GB and more no longer read "Unknown"
        {"4294967296", "4 GB"},
        {0, "Unknown"},
        {Variant::Null(), "Unknown"},
        {"lots", "Unknown"},
    };
    for (const Case& c : cases) {
        TestApp app(Machine(With(Adapter(), "AdapterRAM", c.ram)).Build());
        MenuClick(*app, 9);
        EXPECT_EQ(app->area.Row(7).value, c.shown);
    }
}

TEST(Display, DriverDateFollowsTheLanguage) {
    const std::pair<const char*, const char*> cases[] = {
        {"Spanish", "15/01/2008"}, {"English", "01/15/2008"}, {"Dutch", "15-01-2008"}};
    for (const auto& [language, date] : cases) {
        TestApp app(Machine().Build(), language);
        MenuClick(*app, 9);
        EXPECT_EQ(app->area.Row(11).value, date) << language;
    }
}

TEST(Display, AFailingBindingLeavesTheRowsAsTheyWere) {
    TestApp app(Machine().Build());
    MenuClick(*app, 9);
    FaultInjectingSource broken(*app->source);
    broken.failConnect = true;
    app->source = &broken;
    MenuClick(*app, 9);
    EXPECT_EQ(app->area.Row(1).value, "Generic PnP Monitor");
    EXPECT_EQ(app->area.Row(7).value, "1.5 GB");
    EXPECT_NE(app->main.lastError, "");
}

TEST(Display, OnceAMonitorIsFoundAFailingCardWalkIsSkipped) {
    TestApp app(Machine().Build());
    FaultInjectingSource broken(*app->source);
    broken.failingClasses = {"Win32_VideoController"};
    app->source = &broken;
    MenuClick(*app, 9);
    EXPECT_EQ(app->main.lastError, "");
    EXPECT_EQ(app->area.Row(1).value, "Generic PnP Monitor");
    EXPECT_EQ(app->area.Row(6).value, "Unknown");
}

TEST(InformeDisplay, WritesTheMonitorThenInformeGraphicsTheCard) {
    TestApp app(Machine().Build());
    BuilderRun run(*app);
    InformeDisplay(run.ctx);
    InformeGraphics(run.ctx);
    const char* b = " \xC2\xB7 ";
    EXPECT_EQ(run.writer.Text(),
              std::string(" Display\r\n------------------\r\n") + b +
                  "Display name: Generic PnP Monitor\r\n" + b + "Manufacturer: Lumetra\r\n" + b +
                  "Current configuration: 1280 x 1024 pixels, 32 bits, 60 Hz\r\n" + b +
                  "Update rate minimum and maximum: 56 Hz - 75 Hz\r\n\r\n\r\n"
                  " Graphics card\r\n------------------\r\n" +
                  b + "Graphics card name: Corvex Graphics 9\r\n" + b + "Memory size: 1 GB\r\n" +
                  b + "Memory type: Integrated RAMDAC\r\n" + b + "Driver name: corvex.dll\r\n" + b +
                  "Driver version: 8.15.10.2302\r\n" + b + "Driver date: 01/15/2008\r\n\r\n\r\n");
    EXPECT_EQ(
        run.writer.Html(),
        "<font color=#0042dd size=4><strong><i>Display</i></strong></font><br>\r\n"
        "------------------<br>\r\n"
        "<ul><li><strong>Name:</strong> Generic PnP Monitor<br>\r\n"
        "<li><strong>Manufacturer:</strong> Lumetra<br>\r\n"
        "<li><strong>Current configuration:</strong> 1280 x 1024 pixels, 32 bits, 60 Hz<br>\r\n"
        "<li><strong>Update rate minimum and maximum:</strong> 56 Hz - 75 Hz<br>"
        "</ul><br><br>\r\n\r\n\r\n"
        "<font color=#0042dd size=4><strong><i>Graphics card</i></strong></font><br>\r\n"
        "------------------<br>\r\n"
        "<ul><li><strong>Graphics card name:</strong> Corvex Graphics 9<br>\r\n"
        "<li><strong>Memory size:</strong> 1 GB<br>\r\n"
        "<li><strong>Memory type:</strong> Integrated RAMDAC<br>\r\n"
        "<li><strong>Driver name:</strong> corvex.dll<br>\r\n"
        "<li><strong>Driver version:</strong> 8.15.10.2302<br>\r\n"
        "<li><strong>Driver date:</strong> 01/15/2008<br>"
        "</ul><br><br>\r\n\r\n\r\n");
}

TEST(InformeDisplay, AFailedBindingStillWritesBothSectionsWhole) {
    TestApp app(Machine().Build());
    FaultInjectingSource broken(*app->source);
    broken.failConnect = true;
    app->source = &broken;
    BuilderRun run(*app);
    InformeDisplay(run.ctx);
    InformeGraphics(run.ctx);
    const std::string& text = run.writer.Text();
    EXPECT_NE(text.find("Update rate minimum and maximum: Unknown\r\n\r\n\r\n Graphics card"),
              std::string::npos);
    EXPECT_NE(text.find("Memory size: Unknown\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 26), "Driver date: Unknown\r\n\r\n\r\n");
}
