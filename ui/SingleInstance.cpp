#include "SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace hl {

QString SingleInstance::DefaultLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder + "/hardlens.lock";
}

SingleInstance::SingleInstance(const QString& lockPath)
    : m_lockPath(lockPath), m_lock(std::make_unique<QLockFile>(lockPath)) {
    // Never stale by age: a live instance may run for days. A lock whose process is gone is
    // still recognised as stale and removed by tryLock.
    m_lock->setStaleLockTime(0);
    m_acquired = m_lock->tryLock(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::SocketPath() const {
    return m_lockPath + ".socket";
}

void SingleInstance::ListenForRaise(std::function<void()> raise) {
    if (!m_acquired) return;
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Whoever holds the lock owns the socket: one left by a crashed run is stale.
    QLocalServer::removeServer(SocketPath());
    if (!m_server->listen(SocketPath())) return;
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(),
                     [server = m_server.get(), raise = std::move(raise)] {
                         while (QLocalSocket* knock = server->nextPendingConnection()) {
                             knock->disconnectFromServer();
                             knock->deleteLater();
                             raise();
                         }
                     });
}

bool SingleInstance::AskRunningToRaise(int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.disconnectFromServer();
    return true;
}

} // namespace hl
