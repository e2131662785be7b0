#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QString>

namespace velmora::ui {

// Our own icons, one SVG per symbol name ("flag.fill", "burst.fill", ...), drawn in black on
// a square canvas and recoloured when rendered.
QString symbolUrl(const QString& symbolName);           // "qrc:/qt-project.org/imports/Velmora/icons/<name>.svg"
QString symbolResourcePath(const QString& symbolName);  // ":/qt-project.org/imports/Velmora/icons/<name>.svg"
bool hasSymbol(const QString& symbolName);

// The symbol rendered square at pixelSize (device pixels) in the colour, with transparent
// background. An unknown name gives a null image.
QImage renderSymbol(const QString& symbolName, const QColor& color, int pixelSize);
QIcon symbolIcon(const QString& symbolName, const QColor& color, int pixelSize);

}  // namespace velmora::ui
