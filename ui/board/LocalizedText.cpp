#include "LocalizedText.h"

#include <QCoreApplication>

namespace velmora::ui {

namespace {
QString& languageStorage() {
    static QString language = QStringLiteral("en");
    return language;
}
}  // namespace

void setInterfaceLanguage(const QString& code) { languageStorage() = code.isEmpty() ? QStringLiteral("en") : code; }

QString interfaceLanguage() { return languageStorage(); }

QString pluralCategory(const QString& language, qint64 count) {
    // The rules look at the magnitude, as the plural rules of every language do for integers
    // (CLDR's operand is the absolute value): "-1" reads like "1" and "-22" like "22". The
    // counter goes negative when more flags than mines are set.
    const quint64 magnitude = count < 0 ? quint64(0) - quint64(count) : quint64(count);
    if (language == QLatin1String("pl")) {
        if (magnitude == 1) return QStringLiteral("one");
        const quint64 mod10 = magnitude % 10;
        const quint64 mod100 = magnitude % 100;
        if (mod10 >= 2 && mod10 <= 4 && !(mod100 >= 12 && mod100 <= 14)) return QStringLiteral("few");
        return QStringLiteral("many");
    }
    if (language == QLatin1String("fr")) {
        return magnitude <= 1 ? QStringLiteral("one") : QStringLiteral("other");
    }
    return magnitude == 1 ? QStringLiteral("one") : QStringLiteral("other");
}

namespace {
// The keys are put together at run time; listing them here is what lets the extractor see
// them. A language only fills the categories its rules produce (Polish: one, few, many;
// French and German: one, other; English: one); the others stay untranslated there.
[[maybe_unused]] constexpr const char* kCountKeys[] = {
    QT_TRANSLATE_NOOP("Velmora", "%lld mines left|one"),
    QT_TRANSLATE_NOOP("Velmora", "%lld mines left|few"),
    QT_TRANSLATE_NOOP("Velmora", "%lld mines left|many"),
    QT_TRANSLATE_NOOP("Velmora", "%lld mines left|other"),
    QT_TRANSLATE_NOOP("Velmora", "%lld mines nearby|one"),
    QT_TRANSLATE_NOOP("Velmora", "%lld mines nearby|few"),
    QT_TRANSLATE_NOOP("Velmora", "%lld mines nearby|many"),
    QT_TRANSLATE_NOOP("Velmora", "%lld mines nearby|other"),
    QT_TRANSLATE_NOOP("Velmora", "%lld tiles uncovered|one"),
    QT_TRANSLATE_NOOP("Velmora", "%lld tiles uncovered|few"),
    QT_TRANSLATE_NOOP("Velmora", "%lld tiles uncovered|many"),
    QT_TRANSLATE_NOOP("Velmora", "%lld tiles uncovered|other"),
};
}  // namespace

QString localized(const char* text) { return QCoreApplication::translate("Velmora", text); }

QString formatText(const QString& format, const QVariantList& args) {
    QString out;
    out.reserve(format.size() + 16);
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != QLatin1Char('%') || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        if (format[i + 1] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        bool zeroPad = false;
        if (format[j] == QLatin1Char('0')) {
            zeroPad = true;
            ++j;
        }
        int width = 0;
        while (j < format.size() && format[j].isDigit()) width = width * 10 + format[j++].digitValue();
        while (j < format.size() && (format[j] == QLatin1Char('l') || format[j] == QLatin1Char('q'))) ++j;
        if (j >= format.size()) {
            out += format.mid(i);
            break;
        }
        const QChar conv = format[j];
        if ((conv != QLatin1Char('d') && conv != QLatin1Char('i') && conv != QLatin1Char('@')) || next >= args.size()) {
            out += format.mid(i, j - i + 1);
            i = j;
            continue;
        }
        const QVariant& arg = args[next++];
        QString piece = conv == QLatin1Char('@') ? arg.toString() : QString::number(arg.toLongLong());
        if (width > piece.size()) {
            const bool negative = piece.startsWith(QLatin1Char('-'));
            const QChar fill = zeroPad ? QLatin1Char('0') : QLatin1Char(' ');
            if (zeroPad && negative)
                piece = QLatin1Char('-') + QString(width - piece.size(), fill) + piece.mid(1);
            else
                piece = QString(width - piece.size(), fill) + piece;
        }
        out += piece;
        i = j;
    }
    return out;
}

QString localizedCountString(const QString& key, qint64 count, const QVariantList& more) {
    const QString category = pluralCategory(interfaceLanguage(), count);
    const QString categoryKey = key + QLatin1Char('|') + category;
    QString result = QCoreApplication::translate("Velmora", categoryKey.toUtf8().constData());
    if (result == categoryKey) {
        const QString otherKey = key + QStringLiteral("|other");
        result = QCoreApplication::translate("Velmora", otherKey.toUtf8().constData());
        if (result == otherKey) result = key;
    }
    QVariantList args{QVariant::fromValue(count)};
    args += more;
    return formatText(result, args);
}

QString clockText(qint64 elapsedSeconds) {
    return formatText(QStringLiteral("%d:%02d"), {elapsedSeconds / 60, elapsedSeconds % 60});
}

QString clockAccessibleLabel(qint64 elapsedSeconds) {
    return formatText(localized(QT_TRANSLATE_NOOP("Velmora", "Time: %@")), {clockText(elapsedSeconds)});
}

QString minesLeftText(qint64 minesLeft) { return QString::number(minesLeft); }

QString minesLeftAccessibleLabel(qint64 minesLeft) {
    return localizedCountString(QStringLiteral("%lld mines left"), minesLeft);
}

QString wonAccessibleLabel(qint64 elapsedSeconds) {
    return formatText(localized(QT_TRANSLATE_NOOP("Velmora", "Board Cleared. Time: %@")), {clockText(elapsedSeconds)});
}

QString tileStateText(const Tile& tile, bool isGameLost, bool isHinted) {
    if (isGameLost && tile.isFlagged && !tile.hasMine) return localized(QT_TRANSLATE_NOOP("Velmora", "flagged, no mine"));
    if (tile.isRevealed && tile.hasMine) return localized(QT_TRANSLATE_NOOP("Velmora", "mine"));
    if (tile.isRevealed && tile.adjacentMines >= 1)
        return localizedCountString(QStringLiteral("%lld mines nearby"), tile.adjacentMines);
    if (tile.isRevealed) return localized(QT_TRANSLATE_NOOP("Velmora", "empty"));
    if (tile.isFlagged) return localized(QT_TRANSLATE_NOOP("Velmora", "flagged"));
    if (tile.isQuestioned) return localized(QT_TRANSLATE_NOOP("Velmora", "question mark"));
    if (isHinted) return localized(QT_TRANSLATE_NOOP("Velmora", "covered, safe to uncover (hint)"));
    return localized(QT_TRANSLATE_NOOP("Velmora", "covered"));
}

QString tileAccessibleLabel(const Tile& tile, qint64 row, qint64 column, bool isGameLost, bool isHinted) {
    // One format for the whole label, so a language can choose its own separator.
    //: A tile's label for screen readers: row, column, then the tile's state.
    return formatText(localized(QT_TRANSLATE_NOOP("Velmora", "Row %lld, column %lld: %@")),
                      {row + 1, column + 1, tileStateText(tile, isGameLost, isHinted)});
}

QString moveAnnouncement(const QString& tileState, qint64 uncovered) {
    // One tile opening is the tile's own state; more is a flood or a chord worth counting.
    if (uncovered < 2) return tileState;
    //: After a move on the board: the focused tile's state, then how many tiles it opened.
    return formatText(localized(QT_TRANSLATE_NOOP("Velmora", "%@, %@")),
                      {tileState, localizedCountString(QStringLiteral("%lld tiles uncovered"), uncovered)});
}

QString gameEndAnnouncement(bool won, qint64 elapsedSeconds, bool newBestTime, bool usedHint) {
    if (!won) return localized(QT_TRANSLATE_NOOP("Velmora", "You hit a mine"));
    QString text = wonAccessibleLabel(elapsedSeconds);
    // The lines of the won overlay, in its order.
    if (newBestTime) text += QLatin1Char(' ') + localized(QT_TRANSLATE_NOOP("Velmora", "New best time!"));
    if (usedHint) text += QLatin1Char(' ') + localized(QT_TRANSLATE_NOOP("Velmora", "Hint used: time not recorded"));
    return text;
}

QString statusAnnouncement(qint64 minesLeft, qint64 elapsedSeconds) {
    //: Said on a key: the mine counter's label, then the clock's ("7 mines left, Time: 1:05").
    return formatText(localized(QT_TRANSLATE_NOOP("Velmora", "%@, %@")),
                      {minesLeftAccessibleLabel(minesLeft), clockAccessibleLabel(elapsedSeconds)});
}

}  // namespace velmora::ui
