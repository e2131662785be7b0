#include "ModalScreenController.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QKeySequence>

#include <cmath>

#include "LocalizedText.h"

namespace velmora::ui {

namespace {
QString qs(std::string_view v) { return QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size())); }

LoginItemService*& serviceStorage() {
    static LoginItemService* service = nullptr;
    return service;
}
ModalScreenController::UrlOpener& openerStorage() {
    static ModalScreenController::UrlOpener opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return opener;
}
QString& domainStorage() {
    static QString domain = QString::fromLatin1(kPublisherDomain);
    return domain;
}
}  // namespace

// The raw values double as the titles' lookup keys (title()), so they are marked for the extractor.
QString rawValue(ModalScreen screen) {
    switch (screen) {
    case ModalScreen::preferences: return QStringLiteral(QT_TRANSLATE_NOOP("Velmora", "Preferences"));
    case ModalScreen::statistics: return QStringLiteral(QT_TRANSLATE_NOOP("Velmora", "Statistics"));
    case ModalScreen::howToPlay: return QStringLiteral(QT_TRANSLATE_NOOP("Velmora", "How to Play"));
    case ModalScreen::about: return QStringLiteral(QT_TRANSLATE_NOOP("Velmora", "About"));
    }
    return {};
}

ModalScreenController::ModalScreenController(QObject* parent) : QObject(parent) { refreshLoginItemStatus(); }

void ModalScreenController::setLoginItemService(LoginItemService* service) { serviceStorage() = service; }
LoginItemService* ModalScreenController::loginItemService() { return serviceStorage(); }
void ModalScreenController::setUrlOpener(UrlOpener opener) { openerStorage() = std::move(opener); }
void ModalScreenController::setPublisherDomain(const QString& domain) { domainStorage() = domain; }

void ModalScreenController::setGame(GameModel* game) {
    if (game_ == game) return;
    if (game_) disconnect(game_, nullptr, this, nullptr);
    game_ = game;
    if (game_) {
        connect(game_, &GameModel::boardSizeChanged, this, &ModalScreenController::contentScaleChanged);
        for (auto signal : {&GameModel::gamesPlayedChanged, &GameModel::gamesWonChanged,
                            &GameModel::currentStreakChanged, &GameModel::bestStreakChanged,
                            &GameModel::bestTimesChanged})
            connect(game_, signal, this, &ModalScreenController::statisticsChanged);
    }
    emit gameChanged();
    emit contentScaleChanged();
    emit statisticsChanged();
}

void ModalScreenController::setScreen(Screen screen) {
    if (screen < Preferences || screen > About || screen == screen_) return;
    screen_ = screen;
    emit screenChanged();
}

QString ModalScreenController::title() const {
    const QByteArray raw = rawValue(static_cast<ModalScreen>(screen_)).toUtf8();
    return localized(raw.constData());
}

void ModalScreenController::setTextScale(double value) {
    if (!(value > 0.0) || value > 100.0) value = 1.0;
    if (value == textScale_) return;
    textScale_ = value;
    emit contentScaleChanged();
}

double ModalScreenController::contentScale() const {
    const bool large = game_ && game_->game().boardSize() == BoardSize::large;
    return textScale_ * scaleFactor(large ? BoardSize::large : BoardSize::standard);
}

bool ModalScreenController::launchAtLogin() const {
    return loginItemStatus_ == LoginItemStatus::enabled || loginItemStatus_ == LoginItemStatus::requiresApproval;
}

QVariantList ModalScreenController::statisticsLines() const {
    QVariantList lines;
    if (!game_) return lines;
    for (const StatLine& line : velmora::ui::statisticsLines(game_->game(), interfaceLocale()))
        lines.append(QVariant::fromValue(line));
    return lines;
}

QVariantList ModalScreenController::difficultyOptions() const {
    QVariantList options;
    for (Difficulty d : allDifficulties)
        options.append(QVariantMap{{QStringLiteral("value"), qs(rawValue(d))}, {QStringLiteral("title"), difficultyTitle(d)}});
    return options;
}

QVariantList ModalScreenController::boardSizeOptions() const {
    QVariantList options;
    for (BoardSize s : {BoardSize::standard, BoardSize::large})
        options.append(QVariantMap{{QStringLiteral("value"), qs(rawValue(s))}, {QStringLiteral("title"), boardSizeTitle(s)}});
    return options;
}

QVariantList ModalScreenController::menuBarIconOptions() const {
    QVariantList options;
    for (MenuBarIconOption o : allMenuBarIcons) {
        const QString name = menuBarIconName(o);
        options.append(QVariantMap{
            {QStringLiteral("value"), qs(rawValue(o))},
            {QStringLiteral("symbol"), qs(symbolName(o))},
            {QStringLiteral("name"), name},
            {QStringLiteral("accessibleName"),
             formatText(localized(QT_TRANSLATE_NOOP("Velmora", "Menu bar icon: %@")), {name})},
            // The identifier carries the looked-up name, as automation of a translated build expects.
            {QStringLiteral("identifier"), QStringLiteral("menuBarIcon-") + name},
        });
    }
    return options;
}

QVariantList ModalScreenController::themeOptions() const {
    QVariantList options;
    for (TileTheme t : allTileThemes) {
        const QString raw = qs(rawValue(t));
        options.append(QVariantMap{
            {QStringLiteral("value"), raw},
            {QStringLiteral("accessibleName"),
             formatText(localized(QT_TRANSLATE_NOOP("Velmora", "Tile Theme: %@")), {themeDisplayName(t)})},
            {QStringLiteral("identifier"), QStringLiteral("tileTheme-") + raw},
        });
    }
    return options;
}

QVariantList ModalScreenController::howToPlayParagraphs() const {
    struct Paragraph {
        const char* symbol;
        const char* title;
        const char* body;
        const char* identifier;
    };
    static constexpr Paragraph kParagraphs[] = {
        {"menubar.rectangle", QT_TRANSLATE_NOOP("Velmora", "Lives in your menu bar"),
         QT_TRANSLATE_NOOP("Velmora", "Click the game's icon in the tray to open it. Click anywhere else to hide it; the timer pauses. Can't see it? Check your panel's tray settings if it is hidden."),
         "howTo-menuBar"},
        {"square.grid.3x3", QT_TRANSLATE_NOOP("Velmora", "Clear the board"),
         QT_TRANSLATE_NOOP("Velmora", "Uncover every tile that is not a mine. A number tells you how many of the 8 tiles around it hold a mine."),
         "howTo-goal"},
        {"hand.tap.fill", QT_TRANSLATE_NOOP("Velmora", "Uncover tiles"),
         QT_TRANSLATE_NOOP("Velmora", "Click a tile to uncover it. Your first click is always safe, and boards are built so you never have to guess. Uncover a mine and the game is over."),
         "howTo-uncover"},
        {"flag.fill", QT_TRANSLATE_NOOP("Velmora", "Flag the mines"),
         QT_TRANSLATE_NOOP("Velmora", "Right-click or Control-click a tile to flag it. Press again for a ? mark, and again to clear it. Flag mode in the header makes a plain click flag instead. A flagged tile can't be uncovered by accident."),
         "howTo-flag"},
        {"number.circle", QT_TRANSLATE_NOOP("Velmora", "Open around a number"),
         QT_TRANSLATE_NOOP("Velmora", "Double-click a number that has as many flags around it as its count to uncover all its other neighbors at once. Space does the same from the keyboard."),
         "howTo-chord"},
        {"lightbulb.fill", QT_TRANSLATE_NOOP("Velmora", "Need a hand?"),
         QT_TRANSLATE_NOOP("Velmora", "Hint marks a tile that is safe to uncover. Tap the lightbulb button at the top, or press H. A game that used a hint doesn't set a best time."),
         "howTo-hint"},
        {"arrow.clockwise", QT_TRANSLATE_NOOP("Velmora", "New games and sizes"),
         QT_TRANSLATE_NOOP("Velmora", "New Game deals a fresh board. Pick Beginner, Intermediate or Expert in Preferences. Game Size there makes the whole game larger."),
         "howTo-newGame"},
    };
    QVariantList paragraphs;
    for (const Paragraph& p : kParagraphs)
        paragraphs.append(QVariantMap{{QStringLiteral("symbol"), QString::fromLatin1(p.symbol)},
                                      {QStringLiteral("title"), localized(p.title)},
                                      {QStringLiteral("body"), localized(p.body)},
                                      {QStringLiteral("identifier"), QString::fromLatin1(p.identifier)}});
    return paragraphs;
}

QVariantList ModalScreenController::keyboardLines() const {
    const auto native = [](const char* sequence) {
        return QKeySequence(QString::fromLatin1(sequence)).toString(QKeySequence::NativeText);
    };
    const auto line = [](const QString& action, const QString& keys) {
        return QVariantMap{{QStringLiteral("action"), action}, {QStringLiteral("keys"), keys}};
    };
    return {
        line(localized(QT_TRANSLATE_NOOP("Velmora", "Move between tiles")), QStringLiteral("← ↑ ↓ →")),
        line(localized(QT_TRANSLATE_NOOP("Velmora", "Uncover a tile or open around a number")),
             localized(QT_TRANSLATE_NOOP("Velmora", "Space"))),
        line(localized(QT_TRANSLATE_NOOP("Velmora", "Flag a tile")), QStringLiteral("F")),
        line(localized(QT_TRANSLATE_NOOP("Velmora", "Give a hint")), QStringLiteral("H")),
        line(localized(QT_TRANSLATE_NOOP("Velmora", "Hear the mines left and the time")), QStringLiteral("T")),
        line(localized(QT_TRANSLATE_NOOP("Velmora", "New game")), native("Ctrl+N")),
        line(localized(QT_TRANSLATE_NOOP("Velmora", "Open Preferences")), native("Ctrl+,")),
    };
}

int ModalScreenController::adaptiveColumns(double width, double minimum, double spacing) const {
    if (!(minimum > 0) || !(width > 0) || !(spacing >= 0)) return 1;
    const double fit = std::floor((width + spacing) / (minimum + spacing));
    return fit < 1 ? 1 : fit > 1000 ? 1000 : int(fit);
}

QString ModalScreenController::versionText() const {
    return velmora::ui::versionText(QCoreApplication::applicationVersion());
}

QString ModalScreenController::websiteLabel() const {
    return formatText(localized(QT_TRANSLATE_NOOP("Velmora", "Visit %@")), {domainStorage()});
}

QString ModalScreenController::websiteAccessibleLabel() const {
    return formatText(localized(QT_TRANSLATE_NOOP("Velmora", "Visit publisher website %@")), {domainStorage()});
}

void ModalScreenController::chooseDifficulty(const QString& raw) {
    if (!game_) return;
    const auto chosen = difficultyFromRaw(raw.toStdString());
    if (!chosen || *chosen == game_->game().difficulty()) return;
    if (game_->game().phase() == GamePhase::playing) {
        QPointer<GameModel> game = game_;
        const Difficulty value = *chosen;
        pendingRulesChange_ = PendingRulesChange{[game, value] {
            if (game) game->game().setDifficulty(value);
        }};
        emit dialogsChanged();
        return;
    }
    game_->game().setDifficulty(*chosen);
}

void ModalScreenController::requestReset() {
    if (isConfirmingReset_ || !hasResetButton()) return;
    isConfirmingReset_ = true;
    emit dialogsChanged();
}

void ModalScreenController::cancelReset() {
    if (!isConfirmingReset_) return;
    isConfirmingReset_ = false;
    emit dialogsChanged();
}

void ModalScreenController::confirmReset() {
    if (!isConfirmingReset_) return;
    isConfirmingReset_ = false;
    emit dialogsChanged();
    if (game_) game_->game().resetStatistics();
}

void ModalScreenController::cancelRulesChange() {
    if (!pendingRulesChange_) return;
    pendingRulesChange_.reset();
    emit dialogsChanged();
}

void ModalScreenController::confirmRulesChange() {
    if (!pendingRulesChange_) return;
    // The dialog is gone before the change runs, so nothing it triggers sees it still up.
    const PendingRulesChange change = std::move(*pendingRulesChange_);
    pendingRulesChange_.reset();
    emit dialogsChanged();
    if (change.apply) change.apply();
}

bool ModalScreenController::cancelTopDialog() {
    if (pendingRulesChange_) {
        cancelRulesChange();
        return true;
    }
    if (isConfirmingReset_) {
        cancelReset();
        return true;
    }
    return false;
}

void ModalScreenController::setLaunchAtLogin(bool on) {
    if (LoginItemService* service = loginItemService()) {
        // A failure is not reported: the status read afterwards puts the switch where the
        // system really is.
        if (on)
            service->registerApp();
        else
            service->unregisterApp();
    }
    refreshLoginItemStatus();
    // The switch may have moved on its own; it must show the status even when that did not change.
    emit loginItemStatusChanged();
}

void ModalScreenController::refreshLoginItemStatus() {
    LoginItemService* service = loginItemService();
    setLoginItemStatus(service ? service->status() : LoginItemStatus::notFound);
}

void ModalScreenController::setLoginItemStatus(LoginItemStatus status) {
    if (status == loginItemStatus_) return;
    loginItemStatus_ = status;
    emit loginItemStatusChanged();
}

bool ModalScreenController::openWebsite() {
    const QUrl url = publisherWebsite(domainStorage());
    if (!isOpenableWebsite(url)) return false;
    openerStorage()(url);
    return true;
}

void ModalScreenController::dismiss() {
    if (game_) game_->setIsShowingScreen(false);
    emit dismissed();
}

}  // namespace velmora::ui
