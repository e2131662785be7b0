#include "GameModel.h"

#include "LocalizedText.h"

namespace velmora::ui {

namespace {
QString qs(std::string_view v) { return QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size())); }
std::string ss(const QString& v) { return v.toStdString(); }
}  // namespace

GameModel::GameModel(MinesweeperGame& game, QObject* parent)
    : QObject(parent), game_(game), tiles_(new TileListModel(game, this)) {
    listenerId_ = game_.addListener([this](Property p) { onChanged(p); });
}

GameModel::~GameModel() { game_.removeListener(listenerId_); }

void GameModel::onChanged(Property p) {
    switch (p) {
    case Property::tiles: tiles_->sync(); break;
    case Property::boardDifficulty:
        tiles_->sync();
        emit boardDifficultyChanged();
        emit minesLeftChanged();
        break;
    case Property::phase:
        tiles_->sync();  // a loss turns wrong flags over
        emit phaseChanged();
        break;
    case Property::elapsedSeconds: emit elapsedSecondsChanged(); break;
    case Property::flaggedCount:
        emit flaggedCountChanged();
        emit minesLeftChanged();
        break;
    case Property::newBestTime: emit newBestTimeChanged(); break;
    case Property::hintedTile:
        tiles_->sync();
        emit hintedTileChanged();
        break;
    case Property::usedHint: emit usedHintChanged(); break;
    case Property::isShowingScreen: emit isShowingScreenChanged(); break;
    case Property::isViewVisible: emit isViewVisibleChanged(); break;
    case Property::isFlagMode: emit isFlagModeChanged(); break;
    case Property::menuBarIcon: emit menuBarIconChanged(); break;
    case Property::hasSeenWelcome: emit hasSeenWelcomeChanged(); break;
    case Property::boardSize: emit boardSizeChanged(); break;
    case Property::questionMarksEnabled: emit questionMarksEnabledChanged(); break;
    case Property::tileTheme: emit tileThemeChanged(); break;
    case Property::difficulty: emit difficultyChanged(); break;
    case Property::gamesPlayed: emit gamesPlayedChanged(); break;
    case Property::gamesWon: emit gamesWonChanged(); break;
    case Property::currentStreak: emit currentStreakChanged(); break;
    case Property::bestStreak: emit bestStreakChanged(); break;
    case Property::bestTimes: emit bestTimesChanged(); break;
    }
}

QString GameModel::boardDifficulty() const { return qs(rawValue(game_.boardDifficulty())); }
QString GameModel::clockText() const { return velmora::ui::clockText(game_.elapsedSeconds()); }
QString GameModel::clockAccessibleLabel() const { return velmora::ui::clockAccessibleLabel(game_.elapsedSeconds()); }
QString GameModel::wonAccessibleLabel() const { return velmora::ui::wonAccessibleLabel(game_.elapsedSeconds()); }
QString GameModel::minesLeftText() const { return velmora::ui::minesLeftText(minesLeft()); }
QString GameModel::minesLeftAccessibleLabel() const { return velmora::ui::minesLeftAccessibleLabel(minesLeft()); }

QString GameModel::menuBarIcon() const { return qs(rawValue(game_.menuBarIcon())); }
void GameModel::setMenuBarIcon(const QString& raw) {
    // Unknown names from QML are ignored: the setting only takes its three values.
    if (auto v = menuBarIconFromRaw(ss(raw))) game_.setMenuBarIcon(*v);
}
QString GameModel::menuBarSymbol() const { return qs(symbolName(game_.menuBarIcon())); }

QString GameModel::boardSize() const { return qs(rawValue(game_.boardSize())); }
void GameModel::setBoardSize(const QString& raw) {
    if (auto v = boardSizeFromRaw(ss(raw))) game_.setBoardSize(*v);
}
QString GameModel::tileTheme() const { return qs(rawValue(game_.tileTheme())); }
void GameModel::setTileTheme(const QString& raw) {
    if (auto v = tileThemeFromRaw(ss(raw))) game_.setTileTheme(*v);
}
QString GameModel::difficulty() const { return qs(rawValue(game_.difficulty())); }
void GameModel::setDifficulty(const QString& raw) {
    if (auto v = difficultyFromRaw(ss(raw))) game_.setDifficulty(*v);
}

QVariantMap GameModel::bestTimes() const {
    QVariantMap map;
    for (const auto& [d, seconds] : game_.bestTimes()) map.insert(qs(rawValue(d)), QVariant::fromValue(seconds));
    return map;
}

QVariant GameModel::bestTime(const QString& difficultyRaw) const {
    const auto d = difficultyFromRaw(ss(difficultyRaw));
    if (!d) return {};
    const auto t = game_.bestTime(*d);
    return t ? QVariant::fromValue(*t) : QVariant();
}

bool GameModel::isTileRevealed(int index) const {
    if (index < 0 || index >= tileCount()) return false;
    return game_.tiles()[static_cast<std::size_t>(index)].isRevealed;
}

bool GameModel::looksUntouched() const {
    if (game_.hintedTile()) return false;
    for (const Tile& tile : game_.tiles())
        if (tile.isRevealed || tile.isFlagged || tile.isQuestioned) return false;
    return true;
}

}  // namespace velmora::ui
