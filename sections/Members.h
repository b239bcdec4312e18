#pragma once

// Values each section keeps in the main window between runs (its "main window members"):
// the live monitors, the Processor and CD/DVD shortcuts and the notices read them.

#include "core/App.h"
#include "core/Variant.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace hl {

// ---- Sections 1 to 7 ---------------------------------------------------------------------

// User: the account running the program and its logon profile, as read (trimmed text).
struct UserFacts {
    std::string userName, domain, accountType, passwordChangeable, passwordExpires;
    std::string privileges, badPasswords, lastLogon, logons;
};

// Computer: the first Win32_ComputerSystem instance (trimmed text).
struct ComputerFacts {
    std::string manufacturer, model, systemType, autoReset, startupDelay, domain;
};

// Operating system. The virtual-memory figures are kilobytes and keep their previous value
// when a read fails; the live monitor rereads them.
struct OsFacts {
    std::string name, version, build, servicePack, serialNumber, languageCode;
    std::string registeredOwner, processCount, installDate, architecture, productKey;
    int64_t freeVirtualKB = 0;
    int64_t totalVirtualKB = 0;
};

// Processor. coreCount is 0 until the first gathering (the shortcut redraws only after one).
struct CpuFacts {
    std::array<Variant, 8> speeds; // "~MHz" of logical processors 0..7; Empty when unread
    int coreCount = 0;
    Variant speed;
    std::string name, type, manufacturer, socket, architecture, l2Size, l3Size;
};

// Memory: modules summed, the rest from the last module; free memory in megabytes.
struct RamFacts {
    std::string memoryType, formFactor, totalWidth, largeSystemCache;
    int64_t totalMemoryMB = 0;
    int64_t freeMemoryMB = 0;
    int moduleCount = 0;
};

struct SectionMembers1to7 {
    UserFacts user;
    ComputerFacts pc;
    OsFacts os;
    CpuFacts cpu;
    RamFacts ram;
};

// ---- Sections 8 to 13 --------------------------------------------------------------------

// The BIOS facts, trimmed texts of the first Win32_BIOS instance.
struct BiosValues {
    std::string name, manufacturer, version, releaseDate, serialNumber, primaryBios,
        smbiosMajorVersion;
};

// The first monitor and the first video adapter.
struct DisplayValues {
    std::string monitorName, monitorManufacturer;
    std::string configuration; // "1280 x 1024 pixels, 32 bits, 60 Hz", or empty
    std::string minRate, maxRate;
    std::string adapterName;
    std::optional<int64_t> adapterMemory; // bytes; nothing when unreadable
    std::string dacType, driverNames, driverVersion, driverDate;
};

struct KeyboardValues {
    std::string name, description, functionKeys;
};

struct MouseValues {
    std::string name, manufacturer;
    int32_t buttonCount = 0; // from the window system, not from WMI
    std::string deviceInterface, handedness;
};

struct OtherHardwareValues {
    std::string boardFullName, boardManufacturer, boardModel, soundName, soundManufacturer;
};

// The lists that Removable memory and CD/DVD share: one item per drive, each ending in its
// separator (" - ", or ") - (" after the opening "(" of the size lists).
struct DriveLists {
    std::string names, letters, modelNames;
    std::string sizes = "(";
    std::string free = "(";
    std::string used = "(";
    std::string fileSystems, serials;
};

// Counters of the Removable memory collector: drives found by the first pass, drives listed by
// the second.
struct RemovableCounters {
    int16_t found = 0, listed = 0;
};

// Counters of the CD/DVD collector, kept for its shortcut: loaded drives found by the first
// pass, empty drives (optical disks minus loaded ones) and loaded discs with a volume name.
struct CdCounters {
    int16_t found = 0, empty = 0, loaded = 0;
};

struct SectionMembers8to13 {
    BiosValues bios;
    DisplayValues display;
    KeyboardValues keyboard;
    MouseValues mouse;
    DriveLists drives;
    RemovableCounters removable;
    CdCounters cd;
    OtherHardwareValues other;
};

struct SectionState {
    SectionMembers1to7 s1to7;
    SectionMembers8to13 s8to13;
};

// What the sections of `app` keep; made with the App from AllSections().
inline SectionState& Kept(App& app) {
    return *app.kept;
}
inline const SectionState& Kept(const App& app) {
    return *app.kept;
}

// Values InformeDisplay gathers and InformeGraphics writes within one report.
struct ReportMembers8to13 {
    DisplayValues display;
};

} // namespace hl
