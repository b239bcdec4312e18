#include "LinuxClasses.h"

namespace hl {

namespace {

constexpr const char* kDmiId = "/sys/class/dmi/id/";
constexpr const char* kTables = "/sys/firmware/dmi/tables/";

bool HasDmi(LinuxContext& ctx) {
    return ctx.Fs().Exists(kDmiId) || ctx.Fs().Exists(std::string(kTables) + "DMI");
}

void SetOptionalText(LinuxContext& ctx, WmiObject& obj, const char* cls, const char* prop,
                     const std::string& text, Access whyMissing) {
    if (text.empty())
        ctx.SetNull(obj, cls, prop, whyMissing);
    else
        obj.Set(prop, Variant(text));
}

} // namespace

FileText DmiField(LinuxContext& ctx, const std::string& name) {
    return ctx.Fs().Read(kDmiId + name, 4096);
}

SmbiosRead ReadSmbios(LinuxContext& ctx) {
    SmbiosRead out;
    FileText raw = ctx.Fs().ReadBinary(std::string(kTables) + "DMI", kFirmwareCap);
    out.access = raw.access;
    if (raw.Ok())
        out.table = ParseSmbiosTable(std::vector<uint8_t>(raw.text.begin(), raw.text.end()));
    return out;
}

std::string BoardFullName(LinuxContext& ctx) {
    std::string vendor = TrimWhite(DmiField(ctx, "board_vendor").text);
    std::string name = TrimWhite(DmiField(ctx, "board_name").text);
    return TrimWhite(vendor + " " + name);
}

std::vector<WmiObject> BuildBios(LinuxContext& ctx) {
    const char* cls = "Win32_BIOS";
    if (!HasDmi(ctx)) return {};
    WmiObject obj;
    FileText version = DmiField(ctx, "bios_version");
    ctx.SetText(obj, cls, "Name", version);
    ctx.SetText(obj, cls, "Manufacturer", DmiField(ctx, "bios_vendor"));
    ctx.SetText(obj, cls, "SMBIOSBIOSVersion", version);
    FileText date = DmiField(ctx, "bios_date");
    std::string wmiDate = date.Ok() ? WmiDateFromDmi(TrimWhite(date.text)) : std::string();
    SetOptionalText(ctx, obj, cls, "ReleaseDate", wmiDate, date.Ok() ? Access::Empty : date.access);
    // WMI gives the system's serial number (SMBIOS type 1) as the BIOS serial.
    ctx.SetText(obj, cls, "SerialNumber", DmiField(ctx, "product_serial"));
    obj.Set("PrimaryBIOS", Variant(true));
    FileText entry = ctx.Fs().ReadBinary(std::string(kTables) + "smbios_entry_point", 64);
    auto smbios = ParseSmbiosEntryPoint(std::vector<uint8_t>(entry.text.begin(), entry.text.end()));
    if (smbios) {
        obj.Set("SMBIOSMajorVersion", Variant(smbios->major));
        obj.Set("SMBIOSMinorVersion", Variant(smbios->minor));
    } else {
        Access why = entry.Ok() ? Access::Empty : entry.access;
        ctx.SetNull(obj, cls, "SMBIOSMajorVersion", why);
        ctx.SetNull(obj, cls, "SMBIOSMinorVersion", why);
    }
    return {obj};
}

std::vector<WmiObject> BuildBaseBoard(LinuxContext& ctx) {
    const char* cls = "Win32_BaseBoard";
    if (!HasDmi(ctx)) return {};
    WmiObject obj;
    obj.Set("Tag", Variant("Base Board"));
    ctx.SetText(obj, cls, "Manufacturer", DmiField(ctx, "board_vendor"));
    ctx.SetText(obj, cls, "Product", DmiField(ctx, "board_name"));
    ctx.SetText(obj, cls, "Version", DmiField(ctx, "board_version"));
    ctx.SetText(obj, cls, "SerialNumber", DmiField(ctx, "board_serial"));
    return {obj};
}

} // namespace hl
