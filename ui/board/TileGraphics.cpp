#include "TileGraphics.h"

#include <QAbstractAnimation>
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
#include <functional>
#include <vector>

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

// --- shadows ----------------------------------------------------------------------------

QImage shadowOf(const QImage& image, const QColor& color, double radius, double dx, double dy) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = source.width(), h = source.height();
    QImage result(w, h, QImage::Format_ARGB32_Premultiplied);
    result.setDevicePixelRatio(image.devicePixelRatio());
    result.fill(Qt::transparent);
    if (w == 0 || h == 0) return result;

    const double sigma = std::max(radius, 0.0) / 2.0;
    const int reach = sigma > 0 ? static_cast<int>(std::ceil(3 * sigma)) : 0;
    std::vector<double> kernel(static_cast<std::size_t>(2 * reach + 1), 1.0);
    if (reach > 0) {
        double sum = 0;
        for (int i = -reach; i <= reach; ++i) sum += kernel[std::size_t(i + reach)] = std::exp(-(i * i) / (2 * sigma * sigma));
        for (double& k : kernel) k /= sum;
    }
    // Shift by whole pixels: at these sizes a blur hides the rest.
    const int ox = static_cast<int>(std::lround(dx)), oy = static_cast<int>(std::lround(dy));
    std::vector<double> alpha(std::size_t(w) * std::size_t(h), 0.0), pass(alpha.size(), 0.0);
    for (int y = 0; y < h; ++y) {
        const int sy = y - oy;
        if (sy < 0 || sy >= h) continue;
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
        for (int x = 0; x < w; ++x) {
            const int sx = x - ox;
            if (sx >= 0 && sx < w) alpha[std::size_t(y) * w + x] = qAlpha(line[sx]) / 255.0;
        }
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double v = 0;
            for (int i = -reach; i <= reach; ++i)
                if (x + i >= 0 && x + i < w) v += kernel[std::size_t(i + reach)] * alpha[std::size_t(y) * w + x + i];
            pass[std::size_t(y) * w + x] = v;
        }
    const double a = color.alphaF();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < w; ++x) {
            double v = 0;
            for (int i = -reach; i <= reach; ++i)
                if (y + i >= 0 && y + i < h) v += kernel[std::size_t(i + reach)] * pass[std::size_t(y + i) * w + x];
            const double cover = std::clamp(v * a, 0.0, 1.0);
            line[x] = qRgba(int(std::lround(color.red() * cover)), int(std::lround(color.green() * cover)),
                            int(std::lround(color.blue() * cover)), int(std::lround(255 * cover)));
        }
    }
    return result;
}

// --- uncovered faces and marks ------------------------------------------------------------

namespace {
QColor withAlpha(QColor c, double alpha) {
    c.setAlphaF(float(c.alphaF() * alpha));
    return c;
}

QImage blankFrame(double size, double devicePixelRatio) {
    const double margin = coveredTileMargin(size);
    const int pixels = std::max(1, static_cast<int>(std::ceil((size + 2 * margin) * devicePixelRatio)));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

void strokeShape(QPainter& p, const QPainterPath& path, const QColor& colour, double width) {
    QPen pen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// A symbol of side `points` centred in the tile, optionally over its own shadow.
void drawCentredSymbol(QImage& frame, double size, const QString& name, const QColor& colour, double points,
                       const QColor& shadow = {}, double shadowRadius = 0) {
    const double dpr = frame.devicePixelRatio();
    const int pixels = std::max(1, static_cast<int>(std::lround(points * dpr)));
    const QImage symbol = renderSymbol(name, colour, pixels);
    if (symbol.isNull()) return;
    QImage layer(frame.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);  // in device pixels: the layer has no pixel ratio yet
        const double centre = (coveredTileMargin(size) + size / 2) * dpr;
        p.drawImage(QPointF(std::round(centre - pixels / 2.0), std::round(centre - pixels / 2.0)), symbol);
    }
    layer.setDevicePixelRatio(dpr);
    QPainter p(&frame);
    if (shadow.isValid() && shadow.alpha() > 0) p.drawImage(QPointF(0, 0), shadowOf(layer, shadow, shadowRadius * dpr));
    p.drawImage(QPointF(0, 0), layer);
}
}  // namespace

QImage renderUncoveredFace(UncoveredFace face, double size, double devicePixelRatio, const FacePalette& palette) {
    QImage image = blankFrame(size, devicePixelRatio);
    const double s = size / 44.0;
    const double radius = 5 * s;
    const double margin = coveredTileMargin(size);
    const QRectF tile(margin, margin, size, size);
    const QColor border = withAlpha(palette.primary, palette.increasedContrast ? 0.5 : 0.2);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        if (face == UncoveredFace::empty) {
            p.fillPath(roundedRect(tile, radius), withAlpha(palette.primary, 0.04));
            // The border lies inside the shape.
            const double line = size >= 16 ? 1.5 : 1.0;
            const QRectF inner = tile.adjusted(line / 2, line / 2, -line / 2, -line / 2);
            strokeShape(p, roundedRect(inner, std::max(0.0, radius - line / 2)), border, line);
            return image;
        }
        if (face == UncoveredFace::number && size >= 16) {
            QImage shape = blankFrame(size, devicePixelRatio);
            {
                QPainter q(&shape);
                q.setRenderHint(QPainter::Antialiasing);
                q.fillPath(roundedRect(tile, radius), Qt::black);
            }
            p.drawImage(QRectF(0, 0, image.width() / devicePixelRatio, image.height() / devicePixelRatio),
                        shadowOf(shape, QColor(0, 0, 0, 56), 2 * s * devicePixelRatio, 0, 1 * devicePixelRatio));
        }
        const bool exploded = face == UncoveredFace::explodedMine;
        p.fillPath(roundedRect(tile, radius), exploded ? palette.alert : palette.controlBackground);
        strokeShape(p, roundedRect(tile, radius), border, 1.0);
    }
    if (face == UncoveredFace::number) return image;
    const bool exploded = face == UncoveredFace::explodedMine;
    drawCentredSymbol(image, size, QStringLiteral("burst.fill"), exploded ? QColor(Qt::white) : palette.primary,
                      0.55 * size);
    if (face == UncoveredFace::wrongFlag)
        drawCentredSymbol(image, size, QStringLiteral("flag.slash.fill"), palette.alert, 0.5 * size,
                          QColor(255, 255, 255, 153), 0.5);
    return image;
}

QImage renderTileMark(TileMark mark, double size, double devicePixelRatio) {
    QImage image = blankFrame(size, devicePixelRatio);
    drawCentredSymbol(image, size, mark == TileMark::flag ? QStringLiteral("flag.fill") : QStringLiteral("questionmark"),
                      Qt::white, 0.5 * size, QColor(0, 0, 0, 179), std::max(0.04 * size, 0.5));
    return image;
}

double panelShadowPadding(double blurRadius) { return std::ceil(1.5 * std::max(blurRadius, 0.0)) + 1; }

QImage renderPanelShadow(double width, double height, double cornerRadius, double blurRadius, double opacity,
                         double devicePixelRatio) {
    const double pad = panelShadowPadding(blurRadius);
    const int w = std::max(1, static_cast<int>(std::ceil((width + 2 * pad) * devicePixelRatio)));
    const int h = std::max(1, static_cast<int>(std::ceil((height + 2 * pad) * devicePixelRatio)));
    QImage shape(w, h, QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    {
        QPainter p(&shape);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(devicePixelRatio, devicePixelRatio);
        p.fillPath(roundedRect(QRectF(pad, pad, width, height), cornerRadius), Qt::black);
    }
    QImage shadow = shadowOf(shape, QColor::fromRgbF(0, 0, 0, float(std::clamp(opacity, 0.0, 1.0))),
                             blurRadius * devicePixelRatio);
    shadow.setDevicePixelRatio(devicePixelRatio);
    return shadow;
}

// --- springs ------------------------------------------------------------------------------

namespace {
// Runs as long as its clock is wanted; Qt Quick advances it with the frames.
class ClockTicker final : public QAbstractAnimation {
public:
    explicit ClockTicker(std::function<void()> tick, QObject* parent) : QAbstractAnimation(parent), tick_(std::move(tick)) {}
    int duration() const override { return -1; }

protected:
    void updateCurrentTime(int) override { tick_(); }

private:
    std::function<void()> tick_;
};
}  // namespace

TileClock::TileClock(QObject* parent) : QObject(parent) {
    elapsed_.start();
    ticker_ = new ClockTicker([this] { tick(); }, this);
}

double TileClock::now() const { return frameStepMs_ > 0 ? time_ : elapsed_.nsecsElapsed() / 1e6; }

double TileClock::runFor(double ms) {
    // While running, the time moves only with the frames: every tile that starts within one
    // change of the board (an opened region) starts from the same moment, however long the
    // change takes to hand out.
    if (!running_) {
        time_ = now();
        emit timeChanged();
    }
    until_ = std::max(until_, time_ + std::max(ms, 0.0));
    if (!running_) {
        running_ = true;
        ticker_->start();
        emit runningChanged();
    }
    return time_;
}

void TileClock::tick() {
    time_ = frameStepMs_ > 0 ? time_ + frameStepMs_ : now();
    emit timeChanged();
    if (time_ < until_) return;
    ticker_->stop();
    running_ = false;
    emit runningChanged();
}

double springPosition(double seconds, double response, double dampingFraction) {
    if (seconds <= 0) return 0;
    if (response <= 0) return 1;
    const double omega = 2 * M_PI / response;
    const double zeta = std::max(dampingFraction, 0.0);
    const double t = seconds;
    if (zeta < 1) {
        const double damped = omega * std::sqrt(1 - zeta * zeta);
        return 1 - std::exp(-zeta * omega * t) * (std::cos(damped * t) + zeta * omega / damped * std::sin(damped * t));
    }
    if (zeta == 1) return 1 - std::exp(-omega * t) * (1 + omega * t);
    const double root = omega * std::sqrt(zeta * zeta - 1);
    const double r1 = -zeta * omega + root, r2 = -zeta * omega - root;
    return 1 - (r2 * std::exp(r1 * t) - r1 * std::exp(r2 * t)) / (r2 - r1);
}

double springSettleSeconds(double response, double dampingFraction) {
    double settled = 0;
    for (int ms = 1; ms <= 10000; ++ms)
        if (std::abs(springPosition(ms / 1000.0, response, dampingFraction) - 1) > 0.001) settled = ms / 1000.0;
    return settled;
}

QImage renderCoveredBoard(TileTheme theme, int rows, int columns, double size, double pitch, double devicePixelRatio,
                          const QColor& controlBackground, const QColor& outline) {
    const double margin = coveredTileMargin(size);
    const double width = (columns - 1) * pitch + size + 2 * margin;
    const double height = (rows - 1) * pitch + size + 2 * margin;
    QImage board(std::max(1, int(std::ceil(width * devicePixelRatio))), std::max(1, int(std::ceil(height * devicePixelRatio))),
                 QImage::Format_ARGB32_Premultiplied);
    board.fill(Qt::transparent);
    board.setDevicePixelRatio(devicePixelRatio);
    const QImage tile = renderCoveredTile(theme, size, devicePixelRatio, controlBackground, outline);
    QPainter p(&board);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // Each tile lands where the board's own tile would, in the frame its image is shown in.
    const QSizeF frame(size + 2 * margin, size + 2 * margin);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) p.drawImage(QRectF(QPointF(c * pitch, r * pitch), frame), tile);
    return board;
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

// The N numbers of an image id from parts[from]; false when one is not a number.
template <std::size_t N>
bool numbersAt(const QStringList& parts, int from, std::array<int, N>& numbers) {
    for (std::size_t i = 0; i < N; ++i) {
        bool ok = false;
        numbers[i] = parts[from + int(i)].toInt(&ok);
        if (!ok) return false;
    }
    return true;
}
// A tile's size and the device pixel ratio, both in hundredths, within what a screen can ask.
bool tileSizeAndRatioValid(int sizeHundredths, int ratioHundredths) {
    return sizeHundredths > 0 && sizeHundredths <= 100000 && ratioHundredths >= 25 && ratioHundredths <= 800;
}
}  // namespace

QImage TileImageProvider::requestImage(const QString& id, QSize* size, const QSize& /*requestedSize*/) {
    const QStringList parts = id.split(QLatin1Char('/'));
    QImage image;
    if (parts.size() == 6 && parts[0] == QLatin1String("covered")) {
        std::array<int, 3> three{};
        const auto& [themeIndex, sizeHundredths, ratioHundredths] = three;
        const QColor base = colorFromHex(parts[4]);
        const QColor outline = colorFromHex(parts[5]);
        if (numbersAt(parts, 1, three) && themeIndex >= 0 && themeIndex < int(allTileThemes.size()) &&
            tileSizeAndRatioValid(sizeHundredths, ratioHundredths) && base.isValid() && outline.isValid()) {
            image = renderCoveredTile(allTileThemes[static_cast<std::size_t>(themeIndex)], sizeHundredths / 100.0,
                                      ratioHundredths / 100.0, base, outline);
        }
    } else if (parts.size() == 9 && parts[0] == QLatin1String("board")) {
        std::array<int, 6> v{};
        const QColor base = colorFromHex(parts[7]);
        const QColor outline = colorFromHex(parts[8]);
        // Up to 60 tiles a side, as the game's boards; sizes as for one tile.
        if (numbersAt(parts, 1, v) && v[0] >= 0 && v[0] < int(allTileThemes.size()) && v[1] >= 1 && v[1] <= 60 &&
            v[2] >= 1 && v[2] <= 60 && v[3] > 0 && v[3] <= 20000 && v[4] >= v[3] && v[4] <= 40000 && v[5] >= 25 &&
            v[5] <= 800 && base.isValid() && outline.isValid())
            image = renderCoveredBoard(allTileThemes[std::size_t(v[0])], v[1], v[2], v[3] / 100.0, v[4] / 100.0,
                                       v[5] / 100.0, base, outline);
    } else if (parts.size() == 8 && parts[0] == QLatin1String("face")) {
        std::array<int, 3> three{};
        const auto& [faceIndex, sizeHundredths, ratioHundredths] = three;
        FacePalette palette{colorFromHex(parts[5]), colorFromHex(parts[6]), colorFromHex(parts[7]),
                            parts[4] == QLatin1String("1")};
        if (numbersAt(parts, 1, three) && faceIndex >= 0 && faceIndex <= int(UncoveredFace::wrongFlag) &&
            tileSizeAndRatioValid(sizeHundredths, ratioHundredths) && palette.primary.isValid() &&
            palette.controlBackground.isValid() && palette.alert.isValid())
            image = renderUncoveredFace(UncoveredFace(faceIndex), sizeHundredths / 100.0, ratioHundredths / 100.0,
                                        palette);
    } else if (parts.size() == 4 && parts[0] == QLatin1String("mark")) {
        std::array<int, 3> three{};
        const auto& [markIndex, sizeHundredths, ratioHundredths] = three;
        if (numbersAt(parts, 1, three) && (markIndex == 0 || markIndex == 1) &&
            tileSizeAndRatioValid(sizeHundredths, ratioHundredths))
            image = renderTileMark(TileMark(markIndex), sizeHundredths / 100.0, ratioHundredths / 100.0);
    } else if (parts.size() == 7 && parts[0] == QLatin1String("shadow")) {
        std::array<int, 6> v{};
        // Width, height, corner and blur up to 2000 points: the panel is far smaller.
        if (numbersAt(parts, 1, v) && v[0] > 0 && v[1] > 0 && v[0] <= 200000 && v[1] <= 200000 && v[2] >= 0 &&
            v[2] <= 200000 && v[3] >= 0 && v[3] <= 20000 && v[4] >= 0 && v[4] <= 100 && v[5] >= 25 && v[5] <= 800)
            image = renderPanelShadow(v[0] / 100.0, v[1] / 100.0, v[2] / 100.0, v[3] / 100.0, v[4] / 100.0,
                                      v[5] / 100.0);
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

QString TileGraphics::coveredBoardUrl(const QString& themeRaw, int rows, int columns, double size, double pitch,
                                      double devicePixelRatio) const {
    if (rows < 1 || columns < 1 || !(size > 0)) return {};
    const auto theme = tileThemeFromRaw(themeRaw.toStdString()).value_or(TileTheme::onyx);
    const auto index = std::find(allTileThemes.begin(), allTileThemes.end(), theme) - allTileThemes.begin();
    return QStringLiteral("image://velmora/board/%1/%2/%3/%4/%5/%6/%7/%8")
        .arg(index)
        .arg(rows)
        .arg(columns)
        .arg(std::lround(size * 100))
        .arg(std::lround(pitch * 100))
        .arg(std::lround(std::clamp(devicePixelRatio, 0.25, 8.0) * 100))
        .arg(colorHex(appearance_.controlBackground), colorHex(appearance_.secondary));
}

QString TileGraphics::uncoveredFaceUrl(const QString& face, bool exploded, bool wrongFlag, double size,
                                       double devicePixelRatio, bool increasedContrast) const {
    UncoveredFace kind = UncoveredFace::empty;
    if (face == QLatin1String("mine"))
        kind = wrongFlag ? UncoveredFace::wrongFlag : exploded ? UncoveredFace::explodedMine : UncoveredFace::mine;
    else if (face == QLatin1String("number"))
        kind = UncoveredFace::number;
    else if (face != QLatin1String("empty"))
        return {};
    return QStringLiteral("image://velmora/face/%1/%2/%3/%4/%5/%6/%7")
        .arg(int(kind))
        .arg(std::lround(size * 100))
        .arg(std::lround(std::clamp(devicePixelRatio, 0.25, 8.0) * 100))
        .arg(increasedContrast ? 1 : 0)
        .arg(colorHex(appearance_.primary), colorHex(appearance_.controlBackground), colorHex(alertColorValue()));
}

QString TileGraphics::markUrl(const QString& mark, double size, double devicePixelRatio) const {
    int kind = -1;
    if (mark == QLatin1String("flag")) kind = int(TileMark::flag);
    if (mark == QLatin1String("questionMark")) kind = int(TileMark::questionMark);
    if (kind < 0 || size <= 0) return {};
    return QStringLiteral("image://velmora/mark/%1/%2/%3")
        .arg(kind)
        .arg(std::lround(size * 100))
        .arg(std::lround(std::clamp(devicePixelRatio, 0.25, 8.0) * 100));
}

QString TileGraphics::panelShadowUrl(double width, double height, double cornerRadius, double blurRadius,
                                     double opacity, double devicePixelRatio) const {
    if (!(width > 0) || !(height > 0)) return {};
    return QStringLiteral("image://velmora/shadow/%1/%2/%3/%4/%5/%6")
        .arg(std::lround(width * 100))
        .arg(std::lround(height * 100))
        .arg(std::lround(std::max(cornerRadius, 0.0) * 100))
        .arg(std::lround(std::max(blurRadius, 0.0) * 100))
        .arg(std::lround(std::clamp(opacity, 0.0, 1.0) * 100))
        .arg(std::lround(std::clamp(devicePixelRatio, 0.25, 8.0) * 100));
}

double TileGraphics::panelShadowPadding(double blurRadius) const { return velmora::ui::panelShadowPadding(blurRadius); }

namespace {
constexpr double kMarkResponse = 0.28;
constexpr double kMarkDamping = 0.5;
}  // namespace

double TileGraphics::markSpring(double ms) const {
    return ms >= markSpringMs() ? 1.0 : springPosition(ms / 1000.0, kMarkResponse, kMarkDamping);
}

int TileGraphics::markSpringMs() const {
    static const int settle = int(std::ceil(springSettleSeconds(kMarkResponse, kMarkDamping) * 1000));
    return settle;
}

QString TileGraphics::symbolSource(const QString& name, const QColor& color, double pointSize,
                                   double devicePixelRatio) const {
    const long pixels = std::lround(std::clamp(pointSize * std::clamp(devicePixelRatio, 0.25, 8.0), 1.0, 4096.0));
    return QStringLiteral("image://velmora/symbol/%1/%2/%3").arg(name, colorHex(color)).arg(pixels);
}

QString TileGraphics::themeDisplayName(const QString& themeRaw) const {
    return QCoreApplication::translate("Velmora", themeRaw.toUtf8().constData());
}

}  // namespace velmora::ui
