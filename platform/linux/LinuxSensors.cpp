#include "LinuxClasses.h"
#include "LinuxStorage.h"

#include <algorithm>
#include <cmath>

namespace hl {

namespace {

// One reading family of Documentation/hwmon/sysfs-interface.rst and the factor that turns its
// unit (millidegree Celsius, RPM, millivolt, milliampere, microwatt) into °C, RPM, V, A, W.
struct Family {
    const char* prefix;
    const char* kind;
    double scale;
    const char* high;     // the upper limit file
    const char* critical; // the critical limit file
};

const Family kFamilies[] = {
    {"temp", "temperature", 1e-3, "max", "crit"}, {"fan", "fan", 1.0, "max", ""},
    {"in", "voltage", 1e-3, "max", "crit"},       {"curr", "current", 1e-3, "max", "crit"},
    {"power", "power", 1e-6, "cap", "crit"},
};

// A hwmon reading: "temp3" of the chip whose attributes lie in `dir`.
struct Reading {
    const Family* family;
    std::string channel; // "temp3"
    std::string value;   // the file that holds the value: "temp3_input" (or power's average)
};

// "temp3_input" -> the family and "temp3"; power meters may give only an average.
std::optional<Reading> ReadingOf(const std::string& file) {
    for (const Family& f : kFamilies) {
        std::string prefix = f.prefix;
        if (file.rfind(prefix, 0) != 0) continue;
        size_t underscore = file.find('_');
        if (underscore == std::string::npos || underscore == prefix.size()) continue;
        std::string digits = file.substr(prefix.size(), underscore - prefix.size());
        uint64_t n = 0;
        if (!ParseDecimal(digits, n)) continue;
        std::string suffix = file.substr(underscore + 1);
        if (suffix == "input" || (prefix == "power" && suffix == "average"))
            return Reading{&f, file.substr(0, underscore), file};
    }
    return std::nullopt;
}

// Temperatures past these are a driver's "no limit set" (NVMe gives 0 K and 65535 K).
bool PlausibleLimit(const Family& f, double value) {
    if (std::string(f.prefix) == "temp") return value > -273.0 && value < 1000.0;
    return true;
}

Variant Scaled(const Family& f, std::optional<int64_t> raw, bool limit) {
    if (!raw) return Variant::Null();
    double value = static_cast<double>(*raw) * f.scale;
    if (limit && !PlausibleLimit(f, value)) return Variant::Null();
    return Variant(value);
}

// Kernels before 2.6.31 keep a chip's attributes in its device folder, not in hwmonN itself.
std::string AttributeDir(const RootFs& fs, const std::string& hwmon) {
    if (fs.Exists(hwmon + "/name")) return hwmon;
    return hwmon + "/device";
}

// "PCI_ID=1002:73BF" of a uevent, or the vendor and device files.
std::optional<std::pair<uint32_t, uint32_t>> PciIds(const RootFs& fs, const std::string& dev) {
    uint64_t vendor = 0, device = 0;
    if (ParseHex(fs.Line(dev + "/vendor"), vendor) && ParseHex(fs.Line(dev + "/device"), device))
        return std::make_pair(static_cast<uint32_t>(vendor), static_cast<uint32_t>(device));
    std::string id = ShellValue(fs.Read(dev + "/uevent").text, "PCI_ID");
    size_t colon = id.find(':');
    if (colon == std::string::npos || !ParseHex(id.substr(0, colon), vendor) ||
        !ParseHex(id.substr(colon + 1), device))
        return std::nullopt;
    return std::make_pair(static_cast<uint32_t>(vendor), static_cast<uint32_t>(device));
}

// What a person calls the chip: the processor for the CPU's own sensors, the disk's model for
// an NVMe drive, the card's name for a PCI device; else the driver's chip name.
std::string FriendlyName(LinuxContext& ctx, const std::string& hwmon, const std::string& chip) {
    const RootFs& fs = ctx.Fs();
    if (chip == "k10temp" || chip == "coretemp" || chip == "zenpower") {
        for (const CpuEntry& cpu : ctx.Cpus())
            if (!cpu.modelName.empty()) return CloseUpSpaces(cpu.modelName);
        return chip;
    }
    std::string device = hwmon + "/device";
    if (chip == "nvme")
        if (std::string model = fs.Line(device + "/model"); !model.empty()) return model;
    if (auto ids = PciIds(fs, device)) {
        IdNames names = ctx.Ids().Pci(ids->first, ids->second);
        if (!names.device.empty()) return names.device;
    }
    return chip;
}

struct Chip {
    std::string id;   // "hwmon3"
    std::string dir;  // where its attributes are
    std::string name; // the driver's chip name ("nvme")
    std::string friendly;
};

std::vector<Chip> Chips(LinuxContext& ctx) {
    std::vector<Chip> chips;
    for (const std::string& id : ctx.Fs().List("/sys/class/hwmon")) {
        std::string hwmon = "/sys/class/hwmon/" + id;
        Chip chip{id, AttributeDir(ctx.Fs(), hwmon), "", ""};
        chip.name = ctx.Fs().Line(chip.dir + "/name");
        if (chip.name.empty()) chip.name = id;
        chip.friendly = FriendlyName(ctx, hwmon, chip.name);
        chips.push_back(std::move(chip));
    }
    return chips;
}

// The readings of a chip, in the order of their channel numbers (temp2 before temp10).
std::vector<Reading> Readings(const RootFs& fs, const Chip& chip) {
    std::vector<Reading> found;
    for (const std::string& file : fs.List(chip.dir))
        if (auto r = ReadingOf(file)) {
            bool hasInput = r->value.ends_with("_input");
            auto same = [&](const Reading& o) { return o.channel == r->channel; };
            auto it = std::find_if(found.begin(), found.end(), same);
            if (it == found.end())
                found.push_back(*r);
            else if (hasInput)
                *it = *r;
        }
    auto number = [](const Reading& r) {
        return IntOr(r.channel.substr(std::string(r.family->prefix).size()), 0);
    };
    std::stable_sort(found.begin(), found.end(), [&](const Reading& a, const Reading& b) {
        if (a.family != b.family) return a.family < b.family;
        return number(a) < number(b);
    });
    return found;
}

std::optional<int64_t> ReadInteger(const RootFs& fs, const std::string& path) {
    return KernelInteger(fs.Read(path));
}

WmiObject SensorObject(LinuxContext& ctx, const Chip& chip, const Reading& r,
                       const FileText& value) {
    const RootFs& fs = ctx.Fs();
    const Family& f = *r.family;
    std::string base = chip.dir + "/" + r.channel;
    std::string label = fs.Line(base + "_label");
    WmiObject obj;
    obj.Set("DeviceID", Variant(chip.id + "/" + r.channel));
    obj.Set("Chip", Variant(chip.name));
    obj.Set("ChipName", Variant(chip.friendly));
    obj.Set("Kind", Variant(f.kind));
    obj.Set("Label", Variant(label.empty() ? r.channel : label));
    // A file that vanished between the listing and the read (a device unplugged) is Unknown.
    obj.Set("Value", Scaled(f, KernelInteger(value), false));
    obj.Set("Low", Scaled(f, ReadInteger(fs, base + "_min"), true));
    obj.Set("High", Scaled(f, ReadInteger(fs, base + "_" + f.high), true));
    std::string critical = *f.critical ? base + "_" + f.critical : std::string();
    obj.Set("Critical",
            critical.empty() ? Variant::Null() : Scaled(f, ReadInteger(fs, critical), true));
    return obj;
}

// Tenths of kelvin, as ACPI and Windows give thermal zone temperatures.
Variant DeciKelvin(std::optional<int64_t> milliCelsius) {
    if (!milliCelsius || *milliCelsius < -273150 || *milliCelsius > 10000000)
        return Variant::Null();
    return Variant(static_cast<int64_t>(std::lround((*milliCelsius + 273150) / 100.0)));
}

// The temperature of the first trip point of a type ("critical", "passive").
std::optional<int64_t> TripPoint(const RootFs& fs, const std::string& zone, const char* type) {
    for (int n = 0; n < 32; ++n) {
        std::string base = zone + "/trip_point_" + std::to_string(n);
        FileText kind = fs.Read(base + "_type");
        if (!kind.Ok() && kind.access != Access::Empty) break;
        if (TrimWhite(kind.text) == type) return ReadInteger(fs, base + "_temp");
    }
    return std::nullopt;
}

} // namespace

std::optional<int64_t> KernelInteger(const FileText& file) {
    if (!file.Ok()) return std::nullopt;
    std::string text = TrimWhite(file.text);
    bool negative = !text.empty() && text[0] == '-';
    uint64_t magnitude = 0;
    if (!ParseDecimal(std::string_view(text).substr(negative ? 1 : 0), magnitude) ||
        magnitude > static_cast<uint64_t>(INT64_MAX))
        return std::nullopt;
    int64_t value = static_cast<int64_t>(magnitude);
    return negative ? -value : value;
}

std::vector<WmiObject> BuildSensors(LinuxContext& ctx) {
    std::vector<WmiObject> out;
    for (const Chip& chip : Chips(ctx))
        for (const Reading& r : Readings(ctx.Fs(), chip)) {
            FileText value = ctx.Fs().Read(chip.dir + "/" + r.value);
            // An empty input is a channel the driver lists but cannot read (an absent EC
            // sensor): the peers show nothing for it.
            if (value.access == Access::Empty) continue;
            out.push_back(SensorObject(ctx, chip, r, value));
        }
    return out;
}

std::vector<WmiObject> BuildFans(LinuxContext& ctx) {
    std::vector<WmiObject> out;
    for (const Chip& chip : Chips(ctx))
        for (const Reading& r : Readings(ctx.Fs(), chip)) {
            if (std::string(r.family->prefix) != "fan") continue;
            std::string base = chip.dir + "/" + r.channel;
            std::string label = ctx.Fs().Line(base + "_label");
            std::string pwm = chip.dir + "/pwm" + r.channel.substr(3);
            WmiObject obj;
            obj.Set("DeviceID", Variant(chip.id + "/" + r.channel));
            obj.Set("Name", Variant(chip.friendly + " " + (label.empty() ? r.channel : label)));
            obj.Set("ActiveCooling", Variant(true));
            obj.Set("VariableSpeed", Variant(ctx.Fs().Exists(pwm)));
            std::optional<int64_t> target = ReadInteger(ctx.Fs(), base + "_target");
            obj.Set("DesiredSpeed", target ? Variant(*target) : Variant::Null());
            out.push_back(std::move(obj));
        }
    return out;
}

std::vector<WmiObject> BuildThermalZones(LinuxContext& ctx) {
    const RootFs& fs = ctx.Fs();
    std::vector<WmiObject> out;
    for (const std::string& name : fs.List("/sys/class/thermal")) {
        if (name.rfind("thermal_zone", 0) != 0) continue;
        std::string zone = "/sys/class/thermal/" + name;
        WmiObject obj;
        obj.Set("InstanceName", Variant(name));
        obj.Set("Active", Variant(true));
        std::string type = fs.Line(zone + "/type");
        obj.Set("Type", type.empty() ? Variant::Null() : Variant(type));
        obj.Set("CurrentTemperature", DeciKelvin(ReadInteger(fs, zone + "/temp")));
        obj.Set("CriticalTripPoint", DeciKelvin(TripPoint(fs, zone, "critical")));
        obj.Set("PassiveTripPoint", DeciKelvin(TripPoint(fs, zone, "passive")));
        out.push_back(std::move(obj));
    }
    return out;
}

} // namespace hl
