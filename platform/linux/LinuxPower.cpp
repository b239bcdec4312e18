#include "LinuxClasses.h"

#include <cmath>

namespace hl {

namespace {

constexpr const char* kPowerSupply = "/sys/class/power_supply";

// The files of one power supply (Documentation/ABI/testing/sysfs-class-power): energy in µWh,
// charge in µAh, power in µW, current in µA, voltage in µV.
class Supply {
public:
    Supply(const RootFs& fs, std::string name)
        : fs_(fs), name_(std::move(name)), dir_(std::string(kPowerSupply) + "/" + name_) {}
    const std::string& Name() const { return name_; }
    std::string Text(const char* file) const { return fs_.Line(dir_ + "/" + file); }
    std::optional<int64_t> Integer(const char* file) const {
        return KernelInteger(fs_.Read(dir_ + "/" + file));
    }
    // A battery of a laptop, not of a mouse or a UPS seen through USB (scope "Device").
    bool IsSystemBattery() const { return Text("type") == "Battery" && Text("scope") != "Device"; }
    // Energy in µWh, from the energy file or from charge × design voltage.
    std::optional<double> Energy(const char* which) const {
        if (auto e = Integer((std::string("energy_") + which).c_str())) return double(*e);
        auto charge = Integer((std::string("charge_") + which).c_str());
        auto volts = Integer("voltage_min_design");
        if (!volts) volts = Integer("voltage_max_design");
        if (!charge || !volts) return std::nullopt;
        return double(*charge) * double(*volts) / 1e6;
    }
    // The rate of flow in µW (energy) or µA (charge), matching what Energy's source counts.
    std::optional<double> Rate() const {
        bool energyUnits = Integer("energy_now").has_value();
        if (energyUnits) {
            if (auto power = Integer("power_now")) return std::fabs(double(*power));
            // Before power_now, ACPI batteries that count energy gave their rate in current_now.
            if (auto rate = Integer("current_now")) return std::fabs(double(*rate));
            return std::nullopt;
        }
        if (auto current = Integer("current_now")) return std::fabs(double(*current));
        return std::nullopt;
    }
    // Hours left to empty or to full, from what the battery counts in (energy or charge).
    std::optional<double> Hours(bool toFull) const {
        std::optional<double> rate = Rate();
        bool energyUnits = Integer("energy_now").has_value();
        const char* nowFile = energyUnits ? "energy_now" : "charge_now";
        const char* fullFile = energyUnits ? "energy_full" : "charge_full";
        std::optional<int64_t> now = Integer(nowFile), full = Integer(fullFile);
        if (!rate || *rate <= 0 || !now) return std::nullopt;
        if (!toFull) return double(*now) / *rate;
        if (!full || *full < *now) return std::nullopt;
        return double(*full - *now) / *rate;
    }

private:
    const RootFs& fs_;
    std::string name_;
    std::string dir_;
};

Variant TextOrNull(const std::string& text) {
    return text.empty() ? Variant::Null() : Variant(text);
}

// µWh to the mWh of Win32_Battery's capacities.
Variant MilliwattHours(std::optional<double> microwattHours) {
    if (!microwattHours || *microwattHours <= 0) return Variant::Null();
    return Variant(static_cast<int64_t>(std::lround(*microwattHours / 1000.0)));
}

// The charge left in percent: the kernel's own figure, else now ÷ full.
Variant ChargePercent(const Supply& s) {
    if (auto capacity = s.Integer("capacity"); capacity && *capacity >= 0 && *capacity <= 100)
        return Variant(*capacity);
    std::optional<double> now = s.Energy("now"), full = s.Energy("full");
    if (!now || !full || *full <= 0) return Variant::Null();
    return Variant(static_cast<int64_t>(std::lround(std::min(100.0, *now * 100.0 / *full))));
}

// Win32_Battery.BatteryStatus: 1 discharging, 2 on mains (not charging), 3 fully charged,
// 6 charging.
Variant StatusCode(const std::string& status) {
    if (status == "Discharging") return Variant(int64_t{1});
    if (status == "Not charging" || status == "Unknown") return Variant(int64_t{2});
    if (status == "Full") return Variant(int64_t{3});
    if (status == "Charging") return Variant(int64_t{6});
    return Variant::Null();
}

// Win32_Battery.Chemistry codes for the technology names of the power supply class.
Variant ChemistryCode(const std::string& technology) {
    static const std::pair<const char*, int64_t> kCodes[] = {
        {"NiMH", 5}, {"Li-ion", 6}, {"Li-poly", 8}, {"LiFe", 1}, {"NiCd", 4}, {"LiMn", 1},
    };
    for (const auto& [name, code] : kCodes)
        if (technology == name) return Variant(code);
    return technology.empty() ? Variant::Null() : Variant(int64_t{2});
}

Variant Minutes(std::optional<double> hours) {
    if (!hours) return Variant::Null();
    return Variant(static_cast<int64_t>(std::lround(*hours * 60.0)));
}

WmiObject BatteryObject(const Supply& s) {
    std::string status = s.Text("status");
    WmiObject obj;
    obj.Set("DeviceID", Variant(s.Name()));
    obj.Set("Name", TextOrNull(s.Text("model_name")));
    obj.Set("EstimatedChargeRemaining", ChargePercent(s));
    obj.Set("BatteryStatus", StatusCode(status));
    obj.Set("Chemistry", ChemistryCode(s.Text("technology")));
    obj.Set("DesignCapacity", MilliwattHours(s.Energy("full_design")));
    obj.Set("FullChargeCapacity", MilliwattHours(s.Energy("full")));
    std::optional<int64_t> design = s.Integer("voltage_min_design");
    obj.Set("DesignVoltage", design ? Variant(*design / 1000) : Variant::Null());
    obj.Set("EstimatedRunTime",
            status == "Discharging" ? Minutes(s.Hours(false)) : Variant::Null());
    obj.Set("TimeToFullCharge", status == "Charging" ? Minutes(s.Hours(true)) : Variant::Null());
    return obj;
}

// Facts of a supply that Windows keeps in no class, in the kernel's units turned to V, W, Wh.
WmiObject SupplyObject(const Supply& s) {
    auto scaled = [](std::optional<double> v, double factor) {
        return v ? Variant(*v * factor) : Variant::Null();
    };
    auto integer = [&](const char* file) -> std::optional<double> {
        if (auto v = s.Integer(file)) return double(*v);
        return std::nullopt;
    };
    std::optional<int64_t> online = s.Integer("online");
    WmiObject obj;
    obj.Set("DeviceID", Variant(s.Name()));
    obj.Set("Type", TextOrNull(s.Text("type")));
    obj.Set("Online", online ? Variant(*online != 0) : Variant::Null());
    obj.Set("Status", TextOrNull(s.Text("status")));
    obj.Set("Manufacturer", TextOrNull(s.Text("manufacturer")));
    obj.Set("Model", TextOrNull(s.Text("model_name")));
    obj.Set("SerialNumber", TextOrNull(s.Text("serial_number")));
    obj.Set("Technology", TextOrNull(s.Text("technology")));
    obj.Set("EnergyNow", scaled(s.Energy("now"), 1e-6));
    obj.Set("EnergyFull", scaled(s.Energy("full"), 1e-6));
    obj.Set("EnergyFullDesign", scaled(s.Energy("full_design"), 1e-6));
    obj.Set("VoltageNow", scaled(integer("voltage_now"), 1e-6));
    // In watts only when the rate is a power: a charge-counting battery's is a current.
    bool energyUnits = s.Integer("energy_now").has_value();
    obj.Set("PowerNow", energyUnits ? scaled(s.Rate(), 1e-6) : Variant::Null());
    return obj;
}

std::vector<Supply> Supplies(LinuxContext& ctx) {
    std::vector<Supply> out;
    for (const std::string& name : ctx.Fs().List(kPowerSupply))
        out.emplace_back(ctx.Fs(), name);
    return out;
}

} // namespace

std::vector<WmiObject> BuildBattery(LinuxContext& ctx) {
    std::vector<WmiObject> out;
    for (const Supply& s : Supplies(ctx))
        if (s.IsSystemBattery()) out.push_back(BatteryObject(s));
    return out;
}

std::vector<WmiObject> BuildFullChargedCapacity(LinuxContext& ctx) {
    std::vector<WmiObject> out;
    for (const Supply& s : Supplies(ctx))
        if (s.IsSystemBattery()) {
            WmiObject obj;
            obj.Set("InstanceName", Variant(s.Name()));
            obj.Set("FullChargedCapacity", MilliwattHours(s.Energy("full")));
            out.push_back(std::move(obj));
        }
    return out;
}

std::vector<WmiObject> BuildCycleCount(LinuxContext& ctx) {
    std::vector<WmiObject> out;
    for (const Supply& s : Supplies(ctx))
        if (s.IsSystemBattery()) {
            // ACPI batteries that keep no count report 0, which upower shows as none.
            std::optional<int64_t> cycles = s.Integer("cycle_count");
            WmiObject obj;
            obj.Set("InstanceName", Variant(s.Name()));
            obj.Set("CycleCount", cycles && *cycles > 0 ? Variant(*cycles) : Variant::Null());
            out.push_back(std::move(obj));
        }
    return out;
}

std::vector<WmiObject> BuildPowerSupply(LinuxContext& ctx) {
    std::vector<WmiObject> out;
    for (const Supply& s : Supplies(ctx))
        out.push_back(SupplyObject(s));
    return out;
}

} // namespace hl
