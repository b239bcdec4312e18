#pragma once

#include "App.h"

#include <string>

namespace hl {

// The click of menu entry n (LBMn_Click): ignored while a panel is open; marks the entry and
// runs collector n. A collector that stops before its statement skipping leaves the rows as they
// were; the click then restores the pointers and shows entry 55 in the status line.
void MenuClick(App& app, int n);
// A click on marker BM(index): the click of LBM(index) for 1..13, nothing otherwise.
void BM_Click(App& app, int index);

void ClearMenuMarkers(App& app, int keep);
void ResetMenuColours(App& app);
void DisableMenu(App& app);
void EnableMenu(App& app);
void ClearValueRows(App& app);

// Opening a panel (97 customize, 98 report, 99 about): timers stopped, section saved, menu
// disabled, rows cleared. The about box is refused (false) while another panel is open.
bool OpenPanel(App& app, int panel);
// Closing a panel: menu back, status "Getting information...", the saved section collected
// again (the last clicked entry, else the Summary, when no section had been shown).
void ClosePanel(App& app);

// The tool tip of a value: the value itself, cut after 4096 bytes at a character boundary and
// ended with "…".
std::string ValueTip(const std::string& value);

// Frame pieces every collector uses.
// "If CurrentSection is not s, show entry kGettingInformation; CurrentSection = s."
void EnterSection(App& app, Section s);
// The opening of most collectors: a section newly shown loses the separator line, and the
// notice is hidden until the section shows one.
void OpenSection(App& app, Section s);
// A caption: the entry's text followed by ": ".
std::string Caption(const App& app, int entry);
// Writes row r (1..12): caption, value, caption tool tip, and the value's tool tip = value.
void WriteRow(App& app, int r, const std::string& caption, std::string value,
              const std::string& captionTip = {});
// Clears captions and tool tips of Label(from)..Label(to) (label numbers 1..24).
void ClearLabels(App& app, int fromLabel, int toLabel);
// Shows the separator line with its top `offset` units below the top of Label(anchorLabel).
void ShowImageLine(App& app, int anchorLabel, int offset);
// Pointers of the section's entry back to the hand, status entry kDone, then Icono.
void FinishSection(App& app, Section s);
// The value shown for a fact that cannot be read: entry kUnknown when the text is empty.
std::string OrUnknown(const App& app, const std::string& value);

// Section icon and notice icon for CurrentSection (picture-library names); starts the fade.
void Icono(App& app);
struct IconPair {
    std::string ico;
    std::string iaviso;
};
IconPair IconsFor(int currentSection, int removableCounted, int cdCounted);

} // namespace hl
