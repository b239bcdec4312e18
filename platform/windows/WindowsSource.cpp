#include "WindowsSource.h"

#include "WindowsCom.h"
#include "WindowsRegistry.h"
#include "WindowsWmi.h"
#include "core/PlatformError.h"

#include <iterator>
#include <windows.h>

namespace hl {

namespace {

std::string LocaleText(LCTYPE what, const char* name) {
    wchar_t buf[LOCALE_NAME_MAX_LENGTH * 2];
    int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, what, buf, static_cast<int>(std::size(buf)));
    if (n <= 0)
        ThrowPlatformError(std::string("GetLocaleInfoEx ") + name,
                           static_cast<long>(GetLastError()));
    return WideToUtf8(std::wstring_view(buf, static_cast<size_t>(n - 1)));
}

} // namespace

WindowsSource::WindowsSource(std::chrono::milliseconds queryLimit)
    : com_(ComSession::Start()), queryLimit_(queryLimit) {}

WindowsSource::~WindowsSource() = default;

std::shared_ptr<WmiService> WindowsSource::ConnectWmi() {
    return std::make_shared<WindowsWmiService>(com_, queryLimit_);
}

Variant WindowsSource::RegRead(const std::string& path) {
    return ReadRegistryValue(path);
}

void WindowsSource::RegWrite(const std::string& path, const Variant& value) {
    WriteRegistryValue(path, value);
}

std::optional<std::vector<uint8_t>> WindowsSource::RegReadBinary(const std::string& keyPath,
                                                                 const std::string& valueName) {
    return ReadBinaryValue(keyPath, valueName);
}

std::string WindowsSource::ReadEnvironment(const std::string& name) {
    std::wstring wname = Utf8ToWide(name);
    std::wstring value(64, L'\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        DWORD n =
            GetEnvironmentVariableW(wname.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (n == 0) {
            DWORD err = GetLastError();
            if (err == ERROR_SUCCESS || err == ERROR_ENVVAR_NOT_FOUND) return {};
            ThrowPlatformError("GetEnvironmentVariable " + name, static_cast<long>(err));
        }
        if (n < value.size()) {
            value.resize(n);
            return WideToUtf8(value);
        }
        value.resize(n); // n is the size needed, terminator included
    }
}

int64_t WindowsSource::TickCount() {
    return static_cast<int64_t>(GetTickCount64());
}

int32_t WindowsSource::GetSystemMetrics(int index) {
    return ::GetSystemMetrics(index);
}

Regional WindowsSource::RegionalSettings() {
    Regional r;
    r.decimalSeparator = LocaleText(LOCALE_SDECIMAL, "LOCALE_SDECIMAL");
    r.shortDate = LocaleText(LOCALE_SSHORTDATE, "LOCALE_SSHORTDATE");
    r.am = LocaleText(LOCALE_S1159, "LOCALE_S1159");
    r.pm = LocaleText(LOCALE_S2359, "LOCALE_S2359");
    return r;
}

} // namespace hl
