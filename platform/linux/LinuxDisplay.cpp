#include "LinuxDisplay.h"

#include "LinuxClasses.h"
#include "LinuxDisplayMakers.h"

#include <algorithm>
#include <cmath>

namespace hl {

namespace {

constexpr size_t kBlockSize = 128;
constexpr size_t kDescriptors[] = {54, 72, 90, 108};

// The text of a display descriptor: up to 13 characters, ended by a line feed and padded with
// blanks. Left untrimmed so that a name split over two descriptors joins at the right place.
std::string DescriptorText(const std::vector<uint8_t>& e, size_t at) {
    std::string text;
    for (size_t i = at + 5; i < at + 18 && e[i] != 0x0A; ++i)
        text += (e[i] >= 0x20 && e[i] < 0x7F) ? static_cast<char>(e[i]) : ' ';
    return text;
}

bool LooksLikePartNumber(const std::string& text) {
    return text.find(' ') == std::string::npos &&
           text.find_first_of("0123456789") != std::string::npos;
}

// Laptop panels carry no product name. Their alphanumeric strings hold the panel maker's name or
// code first and the part number after it ("CSOT T3", then "MNG007DA1-C"): take the last string
// that reads like a part number (digits, no blank), else the last one.
std::string PanelPartNumber(const std::vector<std::string>& strings) {
    for (auto it = strings.rbegin(); it != strings.rend(); ++it)
        if (LooksLikePartNumber(*it)) return *it;
    return strings.empty() ? std::string() : strings.back();
}

void TakeTiming(Edid& edid, const std::vector<uint8_t>& e, size_t at) {
    uint32_t clock10kHz = e[at] | e[at + 1] << 8;
    int hActive = e[at + 2] | (e[at + 4] & 0xF0) << 4;
    int hBlank = e[at + 3] | (e[at + 4] & 0x0F) << 8;
    int vActive = e[at + 5] | (e[at + 7] & 0xF0) << 4;
    int vBlank = e[at + 6] | (e[at + 7] & 0x0F) << 8;
    if (hActive == 0 || vActive == 0 || hActive + hBlank == 0) return;
    // An interlaced timing gives the lines of one field; a frame holds two fields and the
    // half line between them, and the rate is that of the fields (1080i at 60 Hz).
    bool interlaced = e[at + 17] & 0x80;
    double fieldLines = vActive + vBlank + (interlaced ? 0.5 : 0.0);
    edid.preferredWidth = hActive;
    edid.preferredHeight = interlaced ? 2 * vActive : vActive;
    edid.preferredInterlaced = interlaced;
    edid.preferredRefreshHz =
        static_cast<int>(std::lround(clock10kHz * 10000.0 / ((hActive + hBlank) * fieldLines)));
}

// The first connector of `card`, in name order, whose status is "connected"; drm_sysfs.c names
// the connector folders cardN-TYPE-M.
std::string ConnectedConnectorOf(const RootFs& fs, const std::string& card) {
    std::vector<std::string> connected = ConnectedConnectorsOf(fs, card);
    return connected.empty() ? std::string() : connected.front();
}

// The primary monitor: the first connected one on the card the firmware booted with (the PCI
// device's boot_vga, Documentation/ABI/testing/sysfs-bus-pci), else on the first card that
// has one. Every fact of the display comes from this one monitor and its card.
std::string ConnectedConnector(const RootFs& fs) {
    std::vector<std::string> cards = DrmCards(fs);
    for (const std::string& card : cards)
        if (fs.Line("/sys/class/drm/" + card + "/device/boot_vga") == "1")
            if (std::string connector = ConnectedConnectorOf(fs, card); !connector.empty())
                return connector;
    for (const std::string& card : cards)
        if (std::string connector = ConnectedConnectorOf(fs, card); !connector.empty())
            return connector;
    return {};
}

// The card of the primary monitor; without a monitor, the boot card, else the first card.
std::string DisplayCard(const RootFs& fs) {
    std::string connector = ConnectedConnector(fs);
    if (!connector.empty()) return connector.substr(0, connector.find('-'));
    std::vector<std::string> cards = DrmCards(fs);
    if (std::string boot = BootCard(fs); !boot.empty()) return boot;
    return cards.empty() ? std::string() : cards.front();
}

void SetInt(WmiObject& obj, const char* prop, std::optional<int64_t> v) {
    obj.Set(prop, v ? Variant(*v) : Variant::Null());
}

void SetMode(LinuxContext& ctx, WmiObject& obj, const std::string& connector,
             const std::optional<Edid>& edid) {
    DisplayMode mode;
    std::optional<bool> interlaced;
    if (ctx.Options().currentMode) {
        mode = *ctx.Options().currentMode;
    } else if (!connector.empty()) {
        // The first line of "modes" is the preferred mode, which the console runs in.
        std::string first = ctx.Fs().Line("/sys/class/drm/" + connector + "/modes");
        bool isInterlaced = false;
        if (ParseModeName(first.substr(0, first.find('\n')), mode.width, mode.height,
                          isInterlaced)) {
            interlaced = isInterlaced;
            mode.bitsPerPixel = 32; // DRM consoles scan out XRGB8888
            if (edid && edid->preferredWidth == mode.width && edid->preferredHeight == mode.height)
                mode.refreshHz = edid->preferredRefreshHz;
        }
    }
    auto value = [](int v) { return v > 0 ? std::optional<int64_t>(v) : std::nullopt; };
    SetInt(obj, "CurrentHorizontalResolution", value(mode.width));
    SetInt(obj, "CurrentVerticalResolution", value(mode.height));
    SetInt(obj, "CurrentBitsPerPixel", value(mode.bitsPerPixel));
    SetInt(obj, "CurrentRefreshRate", value(mode.refreshHz));
    // WMI's scan modes: 3 interlaced, 4 non interlaced.
    SetInt(obj, "CurrentScanMode",
           interlaced ? std::optional<int64_t>(*interlaced ? 3 : 4) : std::nullopt);
}

// Bytes 10-17: product code, serial number, week and year of manufacture; 21-22 the size.
void TakeIdentity(Edid& edid, const std::vector<uint8_t>& e) {
    edid.productCode = e[10] | e[11] << 8;
    uint32_t serial = e[12] | e[13] << 8 | e[14] << 16 | static_cast<uint32_t>(e[15]) << 24;
    if (serial != 0) edid.serial = std::to_string(serial);
    edid.weekOfManufacture = e[16];
    edid.yearOfManufacture = e[17] ? e[17] + 1990 : 0;
    edid.widthCm = e[21];
    edid.heightCm = e[22];
}

} // namespace

std::vector<std::string> DrmCards(const RootFs& fs) {
    std::vector<std::pair<uint64_t, std::string>> numbered;
    for (const std::string& name : fs.List("/sys/class/drm")) {
        uint64_t n = 0;
        if (name.rfind("card", 0) == 0 && ParseDecimal(name.substr(4), n))
            numbered.emplace_back(n, name);
    }
    std::sort(numbered.begin(), numbered.end());
    std::vector<std::string> cards;
    for (auto& [n, name] : numbered)
        cards.push_back(std::move(name));
    return cards;
}

std::vector<std::string> ConnectedConnectorsOf(const RootFs& fs, const std::string& card) {
    std::vector<std::string> connected;
    for (const std::string& name : fs.List("/sys/class/drm"))
        if (name.rfind(card + "-", 0) == 0 &&
            fs.Line("/sys/class/drm/" + name + "/status") == "connected")
            connected.push_back(name);
    std::sort(connected.begin(), connected.end());
    return connected;
}

std::string BootCard(const RootFs& fs) {
    for (const std::string& card : DrmCards(fs))
        if (fs.Line("/sys/class/drm/" + card + "/device/boot_vga") == "1") return card;
    return {};
}

std::vector<std::string> MonitorConnectors(const RootFs& fs) {
    std::string primary = ConnectedConnector(fs);
    if (primary.empty()) return {};
    std::vector<std::string> all{primary};
    for (const std::string& card : DrmCards(fs))
        for (std::string& connector : ConnectedConnectorsOf(fs, card))
            if (connector != primary) all.push_back(std::move(connector));
    return all;
}

std::optional<Edid> ConnectorEdid(const RootFs& fs, const std::string& connector) {
    if (connector.empty()) return std::nullopt;
    FileText raw = fs.ReadBinary("/sys/class/drm/" + connector + "/edid", 64 * 1024);
    return ParseEdid(std::vector<uint8_t>(raw.text.begin(), raw.text.end()));
}

// drm_mode_set_name in drm_modes.c writes "1920x1080", and "1920x1080i" for interlaced modes.
bool ParseModeName(std::string line, int& width, int& height, bool& interlaced) {
    interlaced = !line.empty() && line.back() == 'i';
    if (interlaced) line.pop_back();
    size_t x = line.find('x');
    uint64_t w = 0, h = 0;
    if (x == std::string::npos || !ParseDecimal(line.substr(0, x), w) ||
        !ParseDecimal(line.substr(x + 1), h) || w == 0 || h == 0 || w >= 100000 || h >= 100000)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

std::optional<Edid> ParseEdid(const std::vector<uint8_t>& e) {
    static const uint8_t kHeader[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    if (e.size() < kBlockSize) return std::nullopt;
    for (size_t i = 0; i < sizeof kHeader; ++i)
        if (e[i] != kHeader[i]) return std::nullopt;
    Edid edid;
    // Bytes 8-9: three 5-bit letters, 1 = 'A', big-endian.
    uint16_t id = static_cast<uint16_t>(e[8] << 8 | e[9]);
    for (int shift : {10, 5, 0}) {
        int letter = (id >> shift) & 0x1F;
        edid.makerCode += (letter >= 1 && letter <= 26) ? static_cast<char>('A' + letter - 1) : '?';
    }
    TakeIdentity(edid, e);
    std::string name;
    std::vector<std::string> panelStrings;
    for (size_t at : kDescriptors) {
        if (e[at] == 0 && e[at + 1] == 0) {
            std::string text = DescriptorText(e, at);
            bool blank = TrimWhite(text).empty();
            if (e[at + 3] == 0xFC && !blank) name += text;
            if (e[at + 3] == 0xFE && !blank) panelStrings.push_back(TrimWhite(text));
            if (e[at + 3] == 0xFF && !blank) edid.serial = TrimWhite(text);
            if (e[at + 3] == 0xFD) {
                // EDID 1.4 adds 255 to a rate whose offset flag (byte 4) is set.
                edid.minRefreshHz = e[at + 5] + ((e[at + 4] & 0x01) ? 255 : 0);
                edid.maxRefreshHz = e[at + 6] + ((e[at + 4] & 0x02) ? 255 : 0);
            }
        } else if (edid.preferredWidth == 0) {
            TakeTiming(edid, e, at);
        }
    }
    // A name longer than one descriptor continues in the next ("Cinema Displa", "y").
    edid.monitorName = TrimWhite(name);
    if (edid.monitorName.empty()) edid.monitorName = PanelPartNumber(panelStrings);
    return edid;
}

std::vector<WmiObject> BuildDesktopMonitor(LinuxContext& ctx) {
    const char* cls = "Win32_DesktopMonitor";
    std::string connector = ConnectedConnector(ctx.Fs());
    if (connector.empty()) return {};
    std::optional<Edid> edid = ConnectorEdid(ctx.Fs(), connector);
    WmiObject obj;
    obj.Set("DeviceID", Variant("DesktopMonitor1"));
    if (!edid || edid->monitorName.empty())
        ctx.SetNull(obj, cls, "Name", Access::Absent);
    else
        obj.Set("Name", Variant(edid->monitorName));
    std::string maker;
    if (edid) maker = DisplayMakerName(edid->makerCode);
    if (maker.empty() && edid) maker = ctx.Ids().Pnp(edid->makerCode);
    if (maker.empty() && edid) maker = edid->makerCode;
    if (maker.empty())
        ctx.SetNull(obj, cls, "MonitorManufacturer", Access::Absent);
    else
        obj.Set("MonitorManufacturer", Variant(maker));
    SetInt(obj, "ScreenWidth",
           edid && edid->preferredWidth ? std::optional<int64_t>(edid->preferredWidth)
                                        : std::nullopt);
    SetInt(obj, "ScreenHeight",
           edid && edid->preferredHeight ? std::optional<int64_t>(edid->preferredHeight)
                                         : std::nullopt);
    return {obj};
}

namespace {

// One card: the primary one carries the primary monitor's mode and rates, every other card
// those of its own first monitor.
WmiObject VideoControllerOf(LinuxContext& ctx, const std::string& card, bool primary,
                            size_t number) {
    const char* cls = "Win32_VideoController";
    const RootFs& fs = ctx.Fs();
    std::string dev = "/sys/class/drm/" + card + "/device/";
    uint64_t vendor = 0, device = 0;
    IdNames names;
    if (ParseHex(fs.Line(dev + "vendor"), vendor) && ParseHex(fs.Line(dev + "device"), device))
        names = ctx.Ids().Pci(static_cast<uint32_t>(vendor), static_cast<uint32_t>(device));
    WmiObject obj;
    obj.Set("DeviceID", Variant("VideoController" + std::to_string(number)));
    std::string name = names.device.empty() ? names.vendor : names.device;
    if (name.empty())
        ctx.SetNull(obj, cls, "Name", Access::Absent);
    else
        obj.Set("Name", Variant(name));
    obj.Set("AdapterCompatibility", names.vendor.empty() ? Variant::Null() : Variant(names.vendor));
    // amdgpu states its VRAM in bytes (Documentation/gpu/amdgpu/driver-misc.rst); carried whole,
    // as the Windows source widens its 32-bit AdapterRAM, so cards of 4 GB and more read right.
    std::optional<int64_t> vram = fs.Number(dev + "mem_info_vram_total");
    if (vram)
        obj.Set("AdapterRAM", Variant(*vram));
    else
        ctx.SetNull(obj, cls, "AdapterRAM", Access::Absent);
    ctx.SetNull(obj, cls, "AdapterDACType", Access::Absent);
    std::string driver = BaseName(fs.LinkTarget(dev + "driver"));
    obj.Set("InstalledDisplayDrivers", driver.empty() ? Variant::Null() : Variant(driver));
    std::string version = driver.empty() ? "" : fs.Line("/sys/module/" + driver + "/version");
    if (version.empty()) version = fs.Line("/proc/sys/kernel/osrelease");
    obj.Set("DriverVersion", version.empty() ? Variant::Null() : Variant(version));
    ctx.SetNull(obj, cls, "DriverDate", Access::Absent);
    SetPciPlacement(ctx, obj, card, vendor, device);
    std::string connector = primary ? ConnectedConnector(fs) : ConnectedConnectorOf(fs, card);
    std::optional<Edid> edid = ConnectorEdid(fs, connector);
    if (primary) SetMode(ctx, obj, connector, edid);
    SetInt(obj, "MinRefreshRate", edid ? edid->minRefreshHz : std::nullopt);
    SetInt(obj, "MaxRefreshRate", edid ? edid->maxRefreshHz : std::nullopt);
    return obj;
}

} // namespace

// Every card, the one of the primary monitor first: the Display section shows the first.
std::vector<WmiObject> BuildVideoController(LinuxContext& ctx) {
    const RootFs& fs = ctx.Fs();
    std::string primary = DisplayCard(fs);
    if (primary.empty()) return {};
    std::vector<WmiObject> out{VideoControllerOf(ctx, primary, true, 1)};
    for (const std::string& card : DrmCards(fs))
        if (card != primary) out.push_back(VideoControllerOf(ctx, card, false, out.size() + 1));
    return out;
}

} // namespace hl
