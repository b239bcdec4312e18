#include "BoardDevices.h"
#include "DeviceValues.h"
#include "Memory.h"
#include "WmiCodeTexts.h"
#include "core/BoardTexts.h"

#include <cmath>

namespace hl {

namespace {

constexpr DeviceField kArrayFields[] = {
    {"slots", kTxtSlots},
    {"free_slots", kTxtFreeSlots},
    {"max_capacity", kTxtMaximumCapacity},
    {"error_correction", kTxtErrorCorrection},
};

constexpr DeviceField kModuleFields[] = {
    {"locator", kTxtSlot},
    {"bank", kTxtBank},
    {"installed", kTxtInstalled},
    {"size", kTxtSize},
    {"type", kTxtType},
    {"form_factor", kTxtFormFactor},
    {"speed_mts", kTxtRatedSpeed},
    {"configured_speed_mts", kTxtConfiguredSpeed},
    {"manufacturer", kTxtManufacturer},
    {"part_number", kTxtPartNumber},
    {"serial", kTxtSerialNumber, true},
    {"rank", kTxtRank},
    {"data_width", kTxtDataWidth},
    {"total_width", kTxtTotalWidth},
    {"voltage", kTxtVoltage},
};

constexpr int64_t kMiB = 1024 * 1024;

// A byte count as the section shows memory ("16 GB"), the bytes as data.
RowValue BytesValue(const App& app, std::optional<int64_t> bytes) {
    if (!bytes || *bytes < 0) return {"", Data()};
    if (*bytes == 0) return {"0 MB", 0};
    return {MemorySizeText(app, *bytes / kMiB), *bytes};
}

// SMBIOS and WMI share the codes of error correction.
RowValue ErrorCorrection(const App& app, std::optional<int64_t> code) {
    struct Name {
        int64_t code;
        int text;
        const char* data;
    };
    static const Name kNames[] = {{3, kTxtNone, "none"},
                                  {4, kTxtParity, "parity"},
                                  {5, kTxtSingleBitEcc, "single_bit_ecc"},
                                  {6, kTxtMultiBitEcc, "multi_bit_ecc"}};
    for (const Name& n : kNames)
        if (code && *code == n.code) return {app.T(n.text), n.data};
    if (code && *code == 7) return {"CRC", "crc"};
    return {"", Data()};
}

// The largest memory the array takes, given in kilobytes.
std::optional<int64_t> MaxCapacityBytes(const WmiObject& array) {
    std::optional<int64_t> kb = IntOf(&array, "MaxCapacityEx");
    if (!kb) kb = IntOf(&array, "MaxCapacity");
    if (!kb || *kb <= 0 || *kb > INT64_MAX / 1024) return std::nullopt;
    return *kb * 1024;
}

// Free slots are told only where one array holds them all: the empty slots where the machine
// lists them, else the array's slots less the modules.
std::optional<int64_t> FreeSlots(const std::vector<WmiObject>& arrays,
                                 const std::vector<WmiObject>& slots,
                                 const std::vector<WmiObject>& modules) {
    std::optional<int64_t> count =
        arrays.size() == 1 ? IntOf(&arrays[0], "MemoryDevices") : std::nullopt;
    if (!count) return std::nullopt;
    if (slots.empty()) {
        auto installed = static_cast<int64_t>(modules.size());
        return *count >= installed ? std::optional<int64_t>(*count - installed) : std::nullopt;
    }
    int64_t empty = 0;
    for (const WmiObject& slot : slots) {
        std::optional<bool> installed = BoolOf(&slot, "Installed");
        if (!installed) return std::nullopt;
        empty += *installed ? 0 : 1;
    }
    return empty;
}

Device ArrayDevice(const App& app, const WmiObject& array, std::optional<int64_t> free) {
    std::optional<int64_t> slots = IntOf(&array, "MemoryDevices");
    std::string tag = TextOf(array, "Tag");
    return {&kMemoryArrayKind,
            tag.empty() ? app.T(kTxtMemoryArrayKind) : tag,
            {
                NumberValue(slots, ""),
                NumberValue(free, ""),
                BytesValue(app, MaxCapacityBytes(array)),
                ErrorCorrection(app, IntOf(&array, "MemoryErrorCorrection")),
            }};
}

// A code's name; the code tables answer "Unknown" for codes they do not list.
RowValue CodeValue(const App& app, std::optional<int64_t> code, const std::string& text) {
    if (!code || text.empty() || text == app.T(kUnknown)) return {"", Data()};
    return {text, text};
}

RowValue WidthValue(const App& app, std::optional<int64_t> bits) {
    if (!bits || *bits <= 0) return {"", Data()};
    return {BusWidthText(app, std::to_string(*bits)), *bits};
}

// Millivolts as volts: 1200 gives "1.2 V".
RowValue VoltageValue(std::optional<int64_t> millivolts) {
    if (!millivolts || *millivolts <= 0 || *millivolts > 100000) return {"", Data()};
    double volts = static_cast<double>(*millivolts) / 1000.0;
    return {NumberText(volts) + " V", volts};
}

// One slot: its own object where the machine lists slots (Linux), the module in it if any.
Device ModuleDevice(const App& app, const WmiObject* slot, const WmiObject* module, size_t n) {
    const WmiObject& place = slot ? *slot : *module;
    std::string locator = TextOf(place, "DeviceLocator");
    std::optional<bool> installed = slot ? BoolOf(slot, "Installed") : true;
    std::optional<int64_t> size = IntOf(module ? module : slot, "Capacity");
    if (installed && !*installed) size = 0;
    std::optional<int64_t> type = IntOf(module, "MemoryType");
    std::optional<int64_t> factor = IntOf(module, "FormFactor");
    std::optional<int64_t> voltage = IntOf(module, "ConfiguredVoltage");
    if (!voltage) voltage = IntOf(module, "MinVoltage");
    auto text = [&](const char* prop) { return module ? TextOf(*module, prop) : std::string(); };
    return {&kMemoryModuleKind,
            locator.empty() ? app.T(kTxtSlot) + " " + std::to_string(n + 1) : locator,
            {
                TextValue(locator),
                TextValue(TextOf(place, "BankLabel")),
                YesNoValue(app, installed),
                BytesValue(app, size),
                CodeValue(app, type,
                          type ? MemoryTypeText(std::to_string(*type), app.table, false) : ""),
                CodeValue(app, factor,
                          factor ? FormFactorText(std::to_string(*factor), app.table) : ""),
                NumberValue(IntOf(module, "Speed"), "MT/s"),
                NumberValue(IntOf(module, "ConfiguredClockSpeed"), "MT/s"),
                TextValue(text("Manufacturer")),
                TextValue(text("PartNumber")),
                TextValue(text("SerialNumber")),
                NumberValue(IntOf(module, "Attributes"), ""),
                WidthValue(app, IntOf(module, "DataWidth")),
                WidthValue(app, IntOf(module, "TotalWidth")),
                VoltageValue(voltage),
            }};
}

} // namespace

const DeviceKind kMemoryArrayKind{"memory_array", kTxtMemoryArrayKind, kArrayFields};
const DeviceKind kMemoryModuleKind{"memory_module", kTxtMemoryModuleKind, kModuleFields};

DeviceList MemoryDevices(App& app) {
    DeviceReader read(app);
    std::vector<WmiObject> modules = read.Of("Win32_PhysicalMemory");
    std::vector<WmiObject> slots = read.Of("Hardlens_MemorySlot");
    std::vector<WmiObject> arrays = read.Of("Win32_PhysicalMemoryArray");
    std::optional<int64_t> free = FreeSlots(arrays, slots, modules);
    DeviceList devices;
    for (const WmiObject& array : arrays)
        devices.push_back(ArrayDevice(app, array, free));
    for (size_t i = 0; i < slots.size(); ++i) {
        const WmiObject* module = FindBy(modules, "Tag", TextOf(slots[i], "PhysicalMemoryTag"));
        devices.push_back(ModuleDevice(app, &slots[i], module, i));
    }
    if (slots.empty())
        for (size_t i = 0; i < modules.size(); ++i)
            devices.push_back(ModuleDevice(app, nullptr, &modules[i], i));
    return devices;
}

} // namespace hl
