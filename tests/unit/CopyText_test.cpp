#include "TestSupport.h"
#include "core/CopyText.h"
#include "core/Navigation.h"
#include "platform/snapshot/Snapshot.h"
#include "sections/Sections.h"

#include <gtest/gtest.h>

using namespace hl;

namespace {
const SectionRows& RowsOf(int section) {
    return AllSections().RowsOf(section);
}
} // namespace

namespace {

ValueArea OtherHardware() {
    ValueArea a;
    a.titulo = "Others hardware";
    a.Row(1) = {"Motherboard name: ", "P5Q", "", "P5Q"};
    a.Row(2) = {"Manufacturer: ", "ASUSTeK", "", "ASUSTeK"};
    a.Row(3) = {"Internal name: ", "P5Q-E", "", "P5Q-E"};
    a.Row(5) = {"Sound card name: ", "HD Audio", "", "HD Audio"};
    a.Row(6) = {"Manufacturer: ", "Realtek", "", "Realtek"};
    return a;
}

} // namespace

TEST(CopyText, RowIsCaptionFollowedByValue) {
    ValueArea a;
    a.Row(2) = {"Drive letter: ", "(E:)", "", "(E:)"};
    EXPECT_EQ(CopyRowText(a, 2), "Drive letter: (E:)");
    EXPECT_EQ(CopyRowText(a, 13), "");
    EXPECT_EQ(CopyRowText(a, 0), "");
}

TEST(CopyText, CopyAllOfOtherHardware) {
    EXPECT_EQ(CopyAllText(OtherHardware(), RowsOf(13)),
              "Others hardware\r\n\r\nMotherboard name: P5Q\r\nManufacturer: ASUSTeK\r\n"
              "Internal name: P5Q-E\r\n\r\nSound card name: HD Audio\r\nManufacturer: Realtek");
}

TEST(CopyText, CopyAllOfTheSummaryWritesHeadingsWithAColon) {
    ValueArea a;
    a.titulo = "Summary";
    a.Row(1).caption = "Principal features";
    a.Row(3) = {"Processor speed: ", "2.39 Ghz (4 CPUs)", "", ""};
    a.Row(4) = {"RAM: ", "4 GB", "", ""};
    a.Row(5) = {"Graphics card memory: ", "256 MB", "", ""};
    a.Row(6) = {"Total free space: ", "80 GB", "", ""};
    a.Row(8).caption = "Others features";
    a.Row(10) = {"Operating system: ", "OS", "", ""};
    a.Row(11) = {"Graphics card: ", "GPU", "", ""};
    a.Row(12) = {"Motherboard: ", "Board", "", ""};
    EXPECT_EQ(CopyAllText(a, RowsOf(1)),
              "Summary\r\n\r\nPrincipal features:\r\n\r\nProcessor speed: 2.39 Ghz (4 CPUs)\r\n"
              "RAM: 4 GB\r\nGraphics card memory: 256 MB\r\nTotal free space: 80 GB\r\n\r\n"
              "Others features:\r\n\r\nOperating system: OS\r\nGraphics card: GPU\r\n"
              "Motherboard: Board");
}

TEST(CopyText, CopyAllOfDisplayAndKeyboardLeaveAnEmptyLineForTheSpacer) {
    ValueArea a;
    a.titulo = "T";
    for (int r = 1; r <= 12; ++r)
        a.Row(r) = {"C" + std::to_string(r) + ": ", "v", "", ""};
    EXPECT_EQ(CopyAllText(a, RowsOf(9)),
              "T\r\n\r\nC1: v\r\nC2: v\r\nC3: v\r\nC4: v\r\n\r\nC6: v\r\n"
              "C7: v\r\nC8: v\r\nC9: v\r\nC10: v\r\nC11: v");
    EXPECT_EQ(CopyAllText(a, RowsOf(10)),
              "T\r\n\r\nC1: v\r\nC2: v\r\nC3: v\r\n\r\nC5: v\r\nC6: v\r\n"
              "C7: v\r\nC8: v\r\nC9: v");
    EXPECT_EQ(CopyAllText(a, RowsOf(3)),
              "T\r\n\r\nC1: v\r\nC2: v\r\nC3: v\r\nC4: v\r\nC5: v\r\nC6: v");
    EXPECT_EQ(CopyAllText(a, RowsOf(97)), "");
    EXPECT_EQ(CopyAllText(a, RowsOf(98)), "");
}

// Copy is offered where there is something to copy: a row that shows a caption and a value,
// never an empty row, a heading or a row the section leaves unused.
TEST(CopyEnabled, OfferedForEveryRowThatShowsAValueAndNoOther) {
    hl::test::TestApp app(LoadSnapshotFile(hl::test::DataPath("machines/rich.json")));
    for (int section = 1; section <= 16; ++section) {
        MenuClick(*app, section);
        for (int row = 1; row <= 12; ++row) {
            const InfoRow& shown = app->area.Row(row);
            bool hasValue = !shown.caption.empty() && !shown.value.empty();
            EXPECT_EQ(CopyEnabled(RowsOf(section), app->area, row), hasValue)
                << "section " << section << " row " << row << ": " << shown.caption;
        }
    }
    EXPECT_FALSE(CopyEnabled(RowsOf(kReportPanel), 1));
}
