#include "TileListModel.h"

#include "LocalizedText.h"
#include "TileGraphics.h"

namespace velmora::ui {

TileListModel::TileListModel(const MinesweeperGame& game, QObject* parent) : QAbstractListModel(parent), game_(game) {
    columns_ = std::max<qint64>(1, game_.columns());
    cache_.reserve(game_.tiles().size());
    for (std::size_t i = 0; i < game_.tiles().size(); ++i) cache_.push_back(entryFor(i));
}

TileListModel::Entry TileListModel::entryFor(std::size_t index) const {
    Entry e;
    e.tile = game_.tiles()[index];
    const auto hinted = game_.hintedTile();
    e.hinted = hinted && *hinted == static_cast<std::int64_t>(index);
    e.lostFlag = game_.phase() == GamePhase::lost && e.tile.isFlagged;
    return e;
}

void TileListModel::sync() {
    const auto& tiles = game_.tiles();
    const qint64 columns = std::max<qint64>(1, game_.columns());
    lastChangedCount_ = 0;
    if (tiles.size() != cache_.size() || columns != columns_) {
        const bool countChanges = tiles.size() != cache_.size();
        beginResetModel();
        columns_ = columns;
        cache_.clear();
        for (std::size_t i = 0; i < tiles.size(); ++i) cache_.push_back(entryFor(i));
        endResetModel();
        lastChangedCount_ = count();
        if (countChanges) emit countChanged();
        return;
    }
    // Report runs of neighbouring changed tiles as one range each.
    std::size_t runStart = 0;
    bool inRun = false;
    for (std::size_t i = 0; i <= cache_.size(); ++i) {
        bool changed = false;
        if (i < cache_.size()) {
            Entry fresh = entryFor(i);
            if (!(fresh == cache_[i])) {
                cache_[i] = fresh;
                changed = true;
                ++lastChangedCount_;
            }
        }
        if (changed && !inRun) {
            runStart = i;
            inRun = true;
        } else if (!changed && inRun) {
            emit dataChanged(index(static_cast<int>(runStart)), index(static_cast<int>(i - 1)), rolesInOrder());
            inRun = false;
        }
    }
}

// Views notify changed roles in the order listed here; with no list they follow the order
// of a hash, and a tile could turn its face before it has its new reveal delay.
const QList<int>& TileListModel::rolesInOrder() {
    static const QList<int> roles = [] {
        QList<int> all;
        for (int role = RevealDelayRole; role <= IdentifierRole; ++role) all.append(role);
        return all;
    }();
    return roles;
}

int TileListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

QVariant TileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= count()) return {};
    const Entry& e = cache_[static_cast<std::size_t>(index.row())];
    const Tile& t = e.tile;
    const qint64 row = index.row() / columns_;
    const qint64 column = index.row() % columns_;
    switch (role) {
    case RevealDelayRole: return revealDelayMs(t);
    case RowRole: return static_cast<int>(row);
    case ColumnRole: return static_cast<int>(column);
    case HasMineRole: return t.hasMine;
    case IsRevealedRole: return t.isRevealed;
    case IsFlaggedRole: return t.isFlagged;
    case IsQuestionedRole: return t.isQuestioned;
    case RevealDistanceRole: return static_cast<int>(t.revealDistance);
    case AdjacentMinesRole: return static_cast<int>(t.adjacentMines);
    case IsExplodedRole: return t.isExploded;
    case IsHintedRole: return e.hinted;
    case IsWrongFlagRole: return e.lostFlag && !t.hasMine;
    case ShowsMineFaceRole: return tileFace(t, e.lostFlag) == TileFace::mine;
    case ShowsUncoveredFaceRole: return tileFace(t, e.lostFlag) != TileFace::covered;
    case FaceRole: return tileFaceName(tileFace(t, e.lostFlag));
    case AccessibleLabelRole: return tileAccessibleLabel(t, row, column, e.lostFlag, e.hinted);
    case IdentifierRole: return QStringLiteral("tile-%1-%2").arg(row).arg(column);
    default: return {};
    }
}

QHash<int, QByteArray> TileListModel::roleNames() const {
    return {
        {RevealDelayRole, "revealDelay"},
        {RowRole, "row"},
        {ColumnRole, "column"},
        {HasMineRole, "hasMine"},
        {IsRevealedRole, "isRevealed"},
        {IsFlaggedRole, "isFlagged"},
        {IsQuestionedRole, "isQuestioned"},
        {RevealDistanceRole, "revealDistance"},
        {AdjacentMinesRole, "adjacentMines"},
        {IsExplodedRole, "isExploded"},
        {IsHintedRole, "isHinted"},
        {IsWrongFlagRole, "isWrongFlag"},
        {ShowsMineFaceRole, "showsMineFace"},
        {ShowsUncoveredFaceRole, "showsUncoveredFace"},
        {FaceRole, "face"},
        {AccessibleLabelRole, "accessibleLabel"},
        {IdentifierRole, "identifier"},
    };
}

QVariantMap TileListModel::get(int i) const {
    QVariantMap map;
    if (i < 0 || i >= count()) return map;
    const auto names = roleNames();
    for (auto it = names.begin(); it != names.end(); ++it)
        map.insert(QString::fromUtf8(it.value()), data(index(i), it.key()));
    return map;
}

}  // namespace velmora::ui
