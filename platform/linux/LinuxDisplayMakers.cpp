#include "LinuxDisplayMakers.h"

namespace hl {

namespace {

struct DisplayMaker {
    std::string_view code;
    std::string_view name;
};

// Monitor and panel makers whose ids the UEFI PNP registry, and so pnp.ids, does not give them.
// Each is known from the EDIDs of their own products.
constexpr DisplayMaker kDisplayMakers[] = {
    // Monitors sold as "AOC ..." name it; Debian 12's pnp.ids has no AOC line.
    {"AOC", "AOC International"},
    // BenQ monitors ("BenQ GW2283"); missing from pnp.ids.
    {"BNQ", "BenQ Corporation"},
    // Panels whose strings read "CSOT ..."; pnp.ids gives the code to the California Institute
    // of Technology.
    {"CSO", "China Star Optoelectronics (CSOT)"},
    // InfoVision laptop panels; missing from pnp.ids.
    {"IVO", "InfoVision Optoelectronics"},
    // Samsung Display's laptop panels; pnp.ids has SAM for Samsung's monitors only.
    {"SDC", "Samsung Display Corp."},
    // Tianma panels use both codes; pnp.ids gives TMX to Thermotrex, and TMA stays here so that
    // both read the same.
    {"TMA", "Tianma Microelectronics Ltd."},
    {"TMX", "Tianma Microelectronics Ltd."},
};

} // namespace

std::string_view DisplayMakerName(std::string_view code) {
    for (const DisplayMaker& maker : kDisplayMakers)
        if (maker.code == code) return maker.name;
    return {};
}

} // namespace hl
