#pragma once

// WMI through COM: the local ROOT\CIMV2 namespace (and ROOT\WMI for the ACPI classes), enumerated
// with a bound on the time any one class may take, every instance read into a WmiObject as the
// scripting interface delivers it.

#include "WindowsCom.h"
#include "core/DataSource.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include <wbemidl.h>

namespace hl {

// A property value as WMI scripting hands it to a script: 64-bit figures as digit strings
// (WMI itself sends them as text), unsigned 32-bit figures as non-negative numbers, datetimes
// as their text. Nothing for arrays and embedded objects, which no caller reads: such a
// property then reads as Null.
std::optional<Variant> FromComVariant(const VARIANT& value, CIMTYPE type);

// Every non-system property of one instance, in the order the instance lists them.
WmiObject ReadWmiObject(IWbemClassObject& object);

// Walks an enumerator to its end. Raises PlatformError when the walk is not done by `deadline`
// (a provider that never answers) or the enumerator fails; an unknown class gives nothing.
std::vector<WmiObject> DrainEnumerator(IEnumWbemClassObject& enumerator,
                                       std::chrono::steady_clock::time_point deadline,
                                       const std::string& className);

class WindowsWmiService : public WmiService {
public:
    // Binds ROOT\CIMV2 on this machine; `queryLimit` bounds each InstancesOf.
    WindowsWmiService(std::shared_ptr<ComSession> com, std::chrono::milliseconds queryLimit);

    std::vector<WmiObject> InstancesOf(const std::string& className) override;

private:
    std::shared_ptr<ComSession> com_;
    ComPtr<IWbemServices> services_;
    ComPtr<IWbemServices> acpi_; // ROOT\WMI, bound at the first class that lives there
    std::chrono::milliseconds queryLimit_;
};

} // namespace hl
