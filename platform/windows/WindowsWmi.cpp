#include "WindowsWmi.h"

#include "WindowsRegistry.h"
#include "core/PlatformError.h"
#include "platform/JedecMakers.h"
#include "platform/SmbiosCodes.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <sstream>

namespace hl {

namespace {

// How long one Next call may wait before the overall deadline is looked at again.
constexpr long kNextStepMs = 500;

bool IsUnknownClass(HRESULT hr) {
    return hr == static_cast<HRESULT>(WBEM_E_INVALID_CLASS) ||
           hr == static_cast<HRESULT>(WBEM_E_NOT_FOUND);
}

Variant IntegerOf(const VARIANT& value, CIMTYPE type) {
    switch (V_VT(&value)) {
    case VT_I1: return Variant(static_cast<int64_t>(V_I1(&value)));
    case VT_UI1: return Variant(static_cast<int64_t>(V_UI1(&value)));
    case VT_I2: return Variant(static_cast<int64_t>(V_I2(&value)));
    case VT_UI2: return Variant(static_cast<int64_t>(V_UI2(&value)));
    case VT_UI4: return Variant(static_cast<int64_t>(V_UI4(&value)));
    case VT_I8: return Variant(static_cast<int64_t>(V_I8(&value)));
    case VT_UI8: {
        uint64_t u = V_UI8(&value);
        if (u > static_cast<uint64_t>(INT64_MAX)) return Variant(std::to_string(u));
        return Variant(static_cast<int64_t>(u));
    }
    default: break; // VT_I4
    }
    // WMI carries uint32 in a signed VT_I4; 4 GB of adapter memory must not read as negative.
    if (type == CIM_UINT32)
        return Variant(static_cast<int64_t>(static_cast<uint32_t>(V_I4(&value))));
    return Variant(static_cast<int64_t>(V_I4(&value)));
}

// AdapterRAM is a 32-bit figure and stops short of 4 GB; the display driver writes the whole
// size into the adapter's class key, which the device's "Driver" value names.
std::optional<uint64_t> DriverMemorySize(const WmiObject& adapter) {
    std::string device = adapter.Get("PNPDeviceID").Text();
    if (device.empty()) return std::nullopt;
    std::string driver = ReadRegistryValue("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\" +
                                           device + "\\Driver")
                             .Text();
    if (driver.empty()) return std::nullopt;
    return ReadQwordValue("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\" +
                          driver + "\\HardwareInformation.qwMemorySize");
}

void WidenAdapterMemory(WmiObject& adapter) {
    std::optional<uint64_t> size;
    try {
        size = DriverMemorySize(adapter);
    } catch (const PlatformError&) {
        return; // no key, no wider figure: AdapterRAM stands
    }
    if (size && *size > 0 && *size <= static_cast<uint64_t>(INT64_MAX))
        adapter.Set("AdapterRAM", Variant(static_cast<int64_t>(*size)));
}

// One element of a one-dimensional array of strings or integers, as text.
std::optional<std::string> ElementText(SAFEARRAY* array, VARTYPE vt, LONG index) {
    if (vt == VT_BSTR) {
        BSTR text = nullptr;
        if (FAILED(SafeArrayGetElement(array, &index, &text))) return std::nullopt;
        std::string out = WideToUtf8(std::wstring_view(text, text ? SysStringLen(text) : 0));
        SysFreeString(text);
        return out;
    }
    VARIANT element;
    VariantInit(&element);
    V_VT(&element) = vt;
    // Every integer type fits the VARIANT's value union, which starts at the same place.
    if (FAILED(SafeArrayGetElement(array, &index, &V_I8(&element)))) return std::nullopt;
    return IntegerOf(element, CIM_SINT64).Text();
}

// Arrays of strings (a configuration's IP addresses) and of integers (a monitor's name, coded
// one character a number) as their elements joined by ", ", as the Linux source writes its
// lists; an empty array is no value. Other arrays are left out.
std::optional<Variant> FromComArray(const VARIANT& value) {
    const VARTYPE vt = V_VT(&value) & VT_TYPEMASK;
    const bool known = vt == VT_BSTR || vt == VT_I1 || vt == VT_UI1 || vt == VT_I2 ||
                       vt == VT_UI2 || vt == VT_I4 || vt == VT_UI4 || vt == VT_I8 || vt == VT_UI8;
    SAFEARRAY* array = V_ARRAY(&value);
    if ((V_VT(&value) & VT_BYREF) || !known || !array || SafeArrayGetDim(array) != 1)
        return std::nullopt;
    LONG low = 0, high = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &low)) || FAILED(SafeArrayGetUBound(array, 1, &high)))
        return std::nullopt;
    if (high < low) return Variant::Null();
    std::string joined;
    for (LONG i = low; i <= high; ++i) {
        std::optional<std::string> text = ElementText(array, vt, i);
        if (!text) return std::nullopt;
        joined += (i == low ? "" : ", ") + *text;
    }
    return Variant(std::move(joined));
}

// Classes that live in ROOT\WMI rather than ROOT\CIMV2: the monitors' EDID facts, the ACPI
// thermal zones and batteries.
constexpr const char* kRootWmiClasses[] = {
    "WmiMonitorID", "WmiMonitorBasicDisplayParams", "MSAcpi_ThermalZoneTemperature",
    "BatteryFullChargedCapacity", "BatteryCycleCount"};

bool InRootWmi(const std::string& className) {
    for (const char* name : kRootWmiClasses)
        if (className == name) return true;
    return false;
}

// Windows passes on the maker as the SMBIOS table has it, often a JEDEC code ("80AD000080AD").
void NameMemoryMaker(WmiObject& module) {
    Variant maker = module.Get("Manufacturer");
    if (maker.IsText()) module.Set("Manufacturer", Variant(MemoryMakerName(maker.Text())));
}

} // namespace

void SpellMonitorNames(WmiObject& monitor) {
    for (const char* name :
         {"ManufacturerName", "ProductCodeID", "SerialNumberID", "UserFriendlyName"}) {
        Variant codes = monitor.Get(name);
        if (!codes.IsText()) continue;
        std::string text, item;
        std::istringstream list(codes.Text());
        while (std::getline(list, item, ',') && text.size() < 256) {
            size_t digits = item.find_first_not_of(' ');
            int code = 0;
            if (digits == std::string::npos) break;
            auto [end, error] =
                std::from_chars(item.data() + digits, item.data() + item.size(), code);
            if (error != std::errc() || end != item.data() + item.size() || code == 0) break;
            if (code >= 0x20 && code < 0x7F) text += static_cast<char>(code);
        }
        monitor.Set(name, Variant(text));
    }
}

std::optional<Variant> FromComVariant(const VARIANT& value, CIMTYPE type) {
    VARTYPE vt = V_VT(&value);
    if (vt & VT_ARRAY) return FromComArray(value);
    if (vt & VT_BYREF) return std::nullopt;
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL: return Variant::Null();
    case VT_BSTR:
        return Variant(WideToUtf8(
            V_BSTR(&value) ? std::wstring_view(V_BSTR(&value), SysStringLen(V_BSTR(&value)))
                           : std::wstring_view()));
    case VT_BOOL: return Variant(V_BOOL(&value) != VARIANT_FALSE);
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_I8:
    case VT_UI8: return IntegerOf(value, type);
    case VT_INT: return Variant(static_cast<int64_t>(V_INT(&value)));
    case VT_UINT: return Variant(static_cast<int64_t>(V_UINT(&value)));
    case VT_R4: return Variant(static_cast<double>(V_R4(&value)));
    case VT_R8: return Variant(V_R8(&value));
    default: return std::nullopt; // embedded objects and anything stranger
    }
}

WmiObject ReadWmiObject(IWbemClassObject& object) {
    CheckHr(object.BeginEnumeration(WBEM_FLAG_NONSYSTEM_ONLY),
            "IWbemClassObject::BeginEnumeration");
    std::vector<std::pair<std::string, Variant>> props;
    for (;;) {
        BSTR name = nullptr;
        VARIANT value;
        VariantInit(&value);
        CIMTYPE type = CIM_EMPTY;
        HRESULT hr = object.Next(0, &name, &value, &type, nullptr);
        if (hr != WBEM_S_NO_ERROR) {
            object.EndEnumeration();
            CheckHr(hr, "IWbemClassObject::Next");
            break; // WBEM_S_NO_MORE_DATA
        }
        std::optional<Variant> v = FromComVariant(value, type);
        std::string key = WideToUtf8(std::wstring_view(name, SysStringLen(name)));
        SysFreeString(name);
        VariantClear(&value);
        if (v) props.emplace_back(std::move(key), std::move(*v));
    }
    return WmiObject(std::move(props));
}

std::vector<WmiObject> DrainEnumerator(IEnumWbemClassObject& enumerator,
                                       std::chrono::steady_clock::time_point deadline,
                                       const std::string& className) {
    using namespace std::chrono;
    std::vector<WmiObject> objects;
    for (;;) {
        auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        if (left <= 0) throw PlatformError("WMI did not answer for " + className + " in time");
        ComPtr<IWbemClassObject> object;
        ULONG returned = 0;
        long wait = static_cast<long>(std::min<long long>(left, kNextStepMs));
        HRESULT hr = enumerator.Next(wait, 1, object.Put(), &returned);
        if (hr == WBEM_S_TIMEDOUT) continue;
        if (IsUnknownClass(hr)) return {};
        CheckHr(hr, ("WMI " + className).c_str());
        if (returned == 0 || !object) break; // WBEM_S_FALSE: the end
        objects.push_back(ReadWmiObject(*object.Get()));
    }
    return objects;
}

WindowsWmiService::WindowsWmiService(std::shared_ptr<ComSession> com,
                                     std::chrono::milliseconds queryLimit)
    : com_(std::move(com)), queryLimit_(queryLimit) {
    services_ = ConnectNamespace(L"ROOT\\CIMV2");
}

ComPtr<IWbemServices> WindowsWmiService::ConnectNamespace(const wchar_t* name) {
    ComPtr<IWbemServices> services;
    ComPtr<IWbemLocator> locator;
    CheckHr(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                             reinterpret_cast<void**>(locator.Put())),
            "CoCreateInstance(WbemLocator)");
    Bstr ns(name);
    // The connect flag bounds the bind itself (two minutes at most) where WMI is stuck.
    CheckHr(locator->ConnectServer(ns.Get(), nullptr, nullptr, nullptr,
                                   WBEM_FLAG_CONNECT_USE_MAX_WAIT, nullptr, nullptr,
                                   services.Put()),
            "IWbemLocator::ConnectServer");
    // Only a real proxy can take the blanket; an in-process service refuses it harmlessly.
    CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                      RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
    return services;
}

IWbemServices& WindowsWmiService::ServicesFor(const std::string& className) {
    if (!InRootWmi(className)) return *services_.Get();
    if (!rootWmi_) rootWmi_ = ConnectNamespace(L"ROOT\\WMI");
    return *rootWmi_.Get();
}

std::vector<WmiObject> WindowsWmiService::InstancesOf(const std::string& className) {
    auto deadline = std::chrono::steady_clock::now() + queryLimit_;
    ComPtr<IEnumWbemClassObject> enumerator;
    Bstr cls(Utf8ToWide(className));
    // Semi-synchronous, so that a slow provider is met by the Next timeouts below rather than
    // blocking this call.
    HRESULT hr = ServicesFor(className).CreateInstanceEnum(
        cls.Get(), WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
        enumerator.Put());
    if (IsUnknownClass(hr)) return {};
    CheckHr(hr, ("WMI " + className).c_str());
    std::vector<WmiObject> objects = DrainEnumerator(*enumerator.Get(), deadline, className);
    if (className == "Win32_PhysicalMemory")
        for (WmiObject& module : objects) {
            FillMemoryTypeFromSmbios(module);
            NameMemoryMaker(module);
        }
    if (className == "Win32_VideoController")
        for (WmiObject& adapter : objects)
            WidenAdapterMemory(adapter);
    if (className == "WmiMonitorID")
        for (WmiObject& monitor : objects)
            SpellMonitorNames(monitor);
    return objects;
}

} // namespace hl
