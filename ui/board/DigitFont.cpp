#include "DigitFont.h"

#include <QFontMetricsF>
#include <QtMath>

namespace velmora::ui {

bool canUseTabularFigures() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    return true;
#else
    return false;
#endif
}

QFont withTabularFigures(QFont font) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    // A string literal: 6.6 takes it as a C string, 6.7 and later as a QFont::Tag.
    font.setFeature("tnum", 1);
#endif
    return font;
}

qreal digitCellWidth(const QFont& font) {
    const QFontMetricsF metrics(font);
    qreal widest = 0;
    // A string, not a QChar: only text is shaped, and only shaping applies the font's features.
    for (char16_t d = u'0'; d <= u'9'; ++d) widest = qMax(widest, metrics.horizontalAdvance(QString(QChar(d))));
    return qCeil(widest);
}

}  // namespace velmora::ui
