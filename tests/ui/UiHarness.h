#pragma once

#include <QFont>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <memory>

#include "BoardController.h"
#include "DefaultsStore.h"
#include "GameModel.h"
#include "Haptics.h"
#include "MinesweeperGame.h"
#include "RandomSource.h"
#include "Scheduler.h"
#include "SystemSettings.h"

namespace velmora::ui::test {

// The real game view in a window over a deterministic game: virtual clock, in-memory
// store, seeded randomness.
struct UiHarness {
    InMemoryDefaultsStore store;
    ManualScheduler scheduler;
    SeededRandomSource random{42};
    NoHaptics haptics;
    MinesweeperGame game{store, false, scheduler, random, haptics};
    GameModel model{game};
    SystemSettings settings;
    QQmlEngine engine;
    std::unique_ptr<QQuickWindow> window;
    QQuickItem* view = nullptr;
    BoardController* controller = nullptr;

    ~UiHarness() {
        window.reset();
        // The scene hands textures and items to deleteLater; run those deletions before the
        // engine goes, so nothing is left behind for the leak checker.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // appear = false leaves the view as the program builds it before the panel first opens.
    bool load(bool appear = true) {
        QQmlComponent component(&engine);
        component.setData(R"(
            import QtQuick
            import Velmora
            Window {
                width: view.width; height: view.height
                property alias view: view
                MinesweeperView { id: view }
            })", QUrl(QStringLiteral("qrc:/harness.qml")));
        QObject* object = component.create();
        if (!object) {
            qWarning() << component.errors();
            return false;
        }
        window.reset(qobject_cast<QQuickWindow*>(object));
        view = window->property("view").value<QQuickItem*>();
        view->setProperty("systemSettings", QVariant::fromValue(&settings));
        view->setProperty("game", QVariant::fromValue(&model));
        controller = view->property("controller").value<BoardController*>();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) return false;
        if (appear) QMetaObject::invokeMethod(view, "viewDidAppear");
        return controller != nullptr;
    }

    QQuickItem* item(const QString& objectName) const { return find(window->contentItem(), objectName); }

    static QQuickItem* find(QQuickItem* root, const QString& objectName) {
        if (!root) return nullptr;
        if (root->objectName() == objectName) return root;
        for (QQuickItem* child : root->childItems())
            if (QQuickItem* hit = find(child, objectName)) return hit;
        return nullptr;
    }

    QQuickItem* tile(int row, int column) const { return item(QStringLiteral("tile-%1-%2").arg(row).arg(column)); }

    // A point of the grid (catcher coordinates) in window coordinates.
    QPoint gridPoint(double x, double y) const {
        QQuickItem* catcher = item(QStringLiteral("tileClickCatcher"));
        return catcher->mapToScene(QPointF(x, y)).toPoint();
    }
    QPoint tileCentre(int row, int column) const {
        const double pitch = controller->tilePitch();
        const double half = controller->tileSize() / 2;
        return gridPoint(column * pitch + half, row * pitch + half);
    }

    // Mines at the given indices of the current board; everything else is free.
    void layMines(std::initializer_list<int> mines) {
        MineLayout layout(game.tiles().size(), false);
        for (int m : mines) layout[static_cast<std::size_t>(m)] = true;
        game.setNextLayout(layout);
    }
};

// Whether the font asks for tabular figures where this Qt can. Qt 6.7 and later read a
// font's features back; older Qt cannot ask for them (or, 6.6, read them), so nothing to check.
inline bool tabularWhereQtCan(const QFont& font) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    return font.featureValue("tnum") == 1;
#else
    Q_UNUSED(font);
    return true;
#endif
}

}  // namespace velmora::ui::test
