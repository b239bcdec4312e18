#pragma once

#include <QString>
#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

namespace hl {

// The previous-instance test: a lock file held for the whole run. A lock left behind by a run
// that crashed names a process that no longer exists and is taken over. Beside the lock, the
// running instance listens on a local socket, so that a second start can bring its window to
// the front before it ends.
class SingleInstance {
public:
    // In the user's runtime folder (XDG_RUNTIME_DIR), else the temporary folder.
    static QString DefaultLockPath();

    explicit SingleInstance(const QString& lockPath = DefaultLockPath());
    ~SingleInstance();
    // False when another running instance holds the lock.
    bool Acquired() const { return m_acquired; }

    // The holder of the lock: `raise` runs whenever a later start knocks.
    void ListenForRaise(std::function<void()> raise);
    // A later start: asks the holder to raise its window; false when nobody answered.
    bool AskRunningToRaise(int timeoutMs = 1000) const;

private:
    QString SocketPath() const;

    QString m_lockPath;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
    bool m_acquired = false;
};

} // namespace hl
