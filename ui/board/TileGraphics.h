#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QQuickImageProvider>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include "Types.h"

class QQmlEngine;
class QJSEngine;

namespace velmora::ui {

// --- tile faces -------------------------------------------------------------------------

enum class TileFace { covered, mine, number, empty };
QString tileFaceName(TileFace face);
// The face a tile shows; lostFlag = the game is lost and the tile is flagged (a wrong flag
// turns over, a right one stays covered with its flag).
TileFace tileFace(const Tile& tile, bool lostFlag);
// Delay before a tile's face changes, so an opened region spreads out from the click.
int revealDelayMs(const Tile& tile);

// --- colours ----------------------------------------------------------------------------

struct Gradient {
    QColor top;     // top-left corner
    QColor bottom;  // bottom-right corner
};
Gradient coveredGradient(TileTheme theme);
// Solid themes derive both colours from one base colour (0xRRGGBB).
Gradient solidGradient(quint32 baseRgb);

QColor numberColor(qint64 count, bool dark);
QColor alertColor(bool dark);

// The desktop palette in the roles the tiles use.
struct Appearance {
    bool dark = false;
    QColor primary;            // window text
    QColor secondary;          // window text at 50 %
    QColor controlBackground;  // base
    QColor accent;             // highlight
    QColor window;
    static Appearance fromApplicationPalette();
};

// --- covered tile -----------------------------------------------------------------------

// Lengths of a covered tile of the given side (points), from its 44-point reference design.
struct CoveredTileMetrics {
    double cornerRadius;
    double faceInset;
    double faceClipRadius;
    double ringRadius;
    double ringInset;
    double ringOpacity;
    double shadowOpacity;
    double shadowRadius;
    double shadowOffsetY;
};
CoveredTileMetrics coveredTileMetrics(double size);

// Room around the tile in the rendered image for the drop shadow, in points.
double coveredTileMargin(double size);
// The covered tile drawn once: (size + 2 margin) points square at the pixel ratio.
// controlBackground fills the tile's base, outline is the secondary label colour.
QImage renderCoveredTile(TileTheme theme, double size, double devicePixelRatio, const QColor& controlBackground,
                         const QColor& outline);

// Serves "image://velmora/covered/<theme index>/<size x100>/<dpr x100>/<base hex>/<outline hex>" and
// "image://velmora/symbol/<name>/<colour hex without #>/<pixels>" and "image://velmora/appicon/<pixels>". Qt Quick caches images
// by URL, so every covered tile of one theme and size shares one texture.
class TileImageProvider : public QQuickImageProvider {
public:
    TileImageProvider();
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;
};

// QML's view of the above: colours of the palette and the URLs of shared images. Created
// once per engine; it installs the image provider on that engine.
class TileGraphics : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool isDark READ isDark NOTIFY appearanceChanged)
    Q_PROPERTY(QColor primaryColor READ primaryColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor secondaryColor READ secondaryColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor controlBackgroundColor READ controlBackgroundColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor accentColor READ accentColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor windowColor READ windowColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor alertColor READ alertColorValue NOTIFY appearanceChanged)
public:
    // Installs the image provider on the engine (if it has none yet).
    explicit TileGraphics(QQmlEngine* engine, QObject* parent = nullptr);
    static TileGraphics* create(QQmlEngine* qmlEngine, QJSEngine* jsEngine);

    bool isDark() const { return appearance_.dark; }
    QColor primaryColor() const { return appearance_.primary; }
    QColor secondaryColor() const { return appearance_.secondary; }
    QColor controlBackgroundColor() const { return appearance_.controlBackground; }
    QColor accentColor() const { return appearance_.accent; }
    QColor windowColor() const { return appearance_.window; }
    QColor alertColorValue() const { return alertColor(appearance_.dark); }

    Q_INVOKABLE QColor numberColor(int count) const;
    Q_INVOKABLE QString coveredTileUrl(const QString& themeRaw, double size, double devicePixelRatio) const;
    Q_INVOKABLE double coveredTileMargin(double size) const;
    Q_INVOKABLE QString symbolSource(const QString& name, const QColor& color, double pointSize,
                                     double devicePixelRatio) const;
    Q_INVOKABLE QString themeDisplayName(const QString& themeRaw) const;

    // Re-reads the palette (the app also calls this when the desktop palette changes).
    Q_INVOKABLE void refreshAppearance();

signals:
    void appearanceChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    Appearance appearance_;
};

}  // namespace velmora::ui
