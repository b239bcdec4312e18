#include "DetailsTexts.h"

// Texts of the window's details view.

namespace hl {

namespace {
const Translation kTexts[] = {
    // kTxtDetailsOpen
    {"Detalles", "Details", "Details"},
    // kTxtDetailsClose
    {"Cerrar detalles", "Close details", "Details sluiten"},
    // kTxtDetailsOpenTip
    {"Todos los dispositivos de esta secci\xC3\xB3n, uno por uno (tecla D)",
     "Every device of this section, one by one (key D)",
     "Alle apparaten van deze sectie, een voor een (toets D)"},
    // kTxtDetailsNoneTip
    {"Esta secci\xC3\xB3n no enumera dispositivos", "This section lists no devices",
     "Deze sectie somt geen apparaten op"},
    // kTxtDetailsNoneFound
    {"No se encontr\xC3\xB3 ning\xC3\xBAn dispositivo de esta secci\xC3\xB3n en el equipo.",
     "No device of this section was found on the machine.",
     "Op deze computer is geen apparaat van deze sectie gevonden."},
    // kTxtDetailsDevices
    {"Dispositivos", "Devices", "Apparaten"},
};
} // namespace

const TextBlock kDetailsTexts = {kDetailsTextsFirst, kTexts};

} // namespace hl
