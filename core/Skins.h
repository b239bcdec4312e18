#pragma once

#include <cstdint>
#include <string>

namespace hl {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kMenuText{250, 250, 250};
inline constexpr Rgb kMenuGrey{215, 215, 215};
inline constexpr Rgb kDarkGrey{64, 64, 64};
inline constexpr Rgb kNoticeGrey{75, 75, 75};
inline constexpr Rgb kNoticeGreen{0, 145, 0};
inline constexpr Rgb kStatusText{85, 85, 85};

// What a skin identifier selects: picture names of the picture library, the title colour and
// the string-table entry of its name.
struct Skin {
    const char* id;
    const char* buttonSelected;
    const char* buttonNormal;
    // Frame pictures in the order top-left, left, bottom, right, top.
    const char* frame[5];
    const char* menuMarker;
    Rgb title;
    const char* htmlColour;
    int nameEntry;
};

// The four skins in button order (Skin1 to Skin4).
const Skin (&Skins())[4];
// Nothing for an identifier outside the four (compared exactly).
const Skin* FindSkin(const std::string& id);

} // namespace hl
