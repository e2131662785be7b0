#include "WelcomeWindow.h"

#include <cstdio>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QScreen>

#include "LocalizedText.h"
#include "MinesweeperGame.h"
#include "Shell.h"

namespace velmora::app {

WelcomeWindowController& WelcomeWindowController::shared() {
    // Parented to the application, so it goes with it and never outlives the toolkit.
    static QPointer<WelcomeWindowController> instance;
    if (!instance) instance = new WelcomeWindowController(QCoreApplication::instance());
    return *instance;
}

WelcomeWindowController::WelcomeWindowController(QObject* parent) : QObject(parent) {}

WelcomeWindowController::~WelcomeWindowController() {
    if (window_) {
        window_->removeEventFilter(this);
        delete window_.data();
    }
}

void WelcomeWindowController::setSystemScale(double scale) { systemScale_ = DynamicTypeCapModifier::apply(scale); }

QString welcomeTimeText(const QLocale& locale, const QTime& time) {
    // The short format may carry seconds in some locales; the picture shows a panel clock.
    QString format = locale.timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(QStringLiteral("[:.,]?s+")));
    return locale.toString(time, format.trimmed());
}

namespace {
void polishTree(QQuickItem* item) {
    for (QQuickItem* child : item->childItems()) polishTree(child);
    item->ensurePolished();
}
}  // namespace

void WelcomeWindowController::show(const QString& iconName) {
    if (window_) return;
    if (!engine_) engine_ = std::make_unique<QQmlEngine>();
    QQmlComponent component(engine_.get(), QUrl(QStringLiteral("qrc:/velmora/app/WelcomeWindow.qml")));
    const QLocale locale(ui::interfaceLanguage());
    QObject* object = component.createWithInitialProperties({
        {QStringLiteral("iconName"), iconName},
        {QStringLiteral("systemScale"), systemScale_},
        {QStringLiteral("timeText"), welcomeTimeText(locale, QTime::currentTime())},
        {QStringLiteral("panelAtBottom"), panelAtBottom_},
    });
    auto* window = qobject_cast<QQuickWindow*>(object);
    if (!window) {
        // The game does not need this window; say why it is missing and go on.
        std::fprintf(stderr, "velmora: the welcome window failed to load: %s\n",
                     qPrintable(component.errorString()));
        delete object;
        return;
    }
    window_ = window;
    // Titled and closable only: no resize handles, no minimise or maximise buttons.
    window->setFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->installEventFilter(this);
    connect(window, SIGNAL(dismissRequested()), this, SLOT(close()));

    // Rows and columns place their children when the scene is next polished; do it now, so
    // the window has its final size before it is centred and shown.
    polishTree(window->contentItem());
    const QSize size = window->size();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        window->setPosition(area.x() + (area.width() - size.width()) / 2,
                            area.y() + (area.height() - size.height()) / 2);
    }
    window->show();
    window->raise();
    window->requestActivate();
    emit windowOpened();
}

void WelcomeWindowController::close() {
    if (window_) window_->close();
}

bool WelcomeWindowController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close) {
        // The close goes ahead; the window itself is dropped once its events are done.
        QMetaObject::invokeMethod(this, &WelcomeWindowController::forgetWindow, Qt::QueuedConnection);
    }
    return false;
}

void WelcomeWindowController::forgetWindow() {
    if (!window_ || window_->isVisible()) return;
    window_->removeEventFilter(this);
    window_->deleteLater();
    window_ = nullptr;
    emit windowClosed();
}

bool showWelcomeIfNeeded(MinesweeperGame& game, WelcomeWindowController& controller) {
    if (game.hasSeenWelcome()) return false;
    game.setHasSeenWelcome(true);
    controller.show(systemImageName(game.menuBarIcon()));
    return true;
}

bool showWelcomeIfNeeded(MinesweeperGame& game) { return showWelcomeIfNeeded(game, WelcomeWindowController::shared()); }

}  // namespace velmora::app
