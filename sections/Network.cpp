#include "Network.h"

#include "Devices.h"
#include "PlatformReads.h"
#include "Readings.h"
#include "Sections.h"
#include "core/Navigation.h"
#include "core/TextsSections.h"
#include "sections/ReportContext.h"

#include <algorithm>
#include <cctype>

namespace hl {

namespace {

constexpr TableRow kRows[] = {
    {.key = "adapter", .caption = kTxtAdapter, .report = InReport::First},
    {.key = "interface", .caption = kTxtInterface, .report = InReport::First},
    {.key = "connection_type", .caption = kTxtConnectionType, .report = InReport::First},
    {.key = "state", .caption = kTxtState, .report = InReport::First},
    {.key = "link_speed", .caption = kTxtLinkSpeed, .report = InReport::First},
    {.key = "mac_address",
     .caption = kTxtMacAddress,
     .identifying = true,
     .report = InReport::First},
    {.key = "ipv4", .caption = kTxtIpv4, .identifying = true, .report = InReport::First},
    {.key = "ipv6", .caption = kTxtIpv6, .identifying = true, .report = InReport::First},
    {.key = "gateway", .caption = kTxtGateway, .identifying = true, .report = InReport::First},
    {.key = "driver", .caption = kTxtDriver, .report = InReport::First},
    {.kind = RowKind::Blank},
    {.key = "other_adapters", .caption = kTxtOtherAdapters, .report = InReport::First},
};

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

int Code(Reading value) {
    return value && *value >= 0 && *value < 1e6 ? static_cast<int>(*value) : -1;
}

NetworkAdapter AdapterOf(const WmiObject& adapter) {
    NetworkAdapter a;
    a.id = TextOf(adapter, "NetConnectionID");
    a.name = TextOf(adapter, "Name");
    if (a.name.empty()) a.name = a.id;
    a.maker = TextOf(adapter, "Manufacturer");
    a.mac = TextOf(adapter, "MACAddress");
    a.driver = TextOf(adapter, "ServiceName");
    a.typeName = TextOf(adapter, "AdapterType");
    a.status = Code(NumberOf(adapter, "NetConnectionStatus"));
    a.typeId = Code(NumberOf(adapter, "AdapterTypeId"));
    Skip([&] { a.physical = adapter.Get("PhysicalAdapter").ToBool(); });
    Reading bits = NumberOf(adapter, "Speed");
    // Windows gives the largest 64-bit number for a link that is down.
    if (bits && *bits > 0 && *bits < 9e18) a.speedMbps = *bits / 1e6;
    return a;
}

std::string Joined(const std::string& list, const std::string& item) {
    return list.empty() ? item : list + ", " + item;
}

// Windows gives the addresses as a list, IPv4 and IPv6 mixed; a recording joins them.
void AddAddresses(const WmiObject& config, NetworkAdapter& a) {
    std::string all = TextOf(config, "IPAddress");
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find(',', start);
        if (end == std::string::npos) end = all.size();
        std::string item = all.substr(start, end - start);
        item.erase(0, item.find_first_not_of(' '));
        item.erase(item.find_last_not_of(' ') + 1);
        if (!item.empty()) {
            std::string& list = item.find(':') != std::string::npos ? a.ipv6 : a.ipv4;
            list = Joined(list, item);
        }
        start = end + 1;
    }
    a.gateway = TextOf(config, "DefaultIPGateway");
}

bool SameInterface(const WmiObject& config, const WmiObject& adapter, const NetworkAdapter& a) {
    Reading index = NumberOf(config, "InterfaceIndex");
    if (index && index == NumberOf(adapter, "InterfaceIndex")) return true;
    return !index && TextOf(config, "SettingID") == a.id;
}

void GatherNetwork(DataSource& source, NetworkFacts& f, std::shared_ptr<WmiService>& service) {
    f = {};
    Skip([&] { service = source.ConnectWmi(); });
    auto configs = EnumerateGuarded(service, "Win32_NetworkAdapterConfiguration");
    for (const WmiObject& adapter : EnumerateGuarded(service, "Win32_NetworkAdapter")) {
        NetworkAdapter a = AdapterOf(adapter);
        // Windows lists its hidden miniports too; only connections have a name.
        if (a.id.empty() || Lower(a.id) == "lo") continue;
        auto config = std::find_if(configs.begin(), configs.end(), [&](const WmiObject& c) {
            return SameInterface(c, adapter, a);
        });
        if (config != configs.end()) AddAddresses(*config, a);
        f.adapters.push_back(std::move(a));
    }
}

// The adapter that reaches further: the one with the default route, else a connected device,
// else anything connected (a bond over devices).
size_t PrimaryIndex(const NetworkFacts& f) {
    const auto& all = f.adapters;
    auto with = [&](auto pick) {
        return static_cast<size_t>(std::find_if(all.begin(), all.end(), pick) - all.begin());
    };
    size_t i = with([](const NetworkAdapter& a) { return !a.gateway.empty(); });
    if (i == all.size())
        i = with([](const NetworkAdapter& a) { return a.status == 2 && a.physical; });
    if (i == all.size()) i = with([](const NetworkAdapter& a) { return a.status == 2; });
    return i == all.size() ? 0 : i;
}

RowValue TypeValue(const App& app, const NetworkAdapter& a) {
    if (a.Wireless()) return {app.T(kTxtWireless), "wireless"};
    if (a.typeId == 0) return {app.T(kTxtWired), "wired"};
    return {a.typeName, RowValue::TextData(a.typeName)};
}

// NetConnectionStatus: 2 connected; 0 disconnected, 5 disabled, 7 no cable; 4 not present.
RowValue StateValue(const App& app, int status) {
    switch (status) {
    case 2: return {app.T(kTxtConnected), "connected"};
    case 0:
    case 5:
    case 7: return {app.T(kTxtDisconnected), "disconnected"};
    case 4: return {app.T(kTxtNotPresent), "not_present"};
    default: return {"", Data()};
    }
}

RowValue OthersValue(const NetworkFacts& f, size_t primary) {
    std::string text;
    Data names = Data::array();
    for (size_t i = 0; i < f.adapters.size(); ++i) {
        if (i == primary) continue;
        text = Joined(text, f.adapters[i].id);
        names.push_back(f.adapters[i].id);
    }
    return {text, names.empty() ? Data() : names};
}

RowValues NetworkValues(const App& app, const NetworkFacts& f) {
    const size_t primary = PrimaryIndex(f);
    const NetworkAdapter a = primary < f.adapters.size() ? f.adapters[primary] : NetworkAdapter{};
    return {
        a.name,
        a.id,
        TypeValue(app, a),
        StateValue(app, a.status),
        Measured(a.speedMbps, 0, "Mbit/s"),
        a.mac,
        a.ipv4,
        a.ipv6,
        a.gateway,
        a.driver,
        OthersValue(f, primary),
    };
}

constexpr DeviceField kAdapterFields[] = {
    {"model", kTxtAdapter},
    {"manufacturer", kTxtManufacturer},
    {"driver", kTxtDriver},
    {"connection_type", kTxtConnectionType},
    {"state", kTxtState},
    {"link_speed", kTxtLinkSpeed},
    {"mac_address", kTxtMacAddress, true},
    {"ipv4", kTxtIpv4, true},
    {"ipv6", kTxtIpv6, true},
    {"gateway", kTxtGateway, true},
};
constexpr DeviceKind kAdapterKind{"network_adapter", kTxtNetworkAdapter, kAdapterFields};

Device AdapterDevice(const App& app, const NetworkAdapter& a) {
    return {&kAdapterKind,
            a.id,
            {a.name, a.maker, a.driver, TypeValue(app, a), StateValue(app, a.status),
             Measured(a.speedMbps, 0, "Mbit/s"), a.mac, a.ipv4, a.ipv6, a.gateway}};
}

} // namespace

DeviceList NetworkDevices(App& app) {
    NetworkFacts f;
    std::shared_ptr<WmiService> service;
    Skip([&] { GatherNetwork(*app.source, f, service); });
    DeviceList devices;
    for (const NetworkAdapter& a : f.adapters)
        devices.push_back(AdapterDevice(app, a));
    return devices;
}

bool NetworkAdapter::Wireless() const {
    if (typeId == 9) return true;
    const std::string n = Lower(name + " " + id);
    for (const char* word : {"wireless", "wi-fi", "wifi", "wlan", "802.11"})
        if (n.find(word) != std::string::npos) return true;
    return false;
}

const SectionRows kNetworkRows{"network", kRows};

void Network(App& app) {
    OpenSection(app, Section::Network);
    NetworkFacts& f = Kept(app).network;
    GatherNetwork(*app.source, f, app.main.service);
    app.area.titulo = app.T(kTxtNetwork);
    for (InfoRow& row : app.area.rows)
        row.captionColour = kDarkGrey;
    ShowRows(app, kNetworkRows, NetworkValues(app, f));
    ShowImageLine(app, 21, 10);
    // The twelve rows fill the pane; only a machine without adapters has room for a notice.
    if (f.adapters.empty()) {
        ClearLabels(app, 1, 24);
        app.area.laviso = app.T(kTxtNoAdapters);
        app.area.lavisoColour = kNoticeGrey;
        app.area.iavisoVisible = app.area.lavisoVisible = true;
    }
    FinishSection(app, Section::Network);
    if (f.adapters.empty()) app.area.iavisoPicture = "Alerta";
}

void InformeNetwork(ReportContext& ctx) {
    App& app = ctx.app;
    NetworkFacts f = OpenReportSection<NetworkFacts>(ctx, app.T(kTxtNetwork), GatherNetwork);
    if (f.adapters.empty())
        ctx.writer.Row(app.T(kTxtNetwork), app.T(kTxtNoAdapters), RowEnd::LastBrCrlf);
    else
        ReportRows(ctx.writer, app, kNetworkRows, NetworkValues(app, f), InReport::First,
                   RowEnd::LastBrCrlf);
}

} // namespace hl
