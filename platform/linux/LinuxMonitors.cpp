#include "LinuxClasses.h"
#include "LinuxDisplay.h"
#include "LinuxDisplayMakers.h"

namespace hl {

namespace {

// The sections find a monitor's three objects by their common InstanceName, the connector.
void SetTextOrNull(LinuxContext& ctx, WmiObject& obj, const char* cls, const char* prop,
                   const std::string& text) {
    if (text.empty())
        ctx.SetNull(obj, cls, prop, Access::Absent);
    else
        obj.Set(prop, Variant(text));
}

void SetPositive(WmiObject& obj, const char* prop, int value) {
    obj.Set(prop, value > 0 ? Variant(value) : Variant::Null());
}

std::string MakerName(LinuxContext& ctx, const std::string& code) {
    std::string maker(DisplayMakerName(code));
    if (maker.empty()) maker = ctx.Ids().Pnp(code);
    return maker;
}

// A week of 255 marks the year as the model year, not the year the monitor was made.
int YearMade(const Edid& edid) {
    return edid.weekOfManufacture == 255 ? 0 : edid.yearOfManufacture;
}

char HexDigit(int n) {
    return "0123456789ABCDEF"[n & 0xF];
}

std::string ProductCode(int code) {
    return {HexDigit(code >> 12), HexDigit(code >> 8), HexDigit(code >> 4), HexDigit(code)};
}

// The mode the primary monitor runs in: the display server's when it was given, else the
// first of its modes, which the console runs in. Other monitors' modes are not in sysfs.
void SetCurrentMode(LinuxContext& ctx, WmiObject& obj, const std::string& connector, bool primary,
                    const Edid& edid) {
    int width = 0, height = 0, rate = 0;
    bool interlaced = false;
    if (primary && ctx.Options().currentMode) {
        width = ctx.Options().currentMode->width;
        height = ctx.Options().currentMode->height;
        rate = ctx.Options().currentMode->refreshHz;
    } else if (primary) {
        std::string modes = ctx.Fs().Line("/sys/class/drm/" + connector + "/modes");
        if (ParseModeName(modes.substr(0, modes.find('\n')), width, height, interlaced) &&
            width == edid.preferredWidth && height == edid.preferredHeight)
            rate = edid.preferredRefreshHz;
    }
    SetPositive(obj, "CurrentHorizontalResolution", width);
    SetPositive(obj, "CurrentVerticalResolution", height);
    SetPositive(obj, "CurrentRefreshRate", rate);
}

} // namespace

namespace {

// One instance per connector whose monitor answers with an EDID, named by its connector; `fill`
// adds the class's properties (and learns whether the connector is the first one).
template <typename Fill> std::vector<WmiObject> PerMonitor(LinuxContext& ctx, Fill fill) {
    std::vector<WmiObject> out;
    const std::vector<std::string> connectors = MonitorConnectors(ctx.Fs());
    for (const std::string& connector : connectors) {
        std::optional<Edid> edid = ConnectorEdid(ctx.Fs(), connector);
        if (!edid) continue;
        WmiObject obj;
        obj.Set("InstanceName", Variant(connector));
        fill(obj, connector, *edid, connector == connectors.front());
        out.push_back(std::move(obj));
    }
    return out;
}

} // namespace

std::vector<WmiObject> BuildMonitorId(LinuxContext& ctx) {
    const char* cls = "WmiMonitorID";
    return PerMonitor(ctx, [&](WmiObject& obj, const std::string&, const Edid& edid, bool) {
        obj.Set("Active", Variant(true));
        obj.Set("ManufacturerName", Variant(edid.makerCode));
        obj.Set("ProductCodeID", Variant(ProductCode(edid.productCode)));
        SetTextOrNull(ctx, obj, cls, "UserFriendlyName", edid.monitorName);
        SetTextOrNull(ctx, obj, cls, "SerialNumberID", edid.serial);
        SetPositive(obj, "WeekOfManufacture",
                    edid.weekOfManufacture == 255 ? 0 : edid.weekOfManufacture);
        SetPositive(obj, "YearOfManufacture", YearMade(edid));
    });
}

std::vector<WmiObject> BuildMonitorBasicDisplayParams(LinuxContext& ctx) {
    return PerMonitor(ctx, [](WmiObject& obj, const std::string&, const Edid& edid, bool) {
        obj.Set("Active", Variant(true));
        SetPositive(obj, "MaxHorizontalImageSize", edid.widthCm);
        SetPositive(obj, "MaxVerticalImageSize", edid.heightCm);
    });
}

std::vector<WmiObject> BuildMonitor(LinuxContext& ctx) {
    const char* cls = "Hardlens_Monitor";
    return PerMonitor(
        ctx, [&](WmiObject& obj, const std::string& connector, const Edid& edid, bool first) {
            std::string card = connector.substr(0, connector.find('-'));
            obj.Set("Connector", Variant(connector));
            SetTextOrNull(ctx, obj, cls, "Manufacturer", MakerName(ctx, edid.makerCode));
            SetTextOrNull(ctx, obj, cls, "VideoController", CardName(ctx, card));
            SetPositive(obj, "PreferredHorizontalResolution", edid.preferredWidth);
            SetPositive(obj, "PreferredVerticalResolution", edid.preferredHeight);
            SetPositive(obj, "PreferredRefreshRate", edid.preferredRefreshHz);
            SetCurrentMode(ctx, obj, connector, first, edid);
            SetPositive(obj, "MinRefreshRate", edid.minRefreshHz.value_or(0));
            SetPositive(obj, "MaxRefreshRate", edid.maxRefreshHz.value_or(0));
        });
}

} // namespace hl
