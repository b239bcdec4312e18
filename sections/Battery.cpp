#include "Battery.h"

#include "Devices.h"
#include "PlatformReads.h"
#include "Readings.h"
#include "Sections.h"
#include "core/Navigation.h"
#include "core/TextsSections.h"
#include "sections/ReportContext.h"

namespace hl {

namespace {

constexpr TableRow kRows[] = {
    {.key = "charge", .caption = kTxtCharge, .report = InReport::First},
    {.key = "state", .caption = kTxtState, .report = InReport::First},
    {.key = "health", .caption = kTxtHealth, .report = InReport::First},
    {.key = "cycle_count", .caption = kTxtCycles, .report = InReport::First},
    {.key = "technology", .caption = kTxtTechnology, .report = InReport::First},
    {.key = "manufacturer", .caption = kTxtManufacturer, .report = InReport::First},
    {.key = "model", .caption = kTxtModel, .report = InReport::First},
    {.key = "time_to_empty", .caption = kTxtTimeToEmpty, .report = InReport::First},
    {.key = "time_to_full", .caption = kTxtTimeToFull, .report = InReport::First},
    {.key = "full_capacity", .caption = kTxtFullCapacity, .report = InReport::First},
    {.key = "power", .caption = kTxtPowerDraw, .report = InReport::First},
    {.key = "ac_adapter", .caption = kTxtAcAdapter, .report = InReport::First},
};

// Win32_Battery's Chemistry codes.
std::string ChemistryText(Reading code) {
    switch (code ? static_cast<int>(*code) : 0) {
    case 3: return "Lead acid";
    case 4: return "NiCd";
    case 5: return "NiMH";
    case 6: return "Li-ion";
    case 7: return "Zinc air";
    case 8: return "Li-poly";
    default: return "";
    }
}

// Windows gives 71582788 minutes (0x4444444) while it cannot estimate.
Reading Minutes(const WmiObject& battery, const char* property) {
    Reading minutes = NumberOf(battery, property);
    return minutes && *minutes >= 0 && *minutes < 71582788 ? minutes : std::nullopt;
}

Reading Wh(Reading milliwattHours) {
    if (!milliwattHours || *milliwattHours <= 0) return std::nullopt;
    return *milliwattHours / 1000.0;
}

BatteryInfo BatteryOf(const WmiObject& battery) {
    BatteryInfo b;
    b.id = TextOf(battery, "DeviceID");
    b.model = TextOf(battery, "Name");
    b.charge = NumberOf(battery, "EstimatedChargeRemaining");
    Reading status = NumberOf(battery, "BatteryStatus");
    b.status = status ? static_cast<int>(*status) : 0;
    b.technology = ChemistryText(NumberOf(battery, "Chemistry"));
    b.designWh = Wh(NumberOf(battery, "DesignCapacity"));
    b.fullWh = Wh(NumberOf(battery, "FullChargeCapacity"));
    b.runMinutes = Minutes(battery, "EstimatedRunTime");
    b.toFullMinutes = Minutes(battery, "TimeToFullCharge");
    return b;
}

// The instance of a per-battery class that belongs to battery `index`: the one named like it,
// else the one at the same place (Windows names them by their ACPI path).
const WmiObject* Matching(const std::vector<WmiObject>& all, const BatteryInfo& b, size_t index) {
    for (const WmiObject& o : all)
        if (TextOf(o, "InstanceName") == b.id) return &o;
    return index < all.size() ? &all[index] : nullptr;
}

void AddFromSupply(const WmiObject& supply, BatteryInfo& b) {
    auto keep = [](Reading& target, Reading value) {
        if (!target) target = value;
    };
    auto keepText = [](std::string& target, std::string value) {
        if (target.empty()) target = std::move(value);
    };
    keepText(b.maker, TextOf(supply, "Manufacturer"));
    keepText(b.model, TextOf(supply, "Model"));
    keepText(b.serial, TextOf(supply, "SerialNumber"));
    std::string technology = TextOf(supply, "Technology");
    if (!technology.empty() && technology != "Unknown") b.technology = technology;
    keep(b.nowWh, NumberOf(supply, "EnergyNow"));
    keep(b.fullWh, NumberOf(supply, "EnergyFull"));
    keep(b.designWh, NumberOf(supply, "EnergyFullDesign"));
    keep(b.voltage, NumberOf(supply, "VoltageNow"));
    keep(b.powerW, NumberOf(supply, "PowerNow"));
}

void AddPerBatteryClasses(const std::shared_ptr<WmiService>& service, BatteryFacts& f) {
    auto full = EnumerateGuarded(service, "BatteryFullChargedCapacity");
    auto cycles = EnumerateGuarded(service, "BatteryCycleCount");
    for (size_t i = 0; i < f.batteries.size(); ++i) {
        BatteryInfo& b = f.batteries[i];
        if (const WmiObject* o = Matching(full, b, i); o && !b.fullWh)
            b.fullWh = Wh(NumberOf(*o, "FullChargedCapacity"));
        if (const WmiObject* o = Matching(cycles, b, i)) b.cycles = NumberOf(*o, "CycleCount");
        if (b.cycles && *b.cycles <= 0) b.cycles.reset();
    }
}

// The mains adapter says whether the machine runs on it; without one (Windows), the first
// battery's state does: only a discharging battery means the adapter is out.
void AddSupplies(const std::shared_ptr<WmiService>& service, BatteryFacts& f) {
    auto supplies = EnumerateGuarded(service, "Hardlens_PowerSupply");
    for (const WmiObject& supply : supplies) {
        const std::string type = TextOf(supply, "Type");
        if (type == "Mains")
            Skip([&] { f.acOnline = f.acOnline.value_or(false) || supply.Get("Online").ToBool(); });
        for (BatteryInfo& b : f.batteries)
            if (type == "Battery" && TextOf(supply, "DeviceID") == b.id) AddFromSupply(supply, b);
    }
    if (supplies.empty() && !f.batteries.empty() && f.batteries.front().status != 0) {
        const int status = f.batteries.front().status;
        f.acOnline = !(status == 1 || status == 4 || status == 5);
    }
}

void GatherBattery(DataSource& source, BatteryFacts& f, std::shared_ptr<WmiService>& service) {
    f = {};
    Skip([&] { service = source.ConnectWmi(); });
    for (const WmiObject& battery : EnumerateGuarded(service, "Win32_Battery"))
        f.batteries.push_back(BatteryOf(battery));
    AddPerBatteryClasses(service, f);
    AddSupplies(service, f);
}

// BatteryStatus: 1 discharging (4 low, 5 critical), 2 on AC power, 3 fully charged,
// 6 to 9 charging, 11 partially charged.
RowValue StateValue(const App& app, int status) {
    switch (status) {
    case 1:
    case 4:
    case 5: return {app.T(kTxtDischarging), "discharging"};
    case 2:
    case 11: return {app.T(kTxtNotCharging), "not_charging"};
    case 3: return {app.T(kTxtFullyCharged), "full"};
    case 6:
    case 7:
    case 8:
    case 9: return {app.T(kTxtCharging), "charging"};
    default: return {"", Data()};
    }
}

RowValue Duration(Reading minutes) {
    return {DurationText(minutes), NumberData(minutes, 0)};
}

RowValue AcValue(const App& app, std::optional<bool> online) {
    if (!online) return {"", Data()};
    return {app.T(*online ? kTxtConnected : kTxtDisconnected), *online};
}

RowValues BatteryValues(const App& app, const BatteryFacts& f) {
    const BatteryInfo b = f.batteries.empty() ? BatteryInfo{} : f.batteries.front();
    return {
        Measured(b.charge, 0, "%"),
        StateValue(app, b.status),
        Measured(b.Health(), 1, "%"),
        {b.cycles ? std::to_string(static_cast<long long>(*b.cycles)) : "",
         NumberData(b.cycles, 0)},
        b.technology,
        b.maker,
        b.model,
        Duration(b.runMinutes),
        Duration(b.toFullMinutes),
        Measured(b.fullWh, 2, "Wh"),
        Measured(b.powerW, 2, "W"),
        AcValue(app, f.acOnline),
    };
}

void ShowNotice(App& app, const std::string& text) {
    app.area.laviso = text;
    app.area.lavisoColour = kNoticeGrey;
    app.area.iavisoVisible = app.area.lavisoVisible = true;
}

constexpr DeviceField kBatteryFields[] = {
    {"charge", kTxtCharge},
    {"state", kTxtState},
    {"health", kTxtHealth},
    {"cycle_count", kTxtCycles},
    {"technology", kTxtTechnology},
    {"manufacturer", kTxtManufacturer},
    {"model", kTxtModel},
    {"serial", kTxtSerial, true},
    {"energy_now", kTxtEnergyNow},
    {"full_capacity", kTxtFullCapacity},
    {"design_capacity", kTxtDesignCapacity},
    {"voltage", kTxtVoltage},
    {"power", kTxtPowerDraw},
    {"time_to_empty", kTxtTimeToEmpty},
    {"time_to_full", kTxtTimeToFull},
};
constexpr DeviceKind kBatteryKind{"battery", kTxtBattery, kBatteryFields};

constexpr DeviceField kAcFields[] = {{"online", kTxtAcAdapter}};
constexpr DeviceKind kAcKind{"ac_adapter", kTxtAcAdapter, kAcFields};

Device BatteryDevice(const App& app, const BatteryInfo& b) {
    // Windows makes a battery's DeviceID of its serial number, maker and name: the model names
    // it without giving the serial away.
    return {&kBatteryKind,
            b.model.empty() ? b.id : b.model,
            {Measured(b.charge, 0, "%"), StateValue(app, b.status), Measured(b.Health(), 1, "%"),
             Measured(b.cycles, 0, ""), b.technology, b.maker, b.model, b.serial,
             Measured(b.nowWh, 2, "Wh"), Measured(b.fullWh, 2, "Wh"), Measured(b.designWh, 2, "Wh"),
             Measured(b.voltage, 3, "V"), Measured(b.powerW, 2, "W"), Duration(b.runMinutes),
             Duration(b.toFullMinutes)}};
}

} // namespace

DeviceList BatteryDevices(App& app) {
    BatteryFacts f;
    std::shared_ptr<WmiService> service;
    Skip([&] { GatherBattery(*app.source, f, service); });
    DeviceList devices;
    for (const BatteryInfo& b : f.batteries)
        devices.push_back(BatteryDevice(app, b));
    if (f.acOnline) devices.push_back({&kAcKind, "AC", {AcValue(app, f.acOnline)}});
    return devices;
}

Reading BatteryInfo::Health() const {
    if (!fullWh || !designWh || *designWh <= 0) return std::nullopt;
    return *fullWh * 100.0 / *designWh;
}

const SectionRows kBatteryRows{"battery", kRows};

void Battery(App& app) {
    OpenSection(app, Section::Battery);
    BatteryFacts& f = Kept(app).battery;
    GatherBattery(*app.source, f, app.main.service);
    app.area.titulo = app.T(kTxtBattery);
    for (InfoRow& row : app.area.rows)
        row.captionColour = kDarkGrey;
    ShowRows(app, kBatteryRows, BatteryValues(app, f));
    if (f.batteries.empty()) ClearLabels(app, 1, 24);
    if (f.batteries.empty()) ShowNotice(app, app.T(kTxtNoBattery));
    if (f.batteries.size() > 1)
        ShowNotice(app, std::to_string(f.batteries.size()) + " " + app.T(kTxtBatteriesFound));
    FinishSection(app, Section::Battery);
    if (f.batteries.empty()) app.area.iavisoPicture = "Info";
}

void InformeBattery(ReportContext& ctx) {
    App& app = ctx.app;
    BatteryFacts f = OpenReportSection<BatteryFacts>(ctx, app.T(kTxtBattery), GatherBattery);
    if (f.batteries.empty())
        ctx.writer.Row(app.T(kTxtBattery), app.T(kTxtNoBattery), RowEnd::LastBrCrlf);
    else
        ReportRows(ctx.writer, app, kBatteryRows, BatteryValues(app, f), InReport::First,
                   RowEnd::LastBrCrlf);
    ctx.writer.SectionEnd();
}

} // namespace hl
