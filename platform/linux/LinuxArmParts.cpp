#include "LinuxArmParts.h"

#include "LinuxFiles.h"

#include <cstdint>

namespace hl {

namespace {

struct Code {
    uint64_t code;
    const char* name;
};

constexpr uint64_t kArm = 0x41, kQualcomm = 0x51, kApple = 0x61;

// Implementer codes of the Arm Architecture Reference Manual (MIDR_EL1.Implementer).
constexpr Code kImplementers[] = {
    {0x41, "ARM"},       {0x42, "Broadcom"}, {0x43, "Cavium"}, {0x46, "Fujitsu"},
    {0x48, "HiSilicon"}, {0x4e, "NVIDIA"},   {0x50, "APM"},    {0x51, "Qualcomm"},
    {0x61, "Apple"},     {0xc0, "Ampere"},
};

// The parts a desktop, board, server or phone of the last fifteen years is likely to have.
constexpr Code kArmParts[] = {
    {0xb76, "ARM1176"},     {0xc05, "Cortex-A5"},   {0xc07, "Cortex-A7"},
    {0xc08, "Cortex-A8"},   {0xc09, "Cortex-A9"},   {0xc0d, "Cortex-A17"},
    {0xc0e, "Cortex-A17"},  {0xc0f, "Cortex-A15"},  {0xd01, "Cortex-A32"},
    {0xd03, "Cortex-A53"},  {0xd04, "Cortex-A35"},  {0xd05, "Cortex-A55"},
    {0xd06, "Cortex-A65"},  {0xd07, "Cortex-A57"},  {0xd08, "Cortex-A72"},
    {0xd09, "Cortex-A73"},  {0xd0a, "Cortex-A75"},  {0xd0b, "Cortex-A76"},
    {0xd0c, "Neoverse-N1"}, {0xd0d, "Cortex-A77"},  {0xd0e, "Cortex-A76AE"},
    {0xd40, "Neoverse-V1"}, {0xd41, "Cortex-A78"},  {0xd42, "Cortex-A78AE"},
    {0xd44, "Cortex-X1"},   {0xd46, "Cortex-A510"}, {0xd47, "Cortex-A710"},
    {0xd48, "Cortex-X2"},   {0xd49, "Neoverse-N2"}, {0xd4b, "Cortex-A78C"},
    {0xd4c, "Cortex-X1C"},  {0xd4d, "Cortex-A715"}, {0xd4e, "Cortex-X3"},
    {0xd4f, "Neoverse-V2"}, {0xd80, "Cortex-A520"}, {0xd81, "Cortex-A720"},
    {0xd82, "Cortex-X4"},   {0xd84, "Neoverse-V3"}, {0xd85, "Cortex-X925"},
    {0xd87, "Cortex-A725"}, {0xd8e, "Neoverse-N3"},
};

constexpr Code kQualcommParts[] = {
    {0x001, "Oryon"},         {0x00f, "Scorpion"},
    {0x02d, "Scorpion"},      {0x04d, "Krait"},
    {0x06f, "Krait"},         {0x201, "Kryo"},
    {0x205, "Kryo"},          {0x211, "Kryo"},
    {0x800, "Kryo 2xx Gold"}, {0x801, "Kryo 2xx Silver"},
    {0x802, "Kryo 3xx Gold"}, {0x803, "Kryo 3xx Silver"},
    {0x804, "Kryo 4xx Gold"}, {0x805, "Kryo 4xx Silver"},
    {0xc00, "Falkor"},        {0xc01, "Saphira"},
};

constexpr Code kAppleParts[] = {
    {0x022, "M1 Icestorm"},      {0x023, "M1 Firestorm"},    {0x024, "M1 Pro Icestorm"},
    {0x025, "M1 Pro Firestorm"}, {0x028, "M1 Max Icestorm"}, {0x029, "M1 Max Firestorm"},
    {0x032, "M2 Blizzard"},      {0x033, "M2 Avalanche"},    {0x034, "M2 Pro Blizzard"},
    {0x035, "M2 Pro Avalanche"}, {0x038, "M2 Max Blizzard"}, {0x039, "M2 Max Avalanche"},
};

template <size_t N> std::string Find(const Code (&table)[N], uint64_t code) {
    for (const Code& c : table)
        if (c.code == code) return c.name;
    return {};
}

bool Hex(std::string_view text, uint64_t& out) {
    return text.size() > 2 && text[0] == '0' && text[1] == 'x' && ParseHex(text, out);
}

} // namespace

std::string ArmImplementerName(std::string_view implementer) {
    uint64_t code = 0;
    return Hex(implementer, code) ? Find(kImplementers, code) : std::string();
}

std::string ArmCoreName(std::string_view implementer, std::string_view part) {
    uint64_t maker = 0, code = 0;
    if (!Hex(implementer, maker) || !Hex(part, code)) return {};
    if (maker == kArm) return Find(kArmParts, code);
    if (maker == kQualcomm) return Find(kQualcommParts, code);
    if (maker == kApple) return Find(kAppleParts, code);
    return {};
}

} // namespace hl
