#include "LinuxClasses.h"
#include "LinuxMemory.h"
#include "LinuxProcessor.h"
#include "LinuxUsers.h"
#include "core/CheckedMath.h"

namespace hl {

namespace {

std::string OsPrettyName(const RootFs& fs) {
    // os-release(5): /etc/os-release wins over /usr/lib/os-release.
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        FileText f = fs.Read(path, 64 * 1024);
        if (!f.Ok()) continue;
        std::string name = ShellValue(f.text, "PRETTY_NAME");
        if (name.empty()) name = ShellValue(f.text, "NAME");
        return name.empty() ? "Linux" : name;
    }
    return {};
}

// "6.1.0-18-amd64" gives "6.1.0".
std::string NumericVersion(const std::string& release) {
    size_t end = 0;
    while (end < release.size() &&
           (std::isdigit(static_cast<unsigned char>(release[end])) || release[end] == '.'))
        ++end;
    while (end > 0 && release[end - 1] == '.')
        --end;
    return release.substr(0, end);
}

std::string SystemLocale(LinuxContext& ctx) {
    // locale.conf(5) on systemd systems; Debian keeps the same line in /etc/default/locale.
    for (const char* path : {"/etc/locale.conf", "/etc/default/locale"}) {
        std::string lang = ShellValue(ctx.Fs().Read(path, 16 * 1024).text, "LANG");
        if (!lang.empty()) return lang;
    }
    std::optional<std::string> env = ctx.Env("LANG");
    return env && !env->empty() ? *env : "C";
}

int64_t CountProcesses(const RootFs& fs) {
    int64_t n = 0;
    for (const std::string& name : fs.List("/proc")) {
        uint64_t pid = 0;
        if (ParseDecimal(name, pid)) ++n;
    }
    return n;
}

void SetKilobytes(WmiObject& obj, const char* prop, std::optional<uint64_t> kb) {
    obj.Set(prop, kb ? Variant(std::to_string(*kb)) : Variant::Null());
}

std::optional<int64_t> BootMenuTimeout(LinuxContext& ctx) {
    uint64_t seconds = 0;
    std::string grub =
        ShellValue(ctx.Fs().Read("/etc/default/grub", 64 * 1024).text, "GRUB_TIMEOUT");
    if (ParseDecimal(grub, seconds) && seconds < 65536) return static_cast<int64_t>(seconds);
    // loader.conf(5) of systemd-boot: "timeout 3".
    for (const char* path : {"/boot/loader/loader.conf", "/efi/loader/loader.conf"}) {
        // The text outlives the loop: the range's views point into it.
        const FileText conf = ctx.Fs().Read(path, 16 * 1024);
        for (std::string_view line : SplitLines(conf.text)) {
            std::vector<std::string_view> f = SplitWhite(line);
            if (f.size() == 2 && f[0] == "timeout" && ParseDecimal(f[1], seconds) &&
                seconds < 65536)
                return static_cast<int64_t>(seconds);
        }
    }
    return std::nullopt;
}

std::string DnsDomain(LinuxContext& ctx) {
    std::string host = ctx.Fs().Line("/etc/hostname");
    if (size_t dot = host.find('.'); dot != std::string::npos && dot + 1 < host.size())
        return host.substr(dot + 1);
    // resolv.conf(5): "domain" names the local domain.
    const FileText resolv = ctx.Fs().Read("/etc/resolv.conf", 64 * 1024);
    for (std::string_view line : SplitLines(resolv.text)) {
        std::vector<std::string_view> f = SplitWhite(line);
        if (f.size() >= 2 && f[0] == "domain") return std::string(f[1]);
    }
    return {};
}

void SetOptionalInt(WmiObject& obj, const char* prop, std::optional<int64_t> value) {
    obj.Set(prop, value ? Variant(*value) : Variant::Null());
}

void SetOsRelease(LinuxContext& ctx, WmiObject& obj) {
    const char* cls = "Win32_OperatingSystem";
    std::string caption = OsPrettyName(ctx.Fs());
    if (caption.empty())
        ctx.SetNull(obj, cls, "Caption", Access::Absent);
    else
        obj.Set("Caption", Variant(caption));
    FileText release = ctx.Fs().Read("/proc/sys/kernel/osrelease", 4096);
    std::string version = NumericVersion(TrimWhite(release.text));
    if (version.empty())
        ctx.SetNull(obj, cls, "Version", release.Ok() ? Access::Empty : release.access);
    else
        obj.Set("Version", Variant(version));
    ctx.SetText(obj, cls, "BuildNumber", release);
    obj.Set("ServicePackMajorVersion", Variant(0));
    obj.Set("ServicePackMinorVersion", Variant(0));
}

void SetMemoryFigures(const RootFs& fs, WmiObject& obj) {
    auto mem = ReadMeminfo(fs);
    auto field = [&](const char* name) -> std::optional<uint64_t> {
        auto it = mem.find(name);
        return it == mem.end() ? std::nullopt : std::optional<uint64_t>(it->second);
    };
    auto sum = [](std::optional<uint64_t> a, std::optional<uint64_t> b) -> std::optional<uint64_t> {
        if (!a) return std::nullopt;
        return CheckedAdd<uint64_t>(*a, b.value_or(0));
    };
    // MemAvailable (Linux 3.14) is what Windows calls free: memory new programs can have.
    std::optional<uint64_t> available =
        field("MemAvailable") ? field("MemAvailable") : field("MemFree");
    SetKilobytes(obj, "TotalVisibleMemorySize", field("MemTotal"));
    SetKilobytes(obj, "FreePhysicalMemory", available);
    SetKilobytes(obj, "TotalVirtualMemorySize", sum(field("MemTotal"), field("SwapTotal")));
    SetKilobytes(obj, "FreeVirtualMemory", sum(available, field("SwapFree")));
}

} // namespace

std::vector<WmiObject> BuildOperatingSystem(LinuxContext& ctx) {
    const char* cls = "Win32_OperatingSystem";
    const RootFs& fs = ctx.Fs();
    WmiObject obj;
    SetOsRelease(ctx, obj);
    ctx.SetText(obj, cls, "SerialNumber", fs.Read("/etc/machine-id", 4096));
    std::optional<int> lcid = LocaleLcid(SystemLocale(ctx));
    obj.Set("OSLanguage", lcid ? Variant(*lcid) : Variant::Null());
    std::optional<PasswdEntry> user = CurrentUser(ctx);
    std::string fullName = user ? FullNameOf(*user) : std::string();
    if (fullName.empty())
        ctx.SetNull(obj, cls, "RegisteredUser", user ? Access::Empty : Access::Absent);
    else
        obj.Set("RegisteredUser", Variant(fullName));
    obj.Set("NumberOfProcesses", Variant(CountProcesses(fs)));
    // Birth time 0 means the file system did not record it, not 1 January 1970.
    std::optional<int64_t> born = ctx.Probe().BirthTime(fs.Full("/"));
    if (born && *born > 0)
        obj.Set("InstallDate", Variant(WmiDateTime(static_cast<time_t>(*born))));
    else
        ctx.SetNull(obj, cls, "InstallDate", Access::Absent);
    SetMemoryFigures(fs, obj);
    obj.Set("LargeSystemCache", Variant(0));
    std::string host = fs.Line("/proc/sys/kernel/hostname");
    obj.Set("CSName", host.empty() ? Variant::Null() : Variant(host));
    return {obj};
}

std::vector<WmiObject> BuildComputerSystem(LinuxContext& ctx) {
    const char* cls = "Win32_ComputerSystem";
    WmiObject obj;
    std::string host = ctx.Fs().Line("/proc/sys/kernel/hostname");
    obj.Set("Name", host.empty() ? Variant::Null() : Variant(host));
    ctx.SetText(obj, cls, "Manufacturer", DmiField(ctx, "sys_vendor"));
    ctx.SetText(obj, cls, "Model", DmiField(ctx, "product_name"));
    std::optional<ArchInfo> arch = ArchOf(ctx.Machine());
    obj.Set("SystemType", arch ? Variant(arch->systemType) : Variant::Null());
    // proc(5), /proc/sys/kernel/panic: seconds before the reboot after a panic, 0 for never.
    std::optional<int64_t> panic = ctx.Fs().Number("/proc/sys/kernel/panic");
    obj.Set("AutomaticResetBootOption", panic ? Variant(*panic > 0) : Variant::Null());
    SetOptionalInt(obj, "SystemStartupDelay", BootMenuTimeout(ctx));
    std::string domain = DnsDomain(ctx);
    if (domain.empty())
        ctx.SetNull(obj, cls, "Domain", Access::Absent);
    else
        obj.Set("Domain", Variant(domain));
    const std::vector<CpuEntry>& cpus = ctx.Cpus();
    std::set<int> packages;
    for (const CpuEntry& cpu : cpus)
        packages.insert(cpu.physicalId);
    obj.Set("NumberOfProcessors", Variant(static_cast<int64_t>(packages.size())));
    obj.Set("NumberOfLogicalProcessors", Variant(static_cast<int64_t>(cpus.size())));
    auto mem = ReadMeminfo(ctx.Fs());
    obj.Set("TotalPhysicalMemory", mem.count("MemTotal")
                                       ? Variant(std::to_string(mem["MemTotal"] * 1024))
                                       : Variant::Null());
    return {obj};
}

} // namespace hl
