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

// The statements of a routine that ignores errors once a walk over WMI instances has found
// its first instance. Until then a failure ends the routine and goes to its caller; from then
// on a failing statement is skipped and its target keeps what it held.
class Statements {
public:
    template <class Statement> void Run(Statement&& statement) {
        if (skipping_)
            Skip(std::forward<Statement>(statement));
        else
            std::forward<Statement>(statement)();
    }
    // Called at the first instance of a walk.
    void StartSkipping() { skipping_ = true; }

private:
    bool skipping_ = false;
};

} // namespace hl
