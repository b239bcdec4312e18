#pragma once

#include "Variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace hl {

// Number and date conventions of the user's regional settings.
struct Regional {
    std::string decimalSeparator = ".";
    std::string shortDate = "M/d/yyyy"; // d, dd, M, MM, yy, yyyy and literal characters
    std::string am = "AM";
    std::string pm = "PM";
};

// Lets a wrapper watch or alter every property read (fault injection, capture).
using PropertyHook = std::function<Variant(const std::string& name, const Variant& value)>;

// One instance of a WMI class: its properties in the order the platform gave them.
// A property the instance lacks reads as Null.
class WmiObject {
public:
    using Property = std::pair<std::string, Variant>;

    WmiObject() = default;
    explicit WmiObject(const std::vector<Property>& props);

    Variant Get(const std::string& name) const;
    void Set(const std::string& name, const Variant& value);
    std::vector<Property> Properties() const;
    void SetHook(std::shared_ptr<const PropertyHook> hook) { hook_ = std::move(hook); }

private:
    // Up to this many, Set one by one is the quicker way to build an instance.
    static constexpr size_t kFewProperties = 32;
    void PackWithoutRescanning(const std::vector<Property>& props);

    const std::string& Bytes() const;
    std::string& WritableBytes();

    // The properties packed one after another, their names interned: a recorded machine of
    // 300,000 disks then takes about its file's size in memory, where a vector of strings and
    // variants took five times it. Copies share the bytes until one of them is changed: a
    // service hands out copies of its instances, which may be as large as the recording.
    std::shared_ptr<std::string> packed_;
    std::shared_ptr<const PropertyHook> hook_;
};

// A bound WMI service ("WINMGMTS:"). InstancesOf fails with PlatformError when the class
// cannot be enumerated; an unknown or empty class gives no instances.
class WmiService {
public:
    virtual ~WmiService() = default;
    virtual std::vector<WmiObject> InstancesOf(const std::string& className) = 0;
};

// The platform as the program sees it: WMI, the registry through the shell object, the one
// binary registry read, the environment and a few window-system facts. Every failure raises
// PlatformError.
class DataSource {
public:
    virtual ~DataSource() = default;

    virtual std::shared_ptr<WmiService> ConnectWmi() = 0;
    // Full value path, "HKEY_CURRENT_USER\..." or "HKEY_LOCAL_MACHINE\...". Text for string
    // values, a number for double words; a missing value fails.
    virtual Variant RegRead(const std::string& path) = 0;
    // Stored as a string value, whatever the variant holds.
    virtual void RegWrite(const std::string& path, const Variant& value) = 0;
    // A binary value under HKEY_LOCAL_MACHINE (key path without the hive). Nothing when the key
    // cannot be opened or the value read.
    virtual std::optional<std::vector<uint8_t>> RegReadBinary(const std::string& keyPath,
                                                              const std::string& valueName) = 0;
    // An unset variable gives the empty text.
    virtual std::string ReadEnvironment(const std::string& name) = 0;
    // Milliseconds since the machine started.
    virtual int64_t TickCount() = 0;
    // GetSystemMetrics: only index 43 (mouse buttons) is used.
    virtual int32_t GetSystemMetrics(int index) = 0;
    virtual Regional RegionalSettings() = 0;
    // One report, section or capture: while the handle lives the source may answer a file it
    // has read from memory. Live views hold none, so they see the machine change.
    virtual std::shared_ptr<void> HoldReads() { return nullptr; }
};

// The settings key of the program and the full paths of its three values.
inline constexpr const char* kSettingsKey =
    "HKEY_CURRENT_USER\\Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Vexmoor\\Hardlens\\";
inline constexpr const char* kMainboardFullPath =
    "HKEY_CURRENT_USER\\Software\\Install\\Hardlens\\Mainboard\\Full";
inline constexpr const char* kProductIdKey = "SOFTWARE\\MICROSOFT\\Windows NT\\CurrentVersion";
inline constexpr const char* kProductIdValue = "DigitalProductId";
inline constexpr int kSmCMouseButtons = 43;

std::string CpuMhzPath(int processor);
// True for a path under the program's own settings key.
bool IsSettingsPath(const std::string& path);

} // namespace hl
