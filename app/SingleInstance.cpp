#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalSocket>

namespace velmora::app {

namespace {
const QByteArray kShowRequest = "show\n";
const QByteArray kAcknowledge = "ok\n";
}  // namespace

SingleInstance::SingleInstance(const QString& key, const QString& lockDirectory)
    : key_(key), lock_(lockDirectory + QLatin1Char('/') + key + QStringLiteral(".lock")) {
    // A lock left by a killed process belongs to nobody: QLockFile checks its PID.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();
}

QString SingleInstance::keyForStore(const QString& storePath) {
    const QString absolute = QFileInfo(storePath).absoluteFilePath();
    const QByteArray hash = QCryptographicHash::hash(absolute.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("velmora-") + QString::fromLatin1(hash);
}

bool SingleInstance::claim(std::function<void()> onShowRequest) {
    if (!lock_.tryLock(100)) return false;
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    if (!server_->listen(key_)) {
        // The lock is ours, so a listener left behind by a crash is stale: take the name over.
        QLocalServer::removeServer(key_);
        server_->listen(key_);
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this, onShowRequest] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, onShowRequest] {
                if (!socket->canReadLine()) return;
                if (socket->readLine() == kShowRequest) {
                    socket->write(kAcknowledge);
                    socket->flush();
                    onShowRequest();
                }
                socket->disconnectFromServer();
            });
        }
    });
    return true;
}

bool SingleInstance::notifyRunning(int timeoutMs) {
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(key_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kShowRequest);
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs)) return false;
    }
    return socket.readLine() == kAcknowledge;
}

}  // namespace velmora::app
