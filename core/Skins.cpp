#include "Skins.h"

namespace hl {

namespace {
// clang-format off
const Skin kSkins[4] = {
    {"Blue", "Blue1", "Blue0", {"WTopLeft", "WLeft", "WDown", "WRight", "WTop"}, "WBotonMenu",
     {0, 66, 221}, "#0042dd", 215},
    {"Green", "Green1", "Green0", {"ETopLeft", "ELeft", "EDown", "ERight", "ETop"}, "EBotonMenu",
     {0, 145, 0}, "#009100", 216},
    {"Pink", "Pink1", "Pink0", {"ATopLeft", "ALeft", "ADown", "ARight", "ATop"}, "ABotonMenu",
     {255, 25, 147}, "#ff1993", 97},
    {"Violet", "Violet1", "Violet0", {"OTopLeft", "OLeft", "ODown", "ORight", "OTop"},
     "OBotonMenu", {240, 30, 240}, "#f01ef0", 35},
};
// clang-format on
} // namespace

const Skin (&Skins())[4] {
    return kSkins;
}

const Skin* FindSkin(const std::string& id) {
    for (const Skin& s : kSkins)
        if (id == s.id) return &s;
    return nullptr;
}

} // namespace hl
