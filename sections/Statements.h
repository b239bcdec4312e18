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

} // namespace hl
