#include "AnimationDriver.h"

#include <QQuickWindow>
#include <QCoreApplication>
#include <QTimerEvent>

namespace velmora::app {

PromptAnimationDriver::PromptAnimationDriver(QObject* parent) : QAnimationDriver(parent) {}

void PromptAnimationDriver::installFor(QQuickWindow* window) {
    // Known once the window's scene graph exists: the software adaptation steps by timer
    // unless its threaded loop was asked for.
    QObject::connect(window, &QQuickWindow::sceneGraphInitialized, window, [window] {
        static bool installed = false;
        if (installed || !window->rendererInterface()) return;
        if (window->rendererInterface()->graphicsApi() != QSGRendererInterface::Software) return;
        if (qgetenv("QSG_RENDER_LOOP") == "threaded") return;
        installed = true;
        (new PromptAnimationDriver(qApp))->install();
    }, Qt::DirectConnection);
}

void PromptAnimationDriver::start() {
    QAnimationDriver::start();
    // The steady steps keep their own schedule from the start, so the prompt step adds a frame
    // rather than pushing the rest back. Animation time counts in whole milliseconds: a step
    // before one has passed would move nothing.
    prompt_.start(1, Qt::PreciseTimer, this);
    steady_.start(kIntervalMs, Qt::PreciseTimer, this);
}

void PromptAnimationDriver::stop() {
    prompt_.stop();
    steady_.stop();
    QAnimationDriver::stop();
}

void PromptAnimationDriver::timerEvent(QTimerEvent* event) {
    if (event->timerId() == prompt_.timerId()) prompt_.stop();
    else if (event->timerId() != steady_.timerId()) return QAnimationDriver::timerEvent(event);
    advance();
}

}  // namespace velmora::app
