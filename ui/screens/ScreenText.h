#pragma once

#include <optional>

#include <QList>
#include <QLocale>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include "Types.h"

namespace velmora {
class MinesweeperGame;
}

namespace velmora::ui {

// The publisher has no domain of its own yet; a name under the reserved .example domain can
// belong to no one else until it does.
inline constexpr char kPublisherDomain[] = "velmora.example";

// One line of the Statistics screen: a looked-up label, a value shown as computed and the
// line's identifier.
struct StatLine {
    Q_GADGET
    QML_VALUE_TYPE(statLine)
    Q_PROPERTY(QString label MEMBER label CONSTANT)
    Q_PROPERTY(QString value MEMBER value CONSTANT)
    Q_PROPERTY(QString identifier MEMBER identifier CONSTANT)
    Q_PROPERTY(QString accessibleName READ accessibleName CONSTANT)
public:
    QString label;
    QString value;
    QString identifier;
    QString accessibleName() const;  // "Games Played: 12"
    friend bool operator==(const StatLine&, const StatLine&) = default;
};

// The locale the program formats numbers in: that of the loaded translation.
QLocale interfaceLocale();

QString integerText(qint64 value);  // plain digits, no grouping
// "66.7%" in the locale; 0.0 in the locale below one game played ("0.0%" in English).
QString winRateText(qint64 gamesPlayed, qint64 gamesWon, const QLocale& locale);
// "1:15", or an en dash when there is no time.
QString bestTimeText(std::optional<qint64> seconds);
QList<StatLine> statisticsLines(const MinesweeperGame& game, const QLocale& locale);

// "Version 1.0"; an empty version reads as 1.0.
QString versionText(const QString& shortVersion);
// The address the About screen opens; invalid when the domain does not make a sound https address.
QUrl publisherWebsite(const QString& domain);
bool isOpenableWebsite(const QUrl& url);

// Display names, looked up.
QString difficultyTitle(Difficulty d);
QString boardSizeTitle(BoardSize s);
QString menuBarIconName(MenuBarIconOption o);
QString themeDisplayName(TileTheme t);

}  // namespace velmora::ui
