#pragma once

#include <functional>
#include <memory>

#include <QLocalServer>
#include <QLockFile>
#include <QString>

namespace velmora::app {

// One running game per store file: the first process holds a lock and listens; a later one
// finds the lock taken, asks the first to show its panel and leaves. Two processes over the
// same file would overwrite each other's saves.
class SingleInstance {
public:
    // `key` names the instance (derived from the store file's path); `lockDirectory` holds the lock.
    SingleInstance(const QString& key, const QString& lockDirectory);
    ~SingleInstance();

    // True when this process is the first one; it then listens and calls `onShowRequest`
    // whenever a later launch knocks.
    bool claim(std::function<void()> onShowRequest);
    // Asks the running instance to show its panel; true when it answered.
    bool notifyRunning(int timeoutMs = 2000);

    static QString keyForStore(const QString& storePath);

private:
    QString key_;
    QLockFile lock_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace velmora::app
