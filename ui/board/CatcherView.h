#pragma once

#include <QPointF>
#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

#include "BoardController.h"

namespace velmora::ui {

// How a press is meant: Control (the physical key; Meta on macOS) or the right button
// flags, a second or later press of a multi-click chords, anything else is primary.
TileClick classifyPress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int clickCount);

// Counts presses of one button that follow each other quickly at nearly the same place.
// Qt reports a double-click but nothing beyond, and the third press of a triple-click
// must still chord. Works on event timestamps, so it is deterministic under test.
class ClickCounter {
public:
    int press(Qt::MouseButton button, QPointF position, quint64 timestampMs, int intervalMs, double slop);

private:
    Qt::MouseButton lastButton_ = Qt::NoButton;
    QPointF lastPosition_;
    quint64 lastTimestamp_ = 0;
    int count_ = 0;
};

// The one transparent item over the whole tile grid that takes every left and right press
// on the board, classifies it and hands it to the controller. Tiles take no input.
class CatcherView : public QQuickItem {
    Q_OBJECT
    QML_NAMED_ELEMENT(TileClickCatcher)
    Q_PROPERTY(velmora::ui::BoardController* controller READ controller WRITE setController NOTIFY controllerChanged)
public:
    explicit CatcherView(QQuickItem* parent = nullptr);

    BoardController* controller() const { return controller_; }
    void setController(BoardController* controller);

signals:
    void controllerChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointer<BoardController> controller_;
    ClickCounter counter_;
};

}  // namespace velmora::ui
