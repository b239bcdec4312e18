#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace hl {

// The lists that Removable memory and CD/DVD show: one item per drive, each ending in its
// separator (" - ", or ") - (" after the opening "(" of the size lists).
struct DriveLists {
    std::string names, letters, modelNames;
    std::string sizes = "(";
    std::string free = "(";
    std::string used = "(";
    std::string fileSystems, serials;
    // The same drives as typed data: one object per volume, one per physical drive.
    nlohmann::json volumes = nlohmann::json::array();
    nlohmann::json drives = nlohmann::json::array();
};

// Items joined: the list without its last `separator` characters; empty when nothing is left
// or the list holds no more than `empty` (a size list's lone opening parenthesis).
inline std::string ListText(const std::string& list, size_t separator,
                            const std::string& empty = {}) {
    if (list.size() <= separator || list == empty) return {};
    return list.substr(0, list.size() - separator);
}

// The same, taking the list's own bytes: a list as long as all its drives is not copied.
inline std::string ListText(std::string&& list, size_t separator, const std::string& empty = {}) {
    if (list.size() <= separator || list == empty) return {};
    list.resize(list.size() - separator);
    return std::move(list);
}

} // namespace hl
