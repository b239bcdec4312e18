// The memory classes: installed modules (Win32_PhysicalMemory), the arrays that hold them
// (Win32_PhysicalMemoryArray) and every slot, empty ones included (Hardlens_MemorySlot).
#include "LinuxClasses.h"
#include "LinuxMemory.h"
#include "platform/JedecMakers.h"

namespace hl {

namespace {

constexpr const char* kUdevDmi = "/run/udev/data/+dmi:id";
constexpr uint64_t kMaxUint32 = 0xFFFFFFFF;

Variant Optional(const std::optional<int>& value) {
    return value ? Variant(*value) : Variant::Null();
}

Variant OptionalText(const std::string& text) {
    return text.empty() ? Variant::Null() : Variant(text);
}

std::string ModuleTag(size_t index) {
    return "Physical Memory " + std::to_string(index);
}

WmiObject ModuleObject(const MemoryModule& m, size_t index) {
    WmiObject obj;
    obj.Set("Tag", Variant(ModuleTag(index)));
    obj.Set("Capacity", Variant(std::to_string(m.bytes)));
    obj.Set("MemoryType", Variant(m.memoryType));
    obj.Set("SMBIOSMemoryType", Variant(m.smbiosType));
    obj.Set("FormFactor", Variant(m.formFactor));
    obj.Set("DeviceLocator", Variant(m.deviceLocator));
    obj.Set("BankLabel", OptionalText(m.bankLabel));
    obj.Set("TotalWidth", Optional(m.totalWidth));
    obj.Set("DataWidth", Optional(m.dataWidth));
    obj.Set("Speed", Optional(m.speed));
    obj.Set("ConfiguredClockSpeed", Optional(m.configuredSpeed));
    obj.Set("Attributes", Optional(m.rank)); // WMI keeps the rank there
    obj.Set("MinVoltage", Optional(m.minMillivolts));
    obj.Set("MaxVoltage", Optional(m.maxMillivolts));
    obj.Set("ConfiguredVoltage", Optional(m.configuredMillivolts));
    obj.Set("Manufacturer", OptionalText(MemoryMakerName(m.manufacturer)));
    obj.Set("PartNumber", OptionalText(m.partNumber));
    obj.Set("SerialNumber", OptionalText(m.serialNumber));
    return obj;
}

bool AnyInstalled(const std::vector<MemoryModule>& slots) {
    for (const MemoryModule& m : slots)
        if (m.Installed()) return true;
    return false;
}

// The slots from the udev database, which every user may read, else from the SMBIOS table,
// which only root may. `why` says why the table gave nothing.
std::vector<MemoryModule> AllSlots(LinuxContext& ctx, Access& why) {
    FileText udev = ctx.Fs().Read(kUdevDmi, 1 << 20);
    if (udev.Ok()) {
        std::vector<MemoryModule> slots = MemorySlotsFromUdev(udev.text);
        if (AnyInstalled(slots)) return slots;
    }
    SmbiosRead smbios = ReadSmbios(ctx);
    why = smbios.access == Access::Present ? Access::Empty : smbios.access;
    return MemorySlots(smbios.table);
}

// The table names every array; udev keeps the last one only, so it comes second.
std::vector<MemoryArray> AllArrays(LinuxContext& ctx) {
    std::vector<MemoryArray> arrays = MemoryArrays(ReadSmbios(ctx).table);
    if (!arrays.empty()) return arrays;
    FileText udev = ctx.Fs().Read(kUdevDmi, 1 << 20);
    if (!udev.Ok()) return {};
    std::optional<MemoryArray> array = MemoryArrayFromUdev(udev.text);
    if (!array) return {};
    return {*array};
}

WmiObject ArrayObject(const MemoryArray& a, size_t index) {
    WmiObject obj;
    obj.Set("Tag", Variant("Physical Memory Array " + std::to_string(index)));
    obj.Set("Location", Variant(a.location));
    obj.Set("Use", Variant(a.use));
    obj.Set("MemoryErrorCorrection", Variant(a.errorCorrection));
    obj.Set("MemoryDevices", Variant(a.slots));
    // MaxCapacity is a 32-bit count of kilobytes: arrays past 4 TB only fit MaxCapacityEx.
    bool fits = a.maxKilobytes && *a.maxKilobytes <= kMaxUint32;
    obj.Set("MaxCapacity", fits ? Variant(static_cast<int64_t>(*a.maxKilobytes)) : Variant::Null());
    obj.Set("MaxCapacityEx",
            a.maxKilobytes ? Variant(std::to_string(*a.maxKilobytes)) : Variant::Null());
    return obj;
}

WmiObject SlotObject(const MemoryModule& m, size_t index, size_t& modulesBefore) {
    WmiObject obj;
    obj.Set("Tag", Variant("Memory Slot " + std::to_string(index)));
    obj.Set("DeviceLocator", OptionalText(m.deviceLocator));
    obj.Set("BankLabel", OptionalText(m.bankLabel));
    obj.Set("Installed", m.sizeKnown ? Variant(m.Installed()) : Variant::Null());
    obj.Set("Capacity", m.sizeKnown ? Variant(std::to_string(m.bytes)) : Variant::Null());
    obj.Set("PhysicalMemoryTag",
            m.Installed() ? Variant(ModuleTag(modulesBefore++)) : Variant::Null());
    return obj;
}

} // namespace

std::vector<WmiObject> BuildPhysicalMemory(LinuxContext& ctx) {
    const char* cls = "Win32_PhysicalMemory";
    Access why = Access::Empty;
    std::vector<MemoryModule> slots = AllSlots(ctx, why);
    std::vector<WmiObject> out;
    for (const MemoryModule& m : slots)
        if (m.Installed()) out.push_back(ModuleObject(m, out.size()));
    if (!out.empty()) return out;
    uint64_t bytes = InstalledMemoryBytes(ctx.Fs());
    if (bytes == 0) return out;
    // One module standing for all memory: its size is known, the rest is not.
    WmiObject obj;
    obj.Set("Tag", Variant(ModuleTag(0)));
    obj.Set("Capacity", Variant(std::to_string(bytes)));
    for (const char* prop :
         {"MemoryType", "SMBIOSMemoryType", "FormFactor", "DeviceLocator", "BankLabel",
          "TotalWidth", "DataWidth", "Speed", "ConfiguredClockSpeed", "Attributes", "MinVoltage",
          "MaxVoltage", "ConfiguredVoltage", "Manufacturer", "PartNumber", "SerialNumber"})
        ctx.SetNull(obj, cls, prop, why);
    out.push_back(std::move(obj));
    return out;
}

std::vector<WmiObject> BuildPhysicalMemoryArray(LinuxContext& ctx) {
    std::vector<WmiObject> out;
    for (const MemoryArray& a : AllArrays(ctx))
        out.push_back(ArrayObject(a, out.size()));
    return out;
}

std::vector<WmiObject> BuildMemorySlot(LinuxContext& ctx) {
    Access why = Access::Empty;
    std::vector<WmiObject> out;
    size_t modules = 0;
    for (const MemoryModule& m : AllSlots(ctx, why))
        out.push_back(SlotObject(m, out.size(), modules));
    return out;
}

} // namespace hl
