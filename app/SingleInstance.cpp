#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLocalSocket>
#include <QTimer>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::app {

namespace {
const QByteArray kShowRequest = "show\n";
const QByteArray kAcknowledge = "ok\n";

// Owned by this user and closed to everyone else; lstat, so a planted link is no folder.
bool isPrivateFolder(const QByteArray& folder, bool followLink) {
    struct stat st {};
    const int result = followLink ? ::stat(folder.constData(), &st) : ::lstat(folder.constData(), &st);
    return result == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// The folder's permissions already keep other users out; this also turns away a process that
// was handed a descriptor to the socket.
bool peerIsThisUser(QLocalSocket* socket) {
    struct ucred credentials {};
    socklen_t length = sizeof credentials;
    const auto fd = static_cast<int>(socket->socketDescriptor());
    return fd >= 0 && ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0 &&
           credentials.uid == ::geteuid();
}
}  // namespace

SingleInstance::SingleInstance(const QString& key, const QString& runtimeDirectory, std::filesystem::path storeFile)
    : key_(key), runtimeDirectory_(runtimeDirectory), storeFile_(std::move(storeFile)) {}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();
}

QString SingleInstance::keyForStore(const QString& storePath) {
    return keyForStore(std::filesystem::path(QFile::encodeName(storePath).toStdString()));
}

QString SingleInstance::keyForStore(const std::filesystem::path& storeFile) {
    // The real path's bytes: two spellings of one file meet, and no name is changed by a
    // round trip through text.
    const std::string real = FileDefaultsStore::realPath(storeFile).native();
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(real), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("velmora-") + QString::fromLatin1(hash);
}

QString SingleInstance::privateRuntimeFolder(QString* problem) {
    return privateRuntimeFolder(qgetenv("XDG_RUNTIME_DIR"), QByteArrayLiteral("/tmp"), problem);
}

QString SingleInstance::privateRuntimeFolder(const QByteArray& xdgRuntimeDir, const QByteArray& fallbackBase,
                                             QString* problem) {
    if (problem) problem->clear();
    if (xdgRuntimeDir.startsWith('/') && isPrivateFolder(xdgRuntimeDir, true)) return QFile::decodeName(xdgRuntimeDir);
    const QByteArray fallback = fallbackBase + "/velmora-" + QByteArray::number(static_cast<qulonglong>(::geteuid()));
    ::mkdir(fallback.constData(), 0700);
    if (isPrivateFolder(fallback, false)) return QFile::decodeName(fallback);
    if (problem)
        *problem = QStringLiteral("%1 is not a folder of this user's that only this user can enter")
                       .arg(QFile::decodeName(fallback));
    return {};
}

QString SingleInstance::socketPath() const {
    return runtimeDirectory_.isEmpty() ? QString() : runtimeDirectory_ + QLatin1Char('/') + key_;
}

bool SingleInstance::claim(std::function<void()> onShowRequest) {
    auto result = StoreLock::Result::failed;
    if (!storeFile_.empty()) result = lock_.acquire(StoreLock::lockPathFor(storeFile_));
    if (result == StoreLock::Result::failed && !runtimeDirectory_.isEmpty())
        result = lock_.acquire(QFile::encodeName(runtimeDirectory_ + QLatin1Char('/') + key_ + QStringLiteral(".lock"))
                                   .toStdString());
    if (result == StoreLock::Result::busy) return false;
    // With no lock anywhere, nothing can be written either; running beats refusing to.

    const QString path = socketPath();
    if (path.isEmpty()) {
        listenError_ = QStringLiteral("no private folder for the instance channel");
        return true;
    }
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->setMaxPendingConnections(kMaxConnections);
    if (!server_->listen(path)) {
        // The lock is ours, so a socket left behind by a killed process is stale.
        QLocalServer::removeServer(path);
        if (!server_->listen(path)) {
            listenError_ = server_->errorString();
            server_.reset();
            return true;
        }
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this, onShowRequest] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            if (connections_ >= kMaxConnections || !peerIsThisUser(socket)) {
                socket->abort();
                socket->deleteLater();
                continue;
            }
            ++connections_;
            QObject::connect(socket, &QObject::destroyed, server_.get(), [this] { --connections_; });
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            // The request is one short line; nothing more is buffered, and a silent peer goes.
            socket->setReadBufferSize(kMaxLineBytes);
            QTimer::singleShot(idleTimeoutMs_, socket, [socket] {
                socket->abort();
                socket->deleteLater();
            });
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, onShowRequest] {
                if (!socket->canReadLine()) {
                    if (socket->bytesAvailable() >= kMaxLineBytes) {
                        socket->abort();
                        socket->deleteLater();
                    }
                    return;
                }
                if (socket->readLine(kMaxLineBytes + 1) == kShowRequest) {
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
    const QString path = socketPath();
    if (path.isEmpty()) return false;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kShowRequest);
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > kMaxLineBytes || !socket.waitForReadyRead(timeoutMs)) return false;
    }
    return socket.readLine(kMaxLineBytes + 1) == kAcknowledge;
}

}  // namespace velmora::app
