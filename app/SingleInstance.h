#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include <QLocalServer>
#include <QString>

#include "DefaultsStore.h"

namespace velmora::app {

// One running game per store file: the first process holds the store's writer lock and
// listens; a later one finds the lock taken, asks the first to show its panel and leaves. Two
// processes over the same file would overwrite each other's saves.
//
// The lock sits next to the store, so processes with different runtime folders, in different
// sessions or on different machines sharing a home folder see each other. The channel that
// carries "show the panel" is a socket file in a folder only this user can enter, and it
// answers only this user, one short line at a time.
class SingleInstance {
public:
    // `key` names the channel inside `runtimeDirectory` (empty: no channel). With a store
    // file, its writer lock decides; without one, or when no lock can be made next to it
    // (a read-only folder), a lock in `runtimeDirectory` does.
    SingleInstance(const QString& key, const QString& runtimeDirectory, std::filesystem::path storeFile = {});
    ~SingleInstance();

    // True when this process is the first one; it then listens and calls `onShowRequest`
    // whenever a later launch knocks.
    bool claim(std::function<void()> onShowRequest);
    // Asks the running instance to show its panel; true when it answered.
    bool notifyRunning(int timeoutMs = 2000);
    // Why the channel could not be opened after a successful claim (empty when it was).
    const QString& listenError() const { return listenError_; }

    // A connection that has not sent its line by then is dropped.
    void setIdleTimeout(int milliseconds) { idleTimeoutMs_ = milliseconds; }

    static QString keyForStore(const QString& storePath);
    static QString keyForStore(const std::filesystem::path& storeFile);

    // A folder for the lock fallback and the channel that only this user can enter:
    // XDG_RUNTIME_DIR when it is a folder this user owns with mode 0700, else
    // <fallbackBase>/velmora-<uid>, created 0700 and checked the same way. Empty, with the
    // reason in `problem`, when neither can be trusted.
    static QString privateRuntimeFolder(QString* problem = nullptr);
    static QString privateRuntimeFolder(const QByteArray& xdgRuntimeDir, const QByteArray& fallbackBase,
                                        QString* problem);

    static constexpr int kMaxLineBytes = 64;
    static constexpr int kMaxConnections = 8;

private:
    QString socketPath() const;

    QString key_;
    QString runtimeDirectory_;
    std::filesystem::path storeFile_;
    StoreLock lock_;
    std::unique_ptr<QLocalServer> server_;
    QString listenError_;
    int idleTimeoutMs_ = 2000;
    int connections_ = 0;
};

}  // namespace velmora::app
