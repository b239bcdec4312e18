#include "WindowsWmi.h"

#include "WindowsRegistry.h"
#include "core/PlatformError.h"
#include "platform/SmbiosCodes.h"

#include <algorithm>
#include <cstdint>

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

// A list of texts (IPAddress, DefaultIPGateway) as one text, the items joined by ", ", as the
// recordings and the Linux source give it.
std::optional<Variant> JoinedTexts(const VARIANT& value) {
    SAFEARRAY* array = V_ARRAY(&value);
    if (!array) return Variant::Null();
    LONG lower = 0, upper = -1;
    if (SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(array, 1, &upper)))
        return std::nullopt;
    std::string joined;
    for (LONG i = lower; i <= upper; ++i) {
        BSTR item = nullptr;
        if (FAILED(SafeArrayGetElement(array, &i, &item))) return std::nullopt;
        std::string text = item ? WideToUtf8(std::wstring_view(item, SysStringLen(item))) : "";
        SysFreeString(item);
        if (!text.empty()) joined += (joined.empty() ? "" : ", ") + text;
    }
    return joined.empty() ? Variant::Null() : Variant(joined);
}

// The ACPI classes of thermal zones and batteries live in ROOT\WMI, not ROOT\CIMV2.
bool InWmiNamespace(const std::string& className) {
    return className == "MSAcpi_ThermalZoneTemperature" ||
           className == "BatteryFullChargedCapacity" || className == "BatteryCycleCount";
}

ComPtr<IWbemServices> Bind(const wchar_t* name) {
    ComPtr<IWbemLocator> locator;
    CheckHr(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                             reinterpret_cast<void**>(locator.Put())),
            "CoCreateInstance(WbemLocator)");
    Bstr ns(name);
    ComPtr<IWbemServices> services;
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

} // namespace

std::optional<Variant> FromComVariant(const VARIANT& value, CIMTYPE type) {
    VARTYPE vt = V_VT(&value);
    if (vt == (VT_ARRAY | VT_BSTR)) return JoinedTexts(value);
    if (vt & (VT_ARRAY | VT_BYREF)) return std::nullopt;
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
    : com_(std::move(com)), services_(Bind(L"ROOT\\CIMV2")), queryLimit_(queryLimit) {}

std::vector<WmiObject> WindowsWmiService::InstancesOf(const std::string& className) {
    auto deadline = std::chrono::steady_clock::now() + queryLimit_;
    ComPtr<IEnumWbemClassObject> enumerator;
    Bstr cls(Utf8ToWide(className));
    // Semi-synchronous, so that a slow provider is met by the Next timeouts below rather than
    // blocking this call.
    if (InWmiNamespace(className) && !acpi_) acpi_ = Bind(L"ROOT\\WMI");
    IWbemServices& services = InWmiNamespace(className) ? *acpi_.Get() : *services_.Get();
    HRESULT hr = services.CreateInstanceEnum(cls.Get(),
                                             WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                             nullptr, enumerator.Put());
    if (IsUnknownClass(hr)) return {};
    CheckHr(hr, ("WMI " + className).c_str());
    std::vector<WmiObject> objects = DrainEnumerator(*enumerator.Get(), deadline, className);
    if (className == "Win32_PhysicalMemory")
        for (WmiObject& module : objects)
            FillMemoryTypeFromSmbios(module);
    if (className == "Win32_VideoController")
        for (WmiObject& adapter : objects)
            WidenAdapterMemory(adapter);
    return objects;
}

} // namespace hl
