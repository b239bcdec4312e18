#include "LinuxClasses.h"
#include "LinuxStorage.h"

#include <algorithm>
#include <arpa/inet.h>
#include <array>
#include <cctype>

namespace hl {

namespace {

constexpr const char* kNet = "/sys/class/net";
constexpr int kLoopbackType = 772;       // ARPHRD_LOOPBACK of include/uapi/linux/if_arp.h
constexpr uint64_t kIffUp = 0x1;         // IFF_UP of include/uapi/linux/if.h
constexpr uint32_t kRouteGateway = 0x2;  // RTF_GATEWAY of include/uapi/linux/route.h
constexpr size_t kProcNetCap = 4u << 20; // routing tables of a busy router stay far below

struct Route {
    std::string iface;
    uint32_t destination = 0, gateway = 0, mask = 0, flags = 0;
};

// /proc/net/route: addresses as hexadecimal of the address in host (little-endian) order.
std::vector<Route> ParseRoutes(std::string_view text) {
    std::vector<Route> routes;
    for (std::string_view line : SplitLines(text)) {
        std::vector<std::string_view> f = SplitWhite(line);
        uint64_t dest = 0, gw = 0, flags = 0, mask = 0;
        if (f.size() < 8 || !ParseHex(f[1], dest) || !ParseHex(f[2], gw) ||
            !ParseHex(f[3], flags) || !ParseHex(f[7], mask))
            continue; // the header, or a broken line
        routes.push_back(
            {std::string(f[0]), uint32_t(dest), uint32_t(gw), uint32_t(mask), uint32_t(flags)});
    }
    return routes;
}

// The kernel prints the address's bytes read as a host integer: stored back, they are the address.
std::string Ipv4Text(uint32_t printed) {
    in_addr addr{};
    addr.s_addr = printed;
    char text[INET_ADDRSTRLEN] = {};
    return ::inet_ntop(AF_INET, &addr, text, sizeof text) ? text : "";
}

// 32 hexadecimal digits of /proc/net/if_inet6 and ipv6_route as the usual short form.
std::string Ipv6Text(std::string_view hex) {
    std::array<unsigned char, 16> bytes{};
    if (hex.size() != 32) return {};
    for (size_t i = 0; i < 16; ++i) {
        uint64_t b = 0;
        if (!ParseHex(hex.substr(i * 2, 2), b)) return {};
        bytes[i] = static_cast<unsigned char>(b);
    }
    char text[INET6_ADDRSTRLEN] = {};
    return ::inet_ntop(AF_INET6, bytes.data(), text, sizeof text) ? text : "";
}

uint32_t FromText(const std::string& dotted) {
    in_addr addr{};
    return ::inet_pton(AF_INET, dotted.c_str(), &addr) == 1 ? addr.s_addr : 0;
}

int PrefixOf(uint32_t mask) {
    return __builtin_popcount(mask);
}

// The local IPv4 addresses of /proc/net/fib_trie: a "|-- a.b.c.d" line followed by
// "/32 host LOCAL" (net/ipv4/fib_trie.c, fib_trie_seq_show).
std::vector<uint32_t> LocalAddresses(std::string_view trie) {
    std::vector<uint32_t> out;
    std::string last;
    for (std::string_view line : SplitLines(trie)) {
        std::vector<std::string_view> f = SplitWhite(line);
        if (f.size() == 2 && f[0] == "|--") last = std::string(f[1]);
        bool local = f.size() >= 3 && f[0] == "/32" && f[1] == "host" && f[2] == "LOCAL";
        if (!local || last.empty()) continue;
        uint32_t addr = FromText(last);
        if (addr && std::find(out.begin(), out.end(), addr) == out.end()) out.push_back(addr);
    }
    return out;
}

// The interface of a local address: the most specific directly connected route holding it.
const Route* RouteOf(const std::vector<Route>& routes, uint32_t addr) {
    const Route* best = nullptr;
    for (const Route& r : routes)
        if (!(r.flags & kRouteGateway) && r.mask && (addr & r.mask) == r.destination &&
            (!best || PrefixOf(r.mask) > PrefixOf(best->mask)))
            best = &r;
    return best;
}

struct Addresses {
    std::vector<std::string> ip, subnet, gateways;
};

struct NetTables {
    std::vector<Route> routes;
    std::vector<uint32_t> local;
    std::string inet6;
    std::string route6;
};

NetTables ReadTables(const RootFs& fs) {
    NetTables t;
    t.routes = ParseRoutes(fs.Read("/proc/net/route", kProcNetCap).text);
    t.local = LocalAddresses(fs.Read("/proc/net/fib_trie", kProcNetCap).text);
    t.inet6 = fs.Read("/proc/net/if_inet6", kProcNetCap).text;
    t.route6 = fs.Read("/proc/net/ipv6_route", kProcNetCap).text;
    return t;
}

std::string Ipv4Mask(uint32_t mask) {
    return Ipv4Text(mask);
}

void AddIpv6(const NetTables& t, const std::string& iface, Addresses& a) {
    for (std::string_view line : SplitLines(t.inet6)) {
        std::vector<std::string_view> f = SplitWhite(line);
        uint64_t prefix = 0;
        if (f.size() < 6 || f[5] != iface || !ParseHex(f[2], prefix)) continue;
        std::string text = Ipv6Text(f[0]);
        if (text.empty()) continue;
        a.ip.push_back(text);
        a.subnet.push_back(std::to_string(prefix));
    }
    // ipv6_route: destination, length, source, length, next hop, metric, refs, use, flags, dev.
    for (std::string_view line : SplitLines(t.route6)) {
        std::vector<std::string_view> f = SplitWhite(line);
        uint64_t flags = 0;
        if (f.size() < 10 || f[9] != iface || f[1] != "00" || !ParseHex(f[8], flags) ||
            !(flags & kRouteGateway))
            continue;
        std::string hop = Ipv6Text(f[4]);
        if (!hop.empty() && hop != "::") a.gateways.push_back(hop);
    }
}

Addresses AddressesOf(const NetTables& t, const std::string& iface) {
    Addresses a;
    for (uint32_t addr : t.local)
        if (const Route* r = RouteOf(t.routes, addr); r && r->iface == iface) {
            a.ip.push_back(Ipv4Text(addr));
            a.subnet.push_back(Ipv4Mask(r->mask));
        }
    for (const Route& r : t.routes)
        if (r.iface == iface && r.destination == 0 && r.mask == 0 && (r.flags & kRouteGateway))
            a.gateways.push_back(Ipv4Text(r.gateway));
    AddIpv6(t, iface, a);
    return a;
}

// The interfaces: /sys/class/net, else (a tree with /proc alone) the names of /proc/net/dev.
std::vector<std::string> Interfaces(const RootFs& fs) {
    std::vector<std::string> names;
    for (const std::string& name : fs.List(kNet))
        if (fs.Exists(std::string(kNet) + "/" + name + "/type")) names.push_back(name);
    if (!names.empty() || fs.Exists(kNet)) return names;
    // The text outlives the loop: the lines are views into it.
    const FileText dev = fs.Read("/proc/net/dev", kProcNetCap);
    for (std::string_view line : SplitLines(dev.text)) {
        size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        std::string name = TrimWhite(line.substr(0, colon));
        if (!name.empty() && name.find(' ') == std::string::npos &&
            name.find('|') == std::string::npos)
            names.push_back(name);
    }
    return names;
}

bool IsLoopback(const RootFs& fs, const std::string& name) {
    std::string type = fs.Line(std::string(kNet) + "/" + name + "/type");
    return type.empty() ? name == "lo" : IntOr(type, 0) == kLoopbackType;
}

// Win32_NetworkAdapter.NetConnectionStatus from operstate (Documentation/networking/
// operstates.rst): 0 disconnected, 2 connected, 4 hardware absent, 7 media disconnected.
Variant ConnectionStatus(const std::string& operstate, std::optional<int64_t> carrier, bool up) {
    if (operstate == "up" || operstate == "dormant") return Variant(int64_t{2});
    if (operstate == "notpresent") return Variant(int64_t{4});
    if (operstate == "lowerlayerdown" || (operstate == "down" && up)) return Variant(int64_t{7});
    if (operstate == "down") return Variant(int64_t{0});
    if (carrier) return Variant(int64_t{*carrier ? 2 : 7});
    return Variant::Null();
}

// Win32_NetworkAdapter.AdapterTypeId and AdapterType from the ARPHRD type.
std::pair<Variant, Variant> AdapterType(const RootFs& fs, const std::string& dir, int type) {
    bool wireless = fs.Exists(dir + "/wireless") || fs.Exists(dir + "/phy80211") ||
                    ShellValue(fs.Read(dir + "/uevent").text, "DEVTYPE") == "wlan";
    if (wireless || type == 801 || type == 802 || type == 803)
        return {Variant(int64_t{9}), Variant("Wireless")};
    if (type == 1) return {Variant(int64_t{0}), Variant("Ethernet 802.3")};
    if (type == 24) return {Variant(int64_t{13}), Variant("1394")};
    if (type == 512) return {Variant(int64_t{3}), Variant("Wide Area Network (WAN)")};
    return {Variant::Null(), Variant::Null()};
}

struct Hardware {
    std::string driver;
    IdNames names;
    bool physical = false;
};

Hardware HardwareOf(LinuxContext& ctx, const std::string& name) {
    const RootFs& fs = ctx.Fs();
    std::string dir = std::string(kNet) + "/" + name;
    Hardware hw;
    std::string driver = BaseName(fs.LinkTarget(dir + "/device/driver"));
    if (driver.empty()) driver = ShellValue(fs.Read(dir + "/device/uevent").text, "DRIVER");
    if (driver.empty() && fs.Exists(dir + "/bonding")) driver = "bonding";
    if (driver.empty() && fs.Exists(dir + "/bridge")) driver = "bridge";
    hw.driver = driver;
    std::string target = fs.LinkTarget(dir);
    hw.physical = fs.Exists(dir + "/device") ||
                  (!target.empty() && target.find("/virtual/") == std::string::npos &&
                   !PciDeviceDir(ResolveSysLink(kNet, target)).empty());
    uint64_t vendor = 0, device = 0;
    std::string dev = dir + "/device";
    // A virtio interface's device is the virtio device; the PCI function is its parent.
    if (BaseName(fs.LinkTarget(dev + "/subsystem")) == "virtio") dev += "/..";
    if (ParseHex(fs.Line(dev + "/../idVendor"), vendor) &&
        ParseHex(fs.Line(dev + "/../idProduct"), device))
        hw.names = ctx.Ids().Usb(uint32_t(vendor), uint32_t(device));
    else if (ParseHex(fs.Line(dev + "/vendor"), vendor) &&
             ParseHex(fs.Line(dev + "/device"), device))
        hw.names = ctx.Ids().Pci(uint32_t(vendor), uint32_t(device));
    return hw;
}

// "00:16:41:e2:8d:ff" as Windows writes it; nothing for the all-zero address.
Variant MacAddress(const std::string& address) {
    if (address.empty() || address.find_first_not_of("0:") == std::string::npos)
        return Variant::Null();
    std::string upper = address;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return Variant(upper);
}

Variant Joined(const std::vector<std::string>& items) {
    if (items.empty()) return Variant::Null();
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return Variant(text);
}

Variant IfIndex(const RootFs& fs, const std::string& name) {
    std::optional<int64_t> index = fs.Number(std::string(kNet) + "/" + name + "/ifindex");
    return index ? Variant(*index) : Variant::Null();
}

WmiObject AdapterObject(LinuxContext& ctx, const std::string& name) {
    const RootFs& fs = ctx.Fs();
    std::string dir = std::string(kNet) + "/" + name;
    Hardware hw = HardwareOf(ctx, name);
    uint64_t flags = 0;
    bool up = ParseHex(fs.Line(dir + "/flags"), flags) && (flags & kIffUp);
    std::optional<int64_t> speed = KernelInteger(fs.Read(dir + "/speed"));
    auto [typeId, type] = AdapterType(fs, dir, IntOr(fs.Line(dir + "/type"), -1));
    WmiObject obj;
    obj.Set("DeviceID", Variant(name));
    obj.Set("NetConnectionID", Variant(name));
    obj.Set("InterfaceIndex", IfIndex(fs, name));
    obj.Set("Name", Variant(hw.names.device.empty() ? name : hw.names.device));
    obj.Set("ProductName", hw.names.device.empty() ? Variant::Null() : Variant(hw.names.device));
    obj.Set("Manufacturer", hw.names.vendor.empty() ? Variant::Null() : Variant(hw.names.vendor));
    obj.Set("MACAddress", MacAddress(fs.Line(dir + "/address")));
    obj.Set("NetConnectionStatus", ConnectionStatus(fs.Line(dir + "/operstate"),
                                                    KernelInteger(fs.Read(dir + "/carrier")), up));
    obj.Set("NetEnabled", fs.Exists(dir + "/flags") ? Variant(up) : Variant::Null());
    // Mb/s in sysfs, −1 when unknown; Windows gives bit/s as a 64-bit decimal string.
    obj.Set("Speed",
            speed && *speed > 0 ? Variant(std::to_string(*speed * 1000000)) : Variant::Null());
    obj.Set("AdapterTypeId", typeId);
    obj.Set("AdapterType", type);
    obj.Set("ServiceName", hw.driver.empty() ? Variant::Null() : Variant(hw.driver));
    obj.Set("PhysicalAdapter", Variant(hw.physical));
    return obj;
}

} // namespace

std::vector<WmiObject> BuildNetworkAdapter(LinuxContext& ctx) {
    std::vector<WmiObject> out;
    for (const std::string& name : Interfaces(ctx.Fs()))
        if (!IsLoopback(ctx.Fs(), name)) out.push_back(AdapterObject(ctx, name));
    return out;
}

std::vector<WmiObject> BuildNetworkAdapterConfiguration(LinuxContext& ctx) {
    const RootFs& fs = ctx.Fs();
    NetTables tables = ReadTables(fs);
    std::vector<WmiObject> out;
    for (const std::string& name : Interfaces(fs)) {
        if (IsLoopback(fs, name)) continue;
        Addresses a = AddressesOf(tables, name);
        WmiObject obj;
        obj.Set("SettingID", Variant(name));
        obj.Set("InterfaceIndex", IfIndex(fs, name));
        obj.Set("MACAddress", MacAddress(fs.Line(std::string(kNet) + "/" + name + "/address")));
        obj.Set("IPEnabled", Variant(!a.ip.empty()));
        // Windows gives arrays here; a value holds one text, so the items are joined by ", ".
        obj.Set("IPAddress", Joined(a.ip));
        obj.Set("IPSubnet", Joined(a.subnet));
        obj.Set("DefaultIPGateway", Joined(a.gateways));
        out.push_back(std::move(obj));
    }
    return out;
}

} // namespace hl
