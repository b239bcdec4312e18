#include "TestSupport.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
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
    std::string snapshot = DataPath("s17/machine.json");
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
