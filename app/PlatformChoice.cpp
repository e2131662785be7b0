#include "PlatformChoice.h"

#include <cstdlib>

#include <QList>

namespace velmora::app {

namespace {

bool namesDesktop(const QByteArray& currentDesktop, const QByteArray& name) {
    for (const QByteArray& entry : currentDesktop.split(':'))
        if (entry.trimmed().compare(name, Qt::CaseInsensitive) == 0) return true;
    return false;
}

QByteArray environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? QByteArray(value) : QByteArray();
}

}  // namespace

QByteArray preferredPlatform(const PlatformEnvironment& environment) {
    if (!environment.qpaPlatform.trimmed().isEmpty()) return {};
    if (environment.windowMode) return {};
    if (environment.sessionType.trimmed().compare("wayland", Qt::CaseInsensitive) != 0) return {};
    if (!namesDesktop(environment.currentDesktop, "GNOME")) return {};
    // Without XWayland there is nothing to choose.
    if (!environment.x11Display) return {};
    return QByteArrayLiteral("xcb");
}

PlatformEnvironment currentPlatformEnvironment(bool windowMode) {
    PlatformEnvironment environment;
    environment.qpaPlatform = environmentValue("QT_QPA_PLATFORM");
    environment.sessionType = environmentValue("XDG_SESSION_TYPE");
    environment.currentDesktop = environmentValue("XDG_CURRENT_DESKTOP");
    environment.x11Display = !environmentValue("DISPLAY").isEmpty();
    environment.windowMode = windowMode;
    return environment;
}

}  // namespace velmora::app
