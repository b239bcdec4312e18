#include "Navigation.h"

#include "PlainText.h"
#include "PlatformError.h"

namespace hl {

namespace {

void SetEntryPointer(App& app, int n, Pointer p) {
    if (IsSection(n)) app.main.menu.entryPointer[n] = p;
}

} // namespace

void MenuClick(App& app, int n) {
    if (app.main.panelOpen || !IsSection(n)) return;
    SetEntryPointer(app, n, Pointer::Busy);
    app.main.menu.markerShown[n] = true;
    app.main.selectedEntry = n;
    ClearMenuMarkers(app, n);
    app.main.lastError.clear();
    Collector collect = app.sections->collectors[static_cast<size_t>(n)];
    if (!collect) return;
    try {
        collect(app);
    } catch (const PlatformError& e) {
        app.main.lastError = e.what();
        SetEntryPointer(app, n, Pointer::Hand);
        app.area.labelmi = app.T(55);
    }
}

void BM_Click(App& app, int index) {
    if (IsSection(index)) MenuClick(app, index);
}

void ClearMenuMarkers(App& app, int keep) {
    ResetMenuColours(app);
    for (int i = 1; i <= kSectionCount; ++i)
        if (i != keep) app.main.menu.markerShown[i] = false;
}

void ResetMenuColours(App& app) {
    app.main.menu.textColour = kMenuText;
}

void DisableMenu(App& app) {
    auto& menu = app.main.menu;
    menu.skinTopLeftPointer = Pointer::Arrow;
    for (int i = 1; i <= kSectionCount; ++i)
        menu.entryPointer[i] = Pointer::Arrow;
    menu.textColour = kMenuGrey;
}

void EnableMenu(App& app) {
    auto& menu = app.main.menu;
    menu.lopsPointer = Pointer::Hand;
    menu.skinTopLeftPointer = Pointer::Hand;
    for (int i = 1; i <= kSectionCount; ++i)
        menu.entryPointer[i] = Pointer::Hand;
}

void ClearValueRows(App& app) {
    ValueArea& a = app.area;
    a.titulo.clear();
    for (InfoRow& row : a.rows) {
        row.caption.clear();
        row.value.clear();
        row.captionTip.clear();
        row.valueTip.clear();
    }
    a.imageLineVisible = false;
    a.iavisoVisible = false;
    a.lavisoVisible = false;
    if (app.main.panelOpen) {
        a.imagenInfoVisible = false;
        a.labelmi.clear();
    }
}

bool OpenPanel(App& app, int panel) {
    MainState& m = app.main;
    if (m.panelOpen) return false;
    m.timer1Enabled = m.timer2Enabled = m.timer3Enabled = m.timer4Enabled = false;
    m.savedSection = static_cast<uint8_t>(m.currentSection);
    m.currentSection = panel;
    m.panelOpen = true;
    DisableMenu(app);
    ClearValueRows(app);
    return true;
}

void ClosePanel(App& app) {
    app.main.panelOpen = false;
    ResetMenuColours(app);
    EnableMenu(app);
    app.area.imagenInfoVisible = true;
    app.area.labelmi = app.T(kGettingInformation);
    app.main.currentSection = app.main.savedSection;
    // A panel opened while no section had been shown yet (the first collector failed before
    // naming its section) would otherwise leave "Getting information..." up for good.
    int back = app.main.savedSection;
    if (!IsSection(back))
        back =
            IsSection(app.main.selectedEntry) ? app.main.selectedEntry : Number(Section::Summary);
    MenuClick(app, back);
}

void EnterSection(App& app, Section s) {
    if (!app.main.Shows(s)) app.area.labelmi = app.T(kGettingInformation);
    app.main.currentSection = Number(s);
}

void OpenSection(App& app, Section s) {
    if (!app.main.Shows(s)) app.area.imageLineVisible = false;
    EnterSection(app, s);
    app.area.iavisoVisible = app.area.lavisoVisible = false;
}

std::string Caption(const App& app, int entry) {
    return app.T(entry) + ": ";
}

// A tip of a list as long as a recording would be of no use, and a second copy of it.
std::string ValueTip(const std::string& value) {
    const size_t kLongest = 4096;
    if (value.size() <= kLongest) return value;
    size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
        --cut;
    return value.substr(0, cut) + "\xE2\x80\xA6";
}

void WriteRow(App& app, int r, const std::string& caption, std::string value,
              const std::string& captionTip) {
    InfoRow& row = app.area.Row(r);
    row.caption = caption;
    // A value already plain is kept as it came (a list as long as its machine is not copied).
    row.value = IsPlainText(value) ? std::move(value) : PlainText(value);
    row.captionTip = captionTip;
    row.valueTip = ValueTip(row.value);
    row.data.reset();
}

void ClearLabels(App& app, int fromLabel, int toLabel) {
    for (int label = fromLabel; label <= toLabel; ++label) {
        InfoRow& row = app.area.Row((label + 1) / 2);
        if (label % 2 == 1) {
            row.caption.clear();
            row.captionTip.clear();
        } else {
            row.value.clear();
            row.valueTip.clear();
        }
    }
}

void ShowImageLine(App& app, int anchorLabel, int offset) {
    app.area.imageLineAnchorLabel = anchorLabel;
    app.area.imageLineOffset = offset;
    app.area.imageLineVisible = true;
}

void FinishSection(App& app, Section s) {
    SetEntryPointer(app, Number(s), Pointer::Hand);
    app.area.labelmi = app.T(kDone);
    Icono(app);
}

std::string OrUnknown(const App& app, const std::string& value) {
    return value.empty() ? app.T(kUnknown) : value;
}

IconPair IconsFor(int section, int removableCounted, int cdCounted) {
    switch (section) {
    case Number(Section::User): return {"Sec2", "Info"};
    case Number(Section::RemovableMemory):
        return removableCounted > 0 ? IconPair{"Sec11a", "Ok"} : IconPair{"Sec11b", "Alerta"};
    case Number(Section::CdDvd):
        return cdCounted > 0 ? IconPair{"Sec12a", "Ok"} : IconPair{"Sec12b", "Alerta"};
    case kCustomizePanel: return {"IOpc", ""};
    case kReportPanel: return {"IInf", ""};
    case kAboutBox: return {"IAC", ""};
    default:
        if (IsSection(section)) return {"Sec" + std::to_string(section), ""};
        return {"", ""};
    }
}

void Icono(App& app) {
    IconPair icons = IconsFor(app.main.currentSection, app.main.removableDrivesCounted,
                              app.main.cdDrivesCounted);
    app.area.icoPicture = icons.ico;
    app.area.iavisoPicture = icons.iaviso;
    ++app.area.iconRuns;
}

} // namespace hl
