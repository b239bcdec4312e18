#pragma once

#include "PlatformError.h"

#include <utility>

namespace hl {

// Runs one statement of a routine that ignores errors from a stated point on: a failing
// statement is skipped, its target keeps what it held, and the caller goes on with the next.
template <class Statement> void Skip(Statement&& statement) {
    try {
        std::forward<Statement>(statement)();
    } catch (const PlatformError&) {
    }
}

} // namespace hl
