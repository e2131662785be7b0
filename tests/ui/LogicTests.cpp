#include <QCoreApplication>
#include <QFontInfo>
#include <QFontMetricsF>

#include <cmath>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

#include <limits>

#include "BoardController.h"
#include "CatcherView.h"
#include "DigitFont.h"
#include "LocalizedText.h"
#include "Symbols.h"
#include "TileGraphics.h"

using namespace velmora;
using namespace velmora::ui;

namespace {
// A string table with chosen entries, standing in for a loaded translation.
class TableTranslator : public QTranslator {
public:
    QHash<QString, QString> entries;
    bool isEmpty() const override { return entries.isEmpty(); }
    QString translate(const char* context, const char* source, const char* = nullptr, int = -1) const override {
        if (qstrcmp(context, "Velmora") != 0) return {};
        return entries.value(QString::fromUtf8(source));
    }
};

bool near(double a, double b, double tolerance = 0.0015) { return std::abs(a - b) <= tolerance; }
}  // namespace

class LogicTests : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { setInterfaceLanguage(QStringLiteral("en")); }
    void pluralCategoriesFollowTheLanguage();
    void countStringsFallBackThroughCategoryOtherAndKey();
    void formattingOfClockCounterAndPlaceholders();
    void tileLabelsDescribeEveryState();
    void facesAndRevealDelays();
    void themeColoursAndCoveredTileMeasures();
    void numberAndAlertColoursByAppearance();
    void boardGeometryAtEveryScale();
    void hitTestingMapsGapsAndEdgesToTiles();
    void focusMovesStopAtTheEdges();
    void pressesAreClassifiedAndMultiClicksCounted();
    void symbolsRenderInTheirColour();
    void springsOvershootAndSettleByTheirDamping();
    void shadowsBlurAndShiftTheCoverage();
    void uncoveredFacesAndMarksLineUpWithTheCoveredTile();
    void clockRunsOnlyWhileWanted();
    void tabularFiguresGiveEveryDigitOneWidth();
};

void LogicTests::pluralCategoriesFollowTheLanguage() {
    const QString pl = QStringLiteral("pl");
    QCOMPARE(pluralCategory(pl, 1), QStringLiteral("one"));
    for (int n : {2, 3, 4, 22, 23, 24, 102}) QCOMPARE(pluralCategory(pl, n), QStringLiteral("few"));
    for (int n : {0, 5, 11, 12, 13, 14, 21, 25, 112}) QCOMPARE(pluralCategory(pl, n), QStringLiteral("many"));
    // A negative mine count is read by its magnitude, as plural rules do, in every language.
    QCOMPARE(pluralCategory(pl, -1), QStringLiteral("one"));
    QCOMPARE(pluralCategory(pl, -2), QStringLiteral("few"));
    QCOMPARE(pluralCategory(pl, -22), QStringLiteral("few"));
    QCOMPARE(pluralCategory(pl, -5), QStringLiteral("many"));
    QCOMPARE(pluralCategory(pl, -12), QStringLiteral("many"));
    QCOMPARE(pluralCategory(pl, std::numeric_limits<qint64>::min()), QStringLiteral("many"));
    QCOMPARE(pluralCategory(QStringLiteral("fr"), -1), QStringLiteral("one"));
    QCOMPARE(pluralCategory(QStringLiteral("fr"), -2), QStringLiteral("other"));
    QCOMPARE(pluralCategory(QStringLiteral("en"), -1), QStringLiteral("one"));
    QCOMPARE(pluralCategory(QStringLiteral("de"), -3), QStringLiteral("other"));

    QCOMPARE(pluralCategory(QStringLiteral("fr"), 0), QStringLiteral("one"));
    QCOMPARE(pluralCategory(QStringLiteral("fr"), 1), QStringLiteral("one"));
    QCOMPARE(pluralCategory(QStringLiteral("fr"), 2), QStringLiteral("other"));

    for (const char* code : {"en", "de", "pl_PL", "fr-CA", ""}) {
        QCOMPARE(pluralCategory(QString::fromLatin1(code), 1), QStringLiteral("one"));
        QCOMPARE(pluralCategory(QString::fromLatin1(code), 0), QStringLiteral("other"));
        QCOMPARE(pluralCategory(QString::fromLatin1(code), 2), QStringLiteral("other"));
    }
}

void LogicTests::countStringsFallBackThroughCategoryOtherAndKey() {
    // No table at all.
    QCOMPARE(localizedCountString(QStringLiteral("%lld mines left"), 3), QStringLiteral("3 mines left"));
    QCOMPARE(localizedCountString(QStringLiteral("%lld mines left"), -2), QStringLiteral("-2 mines left"));

    TableTranslator table;
    table.entries.insert(QStringLiteral("%lld mines nearby|one"), QStringLiteral("%lld mine nearby"));
    QCoreApplication::installTranslator(&table);
    QCOMPARE(localizedCountString(QStringLiteral("%lld mines nearby"), 1), QStringLiteral("1 mine nearby"));
    QCOMPARE(localizedCountString(QStringLiteral("%lld mines nearby"), 2), QStringLiteral("2 mines nearby"));

    setInterfaceLanguage(QStringLiteral("pl"));
    table.entries.insert(QStringLiteral("%lld mines left|few"), QStringLiteral("Zostały %lld miny"));
    table.entries.insert(QStringLiteral("%lld mines left|other"), QStringLiteral("Min: %lld"));
    QCOMPARE(localizedCountString(QStringLiteral("%lld mines left"), 22), QStringLiteral("Zostały 22 miny"));
    QCOMPARE(localizedCountString(QStringLiteral("%lld mines left"), 5), QStringLiteral("Min: 5"));  // many → other
    // Further arguments follow the count.
    table.entries.insert(QStringLiteral("%lld of %@|many"), QStringLiteral("%lld z %@"));
    QCOMPARE(localizedCountString(QStringLiteral("%lld of %@"), 7, {QStringLiteral("X")}), QStringLiteral("7 z X"));
    QCoreApplication::removeTranslator(&table);
}

void LogicTests::formattingOfClockCounterAndPlaceholders() {
    const QList<QPair<qint64, QString>> clocks{{0, "0:00"}, {59, "0:59"}, {60, "1:00"}, {65, "1:05"},
                                               {600, "10:00"}, {754, "12:34"}, {5999, "99:59"}};
    for (const auto& [seconds, text] : clocks) QCOMPARE(clockText(seconds), text);
    QCOMPARE(clockAccessibleLabel(65), QStringLiteral("Time: 1:05"));
    QCOMPARE(minesLeftText(-2), QStringLiteral("-2"));
    QCOMPARE(minesLeftAccessibleLabel(-2), QStringLiteral("-2 mines left"));
    QCOMPARE(minesLeftAccessibleLabel(3), QStringLiteral("3 mines left"));

    // Missing arguments and unknown conversions stay as written instead of reading garbage.
    QCOMPARE(formatText(QStringLiteral("%lld and %lld"), {1}), QStringLiteral("1 and %lld"));
    QCOMPARE(formatText(QStringLiteral("100%% %s %"), {1}), QStringLiteral("100% %s %"));
    QCOMPARE(formatText(QStringLiteral("%03d|%2d"), {-5, 7}), QStringLiteral("-05| 7"));
}

void LogicTests::tileLabelsDescribeEveryState() {
    Tile two;
    two.isRevealed = true;
    two.adjacentMines = 2;
    QCOMPARE(tileAccessibleLabel(two, 2, 0, false, false), QStringLiteral("Row 3, column 1: 2 mines nearby"));

    Tile wrongFlag;
    wrongFlag.isFlagged = true;
    QCOMPARE(tileAccessibleLabel(wrongFlag, 0, 0, true, false), QStringLiteral("Row 1, column 1: flagged, no mine"));
    QCOMPARE(tileAccessibleLabel(wrongFlag, 0, 0, false, true), QStringLiteral("Row 1, column 1: flagged"));
    Tile rightFlag = wrongFlag;
    rightFlag.hasMine = true;
    QCOMPARE(tileAccessibleLabel(rightFlag, 0, 0, true, false), QStringLiteral("Row 1, column 1: flagged"));

    Tile mine;
    mine.hasMine = mine.isRevealed = true;
    QCOMPARE(tileAccessibleLabel(mine, 4, 5, true, false), QStringLiteral("Row 5, column 6: mine"));
    Tile empty;
    empty.isRevealed = true;
    QCOMPARE(tileAccessibleLabel(empty, 0, 1, false, false), QStringLiteral("Row 1, column 2: empty"));
    Tile question;
    question.isQuestioned = true;
    QCOMPARE(tileAccessibleLabel(question, 0, 0, false, true), QStringLiteral("Row 1, column 1: question mark"));
    QCOMPARE(tileAccessibleLabel(Tile{}, 0, 0, false, true),
             QStringLiteral("Row 1, column 1: covered, safe to uncover (hint)"));
    QCOMPARE(tileAccessibleLabel(Tile{}, 21, 21, false, false), QStringLiteral("Row 22, column 22: covered"));

    // The whole label is one translatable format, so a language picks its own separator; the
    // state goes in as it is, whatever signs it holds.
    TableTranslator table;
    table.entries.insert(QStringLiteral("Row %lld, column %lld: %@"), QStringLiteral("R%lld C%lld\u00a0: %@"));
    table.entries.insert(QStringLiteral("covered"), QStringLiteral("100% %@ hidden"));
    QCoreApplication::installTranslator(&table);
    QCOMPARE(tileAccessibleLabel(Tile{}, 0, 1, false, false), QStringLiteral("R1 C2\u00a0: 100% %@ hidden"));
    QCoreApplication::removeTranslator(&table);
}

void LogicTests::facesAndRevealDelays() {
    Tile t;
    QCOMPARE(tileFace(t, false), TileFace::covered);
    t.isFlagged = true;
    QCOMPARE(tileFace(t, true), TileFace::mine);  // wrong flag turns over after a loss
    t.hasMine = true;
    QCOMPARE(tileFace(t, true), TileFace::covered);  // right flag stays
    Tile n;
    n.isRevealed = true;
    n.adjacentMines = 1;
    QCOMPARE(tileFace(n, false), TileFace::number);
    n.adjacentMines = 0;
    QCOMPARE(tileFace(n, false), TileFace::empty);

    Tile d;
    for (auto [distance, ms] : {std::pair{0, 0}, {5, 125}, {12, 300}, {40, 300}, {-3, 0}}) {
        d.revealDistance = distance;
        QCOMPARE(revealDelayMs(d), ms);
    }
    d.hasMine = true;
    QCOMPARE(revealDelayMs(d), 350);
}

void LogicTests::themeColoursAndCoveredTileMeasures() {
    const Gradient amber = coveredGradient(TileTheme::solidAmber);
    QVERIFY(near(amber.top.redF(), 0.924) && near(amber.top.greenF(), 0.686) && near(amber.top.blueF(), 0.206));
    QVERIFY(near(amber.bottom.redF(), 0.640) && near(amber.bottom.greenF(), 0.450) && near(amber.bottom.blueF(), 0.069));
    const Gradient mauve = coveredGradient(TileTheme::solidMauve);
    QVERIFY(near(mauve.top.redF(), 0.655) && near(mauve.bottom.blueF(), 0.406));
    const Gradient slate = coveredGradient(TileTheme::solidSlate);
    QVERIFY(near(slate.top.blueF(), 0.541) && near(slate.bottom.redF(), 0.228));
    const Gradient onyx = coveredGradient(TileTheme::onyx);
    QVERIFY(near(onyx.top.redF(), 0.22) && near(onyx.bottom.blueF(), 0.11));
    for (TileTheme theme : allTileThemes) QCOMPARE(coveredGradient(theme).top.alphaF(), 1.0f);

    const CoveredTileMetrics m44 = coveredTileMetrics(44);
    QCOMPARE(m44.cornerRadius, 5.0);
    QCOMPARE(m44.faceInset, 1.5);
    QCOMPARE(m44.faceClipRadius, 4.25);
    QCOMPARE(m44.ringRadius, 3.0);
    QCOMPARE(m44.ringInset, 3.0);
    QCOMPARE(m44.shadowRadius, 2.0);
    QCOMPARE(coveredTileMetrics(16).ringOpacity, 0.5);
    QCOMPARE(coveredTileMetrics(16).shadowOpacity, 0.22);
    QCOMPARE(coveredTileMetrics(15.9).ringOpacity, 0.0);
    QCOMPARE(coveredTileMetrics(15.9).shadowOpacity, 0.12);

    // The drawn tile: gradient ends near the corners of the face, transparent margin around.
    const QImage image = renderCoveredTile(TileTheme::solidAmber, 44, 1.0, Qt::white, QColor(0, 0, 0, 128));
    const int margin = int(coveredTileMargin(44));
    QCOMPARE(image.width(), 44 + 2 * margin);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    const QColor nearTop = image.pixelColor(margin + 4, margin + 4);
    const QColor nearBottom = image.pixelColor(margin + 40, margin + 40);
    QVERIFY2(nearTop.red() > nearBottom.red() && nearTop.green() > nearBottom.green(), "gradient runs light to dark");
    QVERIFY(std::abs(nearBottom.red() - int(0.640 * 255)) < 14);
}

void LogicTests::numberAndAlertColoursByAppearance() {
    QCOMPARE(numberColor(1, false), QColor::fromRgbF(0.1f, 0.3f, 0.8f));
    QCOMPARE(numberColor(1, true), QColor(0x0A84FF));
    QCOMPARE(numberColor(8, false), QColor::fromRgbF(0.35f, 0.35f, 0.35f));
    QCOMPARE(numberColor(8, true), QColor(0x8E8E93));
    QCOMPARE(numberColor(0, false), numberColor(1, false));   // below the range: colour of 1
    QCOMPARE(numberColor(12, true), numberColor(8, true));    // above: colour of 8
    QCOMPARE(numberColor(7, false), QColor(Qt::black));
    QCOMPARE(numberColor(7, true), QColor(Qt::white));
    QCOMPARE(alertColor(true), QColor(0xFF453A));
    QCOMPARE(alertColor(false), QColor::fromRgbF(0.8f, 0.07f, 0.07f));
}

void LogicTests::boardGeometryAtEveryScale() {
    const BoardGeometry beginner = boardGeometry(9, 9, 1.0);
    QVERIFY(near(beginner.tileSize, 34.23, 0.005));
    QVERIFY(near(beginner.tileSpacing, 2.74, 0.005));
    QVERIFY(near(beginner.gridHeight, 330, 1e-9));
    QVERIFY(near(boardGeometry(16, 16, 1.0).tileSize, 19.19, 0.005));
    QVERIFY(near(boardGeometry(22, 22, 1.0).tileSize, 13.94, 0.005));
    QVERIFY(near(boardGeometry(22, 22, 1.0).gridWidth, 330, 1e-9));

    const double large = boardScaleFor(1.0, BoardSize::large);
    QCOMPARE(large, 1.18);
    QVERIFY(near(375 * large, 442.5, 1e-9));
    QVERIFY(near(347 * large, 409.46, 1e-9));
    QVERIFY(near(330 * large, 389.4, 1e-9));
    QVERIFY(near(boardGeometry(9, 9, large).tileSize, 40.39, 0.005));
    QCOMPARE(boardScaleFor(1.5, BoardSize::standard), 1.5);
}

void LogicTests::hitTestingMapsGapsAndEdgesToTiles() {
    const BoardGeometry g = boardGeometry(9, 9, 1.0);
    const double p = g.tilePitch;
    QCOMPARE(hitTest({0, 0}, p, 9, 9), 0);
    QCOMPARE(hitTest({g.tileSize + g.tileSpacing / 2, 1}, p, 9, 9), 0);  // gap → left tile
    QCOMPARE(hitTest({1, g.tileSize + g.tileSpacing / 2}, p, 9, 9), 0);  // gap → upper tile
    QCOMPARE(hitTest({p, p}, p, 9, 9), 10);                               // exactly on the next edge
    QCOMPARE(hitTest({g.gridWidth - 0.01, 1}, p, 9, 9), 8);               // far right → last column
    QCOMPARE(hitTest({g.gridWidth + 50, g.gridHeight + 50}, p, 9, 9), 80);
    QCOMPARE(hitTest({-0.5, -30}, p, 9, 9), 0);
    QCOMPARE(hitTest({qQNaN(), 1e300}, p, 9, 9), 72);  // nonsense stays on the board
    QCOMPARE(hitTest({5 * p + 1, 3 * p + 1}, p, 16, 16), 3 * 16 + 5);
}

void LogicTests::focusMovesStopAtTheEdges() {
    QCOMPARE(movedFocus(0, FocusDirection::up, 9, 9), 0);
    QCOMPARE(movedFocus(0, FocusDirection::left, 9, 9), 0);
    QCOMPARE(movedFocus(8, FocusDirection::right, 9, 9), 8);  // no wrap to the next row
    QCOMPARE(movedFocus(80, FocusDirection::down, 9, 9), 80);
    QCOMPARE(movedFocus(40, FocusDirection::up, 9, 9), 31);
    QCOMPARE(movedFocus(40, FocusDirection::down, 9, 9), 49);
    QCOMPARE(movedFocus(40, FocusDirection::left, 9, 9), 39);
    QCOMPARE(movedFocus(40, FocusDirection::right, 9, 9), 41);
    // A focus left over from a bigger board clamps only the coordinate that moves.
    QCOMPARE(movedFocus(483, FocusDirection::left, 9, 9), 53 * 9 + 5);
    QCOMPARE(movedFocus(483, FocusDirection::down, 9, 9), 8 * 9 + 6);
    QCOMPARE(movedFocus(483, FocusDirection::up, 9, 9), 52 * 9 + 6);
}

void LogicTests::pressesAreClassifiedAndMultiClicksCounted() {
    QCOMPARE(classifyPress(Qt::LeftButton, {}, 1), TileClick::primary);
    QCOMPARE(classifyPress(Qt::LeftButton, {}, 2), TileClick::chord);
    QCOMPARE(classifyPress(Qt::LeftButton, {}, 3), TileClick::chord);
    QCOMPARE(classifyPress(Qt::LeftButton, Qt::ControlModifier, 2), TileClick::flag);
    QCOMPARE(classifyPress(Qt::LeftButton, Qt::ShiftModifier, 1), TileClick::primary);
    QCOMPARE(classifyPress(Qt::RightButton, Qt::ShiftModifier, 3), TileClick::flag);

    ClickCounter counter;
    QCOMPARE(counter.press(Qt::LeftButton, {10, 10}, 1000, 400, 4), 1);
    QCOMPARE(counter.press(Qt::LeftButton, {11, 10}, 1200, 400, 4), 2);
    QCOMPARE(counter.press(Qt::LeftButton, {11, 12}, 1500, 400, 4), 3);  // triple-click: still counting
    QCOMPARE(counter.press(Qt::LeftButton, {11, 12}, 2000, 400, 4), 1);  // too late
    QCOMPARE(counter.press(Qt::LeftButton, {30, 12}, 2100, 400, 4), 1);  // moved away
    QCOMPARE(counter.press(Qt::RightButton, {30, 12}, 2200, 400, 4), 1);  // other button
    QCOMPARE(counter.press(Qt::RightButton, {30, 12}, 100, 400, 4), 1);   // clock went backwards
}

void LogicTests::symbolsRenderInTheirColour() {
    for (const char* name : {"flag.fill", "flag", "burst.fill", "square.grid.3x3.fill", "arrow.clockwise", "lightbulb",
                             "chevron.down", "questionmark", "flag.slash.fill"}) {
        const QImage image = renderSymbol(QString::fromLatin1(name), QColor(200, 10, 20), 32);
        QVERIFY2(!image.isNull(), name);
        bool drawn = false, onlyColour = true;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() == 255) {
                    drawn = true;
                    onlyColour = onlyColour && c == QColor(200, 10, 20);
                }
            }
        QVERIFY2(drawn && onlyColour, name);
    }
    QVERIFY(renderSymbol(QStringLiteral("no.such.symbol"), Qt::red, 16).isNull());
    QVERIFY(renderSymbol(QStringLiteral("../icons/flag"), Qt::red, 16).isNull());
    QVERIFY(!symbolIcon(QStringLiteral("burst.fill"), Qt::black, 16).isNull());
    QVERIFY(symbolUrl(QStringLiteral("flag.fill")).startsWith(QStringLiteral("qrc:/")));
}


void LogicTests::springsOvershootAndSettleByTheirDamping() {
    QCOMPARE(springPosition(0, 0.28, 0.5), 0.0);
    QCOMPARE(springPosition(-1, 0.28, 0.5), 0.0);
    // An underdamped spring peaks half a damped period in, by exp(-zeta pi / sqrt(1 - zeta^2)).
    for (const auto& [response, damping] : {std::pair{0.28, 0.5}, std::pair{0.5, 0.85}}) {
        const double omega = 2 * M_PI / response;
        const double peakAt = M_PI / (omega * std::sqrt(1 - damping * damping));
        const double overshoot = std::exp(-damping * M_PI / std::sqrt(1 - damping * damping));
        QVERIFY(near(springPosition(peakAt, response, damping), 1 + overshoot, 1e-9));
        QVERIFY(springPosition(peakAt * 0.9, response, damping) < springPosition(peakAt, response, damping));
        QVERIFY(springPosition(peakAt * 1.1, response, damping) < springPosition(peakAt, response, damping));
        const double settle = springSettleSeconds(response, damping);
        for (double t = settle + 0.001; t < settle + 2; t += 0.001)
            QVERIFY(std::abs(springPosition(t, response, damping) - 1) <= 0.001);
        QVERIFY(std::abs(springPosition(settle, response, damping) - 1) > 0.001 - 1e-6);
    }
    // Critically and over-damped springs approach 1 without passing it.
    for (double damping : {1.0, 1.5}) {
        double previous = 0;
        for (double t = 0.001; t < 3; t += 0.01) {
            const double x = springPosition(t, 0.3, damping);
            QVERIFY2(x >= previous && x <= 1, qPrintable(QString::number(t)));
            previous = x;
        }
        QVERIFY(springPosition(0.3, 0.3, damping) < 1);
    }
    QVERIFY(near(springSettleSeconds(0.28, 0.5), 0.566, 0.002));  // how long a mark moves
    TileGraphics graphics(nullptr);
    QCOMPARE(graphics.markSpring(0), 0.0);
    QCOMPARE(graphics.markSpring(graphics.markSpringMs()), 1.0);  // at rest exactly, not within 0.1 %
    QVERIFY(graphics.markSpring(162) > 1.15);                      // the mark grows past its size
}

void LogicTests::shadowsBlurAndShiftTheCoverage() {
    // A 4x4 opaque square in the middle of 32x32.
    QImage square(32, 32, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    for (int y = 14; y < 18; ++y)
        for (int x = 14; x < 18; ++x) square.setPixel(x, y, qRgba(255, 0, 0, 255));
    auto coverage = [](const QImage& image) {
        double sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) sum += qAlpha(image.pixel(x, y)) / 255.0;
        return sum;
    };
    const QImage hard = shadowOf(square, QColor(0, 0, 0, 255), 0);
    QCOMPARE(qAlpha(hard.pixel(15, 15)), 255);
    QCOMPARE(qRed(hard.pixel(15, 15)), 0);  // the shadow's colour, not the image's
    QCOMPARE(qAlpha(hard.pixel(13, 15)), 0);
    const QImage soft = shadowOf(square, QColor(0, 0, 0, 255), 4);
    QVERIFY(qAlpha(soft.pixel(15, 15)) < 255);
    QVERIFY(qAlpha(soft.pixel(11, 15)) > 0);  // spread beyond the square
    QVERIFY(std::abs(coverage(soft) - 16) < 0.3);  // a blur moves coverage, it does not add any
    const QImage faint = shadowOf(square, QColor(0, 0, 0, 77), 4);
    QVERIFY(std::abs(coverage(faint) - 16 * 77 / 255.0) < 0.3);
    const QImage shifted = shadowOf(square, QColor(0, 0, 0, 255), 0, 0, 3);
    QCOMPARE(qAlpha(shifted.pixel(15, 14)), 0);
    QCOMPARE(qAlpha(shifted.pixel(15, 20)), 255);
    // Premultiplied: no colour brighter than its coverage.
    const QImage white = shadowOf(square, QColor(255, 255, 255, 153), 2);
    for (int x = 8; x < 24; ++x) QVERIFY(qRed(white.pixel(x, 15)) <= qAlpha(white.pixel(x, 15)));

    // A panel's shadow: centred in its padding, densest under the panel, nothing at the corners.
    const double pad = panelShadowPadding(16);
    const QImage panel = renderPanelShadow(100, 60, 16, 16, 0.3, 1.0);
    QCOMPARE(panel.width(), int(100 + 2 * pad));
    QCOMPARE(panel.height(), int(60 + 2 * pad));
    const int centreAlpha = qAlpha(panel.pixel(panel.width() / 2, panel.height() / 2));
    QVERIFY2(std::abs(centreAlpha - 77) <= 3, qPrintable(QString::number(centreAlpha)));
    QCOMPARE(qAlpha(panel.pixel(0, 0)), 0);
}

void LogicTests::uncoveredFacesAndMarksLineUpWithTheCoveredTile() {
    const FacePalette palette{QColor(Qt::black), QColor(Qt::white), alertColor(false), false};
    const int margin = int(coveredTileMargin(44));
    const int frame = renderCoveredTile(TileTheme::onyx, 44, 1.0, Qt::white, Qt::gray).width();
    for (UncoveredFace face : {UncoveredFace::empty, UncoveredFace::number, UncoveredFace::mine,
                               UncoveredFace::explodedMine, UncoveredFace::wrongFlag})
        QCOMPARE(renderUncoveredFace(face, 44, 1.0, palette).width(), frame);
    QCOMPARE(renderTileMark(TileMark::flag, 44, 2.0).width(), renderCoveredTile(TileTheme::onyx, 44, 2.0, Qt::white, Qt::gray).width());

    // A number face casts its shadow downwards from 16 points on, not below that.
    const QImage number = renderUncoveredFace(UncoveredFace::number, 44, 1.0, palette);
    QVERIFY(qAlpha(number.pixel(margin + 22, margin + 44)) > 0);
    QCOMPARE(qAlpha(number.pixel(margin + 22, margin - 2)), 0);
    QCOMPARE(number.pixel(margin + 22, margin + 22), QColor(Qt::white).rgba());
    const int smallMargin = int(coveredTileMargin(15));
    const QImage small = renderUncoveredFace(UncoveredFace::number, 15, 1.0, palette);
    QCOMPARE(qAlpha(small.pixel(smallMargin + 7, smallMargin + 15 + 1)), 0);

    // An exploded mine: alert background, white burst; any other mine: the control background.
    const QImage exploded = renderUncoveredFace(UncoveredFace::explodedMine, 44, 1.0, palette);
    QCOMPARE(exploded.pixel(margin + 3, margin + 22), alertColor(false).rgba());
    QCOMPARE(exploded.pixel(margin + 22, margin + 22), QColor(Qt::white).rgba());
    const QImage mine = renderUncoveredFace(UncoveredFace::mine, 44, 1.0, palette);
    QCOMPARE(mine.pixel(margin + 3, margin + 22), QColor(Qt::white).rgba());
    QVERIFY(mine.pixelColor(margin + 22, margin + 22).lightness() < 40);
    // A wrong flag adds the alert-coloured crossed flag over the burst.
    const QImage wrong = renderUncoveredFace(UncoveredFace::wrongFlag, 44, 1.0, palette);
    QVERIFY(wrong != mine);

    // Marks are white with a dark halo just outside the symbol.
    const QImage flag = renderTileMark(TileMark::flag, 44, 1.0);
    bool white = false, halo = false;
    for (int y = 0; y < flag.height(); ++y)
        for (int x = 0; x < flag.width(); ++x) {
            const QColor c = flag.pixelColor(x, y);
            white = white || c == QColor(Qt::white);
            halo = halo || (c.alpha() > 0 && c.alpha() < 200 && c.lightness() < 60);
        }
    QVERIFY(white && halo);
    QVERIFY(renderTileMark(TileMark::questionMark, 44, 1.0) != flag);

    // The provider serves them by URL and refuses what it cannot draw.
    TileGraphics graphics(nullptr);
    TileImageProvider provider;
    QSize size;
    const QString url = graphics.uncoveredFaceUrl(QStringLiteral("mine"), true, false, 44, 1.0, false);
    QVERIFY(url.startsWith(QStringLiteral("image://velmora/face/3/4400/100/0/")));
    QCOMPARE(provider.requestImage(url.mid(int(qstrlen("image://velmora/"))), &size, {}).width(), frame);
    QVERIFY(graphics.uncoveredFaceUrl(QStringLiteral("mine"), true, true, 44, 1.0, false).contains(QStringLiteral("/face/4/")));
    QVERIFY(graphics.uncoveredFaceUrl(QStringLiteral("covered"), false, false, 44, 1.0, false).isEmpty());
    QVERIFY(graphics.markUrl(QStringLiteral("questionMark"), 44, 1.0).startsWith(QStringLiteral("image://velmora/mark/1/")));
    QVERIFY(graphics.markUrl(QString(), 44, 1.0).isEmpty());
    for (const char* bad : {"face/9/4400/100/0/ff000000/ffffffff/ffcc1212", "face/0/4400/100/0/nothex/ffffffff/ffcc1212",
                            "face/0/-5/100/0/ff000000/ffffffff/ffcc1212", "mark/2/4400/100", "mark/0/4400/9000",
                            "shadow/100/100/0/99999999/30/100", "shadow/0/100/0/10/30/100"}) {
        const QImage image = provider.requestImage(QString::fromLatin1(bad), &size, {});
        QVERIFY2(image.size() == QSize(1, 1) && qAlpha(image.pixel(0, 0)) == 0, bad);
    }
}

void LogicTests::clockRunsOnlyWhileWanted() {
    TileClock clock;
    QVERIFY(!clock.running());
    QSignalSpy stops(&clock, &TileClock::runningChanged);
    const double from = clock.runFor(30);
    QVERIFY(clock.running());
    QCOMPARE(clock.time(), from);
    QCOMPARE(clock.runFor(10), from);  // no frame yet: the same moment; a shorter wish cuts nothing short
    QTRY_VERIFY(!clock.running());
    QVERIFY(clock.time() >= from + 30);
    QCOMPARE(stops.count(), 2);  // started once, stopped once
    const double later = clock.runFor(0);
    QVERIFY(later >= clock.time() - 1e-9 && later >= from + 30);
    QTRY_VERIFY(!clock.running());
}

void LogicTests::tabularFiguresGiveEveryDigitOneWidth() {
    // The measure needs a font whose ordinary digits differ in width and that has tabular
    // ones: DejaVu Sans's digits are all one width already and it has no "tnum".
    QFont font(QStringLiteral("Cantarell"));
    font.setPixelSize(13);
    font.setWeight(QFont::Medium);
    if (QFontInfo(font).family() != font.family()) QSKIP("Cantarell is not installed (fonts-cantarell)");
    const QFontMetricsF plain(font);
    QVERIFY(plain.horizontalAdvance(QStringLiteral("1111")) < plain.horizontalAdvance(QStringLiteral("0000")));

    const QFont tabular = withTabularFigures(font);
    if (!canUseTabularFigures()) {
        // Before Qt 6.6 the font is left as it is and the digit cells do the work.
        QCOMPARE(tabular, font);
        return;
    }
    const QFontMetricsF metrics(tabular);
    const qreal zero = metrics.horizontalAdvance(QStringLiteral("0"));
    QCOMPARE(metrics.horizontalAdvance(QStringLiteral("1111")), metrics.horizontalAdvance(QStringLiteral("0000")));
    for (char16_t d = u'1'; d <= u'9'; ++d) QCOMPARE(metrics.horizontalAdvance(QString(QChar(d))), zero);
    QCOMPARE(digitCellWidth(tabular), std::ceil(zero));
}

QTEST_MAIN(LogicTests)
#include "LogicTests.moc"
