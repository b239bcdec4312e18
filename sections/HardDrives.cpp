#include "HardDrives.h"

#include "DriveLists.h"
#include "PlatformReads.h"
#include "Rows.h"
#include "Sections.h"
#include "core/CheckedMath.h"
#include "core/Navigation.h"
#include "core/SizeFormats.h"
#include "sections/ReportContext.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace hl {

namespace {

constexpr TableRow kRows[] = {
    {.key = "names", .caption = 39, .report = InReport::First},
    {.key = "drive_letters", .caption = 115, .report = InReport::First},
    {.key = "internal_names", .caption = 116, .report = InReport::First},
    {.key = "capacity", .caption = 117, .report = InReport::First},
    {.key = "free_space", .caption = 118, .report = InReport::First},
    {.key = "used_space", .caption = 119},
    {.key = "file_systems", .caption = 120, .report = InReport::First},
    {.key = "serial_numbers", .caption = 69, .identifying = true, .report = InReport::First},
    {.key = "partitions", .caption = 122, .report = InReport::First},
};

// One item per local fixed disk in each list. A property that cannot be read leaves its item
// out of that list only.
struct DiskLists {
    std::string names, letters, physical, capacities = "(", free = "(", used = "(";
    std::string fileSystems, serials, partitions;
    Data volumes = Data::array(), drives = Data::array();
    bool typed = true; // the report's text and HTML write no typed data
};

const int kLocalDisk = 3;

double Bytes(const Variant& v) {
    return v.ToDouble();
}
// A size with its share of the disk; a disk of size 0 has no share to show.
std::string SizeWithShare(const std::string& digits, double part, double whole,
                          const std::string& sep) {
    std::string size = FormatSize(digits, sep);
    return whole == 0 ? size : size + " - " + std::to_string(PercentOf(part, whole)) + "%";
}

// A free space above the size, or one that overflows the difference, has no use to show.
std::string UsedText(const App& app, int64_t size, std::optional<int64_t> used,
                     const std::string& sep) {
    if (!used || size < 0) return app.T(kUnknown);
    return SizeWithShare(std::to_string(*used), static_cast<double>(*used),
                         static_cast<double>(size), sep);
}

void AddDisk(const App& app, const WmiObject& disk, DiskLists& l, const std::string& sep,
             Statements& run) {
    if (l.typed) l.volumes.push_back(VolumeData(disk));
    run.Run([&] {
        std::string name = disk.Get("VolumeName").Trimmed();
        l.names += (name.empty() ? app.T(114) : name) + " - ";
    });
    // A volume of size 0 is no volume; one whose size cannot be read (a copied tree) still is.
    run.Run([&] {
        Variant size = Variant::Null();
        Skip([&] { size = disk.Get("Size"); });
        if (size.IsNull() || !NumericEquals(size, 0))
            l.letters += "(" + disk.Get("Caption").Trimmed() + ") - ";
    });
    run.Run([&] { l.capacities += FormatSize(disk.Get("Size").Trimmed(), sep) + ") - ("; });
    run.Run([&] {
        std::string free = disk.Get("Freespace").Trimmed();
        double size = Bytes(disk.Get("Size"));
        l.free += SizeWithShare(free, Bytes(Variant(free)), size, sep) + ") - (";
    });
    run.Run([&] {
        int64_t size = disk.Get("Size").ToInt64();
        std::optional<int64_t> used =
            NonNegative(CheckedSub(size, disk.Get("Freespace").ToInt64()));
        l.used += UsedText(app, size, used, sep) + ") - (";
    });
    run.Run([&] { l.fileSystems += disk.Get("FileSystem").Trimmed() + " - "; });
    run.Run([&] { l.serials += disk.Get("VolumeSerialNumber").Trimmed() + " - "; });
}

// Windows reports SATA disks as IDE and NVMe disks as SCSI; USB and FireWire drives are left
// out.
void AddDrive(const WmiObject& drive, DiskLists& l, Statements& run) {
    std::string interface;
    run.Run([&] { interface = drive.Get("InterfaceType").Text(); });
    if (interface != "IDE" && interface != "SCSI") return;
    run.Run([&] {
        std::string model = drive.Get("Caption").Trimmed();
        l.physical += model + " - ";
        l.drives.push_back({{"model", model}});
    });
    run.Run([&] { l.partitions = std::to_string(drive.Get("Partitions").ToInt64()); });
}

DiskLists GatherDisks(const App& app, std::shared_ptr<WmiService>& service, bool typed = true) {
    DiskLists l;
    l.typed = typed;
    std::string sep = ".";
    Skip([&] { sep = app.source->RegionalSettings().decimalSeparator; });
    service = app.source->ConnectWmi();
    Statements run;
    for (const WmiObject& disk : InstancesOf(service, "Win32_LogicalDisk")) {
        run.StartSkipping();
        int64_t type = 0;
        run.Run([&] { type = disk.Get("DriveType").ToInt64(); });
        if (type == kLocalDisk) AddDisk(app, disk, l, sep, run);
    }
    std::vector<WmiObject> drives;
    run.Run([&] {
        service = app.source->ConnectWmi();
        drives = InstancesOf(service, "Win32_DiskDrive");
    });
    for (const WmiObject& drive : drives) {
        run.StartSkipping();
        AddDrive(drive, l, run);
    }
    return l;
}

std::string PartitionsText(const std::string& partitions) {
    return partitions == "0" ? "" : partitions;
}

// The space in use is shown on screen only.
// The list rows carry the volumes as typed data, the internal names the physical drives.
RowValues DiskValues(DiskLists&& l) {
    auto shared = std::make_shared<const Data>(std::move(l.volumes));
    // Built by moves: a braced list would copy every list, each as long as all its disks.
    RowValues values;
    values.reserve(9);
    auto volumes = [&](std::string&& list, size_t separator, const std::string& empty = {}) {
        values.push_back(RowValue::Shared(ListText(std::move(list), separator, empty), shared));
    };
    volumes(std::move(l.names), 3);
    volumes(std::move(l.letters), 3);
    values.emplace_back(ListText(std::move(l.physical), 3), std::move(l.drives));
    volumes(std::move(l.capacities), 4, "(");
    volumes(std::move(l.free), 4, "(");
    volumes(std::move(l.used), 4, "(");
    volumes(std::move(l.fileSystems), 3);
    volumes(std::move(l.serials), 3);
    values.emplace_back(PartitionsText(l.partitions), IntData(l.partitions));
    return values;
}

} // namespace

const SectionRows kHardDriveRows{"disks", kRows};

void HDs(App& app) {
    EnterSection(app, Section::HardDrives);
    app.area.iavisoVisible = app.area.lavisoVisible = false;
    DiskLists lists = GatherDisks(app, app.main.service);
    app.area.titulo = app.T(16);
    app.area.imageLineVisible = false;
    app.area.Row(1).captionColour = kDarkGrey;
    app.area.Row(8).captionColour = kDarkGrey;
    ShowRows(app, kHardDriveRows, DiskValues(std::move(lists)));
    FinishSection(app, Section::HardDrives);
}

void InformeHDs(ReportContext& ctx) {
    App& app = ctx.app;
    // A failed walk leaves no list: every row then reads "Unknown".
    DiskLists lists = OpenReportSection<DiskLists>(
        ctx, app.T(16),
        [&app](DataSource&, DiskLists& l, auto& service) { l = GatherDisks(app, service, false); });
    ReportRows(ctx.writer, app, kHardDriveRows, DiskValues(std::move(lists)), InReport::First,
               RowEnd::LastBr);
    ctx.writer.SectionEnd();
}

} // namespace hl
