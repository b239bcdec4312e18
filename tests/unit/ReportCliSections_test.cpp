// hardlens-report run as a process on hand-written machines (a desktop, a machine of many devices,
// an empty one): one section at a time, and the whole report on a machine where every class is
// empty. On Linux it prints LF line ends.

#include "ReportClock.h"
#include "TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <vector>

using namespace hl::test;

namespace {

std::string RunReport(const std::string& arguments, int& status) {
    ReportRun run = RunReportTool(arguments, /*withErrors=*/false);
    status = run.status;
    return run.out;
}

std::string PrintedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n"; // printed on Linux with LF line ends
    return text;
}

struct SectionCase {
    int section;
    std::vector<std::string> lines;
};

const SectionCase kSections[] = {
    {1,
     {"Summary", "", "Principal features:", "", "Processor speed: 2.39 Ghz (4 CPUs)", "RAM: 4 GB",
      "Graphics card memory: 512 MB", "Total free space: 115 GB", "", "Others features:", "",
      "Operating system: Windows 7 Professional", "Graphics card: NVIDIA GeForce 9500 GT",
      "Motherboard: ASUSTeK P8H61-M LX"}},
    {2,
     {"User", "", "Name: maria", "Domain: Mshome", "Type of account: Normal",
      "Level of privilege: Administrator", "Password changeable: Yes", "Password expired: No",
      "Number of bad password entered: 0", "Start time: 09:15:33 hs.",
      "Usage time: 01:02:03:04 hs.", "Number of logons: 57 times."}},
    {3,
     {"Computer", "", "Manufacturer: Gigabyte Technology", "Model: H61M-S2", "Type: x64-based PC",
      "Auto restart option: On", "OS startup delay: 30 seconds", "Workgroup: Workgroup"}},
    {4,
     {"Operating system", "", "Name: Windows 7 Professional", "Version and build: 6.1, 7601",
      "Service pack: Version 1", "Type: 64 Bits", "Serial number: 00371-OEM-8992671-00524",
      "License code: FFFFF-GGGGG-HHHHH-JJJJJ-KKKKK", "Language: Espa\xC3\xB1ol",
      "Registered by: Maria", "Number of processes: 57",
      "Date of installation: 03/15/2010 at 14:30:22 hs.",
      "Virtual memory in use: 1,536 MB (37%) of 4,096 MB"}},
    {5,
     {"Processor", "", "Name: Intel(R) Core(TM)2 Quad CPU Q6600 @ 2.40GHz",
      "Number of cores: 4 - (Quad core)", "Type: Intel64 Family 6 Model 15 Stepping 11",
      "Manufacturer: GenuineIntel", "Speed: 2394 Mhz per core.", "Socket: LGA 775",
      "Architecture: x64", "L2 cache size: 4 MB", "L3 cache size: Unknown"}},
    {6,
     {"RAM", "", "Type: DDR2", "Chip type: DIMM", "Total memory: 4 GB",
      "Memory in use: 3.072 MB (75%)", "Available memory: 1.024 MB (25%)", "Modules installed: 2",
      "Data bus width: 64 Bits", "Use: Applications"}},
    {7,
     {"Hard drives", "", "Name: System - Local disk", "Drive letter: (C:) - (D:)",
      "Internal name: WDC WD800JD-75MSA3 - ST3500418AS", "Capacity: (74.5 GB) - (465.7 GB)",
      "Free space: (15 GB - 20%) - (100 GB - 21%)",
      "Space in use: (59.5 GB - 80%) - (365.7 GB - 79%)", "File system: NTFS - NTFS",
      "Serial number: A1B2C3D4 - 0E3F5A6B", "Total partitions number: 3"}},
};

} // namespace

TEST(ReportCliSections, PrintsEachSectionAsTheWindowShowsIt) {
    std::string snapshot = DataPath("machines/desktop.json");
    for (const SectionCase& c : kSections) {
        int status = -1;
        std::string out = RunReport(
            "--snapshot '" + snapshot + "' --section " + std::to_string(c.section), status);
        EXPECT_EQ(status, 0) << c.section;
        EXPECT_EQ(out, PrintedLines(c.lines)) << c.section;
    }
}

TEST(ReportCliSections, EmptyMachineStillPrintsTheSummary) {
    // The Summary skips every failure, so a machine without any fact shows "Unknown".
    TempDir dir;
    WriteFile(dir.File("empty.json"), "{\"format\": \"hardlens-snapshot/1\"}");
    int status = -1;
    std::string out = RunReport("--snapshot '" + dir.File("empty.json") + "' --section 1", status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(out.find("Processor speed: Unknown\n"), std::string::npos);
}

// ---- the devices machine and the empty one ----

namespace {

ReportRun RunWithClock(const std::string& arguments) {
    setenv("HARDLENS_CLOCK", kReportClock, 1);
    return RunReportTool(arguments, /*withErrors=*/false);
}

ReportRun Section(const char* machine, int n) {
    return RunWithClock("--snapshot '" + DataPath(std::string("machines/") + machine) +
                        "' --language English --section " + std::to_string(n));
}

// The report from the BIOS heading to the end.
std::string FromBios(const std::string& report) {
    size_t at = report.find(" Bios\n");
    return at == std::string::npos ? std::string() : report.substr(at);
}

} // namespace

TEST(ReportCliSections, PrintsEachSectionOfTheDevicesMachine) {
    const std::pair<int, const char*> sections[] = {
        {8, "Bios\n\n"
            "Name: Keystone Firmware\n"
            "Manufacturer: Keystone Ltd.\n"
            "Version: 1.40\n"
            "Released: 01/15/2008\n"
            "Serial number: KS-0042\n"
            "Main bios: Yes\n"
            "SMBIOS: Version 2\n"},
        {9, "Display\n\n"
            "Display name: Generic PnP Monitor\n"
            "Manufacturer: Lumetra\n"
            "Current configuration: 1280 x 1024 pixels, 32 bits, 60 Hz\n"
            "Maximum update rate: 75 Hz\n"
            "\n"
            "Graphics card name: Corvex Graphics 9\n"
            "Memory size: 1,5 GB\n"
            "Memory type: Integrated RAMDAC\n"
            "Driver name: corvex.dll\n"
            "Driver version: 8.15.10.2302\n"
            "Driver date: 01/15/2008\n"},
        {10, "Keyboard and mouse\n\n"
             "Keyboard name: Standard keyboard\n"
             "Description: USB input keyboard\n"
             "Number of function keys: 12\n"
             "\n"
             "Mouse name: Trackball\n"
             "Manufacturer: Pointwell\n"
             "Number of buttons: 5\n"
             "Connexion: PS/2\n"
             "Current use: Left-handed\n"},
        {11, "Removable memory\n\n"
             "Name: DATA\n"
             "Drive letter: (E:)\n"
             "Internal name: Kingmax USB Flash\n"
             "Capacity: (1,87 GB)\n"
             "Free space: (0,93 GB - 50%)\n"
             "Space in use: (0,93 GB - 50%)\n"
             "File system: FAT32\n"
             "Serial number: 1A2B3C4D\n"},
        {12, "CDs/DVDs\n\n"
             "Name: HOLIDAY\n"
             "Drive letter: (D:)\n"
             "Internal name: Optora DVD-RW\n"
             "Size: (4,38 GB)\n"
             "File system: CDFS\n"
             "Serial number: 5E6F7A8B\n"},
        {13, "Others hardware\n\n"
             "Motherboard name: Boardline BL-P45 Pro\n"
             "Manufacturer: Boardline\n"
             "Internal name: BL-P45\n"
             "\n"
             "Sound card name: High Definition Audio Device\n"
             "Manufacturer: Soundwave\n"},
    };
    for (const auto& [n, expected] : sections) {
        ReportRun run = Section("devices.json", n);
        EXPECT_EQ(run.status, 0) << n;
        EXPECT_EQ(run.out, expected) << n;
    }
}

TEST(ReportCliSections, SectionsOfAnEmptyMachineReadUnknown) {
    const std::pair<int, const char*> sections[] = {
        {8, "Bios\n\nName: Unknown\nManufacturer: Unknown\nVersion: Unknown\n"
            "Released: Unknown\nSerial number: Unknown\nMain bios: Unknown\n"
            "SMBIOS: Unknown\n"},
        {9, "Display\n\nDisplay name: Unknown\nManufacturer: Unknown\n"
            "Current configuration: Unknown\nUpdate rate minimum and maximum: Unknown\n\n"
            "Graphics card name: Unknown\nMemory size: Unknown\nMemory type: Unknown\n"
            "Driver name: Unknown\nDriver version: Unknown\nDriver date: Unknown\n"},
        {10, "Keyboard and mouse\n\nKeyboard name: Unknown\nDescription: Unknown\n"
             "Number of function keys: Unknown\n\nMouse name: Unknown\n"
             "Manufacturer: Unknown\nNumber of buttons: Unknown\nConnexion: Unknown\n"
             "Current use: Unknown\n"},
        {11, "Removable memory\n\nName: Unknown\nDrive letter: Unknown\n"
             "Internal name: Unknown\nCapacity: Unknown\nFree space: Unknown\n"
             "Space in use: Unknown\nFile system: Unknown\nSerial number: Unknown\n"},
        {12, "CDs/DVDs\n\nName: Unknown\nDrive letter: Unknown\nInternal name: Unknown\n"
             "Size: Unknown\nFile system: Unknown\nSerial number: Unknown\n"},
        {13, "Others hardware\n\nMotherboard name: Unknown\nManufacturer: Unknown\n"
             "Internal name: Unknown\n\nSound card name: Unknown\nManufacturer: Unknown\n"},
    };
    for (const auto& [n, expected] : sections) {
        ReportRun run = Section("empty.json", n);
        EXPECT_EQ(run.status, 0) << n;
        EXPECT_EQ(run.out, expected) << n;
    }
}

TEST(ReportCliSections, TheReportOfAnEmptyMachineEndsWithItsLastNineSectionsWhole) {
    ReportRun run =
        RunWithClock("--snapshot '" + DataPath("machines/empty.json") + "' --language English");
    EXPECT_EQ(run.status, 0);
    const std::string dot = " \xC2\xB7 ";
    auto heading = [](const char* title) {
        return std::string(" ") + title + "\n------------------\n";
    };
    const std::string end = "\n\n\n";
    std::string expected =
        heading("Bios") + dot + "Name: Unknown\n" + dot + "Manufacturer: Unknown\n" + dot +
        "Version: Unknown\n" + dot + "Released: Unknown\n" + dot + "Serial number: Unknown\n" +
        dot + "Main bios: Unknown\n" + dot + "SMBIOS: Unknown" + end + heading("Display") + dot +
        "Display name: Unknown\n" + dot + "Manufacturer: Unknown\n" + dot +
        "Current configuration: Unknown\n" + dot + "Update rate minimum and maximum: Unknown" +
        end + heading("Graphics card") + dot + "Graphics card name: Unknown\n" + dot +
        "Memory size: Unknown\n" + dot + "Memory type: Unknown\n" + dot + "Driver name: Unknown\n" +
        dot + "Driver version: Unknown\n" + dot + "Driver date: Unknown" + end +
        heading("Keyboard") + dot + "Keyboard name: Unknown\n" + dot + "Description: Unknown\n" +
        dot + "Number of function keys: Unknown" + end + heading("Mouse") + dot +
        "Mouse name: Unknown\n" + dot + "Manufacturer: Unknown\n" + dot +
        "Number of buttons: Unknown\n" + dot + "Connexion: Unknown\n" + dot +
        "Current use: Unknown" + end + heading("Others hardware") + dot +
        "Motherboard name: Unknown\n" + dot + "Manufacturer: Unknown\n" + dot +
        "Internal name: Unknown\n" + dot + "Sound card name: Unknown\n" + dot +
        "Manufacturer: Unknown" + end + heading("Sensors") + dot +
        "Sensors: This machine exposes no temperature, fan or voltage sensors." + end +
        heading("Battery") + dot + "Battery: This machine has no battery." + end +
        heading("Network") + dot + "Network: This machine has no network adapter." + end +
        "-----------------------------------------------\n" + dot + "Thank you for use Hardlens!\n";
    EXPECT_EQ(FromBios(run.out), expected);
}

TEST(ReportCliSections, TheHtmlReportOfARecordedMachineShowsWholeGigabytes) {
    ReportRun run = RunWithClock("--snapshot '" + DataPath("machines/devices.json") +
                                 "' --language English --format html");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("<ul><li><strong>Name:</strong> Generic PnP Monitor<br>\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("<li><strong>Maximum update rate:</strong> 75 Hz<br></ul>"),
              std::string::npos);
    EXPECT_NE(run.out.find("<li><strong>Memory size:</strong> 1 GB<br>\n"), std::string::npos);
    EXPECT_EQ(run.out.substr(run.out.size() - 7), "</html>");
}
