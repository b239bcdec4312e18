#include "DataSource.h"

#include <strings.h>

namespace hl {

namespace {
// WMI property names are case-insensitive ("FreeSpace" and "Freespace" are one property).
bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}
} // namespace

Variant WmiObject::Get(const std::string& name) const {
    Variant value = Variant::Null();
    for (const auto& [key, v] : props_) {
        if (SameName(key, name)) {
            value = v;
            break;
        }
    }
    return hook_ ? (*hook_)(name, value) : value;
}

void WmiObject::Set(const std::string& name, Variant value) {
    for (auto& [key, v] : props_) {
        if (SameName(key, name)) {
            v = std::move(value);
            return;
        }
    }
    props_.emplace_back(name, std::move(value));
}

std::string CpuMhzPath(int processor) {
    return "HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\" +
           std::to_string(processor) + "\\~MHz";
}

bool IsSettingsPath(const std::string& path) {
    return path.rfind(kSettingsKey, 0) == 0;
}

} // namespace hl
