#include "WindowsCom.h"

#include "core/PlatformError.h"

#include <cstdio>
#include <objbase.h>

namespace hl {

std::wstring Utf8ToWide(std::string_view utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (n <= 0) ThrowPlatformError("MultiByteToWideChar", static_cast<long>(GetLastError()));
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    int size = static_cast<int>(wide.size());
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) ThrowPlatformError("WideCharToMultiByte", static_cast<long>(GetLastError()));
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

void ThrowPlatformError(const std::string& what, long code) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lx", static_cast<unsigned long>(code));
    std::string message = what + ": " + hex;
    // Registry and Win32 calls return plain error numbers; COM calls return HRESULTs, whose
    // text FormatMessage also knows for the Win32 facility.
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (n && text) {
        std::wstring w(text, n);
        while (!w.empty() && (w.back() == L'\n' || w.back() == L'\r' || w.back() == L' '))
            w.pop_back();
        message += " (" + WideToUtf8(w) + ")";
    }
    if (text) LocalFree(text);
    throw PlatformError(message);
}

std::shared_ptr<ComSession> ComSession::Start() {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (hr == RPC_E_CHANGED_MODE) return std::shared_ptr<ComSession>(new ComSession(false));
    CheckHr(hr, "CoInitializeEx");
    // Default process security so that WMI may impersonate us; once per process, and a
    // toolkit that set it already (RPC_E_TOO_LATE) has chosen for us.
    hr = CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                              RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    if (FAILED(hr) && hr != RPC_E_TOO_LATE) {
        CoUninitialize();
        ThrowPlatformError("CoInitializeSecurity", hr);
    }
    return std::shared_ptr<ComSession>(new ComSession(true));
}

ComSession::~ComSession() {
    if (owns_) CoUninitialize();
}

} // namespace hl
