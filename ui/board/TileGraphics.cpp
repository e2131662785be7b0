#include "TileGraphics.h"

#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QQmlEngine>

#include <algorithm>
#include <array>
#include <cmath>

#include "LocalizedText.h"
#include "Symbols.h"

namespace velmora::ui {

// --- tile faces -------------------------------------------------------------------------

QString tileFaceName(TileFace face) {
    switch (face) {
    case TileFace::covered: return QStringLiteral("covered");
    case TileFace::mine: return QStringLiteral("mine");
    case TileFace::number: return QStringLiteral("number");
    case TileFace::empty: return QStringLiteral("empty");
    }
    return QStringLiteral("covered");
}

TileFace tileFace(const Tile& tile, bool lostFlag) {
    const bool wrongFlag = lostFlag && !tile.hasMine;
    if (!tile.isRevealed && !wrongFlag) return TileFace::covered;
    if (tile.hasMine || lostFlag) return TileFace::mine;
    if (tile.adjacentMines >= 1) return TileFace::number;
    return TileFace::empty;
}

int revealDelayMs(const Tile& tile) {
    if (tile.hasMine) return 350;
    return 25 * static_cast<int>(std::clamp<std::int64_t>(tile.revealDistance, 0, 12));
}

// --- colours ----------------------------------------------------------------------------

namespace {
QColor rgbF(double r, double g, double b) { return QColor::fromRgbF(float(r), float(g), float(b), 1.0f); }

constexpr std::array<quint32, 9> kSolidBases{0x535F7A, 0xA3233A, 0xC45628, 0xE9A419, 0xD8B56E,
                                              0x79B835, 0x3487AD, 0x414277, 0x9B5F94};
}  // namespace

Gradient solidGradient(quint32 baseRgb) {
    const double r = ((baseRgb >> 16) & 0xFF) / 255.0;
    const double g = ((baseRgb >> 8) & 0xFF) / 255.0;
    const double b = (baseRgb & 0xFF) / 255.0;
    auto lighter = [](double c) { return c + (1.0 - c) * 0.12; };
    auto darker = [](double c) { return c + (0.0 - c) * 0.3; };
    return {rgbF(lighter(r), lighter(g), lighter(b)), rgbF(darker(r), darker(g), darker(b))};
}

Gradient coveredGradient(TileTheme theme) {
    switch (theme) {
    case TileTheme::onyx: return {rgbF(0.22, 0.24, 0.28), rgbF(0.08, 0.09, 0.11)};
    case TileTheme::classic: return {rgbF(0.12, 0.32, 0.72), rgbF(0.05, 0.15, 0.45)};
    default: break;
    }
    const auto position = static_cast<std::size_t>(theme) - 2;
    return solidGradient(kSolidBases[std::min(position, kSolidBases.size() - 1)]);
}

QColor numberColor(qint64 count, bool dark) {
    const qint64 c = std::clamp<qint64>(count, 1, 8);
    if (dark) {
        static const std::array<QColor, 8> darkColors{QColor(0x0A84FF), QColor(0x30D158), QColor(0xFF453A),
                                                      QColor(0xBF5AF2), QColor(0xFF9F0A), QColor(0x40C8E0),
                                                      QColor(Qt::white),  QColor(0x8E8E93)};
        return darkColors[static_cast<std::size_t>(c - 1)];
    }
    switch (c) {
    case 1: return rgbF(0.1, 0.3, 0.8);
    case 2: return rgbF(0.1, 0.42, 0.15);
    case 3: return rgbF(0.8, 0.07, 0.07);
    case 4: return rgbF(0.35, 0.15, 0.6);
    case 5: return rgbF(0.55, 0.25, 0.05);
    case 6: return rgbF(0.0, 0.4, 0.45);
    case 7: return QColor(Qt::black);
    default: return rgbF(0.35, 0.35, 0.35);
    }
}

QColor alertColor(bool dark) { return dark ? QColor(0xFF453A) : rgbF(0.8, 0.07, 0.07); }

Appearance Appearance::fromApplicationPalette() {
    const QPalette palette = QGuiApplication::palette();
    Appearance a;
    a.window = palette.color(QPalette::Window);
    a.dark = a.window.lightnessF() < 0.5;
    a.primary = palette.color(QPalette::WindowText);
    a.secondary = a.primary;
    a.secondary.setAlphaF(0.5f);
    a.controlBackground = palette.color(QPalette::Base);
    a.accent = palette.color(QPalette::Highlight);
    return a;
}

// --- covered tile -----------------------------------------------------------------------

CoveredTileMetrics coveredTileMetrics(double size) {
    const double s = size / 44.0;
    const bool detailed = size >= 16.0;
    return {5 * s, 1.5 * s, 4.25 * s, 3 * s, 3 * s, detailed ? 0.5 : 0.0, detailed ? 0.22 : 0.12, 2 * s, 1.0};
}

double coveredTileMargin(double size) {
    const CoveredTileMetrics m = coveredTileMetrics(size);
    return std::ceil(m.shadowRadius + m.shadowOffsetY + 1.0);
}

namespace {
QPainterPath roundedRect(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}
}  // namespace

QImage renderCoveredTile(TileTheme theme, double size, double devicePixelRatio, const QColor& controlBackground,
                         const QColor& outline) {
    const CoveredTileMetrics m = coveredTileMetrics(size);
    const double margin = coveredTileMargin(size);
    const int pixels = std::max(1, static_cast<int>(std::ceil((size + 2 * margin) * devicePixelRatio)));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(devicePixelRatio);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(margin, margin);
    const QRectF tile(0, 0, size, size);

    // Soft drop shadow: stacked translucent outlines growing to the blur radius.
    const int layers = 4;
    for (int i = layers; i >= 1; --i) {
        const double grow = m.shadowRadius * i / layers;
        QColor shadow(0, 0, 0);
        shadow.setAlphaF(float(m.shadowOpacity / layers));
        p.fillPath(roundedRect(tile.translated(0, m.shadowOffsetY).adjusted(-grow / 2, -grow / 2, grow / 2, grow / 2),
                               m.cornerRadius + grow / 2),
                   shadow);
    }

    p.fillPath(roundedRect(tile, m.cornerRadius), controlBackground);

    const QRectF face = tile.adjusted(m.faceInset, m.faceInset, -m.faceInset, -m.faceInset);
    p.save();
    p.setClipPath(roundedRect(face, m.faceClipRadius));
    const Gradient colours = coveredGradient(theme);
    QLinearGradient gradient(face.topLeft(), face.bottomRight());
    gradient.setColorAt(0, colours.top);
    gradient.setColorAt(1, colours.bottom);
    p.fillPath(roundedRect(face, m.cornerRadius), gradient);
    if (m.ringOpacity > 0) {
        QColor ring(Qt::white);
        ring.setAlphaF(float(m.ringOpacity));
        QPen pen(ring, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        pen.setMiterLimit(10);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(roundedRect(face.adjusted(m.ringInset, m.ringInset, -m.ringInset, -m.ringInset), m.ringRadius));
    }
    p.restore();

    QColor outlineColour = outline;
    outlineColour.setAlphaF(outline.alphaF() * 0.25f);
    QPen pen(outlineColour, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedRect(tile, m.cornerRadius));
    p.end();
    return image;
}

// --- image provider ---------------------------------------------------------------------

TileImageProvider::TileImageProvider() : QQuickImageProvider(QQuickImageProvider::Image) {}

namespace {
QColor colorFromHex(const QString& hex) {
    bool ok = false;
    const quint32 value = hex.toUInt(&ok, 16);
    if (!ok) return {};
    if (hex.size() == 6) return QColor::fromRgb(0xFF000000u | value);
    if (hex.size() == 8) return QColor::fromRgba(value);
    return {};
}
QString colorHex(const QColor& c) { return QString::number(c.rgba(), 16).rightJustified(8, QLatin1Char('0')); }
}  // namespace

QImage TileImageProvider::requestImage(const QString& id, QSize* size, const QSize& /*requestedSize*/) {
    const QStringList parts = id.split(QLatin1Char('/'));
    QImage image;
    if (parts.size() == 6 && parts[0] == QLatin1String("covered")) {
        bool okTheme = false, okSize = false, okRatio = false;
        const int themeIndex = parts[1].toInt(&okTheme);
        const int sizeHundredths = parts[2].toInt(&okSize);
        const int ratioHundredths = parts[3].toInt(&okRatio);
        const QColor base = colorFromHex(parts[4]);
        const QColor outline = colorFromHex(parts[5]);
        if (okTheme && okSize && okRatio && themeIndex >= 0 && themeIndex < int(allTileThemes.size()) &&
            sizeHundredths > 0 && sizeHundredths <= 100000 && ratioHundredths >= 25 && ratioHundredths <= 800 &&
            base.isValid() && outline.isValid()) {
            image = renderCoveredTile(allTileThemes[static_cast<std::size_t>(themeIndex)], sizeHundredths / 100.0,
                                      ratioHundredths / 100.0, base, outline);
        }
    } else if (parts.size() == 2 && parts[0] == QLatin1String("appicon")) {
        // The running program's own icon, as the desktop knows it.
        bool okPixels = false;
        const int pixels = parts[1].toInt(&okPixels);
        if (okPixels && pixels > 0 && pixels <= 2048) {
            const QIcon icon = QGuiApplication::windowIcon();
            if (!icon.isNull()) image = icon.pixmap(QSize(pixels, pixels)).toImage();
            if (image.isNull()) image = renderSymbol(QStringLiteral("square.grid.3x3.fill"), QColor(0x5a, 0x5f, 0xd6), pixels);
        }
    } else if (parts.size() == 4 && parts[0] == QLatin1String("symbol")) {
        bool okPixels = false;
        const int pixels = parts[3].toInt(&okPixels);
        const QColor colour = colorFromHex(parts[2]);
        if (okPixels && colour.isValid()) image = renderSymbol(parts[1], colour, pixels);
    }
    if (image.isNull()) {
        image = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
    }
    if (size) *size = image.size();
    return image;
}

// --- QML singleton ----------------------------------------------------------------------

TileGraphics::TileGraphics(QQmlEngine* engine, QObject* parent)
    : QObject(parent), appearance_(Appearance::fromApplicationPalette()) {
    if (engine && !engine->imageProvider(QStringLiteral("velmora")))
        engine->addImageProvider(QStringLiteral("velmora"), new TileImageProvider);
    if (qGuiApp) qGuiApp->installEventFilter(this);
}

TileGraphics* TileGraphics::create(QQmlEngine* qmlEngine, QJSEngine*) { return new TileGraphics(qmlEngine); }

bool TileGraphics::eventFilter(QObject* watched, QEvent* e) {
    if (watched == qGuiApp && e->type() == QEvent::ApplicationPaletteChange) refreshAppearance();
    return QObject::eventFilter(watched, e);
}

void TileGraphics::refreshAppearance() {
    appearance_ = Appearance::fromApplicationPalette();
    emit appearanceChanged();
}

QColor TileGraphics::numberColor(int count) const { return velmora::ui::numberColor(count, appearance_.dark); }

QString TileGraphics::coveredTileUrl(const QString& themeRaw, double size, double devicePixelRatio) const {
    const auto theme = tileThemeFromRaw(themeRaw.toStdString()).value_or(TileTheme::onyx);
    const auto index = std::find(allTileThemes.begin(), allTileThemes.end(), theme) - allTileThemes.begin();
    return QStringLiteral("image://velmora/covered/%1/%2/%3/%4/%5")
        .arg(index)
        .arg(std::lround(size * 100))
        .arg(std::lround(std::clamp(devicePixelRatio, 0.25, 8.0) * 100))
        .arg(colorHex(appearance_.controlBackground), colorHex(appearance_.secondary));
}

double TileGraphics::coveredTileMargin(double size) const { return velmora::ui::coveredTileMargin(size); }

QString TileGraphics::symbolSource(const QString& name, const QColor& color, double pointSize,
                                   double devicePixelRatio) const {
    const long pixels = std::lround(std::clamp(pointSize * std::clamp(devicePixelRatio, 0.25, 8.0), 1.0, 4096.0));
    return QStringLiteral("image://velmora/symbol/%1/%2/%3").arg(name, colorHex(color)).arg(pixels);
}

QString TileGraphics::themeDisplayName(const QString& themeRaw) const {
    return QCoreApplication::translate("Velmora", themeRaw.toUtf8().constData());
}

}  // namespace velmora::ui
