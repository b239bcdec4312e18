#include "SectionTestSupport.h"
#include "TestSupport.h"
#include "core/CopyText.h"
#include "core/Navigation.h"
#include "sections/Sections.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

namespace {

Props Keyboard() {
    return {{"Name", "Standard keyboard"},
            {"Description", "USB input keyboard"},
            {"NumberOfFunctionKeys", 12}};
}

Props Mouse(Variant deviceInterface = 162, Variant handedness = 2) {
    return {{"Name", "USB optical mouse"},
            {"Manufacturer", "Pointwell"},
            {"NumberOfButtons", 3},
            {"DeviceInterface", std::move(deviceInterface)},
            {"Handedness", std::move(handedness)}};
}

Snapshot Machine(Props mouse = Mouse(), int32_t buttons = 5) {
    return MachineBuilder()
        .Instance("Win32_Keyboard", Keyboard())
        .Instance("Win32_Keyboard", {{"Name", "Second keyboard"}})
        .Instance("Win32_PointingDevice", std::move(mouse))
        .Instance("Win32_PointingDevice", {{"Name", "Second mouse"}})
        .MouseButtons(buttons)
        .Build();
}

} // namespace

TEST(KeyboardMouse, CopyAllGivesTheFirstKeyboardAndTheFirstMouse) {
    TestApp app(Machine());
    MenuClick(*app, 10);
    // Five buttons come from the window system although WMI reports three.
    EXPECT_EQ(CopyAllText(app->area, app->sections->RowsOf(10)),
              "Keyboard and mouse\r\n\r\n"
              "Keyboard name: Standard keyboard\r\n"
              "Description: USB input keyboard\r\n"
              "Number of function keys: 12\r\n"
              "\r\n"
              "Mouse name: USB optical mouse\r\n"
              "Manufacturer: Pointwell\r\n"
              "Number of buttons: 5\r\n"
              "Connexion: USB\r\n"
              "Current use: Right-handed");
    const ValueArea& a = app->area;
    EXPECT_TRUE(a.imageLineVisible);
    EXPECT_EQ(a.imageLineAnchorLabel, 8);
    EXPECT_EQ(a.imageLineOffset, 9);
    EXPECT_EQ(a.Row(4).value, "");
    EXPECT_EQ(a.Row(10).caption, "");
    EXPECT_EQ(a.icoPicture, "Sec10");
}

TEST(KeyboardMouse, ConnectionAndHandednessCodes) {
    struct Case {
        Variant code;
        const char* connection;
        const char* use;
    } cases[] = {
        {1, "Other", "Not applicable"},
        {2, "Unknown", "Right-handed"},
        {3, "Serial port", "Left-handed"},
        {4, "PS/2", "Unknown"},
        {5, "Infrared", "Unknown"},
        {7, "Unknown", "Unknown"}, // a bus mouse has no text of its own
        {162, "USB", "Unknown"},
        {"162", "USB", "Unknown"},
        {0, "Unknown", "Unknown"},
        {Variant::Null(), "Unknown", "Unknown"},
    };
    for (const Case& c : cases) {
        TestApp app(Machine(Mouse(c.code, c.code)));
        MenuClick(*app, 10);
        EXPECT_EQ(app->area.Row(8).value, c.connection) << c.connection;
        EXPECT_EQ(app->area.Row(9).value, c.use) << c.use;
    }
}

TEST(KeyboardMouse, ButtonCountComesFromTheSystemWithoutADevice) {
    TestApp app(MachineBuilder().MouseButtons(3).Build());
    MenuClick(*app, 10);
    EXPECT_EQ(app->area.Row(7).value, "3");
}

TEST(KeyboardMouse, AFailingBindingLeavesTheRowsAsTheyWere) {
    TestApp app(Machine());
    MenuClick(*app, 10);
    FaultInjectingSource broken(*app->source);
    broken.failConnect = true;
    app->source = &broken;
    MenuClick(*app, 10);
    EXPECT_EQ(app->area.Row(1).value, "Standard keyboard");
    EXPECT_EQ(app->area.Row(8).value, "USB");
    EXPECT_NE(app->main.lastError, "");
}

TEST(InformeKeyboard, WritesKeyboardAndMouseSections) {
    TestApp app(Machine());
    BuilderRun run(*app);
    InformeKeyboard(run.ctx);
    InformeMouse(run.ctx);
    const std::string b = " \xC2\xB7 ";
    EXPECT_EQ(run.writer.Text(),
              " Keyboard\r\n------------------\r\n" + b + "Keyboard name: Standard keyboard\r\n" +
                  b + "Description: USB input keyboard\r\n" + b +
                  "Number of function keys: 12\r\n\r\n\r\n"
                  " Mouse\r\n------------------\r\n" +
                  b + "Mouse name: USB optical mouse\r\n" + b + "Manufacturer: Pointwell\r\n" + b +
                  "Number of buttons: 5\r\n" + b + "Connexion: USB\r\n" + b +
                  "Current use: Right-handed\r\n\r\n\r\n");
    EXPECT_EQ(run.writer.Html(),
              "<font color=#0042dd size=4><strong><i>Keyboard</i></strong></font><br>\r\n"
              "------------------<br>\r\n"
              "<ul><li><strong>Keyboard name:</strong> Standard keyboard<br>\r\n"
              "<li><strong>Description:</strong> USB input keyboard<br>\r\n"
              "<li><strong>Number of function keys:</strong> 12<br>"
              "</ul><br><br>\r\n\r\n\r\n"
              "<font color=#0042dd size=4><strong><i>Mouse</i></strong></font><br>\r\n"
              "------------------<br>\r\n"
              "<ul><li><strong>Mouse name:</strong> USB optical mouse<br>\r\n"
              "<li><strong>Manufacturer:</strong> Pointwell<br>\r\n"
              "<li><strong>Number of buttons:</strong> 5<br>\r\n"
              "<li><strong>Connexion:</strong> USB<br>\r\n"
              "<li><strong>Current use:</strong> Right-handed<br>"
              "</ul><br><br>\r\n\r\n\r\n");
}

TEST(InformeMouse, TheDutchSectionIsTitledMuis) {
    TestApp app(Machine(), "Dutch");
    BuilderRun run(*app);
    InformeMouse(run.ctx);
    EXPECT_EQ(run.writer.Text().rfind(" Muis\r\n------------------\r\n \xC2\xB7 ", 0), 0u);
    EXPECT_EQ(run.writer.Html().rfind(
                  "<font color=#0042dd size=4><strong><i>Muis</i></strong></font>", 0),
              0u);
}

TEST(InformeKeyboard, BindsAnewOnlyWhenNoEarlierBuilderBound) {
    TestApp app(Machine());
    FaultInjectingSource counting(*app->source);
    app->source = &counting;
    BuilderRun run(*app);
    InformeKeyboard(run.ctx); // no service yet: binds once
    InformeMouse(run.ctx);    // reuses it
    EXPECT_EQ(counting.connects, 1);
    EXPECT_EQ(counting.instancesOfCalls["Win32_Keyboard"], 1);
    EXPECT_EQ(counting.instancesOfCalls["Win32_PointingDevice"], 1);
}

TEST(InformeMouse, AFailedWalkStillWritesEveryRow) {
    TestApp app(Machine());
    FaultInjectingSource broken(*app->source);
    broken.failingClasses = {"Win32_PointingDevice"};
    app->source = &broken;
    BuilderRun run(*app);
    InformeMouse(run.ctx);
    const std::string b = " \xC2\xB7 ";
    EXPECT_EQ(run.writer.Text(),
              " Mouse\r\n------------------\r\n" + b + "Mouse name: Unknown\r\n" + b +
                  "Manufacturer: Unknown\r\n" + b + "Number of buttons: Unknown\r\n" + b +
                  "Connexion: Unknown\r\n" + b + "Current use: Unknown\r\n\r\n\r\n");
}
