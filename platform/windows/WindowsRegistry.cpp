#include "WindowsRegistry.h"

#include "WindowsCom.h"
#include "core/PlatformError.h"

#include <cwctype>

namespace hl {

namespace {

struct Hive {
    const wchar_t* longName;
    const wchar_t* shortName;
    HKEY key;
};

const Hive kHives[] = {
    {L"HKEY_CURRENT_USER", L"HKCU", HKEY_CURRENT_USER},
    {L"HKEY_LOCAL_MACHINE", L"HKLM", HKEY_LOCAL_MACHINE},
    {L"HKEY_CLASSES_ROOT", L"HKCR", HKEY_CLASSES_ROOT},
    {L"HKEY_USERS", L"HKEY_USERS", HKEY_USERS},
    {L"HKEY_CURRENT_CONFIG", L"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
};

class KeyHandle {
public:
    KeyHandle() = default;
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    ~KeyHandle() {
        if (h_) RegCloseKey(h_);
    }
    HKEY* Put() { return &h_; }
    HKEY Get() const { return h_; }

private:
    HKEY h_ = nullptr;
};

std::string Describe(const std::string& path, const char* what) {
    return std::string(what) + " " + path;
}

// REG_SZ data may or may not carry its terminating zero; text stops at the first one.
std::wstring TextOf(const std::vector<BYTE>& data) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    size_t zero = text.find(L'\0');
    if (zero != std::wstring::npos) text.resize(zero);
    return text;
}

} // namespace

RegistryPath ParseRegistryPath(const std::string& path) {
    std::wstring w = Utf8ToWide(path);
    size_t first = w.find(L'\\');
    if (first == std::wstring::npos) throw PlatformError("not a registry value path: " + path);
    std::wstring hiveName = w.substr(0, first);
    for (wchar_t& c : hiveName)
        c = static_cast<wchar_t>(std::towupper(c));
    for (const Hive& h : kHives) {
        if (hiveName != h.longName && hiveName != h.shortName) continue;
        size_t last = w.rfind(L'\\');
        std::wstring key = last > first ? w.substr(first + 1, last - first - 1) : std::wstring();
        return {h.key, key, w.substr(last + 1)};
    }
    throw PlatformError("unknown registry hive in " + path);
}

Variant ReadRegistryValue(const std::string& path) {
    RegistryPath p = ParseRegistryPath(path);
    KeyHandle key;
    LONG rc = RegOpenKeyExW(p.hive, p.key.c_str(), 0, KEY_QUERY_VALUE, key.Put());
    if (rc != ERROR_SUCCESS) ThrowPlatformError(Describe(path, "cannot open the key of"), rc);
    DWORD type = 0, size = 0;
    std::vector<BYTE> data;
    do {
        data.resize(size + sizeof(wchar_t)); // room for a terminator the data may lack
        size = static_cast<DWORD>(data.size());
        rc = RegQueryValueExW(key.Get(), p.value.c_str(), nullptr, &type, data.data(), &size);
    } while (rc == ERROR_MORE_DATA);
    if (rc != ERROR_SUCCESS) ThrowPlatformError(Describe(path, "cannot read"), rc);
    data.resize(size);
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: return Variant(WideToUtf8(TextOf(data)));
    case REG_DWORD:
        if (size != sizeof(DWORD)) break;
        // The shell object hands double words over as signed 32-bit numbers.
        return Variant(static_cast<int64_t>(*reinterpret_cast<const int32_t*>(data.data())));
    default: break;
    }
    throw PlatformError("registry value of an unsupported type: " + path);
}

std::optional<uint64_t> ReadQwordValue(const std::string& path) {
    RegistryPath p = ParseRegistryPath(path);
    KeyHandle key;
    if (RegOpenKeyExW(p.hive, p.key.c_str(), 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS)
        return std::nullopt;
    uint64_t figure = 0;
    DWORD type = 0, size = sizeof(figure);
    if (RegQueryValueExW(key.Get(), p.value.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&figure), &size) != ERROR_SUCCESS ||
        size != sizeof(figure) || (type != REG_QWORD && type != REG_BINARY))
        return std::nullopt;
    return figure;
}

void WriteRegistryValue(const std::string& path, const Variant& value) {
    RegistryPath p = ParseRegistryPath(path);
    std::wstring text = Utf8ToWide(value.Text()); // Null fails here, before anything is written
    KeyHandle key;
    LONG rc = RegCreateKeyExW(p.hive, p.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_SET_VALUE, nullptr, key.Put(), nullptr);
    if (rc != ERROR_SUCCESS) ThrowPlatformError(Describe(path, "cannot create the key of"), rc);
    rc = RegSetValueExW(key.Get(), p.value.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    if (rc != ERROR_SUCCESS) ThrowPlatformError(Describe(path, "cannot write"), rc);
}

std::optional<std::vector<uint8_t>> ReadBinaryValue(const std::string& keyPath,
                                                    const std::string& valueName) {
    std::wstring key = Utf8ToWide(keyPath), name = Utf8ToWide(valueName);
    KeyHandle handle;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, handle.Put()) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::vector<uint8_t> buffer(kBinaryBufferSize, 0);
    DWORD type = REG_BINARY, size = static_cast<DWORD>(buffer.size());
    if (RegQueryValueExW(handle.Get(), name.c_str(), nullptr, &type, buffer.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return buffer;
}

} // namespace hl
