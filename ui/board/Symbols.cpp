#include "Symbols.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace velmora::ui {

QString symbolResourcePath(const QString& symbolName) {
    return QStringLiteral(":/qt-project.org/imports/Velmora/icons/") + symbolName + QStringLiteral(".svg");
}

QString symbolUrl(const QString& symbolName) { return QStringLiteral("qrc") + symbolResourcePath(symbolName); }

bool hasSymbol(const QString& symbolName) {
    // Names come from QML and settings; keep them from walking out of the icon folder.
    if (symbolName.isEmpty() || symbolName.contains(QLatin1Char('/'))) return false;
    return QFile::exists(symbolResourcePath(symbolName));
}

QImage renderSymbol(const QString& symbolName, const QColor& color, int pixelSize) {
    if (pixelSize <= 0 || pixelSize > 4096 || !hasSymbol(symbolName)) return {};
    QSvgRenderer renderer(symbolResourcePath(symbolName));
    if (!renderer.isValid()) return {};
    QImage image(pixelSize, pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, pixelSize, pixelSize));
    // The drawing is black; keep its coverage and paint the wanted colour through it.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    painter.end();
    return image;
}

QIcon symbolIcon(const QString& symbolName, const QColor& color, int pixelSize) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QImage image = renderSymbol(symbolName, color, pixelSize * scale);
        if (image.isNull()) return {};
        QPixmap pixmap = QPixmap::fromImage(image);
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace velmora::ui
