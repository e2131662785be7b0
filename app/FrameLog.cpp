#include "FrameLog.h"

#include <chrono>

#include <QEvent>
#include <QQuickWindow>

namespace velmora::app {

FrameLog* FrameLog::fromEnvironment(QObject* parent) {
    const QByteArray path = qgetenv("VELMORA_FRAME_LOG");
    if (path.isEmpty()) return nullptr;
    std::FILE* file = std::fopen(path.constData(), "a");
    if (!file) return nullptr;
    return new FrameLog(file, parent);
}

FrameLog::FrameLog(std::FILE* file, QObject* parent) : QObject(parent), file_(file) {}

FrameLog::~FrameLog() { std::fclose(file_); }

void FrameLog::watch(QQuickWindow* window) {
    window->installEventFilter(this);
    // Frames may be presented on the render thread; stdio writes are locked per call.
    connect(window, &QQuickWindow::frameSwapped, this, [this] { mark("frame"); }, Qt::DirectConnection);
}

void FrameLog::mark(const char* event) {
    const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                         std::chrono::steady_clock::now().time_since_epoch())
                         .count();
    std::fprintf(file_, "%s %lld\n", event, static_cast<long long>(now));
    std::fflush(file_);
}

bool FrameLog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) mark("press");
    return QObject::eventFilter(watched, event);
}

}  // namespace velmora::app
