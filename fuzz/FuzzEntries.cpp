#include "FuzzEntries.h"

#include "core/DateFormats.h"
#include "core/LicenceCode.h"
#include "core/Navigation.h"
#include "core/OutputFile.h"
#include "core/PlatformError.h"
#include "core/SettingsStore.h"
#include "core/SizeFormats.h"
#include "core/Variant.h"
#include "platform/snapshot/Snapshot.h"
#include "report/ReportChain.h"
#include "sections/Sections.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace hl::fuzz {

namespace {

std::string Text(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// A folder of its own for the files a target writes, removed at exit.
struct Scratch {
    std::string path;
    Scratch() {
        namespace fs = std::filesystem;
        fs::path base = fs::temp_directory_path() / ("hardlens-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(base);
        path = base.string();
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

const std::string& ScratchFolder() {
    static const Scratch scratch;
    return scratch.path;
}

// Runs a conversion that may refuse its input; anything else escaping is a fault.
template <class F> void MayRefuse(F&& f) {
    try {
        f();
    } catch (const PlatformError&) {
    }
}

// Every non-empty digit string is a size; anything else is refused with PlatformError.
bool AllDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

void CheckSize(const char* rule, std::string (*format)(std::string_view, std::string_view),
               std::string_view digits, std::string_view separator) {
    try {
        std::string shown = format(digits, separator);
        Expect(!shown.empty(), std::string(rule) + " gave nothing");
    } catch (const PlatformError&) {
        // Only a number past the range of a double may be refused.
        Expect(!AllDigits(digits) || digits.size() > 308,
               std::string(rule) + " refused a digit string");
    }
}

} // namespace

int Snapshot(const uint8_t* data, size_t size) {
    hl::Snapshot s;
    try {
        s = ParseSnapshot(Text(data, size), "fuzz");
    } catch (const SnapshotError&) {
        return 0;
    }
    // What the program writes it must read back.
    std::string json = SnapshotToJson(s);
    try {
        hl::Snapshot again = ParseSnapshot(json, "again");
        Expect(SnapshotToJson(again) == json, "a snapshot changed on its way through JSON");
    } catch (const SnapshotError& e) {
        Broken(std::string("a written snapshot does not read back: ") + e.what());
    }
    return 0;
}

int Settings(const uint8_t* data, size_t size) {
    // The file as fuzzed; the last bytes choose the name and value to write over it.
    std::string text = Text(data, size);
    size_t cut = text.rfind('\n');
    std::string tail = cut == std::string::npos ? text : text.substr(cut + 1);
    SettingsStore store(ScratchFolder() + "/settings");
    if (!WriteOutputFile(store.Path(), text).ok) Broken("cannot write the scratch file");
    for (const char* name : {"Idioma", "Car\xC3\xA1tula", "Transparencia"})
        (void)store.Read(name);
    size_t eq = tail.find('=');
    std::string name = eq == std::string::npos ? "Idioma" : tail.substr(0, eq);
    std::string value = eq == std::string::npos ? tail : tail.substr(eq + 1);
    if (store.Write(name, value)) {
        std::optional<std::string> back = store.Read(name);
        Expect(back && *back == value, "a value written as saved does not read back");
    }
    return 0;
}

int Numbers(const uint8_t* data, size_t size) {
    std::string text = Text(data, size);
    double parsed = 0;
    bool isNumber = ParseNumber(text, parsed);
    Variant v(text);
    Expect(v.IsNumeric() == isNumber, "IsNumeric and ParseNumber disagree");
    MayRefuse([&] { (void)v.ToInt64(); });
    MayRefuse([&] { (void)v.ToInt32(); });
    MayRefuse([&] { (void)v.ToBool(); });
    MayRefuse([&] {
        double d = v.ToDouble();
        Expect(isNumber, "ToDouble accepted what ParseNumber refuses");
        (void)NumberText(d, ",");
    });
    if (isNumber) {
        std::string shown = NumberText(parsed);
        double back = 0;
        Expect(std::isnan(parsed) || ParseNumber(shown, back), "NumberText wrote no number");
        (void)RoundHalfEven(parsed);
    }
    // The raw bytes as a double, and arithmetic between the two forms.
    double raw = 0;
    std::memcpy(&raw, data, std::min(size, sizeof raw));
    (void)NumberText(raw, ".");
    Variant r(raw);
    MayRefuse([&] { (void)r.ToInt64(); });
    for (auto op : {Add, Subtract, Multiply, Divide, IntDivide}) {
        MayRefuse([&] { (void)op(v, r); });
        MayRefuse([&] { (void)op(r, v); });
        MayRefuse([&] { (void)op(r, r); });
    }
    (void)NumericEquals(v, r);
    return 0;
}

int Sizes(const uint8_t* data, size_t size) {
    // The first byte picks the separator; the rest is the digit text.
    std::string_view separator = size && (data[0] & 1) ? "," : ".";
    std::string text = size ? Text(data + 1, size - 1) : std::string();
    CheckSize("FormatSize", FormatSize, text, separator);
    CheckSize("FormatSizeLeft", FormatSizeLeft, text, separator);
    CheckSize("FormatDiscSize", FormatDiscSize, text, separator);
    MayRefuse([&] { (void)SummaryMemorySize(text, separator); });
    MayRefuse([&] { (void)SummaryFreeSpace(text, separator); });
    int64_t bytes = 0;
    std::memcpy(&bytes, data, std::min(size, sizeof bytes));
    std::string adapter = FormatAdapterMemory(bytes, separator);
    Expect(adapter.empty() == (bytes <= 0), "FormatAdapterMemory and the sign disagree");
    (void)FormatAdapterMemoryReport(bytes);
    (void)FormatUsageTime(bytes);
    (void)FormatMemoryMB(bytes);
    (void)FormatVirtualMB(text, separator);
    (void)GroupDigits(text, separator);
    return 0;
}

int WmiDate(const uint8_t* data, size_t size) {
    static const std::array<StringTable, 3> tables = [] {
        std::array<StringTable, 3> t;
        LangSpanish(t[0]);
        LangEnglish(t[1]);
        LangDutch(t[2]);
        return t;
    }();
    static const char* const languages[] = {"Spanish", "English", "Dutch"};
    std::string text = Text(data, size);
    for (int i = 0; i < 3; ++i) {
        (void)FormatWmiDate(text, languages[i], tables[i]);
        (void)FormatWmiDateOnly(text, languages[i]);
    }
    return 0;
}

int ProductKey(const uint8_t* data, size_t size) {
    std::string key = DecodeProductKey(std::vector<uint8_t>(data, data + size));
    // Five groups of five characters joined by "-", or nothing for a value too long to read.
    Expect(key.empty() ? size > 164 : key.size() == 29, "a product key of the wrong shape");
    return 0;
}

} // namespace hl::fuzz

namespace hl::fuzz {

const std::vector<Target>& Targets() {
    static const std::vector<Target> all = {
        {"snapshot", Snapshot},   {"settings", Settings},  {"numbers", Numbers},
        {"sizes", Sizes},         {"wmidate", WmiDate},    {"productkey", ProductKey},
        {"pipeline", Pipeline},   {"fleet", Fleet},
#ifndef _WIN32
        {"mountinfo", MountInfo}, {"cpuinfo", CpuInfo},    {"edid", EdidData},
        {"smbios", Smbios},       {"input", InputDevices}, {"osrelease", OsRelease},
        {"utmp", LoginRecords},   {"logins", LoginScan},   {"bounded", BoundedRead},
#endif
    };
    return all;
}

} // namespace hl::fuzz
