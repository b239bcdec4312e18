#include "RemovableMemory.h"

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
    {.key = "capacity", .caption = 117},
    {.key = "free_space", .caption = 118},
    {.key = "used_space", .caption = 119},
    {.key = "file_systems", .caption = 120},
    {.key = "serial_numbers", .caption = 69, .identifying = true},
};

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
    DriveLists& l = Kept(app).removable.lists;
    std::string sep = RegionalOrDefault(*app.source).decimalSeparator;
    l.volumes.push_back(VolumeData(disk));
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
        ++Kept(app).removable.listed;
        Skip([&] { d.volumeName = disk.Get("VolumeName").Text(); });
        AppendDrive(app, disk, d);
    }
}

// Every USB or IEEE 1394 disk of the machine, whatever logical disk it carries.
void ListModelNames(App& app) {
    if (Kept(app).removable.listed == 0) return;
    for (const WmiObject& drive : EnumerateGuarded(app.main.service, "Win32_DiskDrive")) {
        Skip([&] {
            std::string bus = drive.Get("InterfaceType").Text();
            if (bus != "USB" && bus != "1394") return;
            std::string model = drive.Get("Caption").Trimmed();
            Kept(app).removable.lists.modelNames += model + " - ";
            Kept(app).removable.lists.drives.push_back({{"model", model}});
        });
    }
}

// Empty lists (no drive found) read "Unknown" in every row.
void WriteRows(App& app, const DriveLists& l) {
    auto shared = std::make_shared<const Data>(l.volumes);
    auto volumes = [&](std::string text) { return RowValue::Shared(std::move(text), shared); };
    ShowRows(app, kRemovableMemoryRows,
             {volumes(ListText(l.names, 3)),
              volumes(ListText(l.letters, 3)),
              {ListText(l.modelNames, 3), l.drives},
              volumes(ListText(l.sizes, 4)),
              volumes(ListText(l.free, 4)),
              volumes(ListText(l.used, 4)),
              volumes(ListText(l.fileSystems, 3)),
              volumes(ListText(l.serials, 3))});
    app.area.titulo = app.T(20);
    app.area.Row(1).captionColour = kDarkGrey;
    app.area.Row(8).captionColour = kDarkGrey;
}

void Close(App& app) {
    ShowImageLine(app, 17, 4);
    app.area.iavisoVisible = app.area.lavisoVisible = true;
    FinishSection(app, Section::RemovableMemory);
}

} // namespace

const SectionRows kRemovableMemoryRows{"removable", kRows};

void Removable_memory(App& app) {
    EnterSection(app, Section::RemovableMemory);
    RemovableFacts& s = Kept(app).removable;
    s = {};
    app.main.removableDrivesCounted = 0;

    Skip([&] { app.main.service = app.source->ConnectWmi(); });
    for (const WmiObject& disk : EnumerateGuarded(app.main.service, "Win32_LogicalDisk"))
        Skip([&] {
            if (IsRemovable(disk) && HasMedium(disk)) ++s.found;
        });
    app.main.removableDrivesCounted = s.found;
    if (s.found == 0) {
        WriteRows(app, s.lists);
        app.area.lavisoColour = kNoticeGrey;
        app.area.laviso = app.T(158) + "\r\n" + app.T(159);
        Close(app);
        return;
    }
    ListDrives(app);
    ListModelNames(app);
    WriteRows(app, s.lists);
    app.area.lavisoColour = kNoticeGreen;
    app.area.laviso = "\r\n" + std::to_string(s.listed) + " " + app.T(s.listed == 1 ? 224 : 225);
    Close(app);
}

} // namespace hl
