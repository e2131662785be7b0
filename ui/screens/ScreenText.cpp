#include "ScreenText.h"

#include <QCoreApplication>

#include "LocalizedText.h"
#include "MinesweeperGame.h"

namespace velmora::ui {

QString StatLine::accessibleName() const { return label + QStringLiteral(": ") + value; }

QLocale interfaceLocale() { return QLocale(interfaceLanguage()); }

QString integerText(qint64 value) { return QString::number(value); }

QString winRateText(qint64 gamesPlayed, qint64 gamesWon, const QLocale& locale) {
    // No games played reads 0.0 in the same locale and with the same sign as any other rate
    // ("0,0 %" in French, not "0.0%"); in English that is the fixed "0.0%".
    const double percent = gamesPlayed < 1 ? 0.0 : double(gamesWon) / double(gamesPlayed) * 100.0;
    // The number follows the locale; where the sign goes and what space stands before it is
    // the translation's business.
    return formatText(localized(QT_TRANSLATE_NOOP("Velmora", "%@%%")), {locale.toString(percent, 'f', 1)});
}

QString bestTimeText(std::optional<qint64> seconds) {
    if (!seconds) return QString(QChar(0x2013));
    return formatText(QStringLiteral("%d:%02d"), {*seconds / 60, *seconds % 60});
}

QList<StatLine> statisticsLines(const MinesweeperGame& game, const QLocale& locale) {
    const qint64 played = game.gamesPlayed();
    const qint64 won = game.gamesWon();
    // A reset during a game that is then won leaves more wins than games counted.
    const qint64 lost = played > won ? played - won : 0;
    return {
        {localized(QT_TRANSLATE_NOOP("Velmora", "Games Played")),
         integerText(played), QStringLiteral("stat-gamesPlayed")},
        {localized(QT_TRANSLATE_NOOP("Velmora", "Games Won")),
         integerText(won), QStringLiteral("stat-gamesWon")},
        {localized(QT_TRANSLATE_NOOP("Velmora", "Games Lost")),
         integerText(lost), QStringLiteral("stat-gamesLost")},
        {localized(QT_TRANSLATE_NOOP("Velmora", "Win Rate")),
         winRateText(played, won, locale), QStringLiteral("stat-winRate")},
        {localized(QT_TRANSLATE_NOOP("Velmora", "Current Streak")),
         integerText(game.currentStreak()), QStringLiteral("stat-currentStreak")},
        {localized(QT_TRANSLATE_NOOP("Velmora", "Best Streak")),
         integerText(game.bestStreak()), QStringLiteral("stat-bestStreak")},
        {localized(QT_TRANSLATE_NOOP("Velmora", "Best Time, Beginner")),
         bestTimeText(game.bestTime(Difficulty::beginner)),
         QStringLiteral("stat-bestTimeBeginner")},
        {localized(QT_TRANSLATE_NOOP("Velmora", "Best Time, Intermediate")),
         bestTimeText(game.bestTime(Difficulty::intermediate)),
         QStringLiteral("stat-bestTimeIntermediate")},
        {localized(QT_TRANSLATE_NOOP("Velmora", "Best Time, Expert")),
         bestTimeText(game.bestTime(Difficulty::expert)),
         QStringLiteral("stat-bestTimeExpert")},
    };
}

QString versionText(const QString& shortVersion) {
    const QString version = shortVersion.trimmed().isEmpty() ? QStringLiteral("1.0") : shortVersion.trimmed();
    return formatText(localized(QT_TRANSLATE_NOOP("Velmora", "Version %@")), {version});
}

QUrl publisherWebsite(const QString& domain) {
    QUrl url;
    url.setScheme(QStringLiteral("https"));
    url.setHost(domain, QUrl::StrictMode);
    url.setPath(QStringLiteral("/"));
    return url;
}

bool isOpenableWebsite(const QUrl& url) {
    return url.isValid() && url.scheme() == QLatin1String("https") && !url.host().isEmpty() &&
           url.userInfo().isEmpty() && url.host().contains(QLatin1Char('.'));
}

QString difficultyTitle(Difficulty d) {
    switch (d) {
    case Difficulty::beginner: return localized(QT_TRANSLATE_NOOP("Velmora", "Beginner"));
    case Difficulty::intermediate: return localized(QT_TRANSLATE_NOOP("Velmora", "Intermediate"));
    case Difficulty::expert: return localized(QT_TRANSLATE_NOOP("Velmora", "Expert"));
    }
    return {};
}

QString boardSizeTitle(BoardSize s) {
    return s == BoardSize::large ? localized(QT_TRANSLATE_NOOP("Velmora", "Large"))
                                 : localized(QT_TRANSLATE_NOOP("Velmora", "Standard"));
}

QString menuBarIconName(MenuBarIconOption o) {
    switch (o) {
    case MenuBarIconOption::flag: return localized(QT_TRANSLATE_NOOP("Velmora", "Flag"));
    case MenuBarIconOption::burst: return localized(QT_TRANSLATE_NOOP("Velmora", "Burst"));
    case MenuBarIconOption::grid: return localized(QT_TRANSLATE_NOOP("Velmora", "Grid"));
    }
    return {};
}

QString themeDisplayName(TileTheme t) {
    const std::string raw(rawValue(t));
    return QCoreApplication::translate("Velmora", raw.c_str());
}

}  // namespace velmora::ui
