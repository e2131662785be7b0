#pragma once

#include <QFont>
#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace velmora::ui {

// Numbers that change in place (the mine counter, the clock, the statistics values) must not
// shift as their digits change. From Qt 6.6 on a font can be asked for its tabular figures
// (OpenType "tnum"); before that QML could not reach the feature, so counters put each digit
// in a cell as wide as the widest digit. The cells stay on every Qt: they also carry the
// counter's rolling digits, and fonts without "tnum" (DejaVu Sans has none; its digits are
// equal already) are drawn as before.

// Whether this build of Qt can ask fonts for their tabular figures.
bool canUseTabularFigures();

// The font, asking for tabular figures where Qt can; unchanged otherwise. A font without
// the feature draws its ordinary digits.
QFont withTabularFigures(QFont font);

// The width of a digit cell: the widest advance of 0 to 9 in the font, rounded up to whole
// pixels so that cells placed side by side never overlap.
qreal digitCellWidth(const QFont& font);

// QML's view of the above.
class DigitFont : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool tabularFigures READ tabularFigures CONSTANT)
public:
    using QObject::QObject;
    bool tabularFigures() const { return canUseTabularFigures(); }
    Q_INVOKABLE QFont tabular(const QFont& font) const { return withTabularFigures(font); }
    Q_INVOKABLE qreal cellWidth(const QFont& font) const { return digitCellWidth(font); }
};

}  // namespace velmora::ui
