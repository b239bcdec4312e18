#include "SectionTestSupport.h"
#include "TestSupport.h"
#include "core/CopyText.h"
#include "core/Navigation.h"
#include "sections/Sections.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

namespace {

MachineBuilder Machine(const char* soundName = "High Definition Audio Device") {
    MachineBuilder m;
    m.Registry(kMainboardFullPath, " Boardline BL-P45 Pro ")
        .Instance("Win32_BaseBoard", {{"Manufacturer", "Boardline"}, {"Product", "BL-P45 "}})
        .Instance("Win32_BaseBoard", {{"Manufacturer", "Second board"}})
        .Instance("Win32_SoundDevice", {{"Name", soundName}, {"Manufacturer", "Soundwave"}})
        .Instance("Win32_SoundDevice", {{"Name", "Second sound"}, {"Manufacturer", "Other"}});
    return m;
}

const std::string kDot = " \xC2\xB7 ";

} // namespace

TEST(OtherHardware, CopyAllGivesBoardAndFirstSoundDevice) {
    TestApp app(Machine().Build());
    MenuClick(*app, 13);
    EXPECT_EQ(CopyAllText(app->area, app->sections->RowsOf(13)),
              "Others hardware\r\n\r\n"
              "Motherboard name: Boardline BL-P45 Pro\r\n"
              "Manufacturer: Boardline\r\n"
              "Internal name: BL-P45\r\n"
              "\r\n"
              "Sound card name: High Definition Audio Device\r\n"
              "Manufacturer: Soundwave");
    const ValueArea& a = app->area;
    EXPECT_EQ(a.Row(4).caption, "");
    EXPECT_EQ(a.Row(4).value, "");
    EXPECT_TRUE(a.imageLineVisible);
    EXPECT_EQ(a.imageLineAnchorLabel, 7);
    EXPECT_EQ(a.imageLineOffset, 10);
    EXPECT_EQ(a.Row(7).caption, "");
    EXPECT_FALSE(a.lavisoVisible);
    EXPECT_EQ(a.icoPicture, "Sec13");
}

TEST(OtherHardware, AFailingBindingStillShowsTheRegistryName) {
    TestApp app(Machine().Build());
    FaultInjectingSource broken(*app->source);
    broken.failConnect = true;
    app->source = &broken;
    MenuClick(*app, 13);
    EXPECT_EQ(app->main.lastError, "");
    EXPECT_EQ(app->area.Row(1).value, "Boardline BL-P45 Pro");
    for (int r : {2, 3, 5, 6})
        EXPECT_EQ(app->area.Row(r).value, "Unknown") << r;
}

// Sensors, Battery and Network follow: the section closes as the ones before it do.
TEST(InformeOtros_hardware, WritesItsSectionAndClosesIt) {
    TestApp app(Machine().Build());
    BuilderRun run(*app);
    InformeOtros_hardware(run.ctx);
    EXPECT_EQ(run.writer.Text(), " Others hardware\r\n------------------\r\n" + kDot +
                                     "Motherboard name: Boardline BL-P45 Pro\r\n" + kDot +
                                     "Manufacturer: Boardline\r\n" + kDot +
                                     "Internal name: BL-P45\r\n" + kDot +
                                     "Sound card name: High Definition Audio Device\r\n" + kDot +
                                     "Manufacturer: Soundwave\r\n\r\n\r\n");
    EXPECT_EQ(run.writer.Html(),
              "<font color=#0042dd size=4><strong><i>Others hardware</i></strong></font><br>\r\n"
              "------------------<br>\r\n"
              "<ul><li><strong>Motherboard name:</strong> Boardline BL-P45 Pro<br>\r\n"
              "<li><strong>Manufacturer:</strong> Boardline<br>\r\n"
              "<li><strong>Internal name:</strong> BL-P45<br>\r\n"
              "<li><strong>Sound card name:</strong> High Definition Audio Device<br>\r\n"
              "<li><strong>Manufacturer:</strong> Soundwave<br>\r\n"
              "</ul><br><br>\r\n\r\n\r\n");
}

TEST(InformeOtros_hardware, EscapesMarkupInTheHtmlDocumentOnly) {
    TestApp app(Machine("Audio <HD> & Co").Build(), "English", "Pink");
    BuilderRun run(*app, "Pink");
    InformeOtros_hardware(run.ctx);
    run.writer.Foot(); // the foot takes the skin's colour
    EXPECT_NE(run.writer.Text().find("Sound card name: Audio <HD> & Co\r\n"), std::string::npos);
    EXPECT_NE(run.writer.Html().find("Sound card name:</strong> Audio &lt;HD&gt; &amp; Co<br>"),
              std::string::npos);
    EXPECT_NE(run.writer.Html().find("<font size=4 color=#ff1993><i><br>Thank you"),
              std::string::npos);
}

TEST(InformeOtros_hardware, WithNothingReadableWritesUnknownRows) {
    TestApp app(Machine().Build());
    FaultInjectingSource broken(*app->source);
    broken.failConnect = true;
    app->source = &broken;
    BuilderRun run(*app);
    InformeOtros_hardware(run.ctx);
    EXPECT_EQ(run.writer.Text(),
              " Others hardware\r\n------------------\r\n" + kDot +
                  "Motherboard name: Boardline BL-P45 Pro\r\n" + kDot +
                  "Manufacturer: Unknown\r\n" + kDot + "Internal name: Unknown\r\n" + kDot +
                  "Sound card name: Unknown\r\n" + kDot + "Manufacturer: Unknown\r\n\r\n\r\n");
    EXPECT_EQ(run.writer.Html().substr(run.writer.Html().size() - 19), "</ul><br><br>\r\n\r\n\r\n");
}
