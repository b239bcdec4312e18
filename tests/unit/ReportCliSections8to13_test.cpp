// hardlens-report run as a process on hand-written machines: one section at a time, and the
// whole report on a machine where every class is empty.

#include "TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace hl::test;

namespace {

ReportRun RunReport(const std::string& arguments) {
    setenv("HARDLENS_CLOCK", "2026-12-08T17:30", 1);
    return RunReportTool(arguments, /*withErrors=*/false);
}

ReportRun Section(const char* machine, int n) {
    return RunReport("--snapshot '" + DataPath(std::string("s813/") + machine) +
                     "' --language English --section " + std::to_string(n));
}

// The report from the BIOS heading to the end.
std::string FromBios(const std::string& report) {
    size_t at = report.find(" Bios\r\n");
    return at == std::string::npos ? std::string() : report.substr(at);
}

} // namespace

TEST(ReportCliSections8to13, PrintsEachSectionOfARecordedMachine) {
    const std::pair<int, const char*> sections[] = {
        {8, "Bios\r\n\r\n"
            "Name: Keystone Firmware\r\n"
            "Manufacturer: Keystone Ltd.\r\n"
            "Version: 1.40\r\n"
            "Released: 01/15/2008\r\n"
            "Serial number: KS-0042\r\n"
            "Main bios: Yes\r\n"
            "SMBIOS: Version 2\r\n"},
        {9, "Display\r\n\r\n"
            "Display name: Generic PnP Monitor\r\n"
            "Manufacturer: Lumetra\r\n"
            "Current configuration: 1280 x 1024 pixels, 32 bits, 60 Hz\r\n"
            "Maximum update rate: 75 Hz\r\n"
            "\r\n"
            "Graphics card name: Corvex Graphics 9\r\n"
            "Memory size: 1,5 GB\r\n"
            "Memory type: Integrated RAMDAC\r\n"
            "Driver name: corvex.dll\r\n"
            "Driver version: 8.15.10.2302\r\n"
            "Driver date: 01/15/2008\r\n"},
        {10, "Keyboard and mouse\r\n\r\n"
             "Keyboard name: Standard keyboard\r\n"
             "Description: USB input keyboard\r\n"
             "Number of function keys: 12\r\n"
             "\r\n"
             "Mouse name: Trackball\r\n"
             "Manufacturer: Pointwell\r\n"
             "Number of buttons: 5\r\n"
             "Connexion: PS/2\r\n"
             "Current use: Left-handed\r\n"},
        {11, "Removable memory\r\n\r\n"
             "Name: DATA\r\n"
             "Drive letter: (E:)\r\n"
             "Internal name: Kingmax USB Flash\r\n"
             "Capacity: (1,87 GB)\r\n"
             "Free space: (0,93 GB - 50%)\r\n"
             "Space in use: (0,93 GB - 50%)\r\n"
             "File system: FAT32\r\n"
             "Serial number: 1A2B3C4D\r\n"},
        {12, "CDs/DVDs\r\n\r\n"
             "Name: HOLIDAY\r\n"
             "Drive letter: (D:)\r\n"
             "Internal name: Optora DVD-RW\r\n"
             "Size: (4,38 GB)\r\n"
             "File system: CDFS\r\n"
             "Serial number: 5E6F7A8B\r\n"},
        {13, "Others hardware\r\n\r\n"
             "Motherboard name: Boardline BL-P45 Pro\r\n"
             "Manufacturer: Boardline\r\n"
             "Internal name: BL-P45\r\n"
             "\r\n"
             "Sound card name: High Definition Audio Device\r\n"
             "Manufacturer: Soundwave\r\n"},
    };
    for (const auto& [n, expected] : sections) {
        ReportRun run = Section("machine.json", n);
        EXPECT_EQ(run.status, 0) << n;
        EXPECT_EQ(run.out, expected) << n;
    }
}

TEST(ReportCliSections8to13, SectionsOfAnEmptyMachineReadUnknown) {
    const std::pair<int, const char*> sections[] = {
        {8, "Bios\r\n\r\nName: Unknown\r\nManufacturer: Unknown\r\nVersion: Unknown\r\n"
            "Released: Unknown\r\nSerial number: Unknown\r\nMain bios: Unknown\r\n"
            "SMBIOS: Unknown\r\n"},
        {9, "Display\r\n\r\nDisplay name: Unknown\r\nManufacturer: Unknown\r\n"
            "Current configuration: Unknown\r\nUpdate rate minimum and maximum: Unknown\r\n\r\n"
            "Graphics card name: Unknown\r\nMemory size: Unknown\r\nMemory type: Unknown\r\n"
            "Driver name: Unknown\r\nDriver version: Unknown\r\nDriver date: Unknown\r\n"},
        {10, "Keyboard and mouse\r\n\r\nKeyboard name: Unknown\r\nDescription: Unknown\r\n"
             "Number of function keys: Unknown\r\n\r\nMouse name: Unknown\r\n"
             "Manufacturer: Unknown\r\nNumber of buttons: Unknown\r\nConnexion: Unknown\r\n"
             "Current use: Unknown\r\n"},
        {11, "Removable memory\r\n\r\nName: Unknown\r\nDrive letter: Unknown\r\n"
             "Internal name: Unknown\r\nCapacity: Unknown\r\nFree space: Unknown\r\n"
             "Space in use: Unknown\r\nFile system: Unknown\r\nSerial number: Unknown\r\n"},
        {12, "CDs/DVDs\r\n\r\nName: Unknown\r\nDrive letter: Unknown\r\nInternal name: Unknown\r\n"
             "Size: Unknown\r\nFile system: Unknown\r\nSerial number: Unknown\r\n"},
        {13, "Others hardware\r\n\r\nMotherboard name: Unknown\r\nManufacturer: Unknown\r\n"
             "Internal name: Unknown\r\n\r\nSound card name: Unknown\r\nManufacturer: Unknown\r\n"},
    };
    for (const auto& [n, expected] : sections) {
        ReportRun run = Section("empty.json", n);
        EXPECT_EQ(run.status, 0) << n;
        EXPECT_EQ(run.out, expected) << n;
    }
}

TEST(ReportCliSections8to13, TheReportOfAnEmptyMachineEndsWithItsLastSixSectionsWhole) {
    ReportRun run =
        RunReport("--snapshot '" + DataPath("s813/empty.json") + "' --language English");
    EXPECT_EQ(run.status, 0);
    const std::string dot = " \xC2\xB7 ";
    auto heading = [](const char* title) {
        return std::string(" ") + title + "\r\n------------------\r\n";
    };
    const std::string end = "\r\n\r\n\r\n";
    std::string expected =
        heading("Bios") + dot + "Name: Unknown\r\n" + dot + "Manufacturer: Unknown\r\n" + dot +
        "Version: Unknown\r\n" + dot + "Released: Unknown\r\n" + dot +
        "Serial number: Unknown\r\n" + dot + "Main bios: Unknown\r\n" + dot + "SMBIOS: Unknown" +
        end + heading("Display") + dot + "Display name: Unknown\r\n" + dot +
        "Manufacturer: Unknown\r\n" + dot + "Current configuration: Unknown\r\n" + dot +
        "Update rate minimum and maximum: Unknown" + end + heading("Graphics card") + dot +
        "Graphics card name: Unknown\r\n" + dot + "Memory size: Unknown\r\n" + dot +
        "Memory type: Unknown\r\n" + dot + "Driver name: Unknown\r\n" + dot +
        "Driver version: Unknown\r\n" + dot + "Driver date: Unknown" + end + heading("Keyboard") +
        dot + "Keyboard name: Unknown\r\n" + dot + "Description: Unknown\r\n" + dot +
        "Number of function keys: Unknown" + end + heading("Mouse") + dot +
        "Mouse name: Unknown\r\n" + dot + "Manufacturer: Unknown\r\n" + dot +
        "Number of buttons: Unknown\r\n" + dot + "Connexion: Unknown\r\n" + dot +
        "Current use: Unknown" + end + heading("Others hardware") + dot +
        "Motherboard name: Unknown\r\n" + dot + "Manufacturer: Unknown\r\n" + dot +
        "Internal name: Unknown\r\n" + dot + "Sound card name: Unknown\r\n" + dot +
        "Manufacturer: Unknown" + end + "-----------------------------------------------\r\n" +
        dot + "Thank you for use Hardlens!\r\n";
    EXPECT_EQ(FromBios(run.out), expected);
}

TEST(ReportCliSections8to13, TheHtmlReportOfARecordedMachineShowsWholeGigabytes) {
    ReportRun run = RunReport("--snapshot '" + DataPath("s813/machine.json") +
                              "' --language English --format html");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("<ul><li><strong>Name:</strong> Generic PnP Monitor<br>\r\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("<li><strong>Maximum update rate:</strong> 75 Hz<br></ul>"),
              std::string::npos);
    EXPECT_NE(run.out.find("<li><strong>Memory size:</strong> 1 GB<br>\r\n"), std::string::npos);
    EXPECT_EQ(run.out.substr(run.out.size() - 7), "</html>");
}
