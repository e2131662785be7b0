#pragma once

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QQuickImageProvider>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include "Types.h"

class QAbstractAnimation;
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

// A whole board of covered tiles, tile (r, c) at (c pitch, r pitch) from the margin: what the
// board's tiles draw, as one image, to stand in for them while they are being made.
QImage renderCoveredBoard(TileTheme theme, int rows, int columns, double size, double pitch, double devicePixelRatio,
                          const QColor& controlBackground, const QColor& outline);

// Room around the tile in the rendered image for the drop shadow, in points.
double coveredTileMargin(double size);
// The covered tile drawn once: (size + 2 margin) points square at the pixel ratio.
// controlBackground fills the tile's base, outline is the secondary label colour.
QImage renderCoveredTile(TileTheme theme, double size, double devicePixelRatio, const QColor& controlBackground,
                         const QColor& outline);

// --- uncovered faces and marks ------------------------------------------------------------

// What an uncovered tile is drawn as, apart from the number's text (drawn over the face).
enum class UncoveredFace { empty, number, mine, explodedMine, wrongFlag };
// The colours an uncovered face is drawn in; increasedContrast strengthens the border.
struct FacePalette {
    QColor primary;
    QColor controlBackground;
    QColor alert;
    bool increasedContrast = false;
};
// The face drawn once, in the same (size + 2 margin) frame as the covered tile, so the two
// line up and either can carry a shadow past the tile's edge.
QImage renderUncoveredFace(UncoveredFace face, double size, double devicePixelRatio, const FacePalette& palette);

enum class TileMark { flag, questionMark };
// A white mark at half the tile's size with its dark halo, in the covered tile's frame.
QImage renderTileMark(TileMark mark, double size, double devicePixelRatio);

// A soft shadow of the image's coverage: the alpha blurred with a Gaussian of the given radius
// (device pixels, the radius being two standard deviations), filled with the colour, offset by
// (dx, dy) device pixels. Same size as the image; what falls outside is cut.
QImage shadowOf(const QImage& image, const QColor& color, double radius, double dx = 0, double dy = 0);

// The shadow a rounded panel of the given size casts: black at `opacity`, blurred by `blurRadius`
// (points), drawn (size + 2 panelShadowPadding) points large, the panel centred in it.
double panelShadowPadding(double blurRadius);
QImage renderPanelShadow(double width, double height, double cornerRadius, double blurRadius, double opacity,
                         double devicePixelRatio);

// --- springs ------------------------------------------------------------------------------

// A spring of the given response (seconds per undamped period) and damping fraction, released
// from 0 towards 1: its position after `seconds`. Underdamped springs overshoot 1.
double springPosition(double seconds, double response, double dampingFraction);
// When such a spring stays within 0.1 % of 1 from then on, in seconds.
double springSettleSeconds(double response, double dampingFraction);

// One clock for every tile animation of a board: the tiles compute their faces and marks from
// its time, instead of each running timers of its own. It ticks with the frames while some
// tile has asked for it and stops when the last of them is done.
class TileClock : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double time READ time NOTIFY timeChanged)  // ms, as of the last frame or runFor()
    Q_PROPERTY(bool running READ running NOTIFY runningChanged)
public:
    explicit TileClock(QObject* parent = nullptr);
    double time() const { return time_; }
    bool running() const { return running_; }
    // The time now, between frames too.
    Q_INVOKABLE double now() const;
    // Keeps the clock ticking for at least ms from its time; returns that time (now when it
    // was stopped, else the last frame's).
    Q_INVOKABLE double runFor(double ms);

    // With a step above zero every clock advances by exactly that many milliseconds a frame,
    // however late the frame comes, so a test sees each stage of an animation even when a
    // frame is slow (the first drawing of an image) or the machine is busy. Zero: real time.
    static void setFrameStepForTesting(double ms) { frameStepMs_ = ms; }

signals:
    void timeChanged();
    void runningChanged();

private:
    void tick();
    static inline double frameStepMs_ = 0;
    QElapsedTimer elapsed_;
    QAbstractAnimation* ticker_ = nullptr;
    double time_ = 0;
    double until_ = 0;
    bool running_ = false;
};

// Serves "image://velmora/covered/<theme index>/<size x100>/<dpr x100>/<base hex>/<outline hex>" and
// "image://velmora/face/<face index>/<size x100>/<dpr x100>/<contrast 0|1>/<primary>/<base>/<alert>",
// "image://velmora/mark/<mark index>/<size x100>/<dpr x100>",
// "image://velmora/board/<theme index>/<rows>/<columns>/<size x100>/<pitch x100>/<dpr x100>/<base hex>/<outline hex>",
// "image://velmora/shadow/<width x100>/<height x100>/<corner x100>/<blur x100>/<opacity x100>/<dpr x100>",
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
    Q_INVOKABLE QString coveredBoardUrl(const QString& themeRaw, int rows, int columns, double size, double pitch,
                                        double devicePixelRatio) const;
    // face is a tile's face name ("empty", "number", "mine"); "" for a face never shown.
    Q_INVOKABLE QString uncoveredFaceUrl(const QString& face, bool exploded, bool wrongFlag, double size,
                                         double devicePixelRatio, bool increasedContrast) const;
    // mark is "flag" or "questionMark".
    Q_INVOKABLE QString markUrl(const QString& mark, double size, double devicePixelRatio) const;
    // The flag and question-mark spring (response 0.28 s, damping 0.5) after ms milliseconds,
    // and how long it runs before it is drawn at rest.
    Q_INVOKABLE double markSpring(double ms) const;
    Q_INVOKABLE int markSpringMs() const;
    Q_INVOKABLE QString panelShadowUrl(double width, double height, double cornerRadius, double blurRadius,
                                       double opacity, double devicePixelRatio) const;
    Q_INVOKABLE double panelShadowPadding(double blurRadius) const;
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
