// WMI values as scripts receive them, the bound on enumerations, and wine's (or Windows') own
// WMI checked against what other system calls report.
#include "core/PlatformError.h"
#include "core/Skip.h"
#include "platform/windows/WindowsSource.h"
#include "platform/windows/WindowsWmi.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace hl {
namespace {

using Kind = Variant::Kind;

VARIANT Bstr(const wchar_t* text) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(text);
    return v;
}

VARIANT Number(VARTYPE vt, long long n) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = vt;
    switch (vt) {
    case VT_UI1: V_UI1(&v) = static_cast<BYTE>(n); break;
    case VT_I2: V_I2(&v) = static_cast<SHORT>(n); break;
    case VT_BOOL: V_BOOL(&v) = n ? VARIANT_TRUE : VARIANT_FALSE; break;
    default: V_I4(&v) = static_cast<LONG>(n); break;
    }
    return v;
}

struct MappingCase {
    const char* what;
    VARIANT value;
    CIMTYPE type;
    Kind kind;
    const char* text;
};

TEST(FromComVariant, GivesEachWmiTypeAsScriptsReceiveIt) {
    VARIANT nothing;
    VariantInit(&nothing);
    V_VT(&nothing) = VT_NULL;
    VARIANT real;
    VariantInit(&real);
    V_VT(&real) = VT_R8;
    V_R8(&real) = 2.5;
    MappingCase cases[] = {
        {"null", nothing, CIM_STRING, Kind::Null, nullptr},
        {"uint64 as digits", Bstr(L"500107862016"), CIM_UINT64, Kind::Text, "500107862016"},
        {"datetime", Bstr(L"20100315143022.000000-180"), CIM_DATETIME, Kind::Text,
         "20100315143022.000000-180"},
        {"UTF-16 text", Bstr(L"Espa\u00f1ol \u2013 1"), CIM_STRING, Kind::Text, "Español – 1"},
        {"true", Number(VT_BOOL, 1), CIM_BOOLEAN, Kind::Boolean, "True"},
        {"false", Number(VT_BOOL, 0), CIM_BOOLEAN, Kind::Boolean, "False"},
        // 4 GB minus 1 MB of adapter memory travels as a negative VT_I4.
        {"uint32 above 2^31", Number(VT_I4, -1048576), CIM_UINT32, Kind::Integer, "4293918720"},
        {"sint32", Number(VT_I4, -5), CIM_SINT32, Kind::Integer, "-5"},
        {"uint16", Number(VT_I4, 65535), CIM_UINT16, Kind::Integer, "65535"},
        {"uint8", Number(VT_UI1, 200), CIM_UINT8, Kind::Integer, "200"},
        {"sint16", Number(VT_I2, -3), CIM_SINT16, Kind::Integer, "-3"},
        {"real64", real, CIM_REAL64, Kind::Double, "2.5"},
    };
    for (MappingCase& c : cases) {
        std::optional<Variant> v = FromComVariant(c.value, c.type);
        ASSERT_TRUE(v.has_value()) << c.what;
        EXPECT_EQ(v->kind(), c.kind) << c.what;
        if (c.text) EXPECT_EQ(v->Text(), c.text) << c.what;
        VariantClear(&c.value);
    }
}

VARIANT StringArray(std::initializer_list<const wchar_t*> texts) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ARRAY | VT_BSTR;
    V_ARRAY(&v) = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(texts.size()));
    LONG i = 0;
    for (const wchar_t* text : texts) {
        BSTR b = SysAllocString(text);
        SafeArrayPutElement(V_ARRAY(&v), &i, b); // copies the string
        SysFreeString(b);
        ++i;
    }
    return v;
}

VARIANT IntegerArray(VARTYPE vt, std::initializer_list<LONG> numbers) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ARRAY | vt;
    V_ARRAY(&v) = SafeArrayCreateVector(vt, 0, static_cast<ULONG>(numbers.size()));
    LONG i = 0;
    for (LONG n : numbers) {
        SHORT small = static_cast<SHORT>(n);
        SafeArrayPutElement(V_ARRAY(&v), &i, vt == VT_I4 ? static_cast<void*>(&n) : &small);
        ++i;
    }
    return v;
}

// A configuration's addresses come as an array of strings, a monitor's name (WmiMonitorID) as
// an array of uint16 character codes; both arrive as their elements joined by ", ".
TEST(FromComVariant, JoinsArraysOfStringsAndIntegersAndLeavesOutTheRest) {
    VARIANT twoDimensions;
    VariantInit(&twoDimensions);
    V_VT(&twoDimensions) = VT_ARRAY | VT_I4;
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
    V_ARRAY(&twoDimensions) = SafeArrayCreate(VT_I4, 2, bounds);
    VARIANT object;
    VariantInit(&object);
    V_VT(&object) = VT_UNKNOWN;
    V_UNKNOWN(&object) = nullptr;
    struct Case {
        const char* what;
        VARIANT value;
        CIMTYPE type;
        std::optional<Kind> kind; // nothing: left out
        const char* text;
    } cases[] = {
        {"IP addresses", StringArray({L"192.168.1.20", L"fe80::1c2d:3e4f:5a6b:7c8d"}),
         CIM_STRING | CIM_FLAG_ARRAY, Kind::Text, "192.168.1.20, fe80::1c2d:3e4f:5a6b:7c8d"},
        {"one gateway", StringArray({L"192.168.1.1"}), CIM_STRING | CIM_FLAG_ARRAY, Kind::Text,
         "192.168.1.1"},
        {"no address", StringArray({}), CIM_STRING | CIM_FLAG_ARRAY, Kind::Null, nullptr},
        {"a monitor's name in character codes", IntegerArray(VT_I4, {68, 69, 76, 76, 0}),
         CIM_UINT16 | CIM_FLAG_ARRAY, Kind::Text, "68, 69, 76, 76, 0"},
        {"capability codes", IntegerArray(VT_I2, {3, 4, 10}), CIM_UINT16 | CIM_FLAG_ARRAY,
         Kind::Text, "3, 4, 10"},
        {"a two-dimensional array", twoDimensions, CIM_UINT16 | CIM_FLAG_ARRAY, std::nullopt,
         nullptr},
        {"an embedded object", object, CIM_OBJECT, std::nullopt, nullptr},
    };
    for (Case& c : cases) {
        std::optional<Variant> v = FromComVariant(c.value, c.type);
        EXPECT_EQ(v.has_value(), c.kind.has_value()) << c.what;
        if (v && c.kind) EXPECT_EQ(v->kind(), *c.kind) << c.what;
        if (v && c.text) EXPECT_EQ(v->Text(), c.text) << c.what;
        VariantClear(&c.value);
    }
}

// A Dell monitor's WmiMonitorID as Windows gives it: codes padded with zeros after the name.
TEST(SpellMonitorNames, SpellsTheCodesUpToTheirEnd) {
    WmiObject monitor(
        {{"ManufacturerName", Variant("68, 69, 76, 0, 0")},
         {"UserFriendlyName", Variant("68, 69, 76, 76, 32, 69, 50, 50, 50, 50, 72, 83, 0")},
         {"SerialNumberID", Variant("67, 10, 55, 0")},
         {"ProductCodeID", Variant("not codes")},
         {"YearOfManufacture", Variant(int64_t{2021})}});
    SpellMonitorNames(monitor);
    EXPECT_EQ(monitor.Get("ManufacturerName").Text(), "DEL");
    EXPECT_EQ(monitor.Get("UserFriendlyName").Text(), "DELL E2222HS");
    EXPECT_EQ(monitor.Get("SerialNumberID").Text(), "C7") << "a control code is dropped";
    EXPECT_EQ(monitor.Get("ProductCodeID").Text(), "");
    EXPECT_EQ(monitor.Get("YearOfManufacture").Text(), "2021") << "other properties stay";
}

// An enumerator whose Next answers from a script, counting its calls.
class ScriptedEnum : public IEnumWbemClassObject {
public:
    explicit ScriptedEnum(std::function<HRESULT(long timeout, int call)> next)
        : next_(std::move(next)) {}
    int calls = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Next(long timeout, ULONG, IWbemClassObject** objects,
                                   ULONG* returned) override {
        *objects = nullptr;
        *returned = 0;
        return next_(timeout, calls++);
    }
    HRESULT STDMETHODCALLTYPE NextAsync(ULONG, IWbemObjectSink*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumWbemClassObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Skip(long, ULONG) override { return E_NOTIMPL; }

private:
    std::function<HRESULT(long, int)> next_;
};

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

TEST(DrainEnumerator, ProviderThatNeverAnswersFailsAtTheDeadline) {
    ScriptedEnum hung([](long timeout, int) {
        EXPECT_GT(timeout, 0) << "an unbounded wait would hang the program";
        Sleep(static_cast<DWORD>(timeout));
        return static_cast<HRESULT>(WBEM_S_TIMEDOUT);
    });
    auto start = Clock::now();
    EXPECT_THROW(DrainEnumerator(hung, start + milliseconds(700), "Win32_Processor"),
                 PlatformError);
    auto took = Clock::now() - start;
    EXPECT_GE(took, milliseconds(650));
    EXPECT_LT(took, milliseconds(3000));
}

TEST(DrainEnumerator, SlowProviderWithinTheDeadlineEndsNormally) {
    ScriptedEnum slow([](long, int call) {
        return static_cast<HRESULT>(call < 3 ? WBEM_S_TIMEDOUT : WBEM_S_FALSE);
    });
    EXPECT_TRUE(DrainEnumerator(slow, Clock::now() + milliseconds(5000), "X").empty());
    EXPECT_EQ(slow.calls, 4);
}

TEST(DrainEnumerator, FailureRaisesAndUnknownClassIsEmpty) {
    ScriptedEnum broken([](long, int) { return static_cast<HRESULT>(WBEM_E_FAILED); });
    EXPECT_THROW(DrainEnumerator(broken, Clock::now() + milliseconds(5000), "X"), PlatformError);
    ScriptedEnum unknown([](long, int) { return static_cast<HRESULT>(WBEM_E_INVALID_CLASS); });
    EXPECT_TRUE(DrainEnumerator(unknown, Clock::now() + milliseconds(5000), "X").empty());
}

// ---- the machine's own WMI ----------------------------------------------------------------

class MachineWmi : public ::testing::Test {
protected:
    WindowsSource source;
    std::shared_ptr<WmiService> wmi = source.ConnectWmi();
};

TEST_F(MachineWmi, OneOperatingSystemWithTheKernelsBuild) {
    auto os = wmi->InstancesOf("Win32_OperatingSystem");
    ASSERT_EQ(os.size(), 1u);
    // RtlGetVersion tells the truth regardless of the program's manifest.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    ASSERT_NE(rtlGetVersion, nullptr);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_EQ(rtlGetVersion(&info), 0);
    EXPECT_EQ(os[0].Get("BuildNumber").Text(), std::to_string(info.dwBuildNumber));
    EXPECT_EQ(Left(os[0].Get("Version").Text(), 3),
              std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion));
    EXPECT_EQ(os[0].Get("Caption").kind(), Kind::Text);
    EXPECT_EQ(os[0].Get("TotalVirtualMemorySize").kind(), Kind::Text) << "uint64 as digits";
}

bool AllDigits(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

// (Wine's sizes are its own invention, not the volume's, so they are checked for shape only.)
TEST_F(MachineWmi, SystemDriveIsALocalDiskWithSizesAsDigits) {
    wchar_t windows[MAX_PATH];
    ASSERT_GT(GetSystemWindowsDirectoryW(windows, MAX_PATH), 2u);
    std::string drive = {static_cast<char>(windows[0]), ':'};
    bool found = false;
    for (const WmiObject& disk : wmi->InstancesOf("Win32_LogicalDisk")) {
        if (disk.Get("Caption").Text() != drive) continue;
        found = true;
        Variant size = disk.Get("Size"), free = disk.Get("Freespace"); // any case
        ASSERT_EQ(size.kind(), Kind::Text);
        ASSERT_EQ(free.kind(), Kind::Text);
        EXPECT_TRUE(AllDigits(size.Text())) << size.Text();
        EXPECT_TRUE(AllDigits(free.Text())) << free.Text();
        EXPECT_LE(std::stoull(free.Text()), std::stoull(size.Text()));
        EXPECT_EQ(disk.Get("DriveType").kind(), Kind::Integer);
        EXPECT_EQ(disk.Get("DriveType").ToInt64(), 3); // local disk
    }
    EXPECT_TRUE(found) << drive;
}

TEST_F(MachineWmi, LogicalProcessorsMatchTheSystemInfo) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    auto cs = wmi->InstancesOf("Win32_ComputerSystem");
    ASSERT_EQ(cs.size(), 1u);
    EXPECT_EQ(cs[0].Get("NumberOfLogicalProcessors").ToInt64(),
              static_cast<int64_t>(info.dwNumberOfProcessors));
}

// The Processor section sums the packages' counts: together they are the machine's processors.
TEST_F(MachineWmi, PackagesCountEveryLogicalProcessor) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    int64_t logical = 0, cores = 0;
    for (const WmiObject& cpu : wmi->InstancesOf("Win32_Processor")) {
        logical += cpu.Get("NumberOfLogicalProcessors").ToInt64();
        cores += cpu.Get("NumberOfCores").ToInt64();
    }
    EXPECT_EQ(logical, static_cast<int64_t>(info.dwNumberOfProcessors));
    EXPECT_GE(cores, 1);
    EXPECT_LE(cores, logical);
}

TEST_F(MachineWmi, WhatTheServiceDoesNotAnswerReadsAsNull) {
    auto cpus = wmi->InstancesOf("Win32_Processor");
    ASSERT_FALSE(cpus.empty());
    // Wine leaves the cache sizes out; Windows gives numbers. Neither may fail to read.
    for (const char* name : {"L2CacheSize", "L3CacheSize", "SocketDesignation"}) {
        Kind k = cpus[0].Get(name).kind();
        EXPECT_TRUE(k == Kind::Null || k == Kind::Integer || k == Kind::Text) << name;
    }
    Variant missing = cpus[0].Get("NoSuchProperty");
    EXPECT_TRUE(missing.IsNull());
    std::string target = "kept";
    Skip([&] { target = missing.Trimmed(); });
    EXPECT_EQ(target, "kept");
    EXPECT_TRUE(wmi->InstancesOf("Win32_NoSuchClass").empty());
}

TEST(WindowsSourceWmi, ServiceOutlivesTheSourceThatBoundIt) {
    std::shared_ptr<WmiService> wmi;
    {
        WindowsSource source;
        wmi = source.ConnectWmi();
    }
    EXPECT_EQ(wmi->InstancesOf("Win32_OperatingSystem").size(), 1u);
}

} // namespace
} // namespace hl
