#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

#include "Types.h"

namespace velmora::ui {

// Language of the loaded translation ("en" until the app says otherwise). It picks the
// plural rules of localizedCountString.
void setInterfaceLanguage(const QString& code);
QString interfaceLanguage();

// "one", "few", "many" or "other" for the count in the language (pl and fr have their own
// rules; every other code, including ones with a region such as "pl_PL", uses one/other).
// A negative count takes the category of its magnitude: -1 is "one", -22 is Polish "few".
QString pluralCategory(const QString& language, qint64 count);

// The plain text lookup: the English text is the key and the fallback.
QString localized(const char* text);

// printf-style formatting of an already looked-up text. Understands %lld, %ld, %d (with
// an optional zero-padded width such as %02d), %@ and %%; arguments are used in order.
// A placeholder without an argument is left as written rather than read out of bounds.
QString formatText(const QString& format, const QVariantList& args);

// A text with a count and a plural form: looks up "<key>|<category>", then "<key>|other",
// then falls back to the key itself, and formats the result with the count first.
QString localizedCountString(const QString& key, qint64 count, const QVariantList& more = {});

// Header texts.
QString clockText(qint64 elapsedSeconds);           // "%d:%02d"
QString clockAccessibleLabel(qint64 elapsedSeconds);  // "Time: 1:05"
QString minesLeftText(qint64 minesLeft);             // digits with a minus sign, never looked up
QString minesLeftAccessibleLabel(qint64 minesLeft);  // "3 mines left"
QString wonAccessibleLabel(qint64 elapsedSeconds);   // "Board Cleared. Time: 1:05"

// The label a tile gives to assistive technologies: "Row 3, column 1: 2 mines nearby". The
// whole label is one translatable format ("Row %lld, column %lld: %@"), so a language picks
// its own separator (French puts a no-break space before the colon).
QString tileAccessibleLabel(const Tile& tile, qint64 row, qint64 column, bool isGameLost, bool isHinted);
// The state part of that label alone: "2 mines nearby", "flagged", "covered".
QString tileStateText(const Tile& tile, bool isGameLost, bool isHinted);

// What the screen reader says after a move, without the player moving: the focused tile's
// state, and "12 tiles uncovered" when the move opened more than one.
QString moveAnnouncement(const QString& tileState, qint64 uncovered);
// "You hit a mine", or "Board Cleared. Time: 1:05" with the won overlay's further lines.
QString gameEndAnnouncement(bool won, qint64 elapsedSeconds, bool newBestTime, bool usedHint);
// The mine counter and the clock together: "7 mines left, Time: 1:05".
QString statusAnnouncement(qint64 minesLeft, qint64 elapsedSeconds);

}  // namespace velmora::ui
