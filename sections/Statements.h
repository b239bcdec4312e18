#pragma once

#include "core/DataSource.h"
#include "core/PlatformError.h"
#include "core/Skip.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace hl {

// Enumerates a class on a bound service; having no service fails like an unbound object.
inline std::vector<WmiObject> InstancesOf(const std::shared_ptr<WmiService>& service,
                                          const std::string& className) {
    if (!service) throw PlatformError("no WMI service bound");
    return service->InstancesOf(className);
}

// The regional settings, or the defaults when they cannot be read: the read is one skipped
// statement, and a separator is never worth ending a routine for.
inline Regional RegionalOrDefault(DataSource& source) {
    Regional regional;
    Skip([&] { regional = source.RegionalSettings(); });
    return regional;
}

} // namespace hl
