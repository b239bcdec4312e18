#include "Captions.h"

#include "TextsSections.h"
#include "Version.h"

namespace hl {

MainCaptions TraduPrincipal(const StringTable& t) {
    MainCaptions c;
    c.title = "Vexmoor Hardlens - " + t[9] + " " + kVersion;
    c.lops = t[27];
    c.pers = t[28];
    c.ginf = t[26];
    c.about = t[29];
    c.quit = t[31];
    for (int i = 0; i < 13; ++i)
        c.lbm[i] = t[10 + i];
    c.lbm[13] = t[kTxtSensors];
    c.lbm[14] = t[kTxtBattery];
    c.lbm[15] = t[kTxtNetwork];
    c.copy = t[30];
    c.copyAll = t[32];
    return c;
}

} // namespace hl
