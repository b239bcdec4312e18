#pragma once

#include <stdexcept>
#include <string>

namespace hl {

// The one failure type of the project: every platform call and every failed conversion raises
// it, and statement skipping (Skip) swallows exactly this type and nothing else.
class PlatformError : public std::runtime_error {
public:
    explicit PlatformError(const std::string& what) : std::runtime_error(what) {}
};

} // namespace hl
