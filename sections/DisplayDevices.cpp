#include "BoardDevices.h"
#include "DeviceValues.h"
#include "PlatformReads.h"
#include "core/BoardTexts.h"
#include "core/SizeFormats.h"

#include <cmath>

namespace hl {

namespace {

constexpr DeviceField kGpuFields[] = {
    {"manufacturer", kTxtManufacturer},
    {"driver", kTxtDriver},
    {"driver_version", kTxtDriverVersion},
    {"memory", kTxtMemory},
    {"memory_source", kTxtMemoryFrom},
    {"pci_slot", kTxtPciSlot},
    {"boot_gpu", kTxtBootGpu},
};

constexpr DeviceField kMonitorFields[] = {
    {"manufacturer", kTxtManufacturer},    {"serial", kTxtSerialNumber, true},
    {"year", kTxtYearOfManufacture},       {"image_size", kTxtImageSize},
    {"diagonal_inches", kTxtDiagonal},     {"current_mode", kTxtCurrentMode},
    {"preferred_mode", kTxtPreferredMode}, {"refresh_rates", kTxtRefreshRates},
    {"connector", kTxtConnector},          {"gpu", kTxtGraphicsCard},
};

// The driver's figure of the card's memory, else the size of its prefetchable PCI window,
// which is a guess and says so.
void AdapterMemory(const App& app, const WmiObject& card, RowValue& memory, RowValue& source) {
    std::optional<int64_t> bytes = IntOf(&card, "AdapterRAM");
    int from = kTxtFromDriver;
    const char* fromData = "driver";
    if (!bytes || *bytes <= 0) {
        bytes = IntOf(&card, "PrefetchableMemory");
        from = kTxtFromPciWindow;
        fromData = "pci_bar";
    }
    if (!bytes || *bytes <= 0) return;
    memory = {FormatAdapterMemory(*bytes, RegionalOrDefault(*app.source).decimalSeparator), *bytes};
    source = {app.T(from), fromData};
}

Device GpuDevice(const App& app, const WmiObject& card) {
    RowValue memory{"", Data()}, source{"", Data()};
    AdapterMemory(app, card, memory, source);
    std::string name = TextOf(card, "Name");
    return {&kGpuKind,
            name.empty() ? TextOf(card, "DeviceID") : name,
            {
                TextValue(TextOf(card, "AdapterCompatibility")),
                TextValue(TextOf(card, "InstalledDisplayDrivers")),
                TextValue(TextOf(card, "DriverVersion")),
                memory,
                source,
                TextValue(TextOf(card, "PciSlot")),
                YesNoValue(app, BoolOf(&card, "BootDevice")),
            }};
}

RowValue ImageSize(std::optional<int64_t> widthCm, std::optional<int64_t> heightCm) {
    if (!widthCm || !heightCm || *widthCm <= 0 || *heightCm <= 0) return {"", Data()};
    return {std::to_string(*widthCm) + " x " + std::to_string(*heightCm) + " cm",
            {{"width_cm", *widthCm}, {"height_cm", *heightCm}}};
}

// The diagonal of the largest image in inches, to a tenth.
RowValue Diagonal(const App& app, std::optional<int64_t> widthCm, std::optional<int64_t> heightCm) {
    if (!widthCm || !heightCm || *widthCm <= 0 || *heightCm <= 0 || *widthCm > 10000 ||
        *heightCm > 10000)
        return {"", Data()};
    double w = static_cast<double>(*widthCm), h = static_cast<double>(*heightCm);
    double inches = std::round(std::sqrt(w * w + h * h) / 2.54 * 10.0) / 10.0;
    return {NumberText(inches, RegionalOrDefault(*app.source).decimalSeparator) + "\"", inches};
}

// As the section captions a range: "50 Hz - 76 Hz".
RowValue RefreshRates(std::optional<int64_t> min, std::optional<int64_t> max) {
    if (!min && !max) return {"", Data()};
    std::string text = min && max ? std::to_string(*min) + " Hz - " + std::to_string(*max) + " Hz"
                       : max      ? std::to_string(*max) + " Hz"
                                  : std::to_string(*min) + " Hz";
    return {text, {{"min", min ? Data(*min) : Data()}, {"max", max ? Data(*max) : Data()}}};
}

std::string MonitorName(const WmiObject& id) {
    std::string name = TextOf(id, "UserFriendlyName");
    if (name.empty()) name = TextOf(id, "ManufacturerName") + TextOf(id, "ProductCodeID");
    return name.empty() ? TextOf(id, "InstanceName") : name;
}

Device MonitorDevice(const App& app, const WmiObject& id, const WmiObject* params,
                     const WmiObject* more) {
    std::string maker = more ? TextOf(*more, "Manufacturer") : "";
    if (maker.empty()) maker = TextOf(id, "ManufacturerName");
    auto widthCm = IntOf(params, "MaxHorizontalImageSize");
    auto heightCm = IntOf(params, "MaxVerticalImageSize");
    return {
        &kMonitorKind,
        MonitorName(id),
        {
            TextValue(maker),
            TextValue(TextOf(id, "SerialNumberID")),
            NumberValue(IntOf(&id, "YearOfManufacture"), ""),
            ImageSize(widthCm, heightCm),
            Diagonal(app, widthCm, heightCm),
            ModeValue(IntOf(more, "CurrentHorizontalResolution"),
                      IntOf(more, "CurrentVerticalResolution"), IntOf(more, "CurrentRefreshRate")),
            ModeValue(IntOf(more, "PreferredHorizontalResolution"),
                      IntOf(more, "PreferredVerticalResolution"),
                      IntOf(more, "PreferredRefreshRate")),
            RefreshRates(IntOf(more, "MinRefreshRate"), IntOf(more, "MaxRefreshRate")),
            TextValue(more ? TextOf(*more, "Connector") : ""),
            TextValue(more ? TextOf(*more, "VideoController") : ""),
        }};
}

} // namespace

const DeviceKind kGpuKind{"gpu", kTxtGpuKind, kGpuFields};
const DeviceKind kMonitorKind{"monitor", kTxtMonitorKind, kMonitorFields};

DeviceList DisplayDevices(App& app) {
    DeviceReader read(app);
    DeviceList devices;
    for (const WmiObject& card : read.Of("Win32_VideoController"))
        devices.push_back(GpuDevice(app, card));
    std::vector<WmiObject> params = read.Of("WmiMonitorBasicDisplayParams");
    std::vector<WmiObject> more = read.Of("Hardlens_Monitor");
    for (const WmiObject& id : read.Of("WmiMonitorID")) {
        std::string instance = TextOf(id, "InstanceName");
        devices.push_back(MonitorDevice(app, id, FindBy(params, "InstanceName", instance),
                                        FindBy(more, "InstanceName", instance)));
    }
    return devices;
}

} // namespace hl
