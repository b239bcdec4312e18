#include "Sensors.h"

#include "Devices.h"
#include "PlatformReads.h"
#include "Readings.h"
#include "Sections.h"
#include "core/Navigation.h"
#include "core/TextsSections.h"
#include "sections/ReportContext.h"

#include <algorithm>
#include <set>

namespace hl {

namespace {

constexpr TableRow kRows[] = {
    {.key = "cpu_temperature", .caption = kTxtCpuTemperature, .report = InReport::First},
    {.key = "gpu_temperature", .caption = kTxtGpuTemperature, .report = InReport::First},
    {.key = "disk_temperature", .caption = kTxtDiskTemperature, .report = InReport::First},
    {.key = "system_temperature", .caption = kTxtSystemTemperature, .report = InReport::First},
    {.key = "hottest", .caption = kTxtHottest, .report = InReport::First},
    {.kind = RowKind::Blank},
    {.key = "fan_speed", .caption = kTxtFanSpeed, .report = InReport::First},
    {.key = "fan_count", .caption = kTxtFanCount, .report = InReport::First},
    {.key = "power", .caption = kTxtPowerDraw, .report = InReport::First},
    {.key = "voltage", .caption = kTxtVoltage, .report = InReport::First},
    {.key = "reading_count", .caption = kTxtReadings, .report = InReport::First},
    {.key = "chips", .caption = kTxtChips, .report = InReport::First},
};

const std::set<std::string> kCpuChips = {"k10temp",     "coretemp",    "zenpower",
                                         "cpu_thermal", "cpu-thermal", "x86_pkg_temp"};
const std::set<std::string> kGpuChips = {"amdgpu", "radeon", "nouveau", "i915", "xe", "nvidia"};
const std::set<std::string> kDiskChips = {"nvme", "drivetemp"};

bool IsTemperature(const SensorReading& r) {
    return r.kind == "temperature";
}

SensorReading ChannelOf(const WmiObject& sensor) {
    return {TextOf(sensor, "DeviceID"), TextOf(sensor, "Chip"),   TextOf(sensor, "ChipName"),
            TextOf(sensor, "Kind"),     TextOf(sensor, "Label"),  NumberOf(sensor, "Value"),
            NumberOf(sensor, "Low"),    NumberOf(sensor, "High"), NumberOf(sensor, "Critical")};
}

// An ACPI thermal zone; its trip points are its thresholds (passive: the firmware slows the
// processor down, critical: it shuts the machine down).
SensorReading ZoneOf(const WmiObject& zone) {
    std::string type = TextOf(zone, "Type");
    std::string name = TextOf(zone, "InstanceName");
    // Windows names a zone by its ACPI path: "ACPI\ThermalZone\TZ00_0".
    std::string label = name.substr(name.find_last_of('\\') + 1);
    return {name,
            type.empty() ? "acpitz" : type,
            type.empty() ? "ACPI" : type,
            "temperature",
            label,
            CelsiusOfDeciKelvin(NumberOf(zone, "CurrentTemperature")),
            std::nullopt,
            CelsiusOfDeciKelvin(NumberOf(zone, "PassiveTripPoint")),
            CelsiusOfDeciKelvin(NumberOf(zone, "CriticalTripPoint"))};
}

SensorReading FanOf(const WmiObject& fan) {
    std::string name = TextOf(fan, "Name");
    return {TextOf(fan, "DeviceID"),       "fan",        name,         "fan",       name,
            NumberOf(fan, "DesiredSpeed"), std::nullopt, std::nullopt, std::nullopt};
}

// A thermal zone that a hwmon chip of its type already reads would count twice.
void AddZones(const std::shared_ptr<WmiService>& service, SensorFacts& f) {
    std::set<std::string> chips;
    for (const SensorReading& r : f.readings)
        chips.insert(r.chip);
    for (const WmiObject& zone : EnumerateGuarded(service, "MSAcpi_ThermalZoneTemperature")) {
        SensorReading r = ZoneOf(zone);
        if (!chips.count(r.chip)) f.readings.push_back(std::move(r));
    }
}

// Fans that no chip reads (Windows names its fans without a speed).
void AddFans(const std::shared_ptr<WmiService>& service, SensorFacts& f) {
    bool anyFan = std::any_of(f.readings.begin(), f.readings.end(),
                              [](const SensorReading& r) { return r.kind == "fan"; });
    if (anyFan) return;
    for (const WmiObject& fan : EnumerateGuarded(service, "Win32_Fan"))
        f.readings.push_back(FanOf(fan));
}

void ReadSensors(const std::shared_ptr<WmiService>& service, SensorFacts& f) {
    f = {};
    for (const WmiObject& sensor : EnumerateGuarded(service, "Hardlens_Sensor"))
        f.readings.push_back(ChannelOf(sensor));
    AddZones(service, f);
    AddFans(service, f);
}

void GatherSensors(DataSource& source, SensorFacts& f, std::shared_ptr<WmiService>& service) {
    Skip([&] { service = source.ConnectWmi(); });
    ReadSensors(service, f);
}

template <class Pick> const SensorReading* First(const SensorFacts& f, Pick pick) {
    for (const SensorReading& r : f.readings)
        if (pick(r)) return &r;
    return nullptr;
}

const SensorReading* FirstTemperatureOf(const SensorFacts& f, const std::set<std::string>& chips) {
    return First(f,
                 [&](const SensorReading& r) { return IsTemperature(r) && chips.count(r.chip); });
}

const SensorReading* SystemTemperature(const SensorFacts& f) {
    return First(f, [](const SensorReading& r) {
        return IsTemperature(r) && r.value && !kCpuChips.count(r.chip) &&
               !kGpuChips.count(r.chip) && !kDiskChips.count(r.chip);
    });
}

const SensorReading* Hottest(const SensorFacts& f) {
    const SensorReading* hottest = nullptr;
    for (const SensorReading& r : f.readings)
        if (IsTemperature(r) && r.value && (!hottest || *r.value > *hottest->value)) hottest = &r;
    return hottest;
}

// The value and, after it, which channel it is: "63.0 °C (thinkpad temp4)".
RowValue Named(const SensorReading* r, int decimals, const char* unit, bool withChip) {
    if (!r) return RowValue("", Data());
    RowValue value = Measured(r->value, decimals, unit);
    if (value.text.empty()) return value;
    value.text += " (" + (withChip ? r->chipName + " " : std::string()) + r->label + ")";
    return value;
}

std::string ChipList(const SensorFacts& f) {
    std::vector<std::string> names;
    for (const SensorReading& r : f.readings)
        if (std::find(names.begin(), names.end(), r.chipName) == names.end())
            names.push_back(r.chipName);
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

RowValues SensorValues(const SensorFacts& f) {
    const auto kindIs = [](const char* kind) {
        return [kind](const SensorReading& r) { return r.kind == kind && r.value; };
    };
    const long long fans = std::count_if(f.readings.begin(), f.readings.end(),
                                         [](const SensorReading& r) { return r.kind == "fan"; });
    const long long count = static_cast<long long>(f.readings.size());
    return {
        Named(FirstTemperatureOf(f, kCpuChips), 1, "°C", false),
        Named(FirstTemperatureOf(f, kGpuChips), 1, "°C", false),
        Named(FirstTemperatureOf(f, kDiskChips), 1, "°C", false),
        Named(SystemTemperature(f), 1, "°C", true),
        Named(Hottest(f), 1, "°C", true),
        Named(First(f, kindIs("fan")), 0, "RPM", true),
        {fans ? std::to_string(fans) : "", fans ? Data(fans) : Data()},
        Named(First(f, kindIs("power")), 2, "W", true),
        Named(First(f, kindIs("voltage")), 3, "V", true),
        {count ? std::to_string(count) : "", count ? Data(count) : Data()},
        ChipList(f),
    };
}

void ShowSensorRows(App& app, const SensorFacts& f) {
    ShowRows(app, kSensorRows, SensorValues(f));
    if (!f.readings.empty()) return;
    // No chip and no zone: one notice instead of a screen of "Unknown".
    ClearLabels(app, 1, 24);
    app.area.laviso = app.T(kTxtNoSensors);
    app.area.lavisoColour = kNoticeGrey;
    app.area.iavisoVisible = app.area.lavisoVisible = true;
}

constexpr DeviceField kSensorFields[] = {
    {"chip", kTxtChip}, {"label", kTxtLabel}, {"kind", kTxtKind},         {"value", kTxtValue},
    {"low", kTxtLow},   {"high", kTxtHigh},   {"critical", kTxtCritical},
};
constexpr DeviceKind kSensorKind{"sensor", kTxtSensor, kSensorFields};

struct KindUnit {
    const char* kind;
    int caption;
    int decimals;
    const char* unit;
};
constexpr KindUnit kUnits[] = {
    {"temperature", kTxtTemperature, 1, "°C"},
    {"fan", kTxtFan, 0, "RPM"},
    {"voltage", kTxtVoltage, 3, "V"},
    {"current", kTxtCurrent, 3, "A"},
    {"power", kTxtPower, 2, "W"},
};

Device SensorDevice(const App& app, const SensorReading& r) {
    KindUnit u{"", 0, 2, ""};
    for (const KindUnit& known : kUnits)
        if (r.kind == known.kind) u = known;
    RowValue kind(u.caption ? app.T(u.caption) : r.kind, RowValue::TextData(r.kind));
    return {&kSensorKind,
            r.chipName + " " + r.label,
            {r.chip, r.label, kind, Measured(r.value, u.decimals, u.unit),
             Measured(r.low, u.decimals, u.unit), Measured(r.high, u.decimals, u.unit),
             Measured(r.critical, u.decimals, u.unit)}};
}

} // namespace

DeviceList SensorDevices(App& app) {
    SensorFacts f;
    std::shared_ptr<WmiService> service;
    GatherSensors(*app.source, f, service);
    DeviceList devices;
    for (const SensorReading& r : f.readings)
        devices.push_back(SensorDevice(app, r));
    return devices;
}

const SectionRows kSensorRows{"sensors", kRows};

void Sensors(App& app) {
    app.main.timer4Enabled = false;
    OpenSection(app, Section::Sensors);
    SensorFacts& f = Kept(app).sensors;
    GatherSensors(*app.source, f, app.main.service);
    app.area.titulo = app.T(kTxtSensors);
    for (InfoRow& row : app.area.rows)
        row.captionColour = kDarkGrey;
    ShowSensorRows(app, f);
    ShowImageLine(app, 11, 10);
    FinishSection(app, Section::Sensors);
    if (f.readings.empty()) app.area.iavisoPicture = "Info";
    app.main.timer4Enabled = !f.readings.empty();
}

void Timer4_Timer(App& app) {
    if (!app.main.Shows(Section::Sensors)) {
        app.main.timer4Enabled = false;
        return;
    }
    // A chip unplugged since the last tick is simply gone; a channel that vanished between
    // the listing and its read reads Null, hence "Unknown".
    SensorFacts& f = Kept(app).sensors;
    ReadSensors(app.main.service, f);
    ShowSensorRows(app, f);
}

void InformeSensors(ReportContext& ctx) {
    App& app = ctx.app;
    SensorFacts f = OpenReportSection<SensorFacts>(ctx, app.T(kTxtSensors), GatherSensors);
    if (f.readings.empty()) {
        ctx.writer.Row(app.T(kTxtSensors), app.T(kTxtNoSensors), RowEnd::LastBrCrlf);
    } else {
        ReportRows(ctx.writer, app, kSensorRows, SensorValues(f), InReport::First,
                   RowEnd::LastBrCrlf);
    }
    ctx.writer.SectionEnd();
}

} // namespace hl
