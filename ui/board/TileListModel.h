#pragma once

#include <QAbstractListModel>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include <vector>

#include "MinesweeperGame.h"

namespace velmora::ui {

// The board's tiles for QML: one row per tile index. sync() compares the game's tiles
// (and the hint and lost facts that change a tile's look) with the copy it last reported
// and emits dataChanged only for the tiles that differ, so an Expert board does not
// redraw 484 delegates for one flag.
class TileListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("TileListModel belongs to GameModel")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
public:
    // revealDelay comes first so a delegate already has the new delay when the face flips.
    enum Role {
        RevealDelayRole = Qt::UserRole + 1,
        RowRole,
        ColumnRole,
        HasMineRole,
        IsRevealedRole,
        IsFlaggedRole,
        IsQuestionedRole,
        RevealDistanceRole,
        AdjacentMinesRole,
        IsExplodedRole,
        IsHintedRole,
        IsWrongFlagRole,
        ShowsMineFaceRole,
        ShowsUncoveredFaceRole,
        FaceRole,
        AccessibleLabelRole,
        IdentifierRole,
    };

    explicit TileListModel(const MinesweeperGame& game, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return static_cast<int>(cache_.size()); }
    // All roles of one tile by role name, for tests and tools.
    Q_INVOKABLE QVariantMap get(int index) const;

    // Brings the reported tiles up to date with the game.
    void sync();

    // How many dataChanged rows the last sync() reported (tests check that it stays small).
    int lastChangedCount() const { return lastChangedCount_; }

signals:
    void countChanged();

private:
    struct Entry {
        Tile tile;
        bool hinted = false;
        bool lostFlag = false;  // the game is lost and this tile is flagged: its face turns over
        friend bool operator==(const Entry&, const Entry&) = default;
    };
    Entry entryFor(std::size_t index) const;
    static const QList<int>& rolesInOrder();

    const MinesweeperGame& game_;
    std::vector<Entry> cache_;
    qint64 columns_ = 1;
    int lastChangedCount_ = 0;
};

}  // namespace velmora::ui
