#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace hl {

// The previous-instance test: a lock file held for the whole run. A lock left behind by a run
// that crashed names a process that no longer exists and is taken over.
class SingleInstance {
public:
    // In the user's runtime folder (XDG_RUNTIME_DIR), else the temporary folder.
    static QString DefaultLockPath();

    explicit SingleInstance(const QString& lockPath = DefaultLockPath());
    ~SingleInstance();
    // False when another running instance holds the lock.
    bool Acquired() const { return m_acquired; }

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_acquired = false;
};

} // namespace hl
