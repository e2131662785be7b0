#pragma once

// Stands in for the board's model while the app builds without the ui library.

#include <QObject>

#include "MinesweeperGame.h"

namespace velmora::app {

class PlaceholderModel final : public QObject {
    Q_OBJECT
    Q_PROPERTY(int rows READ rows CONSTANT)
    Q_PROPERTY(int columns READ columns CONSTANT)
    Q_PROPERTY(bool isViewVisible READ isViewVisible WRITE setIsViewVisible)
public:
    PlaceholderModel(MinesweeperGame& game, QObject* parent) : QObject(parent), game_(game) {}
    int rows() const { return static_cast<int>(game_.rows()); }
    int columns() const { return static_cast<int>(game_.columns()); }
    bool isViewVisible() const { return game_.isViewVisible(); }
    void setIsViewVisible(bool value) { game_.setIsViewVisible(value); }
    Q_INVOKABLE void primaryAction(int index) { game_.primaryAction(index); }
    Q_INVOKABLE void runPendingSave() { game_.runPendingSave(); }

private:
    MinesweeperGame& game_;
};

}  // namespace velmora::app
