#include "Members.h"
#include "SectionHelpers.h"
#include "Sections.h"
#include "Statements.h"
#include "core/MediaFormats.h"
#include "core/Navigation.h"

namespace hl {

namespace {

constexpr int kRemovableDisk = 2;

bool IsRemovable(const WmiObject& disk) {
    return NumericEquals(disk.Get("DriveType"), Variant(kRemovableDisk));
}

// A slot without a medium (a card reader without a card) reports no size.
bool HasMedium(const WmiObject& disk) {
    return !disk.Get("Size").JoinText().empty();
}

// The size values of one drive, read fresh for every drive so that an unreadable value never
// borrows the previous drive's.
struct DriveSizes {
    std::string size, free, volumeName;
};

void AppendDrive(App& app, const WmiObject& disk, const DriveSizes& d) {
    DriveLists& l = Kept(app).s8to13.drives;
    std::string sep = RegionalOrDefault(*app.source).decimalSeparator;
    Skip([&] { l.names += (d.volumeName.empty() ? app.T(7) : d.volumeName) + " - "; });
    Skip([&] { l.letters += "(" + disk.Get("Caption").Trimmed() + ") - "; });
    Skip([&] { l.sizes += FormatSizeLeft(d.size, sep) + ") - ("; });
    Skip([&] {
        l.free += FormatSizeLeft(d.free, sep) + " - " + std::to_string(Percentage(d.free, d.size)) +
                  "%) - (";
    });
    Skip([&] {
        std::string used = UsedBytes(d.size, d.free);
        l.used +=
            FormatSizeLeft(used, sep) + " - " + std::to_string(Percentage(used, d.size)) + "%) - (";
    });
    Skip([&] { l.fileSystems += disk.Get("FileSystem").Text() + " - "; });
    Skip([&] { l.serials += disk.Get("VolumeSerialNumber").Trimmed() + " - "; });
}

void ListDrives(App& app) {
    for (const WmiObject& disk : EnumerateGuarded(app.main.service, "Win32_LogicalDisk")) {
        bool removable = false;
        Skip([&] { removable = IsRemovable(disk); });
        if (!removable) continue;
        DriveSizes d;
        Skip([&] { d.size = disk.Get("Size").Text(); });
        Skip([&] { d.free = disk.Get("Freespace").Text(); });
        if (d.size.empty()) continue;
        ++Kept(app).s8to13.removable.listed;
        Skip([&] { d.volumeName = disk.Get("VolumeName").Text(); });
        AppendDrive(app, disk, d);
    }
}

// Every USB or IEEE 1394 disk of the machine, whatever logical disk it carries.
void ListModelNames(App& app) {
    if (Kept(app).s8to13.removable.listed == 0) return;
    for (const WmiObject& drive : EnumerateGuarded(app.main.service, "Win32_DiskDrive")) {
        Skip([&] {
            std::string bus = drive.Get("InterfaceType").Text();
            if (bus == "USB" || bus == "1394")
                Kept(app).s8to13.drives.modelNames += drive.Get("Caption").Trimmed() + " - ";
        });
    }
}

// The eight rows; without lists (the empty state) every value reads "Unknown".
void WriteRows(App& app, const DriveLists* lists) {
    static const int kCaptions[8] = {39, 115, 116, 117, 118, 119, 120, 69};
    for (int r = 1; r <= 8; ++r) {
        std::string value;
        if (lists) {
            const DriveLists& l = *lists;
            const std::pair<const std::string*, size_t> values[8] = {
                {&l.names, 3}, {&l.letters, 3}, {&l.modelNames, 3},  {&l.sizes, 4},
                {&l.free, 4},  {&l.used, 4},    {&l.fileSystems, 3}, {&l.serials, 3}};
            value = ListMinus(*values[r - 1].first, values[r - 1].second);
        }
        WriteRow(app, r, Caption(app, kCaptions[r - 1]), OrUnknown(app, value));
    }
    app.area.titulo = app.T(20);
    app.area.Row(1).captionColour = kDarkGrey;
    app.area.Row(8).captionColour = kDarkGrey;
}

void Close(App& app) {
    ShowImageLine(app, 17, 4);
    ClearLabels(app, 17, 24);
    app.area.iavisoVisible = app.area.lavisoVisible = true;
    FinishSection(app, 11);
}

} // namespace

void Removable_memory(App& app) {
    EnterSection(app, 11);
    SectionMembers8to13& s = Kept(app).s8to13;
    s.drives = {};
    s.removable = {};
    app.main.removableDrivesCounted = 0;

    Skip([&] { app.main.service = app.source->ConnectWmi(); });
    for (const WmiObject& disk : EnumerateGuarded(app.main.service, "Win32_LogicalDisk"))
        Skip([&] {
            if (IsRemovable(disk) && HasMedium(disk)) ++s.removable.found;
        });
    app.main.removableDrivesCounted = s.removable.found;
    if (s.removable.found == 0) {
        WriteRows(app, nullptr);
        app.area.lavisoColour = kNoticeGrey;
        app.area.laviso = app.T(158) + "\r\n" + app.T(159);
        Close(app);
        return;
    }
    ListDrives(app);
    ListModelNames(app);
    WriteRows(app, &s.drives);
    app.area.lavisoColour = kNoticeGreen;
    app.area.laviso = "\r\n" + std::to_string(s.removable.listed) + " " +
                      app.T(s.removable.listed == 1 ? 224 : 225);
    Close(app);
}

} // namespace hl
