#pragma once

#include "Skins.h"

#include <array>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <string>

namespace hl {

// One of the twelve value rows: caption label Label(2r-1) and value label Label(2r).
struct InfoRow {
    std::string caption;
    std::string value;
    std::string captionTip;
    std::string valueTip;
    Rgb captionColour = kDarkGrey;
    // The value as typed data for structured output (numbers, booleans, ISO dates, device
    // lists), independent of the language; none for a row without one.
    std::shared_ptr<const nlohmann::json> data;
};

// What the window's value area shows; collectors write it as they would write the labels, and
// the window only renders it.
struct ValueArea {
    std::string titulo;
    Rgb tituloColour{0, 66, 221};
    std::array<InfoRow, 12> rows;

    std::string labelmi;           // the status line
    bool imagenInfoVisible = true; // the picture behind the status line

    bool iavisoVisible = false; // notice icon
    bool lavisoVisible = false; // notice text
    std::string laviso;
    Rgb lavisoColour = kNoticeGrey;

    // The separator line: shown or not, and its top as "anchorLabel's top + offset".
    bool imageLineVisible = false;
    int imageLineAnchorLabel = 0;
    int imageLineOffset = 0;

    // Section icon and notice icon of the last Icono run (picture-library names; empty for
    // none), and a counter the window watches to start the fade.
    std::string icoPicture = "Sec1";
    std::string iavisoPicture;
    int iconRuns = 0;

    InfoRow& Row(int r) { return rows.at(r - 1); }
    const InfoRow& Row(int r) const { return rows.at(r - 1); }
};

} // namespace hl
