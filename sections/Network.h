#pragma once

#include "core/App.h"
#include "core/RowTable.h"

#include <optional>
#include <string>
#include <vector>

namespace hl {

struct Device;
struct ReportContext;
using Reading = std::optional<double>;

// One network adapter and its configuration; addresses joined with ", ".
struct NetworkAdapter {
    std::string id;   // the connection's name: "eth0", "Ethernet"
    std::string name; // the adapter's model, else the connection's name
    std::string maker, mac, driver, ipv4, ipv6, gateway, typeName;
    int status = -1;       // NetConnectionStatus; -1 when unknown
    int typeId = -1;       // AdapterTypeId; -1 when unknown
    bool physical = false; // a device, not a bond, bridge or tunnel
    Reading speedMbps;

    bool Wireless() const;
};

struct NetworkFacts {
    std::vector<NetworkAdapter> adapters;
};

extern const SectionRows kNetworkRows;

void Network(App& app);
void InformeNetwork(ReportContext& ctx);
// Every adapter with its addresses.
std::vector<Device> NetworkDevices(App& app);

} // namespace hl
