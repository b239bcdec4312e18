#include "CdDvd.h"

#include "PlatformReads.h"
#include "Rows.h"
#include "Sections.h"
#include "core/Navigation.h"
#include "core/SizeFormats.h"

namespace hl {

namespace {

constexpr TableRow kRows[] = {
    {.key = "names", .caption = 39},
    {.key = "drive_letters", .caption = 115},
    {.key = "internal_names", .caption = 116},
    {.key = "size", .caption = 157},
    {.key = "file_systems", .caption = 120},
    {.key = "serial_numbers", .caption = 69, .identifying = true},
};

constexpr int kCompactDisc = 5;

bool HasLoadedMedium(const WmiObject& drive) {
    return drive.Get("MediaLoaded").ToBool();
}

// Loaded drives whose medium reports a size; a medium without a size is not counted.
int16_t CountLoadedDrives(App& app) {
    int16_t found = 0;
    for (const WmiObject& drive : EnumerateGuarded(app.main.service, "Win32_CDROMDrive"))
        Skip([&] {
            if (HasLoadedMedium(drive) && !drive.Get("Size").JoinText().empty()) ++found;
        });
    return found;
}

// Names, file systems and serials of the optical logical disks that carry a volume name.
void ListDiscs(App& app) {
    DriveLists& l = Kept(app).cd.lists;
    CdFacts& c = Kept(app).cd;
    for (const WmiObject& disk : EnumerateGuarded(app.main.service, "Win32_LogicalDisk")) {
        bool optical = false, named = false;
        Skip([&] { optical = NumericEquals(disk.Get("DriveType"), Variant(kCompactDisc)); });
        if (!optical) continue;
        ++c.empty;
        Skip([&] { named = !disk.Get("VolumeName").JoinText().empty(); });
        if (!named) continue;
        ++c.loaded;
        l.volumes.push_back(VolumeData(disk));
        Skip([&] { l.names += disk.Get("VolumeName").Trimmed() + " - "; });
        Skip([&] { l.fileSystems += disk.Get("FileSystem").Text() + " - "; });
        Skip([&] { l.serials += disk.Get("VolumeSerialNumber").Trimmed() + " - "; });
    }
    c.empty = static_cast<int16_t>(c.empty - c.loaded);
}

// A loaded drive as typed data: its letter, its model and the size of its disc.
Data DriveData(const WmiObject& drive) {
    Data data = {{"mount", nullptr}, {"model", nullptr}, {"size", nullptr}};
    Skip([&] { data["mount"] = RowValue::TextData(drive.Get("Drive").Trimmed()); });
    Skip([&] { data["model"] = RowValue::TextData(drive.Get("Name").Trimmed()); });
    Skip([&] { data["size"] = drive.Get("Size").ToInt64(); });
    return data;
}

// Letters, model names and sizes of the loaded drives. The size is read fresh for every drive
// so that a medium without a size never borrows the previous drive's.
void ListDrives(App& app) {
    DriveLists& l = Kept(app).cd.lists;
    std::string sep = RegionalOrDefault(*app.source).decimalSeparator;
    for (const WmiObject& drive : EnumerateGuarded(app.main.service, "Win32_CDROMDrive")) {
        bool loaded = false;
        Skip([&] { loaded = HasLoadedMedium(drive); });
        if (!loaded) continue;
        std::string size;
        Skip([&] { size = drive.Get("Size").Text(); });
        if (size.empty()) continue;
        l.drives.push_back(DriveData(drive));
        Skip([&] { l.letters += "(" + drive.Get("Drive").Trimmed() + ") - "; });
        Skip([&] { l.modelNames += drive.Get("Name").Trimmed() + " - "; });
        Skip([&] { l.sizes += FormatDiscSize(size, sep) + ") - ("; });
    }
}

// Empty lists (no loaded drive) read "Unknown" in every row.
void WriteRows(App& app, const DriveLists& l) {
    app.area.titulo = app.T(21);
    app.area.Row(1).captionColour = kDarkGrey;
    // Names, file systems and serials come from the discs, the rest from the drives.
    auto volumes = std::make_shared<const Data>(l.volumes);
    auto drives = std::make_shared<const Data>(l.drives);
    ShowRows(app, kCdDvdRows,
             {RowValue::Shared(ListText(l.names, 3), volumes),
              RowValue::Shared(ListText(l.letters, 3), drives),
              RowValue::Shared(ListText(l.modelNames, 3), drives),
              RowValue::Shared(ListText(l.sizes, 4), drives),
              RowValue::Shared(ListText(l.fileSystems, 3), volumes),
              RowValue::Shared(ListText(l.serials, 3), volumes)});
}

std::string CountText(const App& app, int count, int one, int many) {
    return std::to_string(count) + " " + app.T(count == 1 ? one : many);
}

// "1 drive is loaded." and, on a second line, the empty drives. A loaded count of 0 (a disc
// without a volume name) reads "0 drives is loaded.", never an earlier notice's text.
std::string Notice(const App& app, const CdFacts& c) {
    std::string emptyLine = c.empty == 0 ? app.T(219) : CountText(app, c.empty, 220, 221);
    return CountText(app, c.loaded, 217, 218) + "\r\n" + emptyLine;
}

void Close(App& app) {
    ShowImageLine(app, 13, 4);
    app.area.iavisoVisible = app.area.lavisoVisible = true;
    FinishSection(app, Section::CdDvd);
}

// Queries the drives anew; false when no loaded drive was found.
bool QueryDrives(App& app) {
    CdFacts& s = Kept(app).cd;
    app.main.currentSection = Number(Section::CdDvd);
    s = {};
    app.main.cdDrivesCounted = 0;
    app.area.labelmi = app.T(148);
    Skip([&] { app.main.service = app.source->ConnectWmi(); });
    s.found = CountLoadedDrives(app);
    app.main.cdDrivesCounted = s.found;
    if (s.found == 0) return false;
    app.area.labelmi = app.T(kGettingInformation);
    ListDiscs(app);
    ListDrives(app);
    return true;
}

// A second click while the section is shown redraws the previous lists without querying.
bool CanRedraw(const App& app) {
    const DriveLists& l = Kept(app).cd.lists;
    return app.main.Shows(Section::CdDvd) && !TrimSpaces(l.names).empty() &&
           !TrimSpaces(l.letters).empty() && !TrimSpaces(l.modelNames).empty();
}

} // namespace

const SectionRows kCdDvdRows{"optical", kRows};

void CD_DVD(App& app) {
    if (!CanRedraw(app) && !QueryDrives(app)) {
        WriteRows(app, {});
        app.area.lavisoColour = kNoticeGrey;
        app.area.laviso = app.T(160) + "\r\n" + app.T(161);
        Close(app);
        return;
    }
    WriteRows(app, Kept(app).cd.lists);
    app.area.lavisoColour = kNoticeGreen;
    app.area.laviso = Notice(app, Kept(app).cd);
    Close(app);
}

} // namespace hl
