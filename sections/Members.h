#pragma once

// Values each section keeps in the main window between runs (its "main window members"):
// the live monitors, the Processor and CD/DVD shortcuts and the notices read them.

#include "core/Variant.h"

#include <array>
#include <cstdint>
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

struct SectionMembers8to13 {};

// Values InformeDisplay gathers and InformeGraphics writes within one report.
struct ReportMembers8to13 {};

} // namespace hl
