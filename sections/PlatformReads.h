#pragma once

// Reads of the platform that several sections' gatherings share: enumerations on a service
// that may be missing, trimmed properties, the regional settings.

#include "core/DataSource.h"
#include "core/PlatformError.h"
#include "core/Skip.h"

#include <memory>
#include <string>
#include <vector>

namespace hl {

// Enumerates a class on a bound service; having no service fails like an unbound object.
inline std::vector<WmiObject> InstancesOf(const std::shared_ptr<WmiService>& service,
                                          const std::string& className) {
    if (!service) throw PlatformError("no WMI service bound");
    return service->InstancesOf(className);
}

// The service an earlier reader bound, or a fresh one when there is none.
inline WmiService& BoundOrNew(DataSource& source, std::shared_ptr<WmiService>& service) {
    if (!service) service = source.ConnectWmi();
    return *service;
}

// The regional settings, or the defaults when they cannot be read: the read is one skipped
// statement, and a separator is never worth ending a routine for.
inline Regional RegionalOrDefault(DataSource& source) {
    Regional regional;
    Skip([&] { regional = source.RegionalSettings(); });
    return regional;
}

// Target := trimmed property text; a Null property fails, so a guarded read keeps the target.
inline void ReadTrimmed(std::string& target, const WmiObject& object, const char* property) {
    target = object.Get(property).Trimmed();
}

// A property as trimmed text; "" when it is Null, missing or unreadable.
inline std::string TextOf(const WmiObject& object, const char* property) {
    std::string text;
    Skip([&] {
        Variant value = object.Get(property);
        if (!value.IsNull()) text = value.Trimmed();
    });
    return text;
}

// The instances of `cls` on a service that may be missing (its binding failed); a failing
// enumeration gives no instances, as a skipped walk does.
inline std::vector<WmiObject> EnumerateGuarded(const std::shared_ptr<WmiService>& service,
                                               const char* cls) {
    std::vector<WmiObject> instances;
    Skip([&] {
        if (!service) throw PlatformError("WMI is not bound");
        instances = service->InstancesOf(cls);
    });
    return instances;
}

} // namespace hl
