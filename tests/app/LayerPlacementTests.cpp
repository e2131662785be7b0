#include <QtTest>

#include "LayerPlacement.h"

using namespace velmora::app;

namespace {

const QSize kPanel(375, 410);

// The rectangle a compositor gives a surface placed so, measuring the margins from the free
// area as it does for a surface with no exclusive zone of its own.
QRect placedRect(const LayerPlacement& placement, const QRect& area, const QSize& size) {
    const QMargins& m = placement.margins;
    int x = area.left() + (area.width() - size.width()) / 2;
    int y = area.top() + (area.height() - size.height()) / 2;
    if (placement.anchors & Qt::LeftEdge) x = area.left() + m.left();
    if (placement.anchors & Qt::RightEdge) x = area.right() + 1 - m.right() - size.width();
    if (placement.anchors & Qt::TopEdge) y = area.top() + m.top();
    if (placement.anchors & Qt::BottomEdge) y = area.bottom() + 1 - m.bottom() - size.height();
    return QRect(QPoint(x, y), size);
}

bool marginsAreNonNegative(const QMargins& m) {
    return m.left() >= 0 && m.top() >= 0 && m.right() >= 0 && m.bottom() >= 0;
}

}  // namespace

class LayerPlacementTests : public QObject {
    Q_OBJECT
private slots:
    void restsAgainstTheEdgeOfTheTraysPanel();
    void aPointInTheOpenPutsThePanelsEdgeThere();
    void otherMonitorsAndPointsOffEveryScreen();
    void staysOnScreenAndCentredWhereverTheClick();
};

void LayerPlacementTests::restsAgainstTheEdgeOfTheTraysPanel() {
    const QRect screen(0, 0, 1280, 800);
    // Plasma's bottom panel on Wayland, where the toolkit is told of no panel: the click is
    // inside the "free" area by the panel's thickness, and the surface still rests on it.
    LayerPlacement p = layerPlacement(QPoint(1072, 778), {{screen, screen}}, kPanel);
    QCOMPARE(p.screen, 0);
    QCOMPARE(p.anchors, Qt::BottomEdge | Qt::RightEdge);
    QCOMPARE(p.margins, QMargins(0, 0, 20, 0));  // centred on x = 1072
    // A top bar the toolkit knows (the free area starts below it), icon near the right end.
    p = layerPlacement(QPoint(1212, 17), {{screen, QRect(0, 32, 1280, 768)}}, kPanel);
    QCOMPARE(p.anchors, Qt::TopEdge | Qt::RightEdge);
    QCOMPARE(p.margins, QMargins(0, 0, 0, 0));  // kept on the screen, flush with the bar
    // A dock on the left: against it, centred on the click down its length.
    p = layerPlacement(QPoint(24, 400), {{screen, QRect(48, 0, 1232, 800)}}, kPanel);
    QCOMPARE(p.anchors, Qt::LeftEdge | Qt::BottomEdge);
    QCOMPARE(p.margins, QMargins(0, 0, 0, 195));
    // One on the right, icon at its top.
    p = layerPlacement(QPoint(1270, 100), {{screen, screen}}, kPanel);
    QCOMPARE(p.anchors, Qt::RightEdge | Qt::TopEdge);
    QCOMPARE(p.margins, QMargins(0, 0, 0, 0));
    // Corners: a horizontal panel wins the tie.
    QCOMPARE(layerPlacement(QPoint(0, 0), {{screen, screen}}, kPanel).anchors, Qt::TopEdge | Qt::LeftEdge);
    p = layerPlacement(QPoint(1279, 799), {{screen, screen}}, kPanel);
    QCOMPARE(p.anchors, Qt::BottomEdge | Qt::RightEdge);
    QCOMPARE(p.margins, QMargins(0, 0, 0, 0));
    // A free area the toolkit gets wrong (empty) counts as the whole monitor.
    p = layerPlacement(QPoint(1072, 778), {{screen, QRect()}}, kPanel);
    QCOMPARE(p.margins, QMargins(0, 0, 20, 0));
}

void LayerPlacementTests::aPointInTheOpenPutsThePanelsEdgeThere() {
    const QRect screen(0, 0, 1280, 800);
    // The top edge is nearest; the panel drops from the point, centred on it.
    LayerPlacement p = layerPlacement(QPoint(640, 300), {{screen, screen}}, kPanel);
    QCOMPARE(p.anchors, Qt::TopEdge | Qt::RightEdge);
    QCOMPARE(p.margins, QMargins(0, 300, 452, 0));
    QCOMPARE(placedRect(p, screen, kPanel), QRect(453, 300, 375, 410));
    // Further down it rises above the point.
    p = layerPlacement(QPoint(300, 500), {{screen, screen}}, kPanel);
    QCOMPARE(p.anchors, Qt::BottomEdge | Qt::LeftEdge);
    QCOMPARE(placedRect(p, screen, kPanel).bottom(), 500);
    // A small screen has no room below the point: the panel is kept on it.
    const QRect small(0, 0, 1024, 600);
    p = layerPlacement(QPoint(512, 280), {{small, small}}, kPanel);
    QCOMPARE(p.anchors & Qt::TopEdge, Qt::TopEdge);
    QCOMPARE(p.margins.top(), 600 - 410);
    // A panel larger than the monitor gets no negative margin.
    const QRect tiny(0, 0, 320, 240);
    p = layerPlacement(QPoint(300, 230), {{tiny, tiny}}, kPanel);
    QCOMPARE(p.margins, QMargins(0, 0, 0, 0));
}

void LayerPlacementTests::otherMonitorsAndPointsOffEveryScreen() {
    const QRect first(0, 0, 1920, 1080), second(1920, 0, 1280, 1000);
    const QList<ScreenArea> two = {{first, first}, {second, second}};
    // The tray on the second monitor's bottom panel, at its right end.
    LayerPlacement p = layerPlacement(QPoint(3190, 990), two, kPanel);
    QCOMPARE(p.screen, 1);
    QCOMPARE(p.anchors, Qt::BottomEdge | Qt::RightEdge);
    QCOMPARE(p.margins, QMargins(0, 0, 0, 0));
    // A monitor left of the primary, at negative coordinates; offsets count from its own edge.
    const QRect left(-1280, 0, 1280, 1024);
    p = layerPlacement(QPoint(-1000, 10), {{first, first}, {left, left}}, kPanel);
    QCOMPARE(p.screen, 1);
    QCOMPARE(p.anchors, Qt::TopEdge | Qt::LeftEdge);
    QCOMPARE(p.margins, QMargins(93, 0, 0, 0));
    // Below the shorter monitor: the nearest one, with the point brought onto it.
    p = layerPlacement(QPoint(3000, 1050), two, kPanel);
    QCOMPARE(p.screen, 1);
    QCOMPARE(p.anchors, Qt::BottomEdge | Qt::RightEdge);
    QCOMPARE(p.margins, QMargins(0, 0, 12, 0));
    // Far off to the lower left: the first monitor's corner.
    p = layerPlacement(QPoint(-40, 5000), two, kPanel);
    QCOMPARE(p.screen, 0);
    QCOMPARE(p.anchors, Qt::BottomEdge | Qt::LeftEdge);
    QCOMPARE(p.margins, QMargins(0, 0, 0, 0));
    // No monitor at all: nothing to anchor to.
    p = layerPlacement(QPoint(10, 10), {}, kPanel);
    QCOMPARE(p.screen, -1);
    QCOMPARE(p.anchors, Qt::Edges());
}

void LayerPlacementTests::staysOnScreenAndCentredWhereverTheClick() {
    // Bars the toolkit knows on one monitor and a monitor whose free area is all of it.
    const QList<ScreenArea> screens = {{QRect(0, 0, 1920, 1080), QRect(0, 32, 1920, 1004)},
                                       {QRect(1920, 200, 1280, 800), QRect(1920, 200, 1280, 800)}};
    for (int x = -100; x <= 3300; x += 37) {
        for (int y = -50; y <= 1150; y += 23) {
            const QPoint point(x, y);
            const LayerPlacement p = layerPlacement(point, screens, kPanel);
            QVERIFY(p.screen >= 0);
            const QRect area = screens[p.screen].available;
            QVERIFY2(marginsAreNonNegative(p.margins), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            // Exactly one edge of each axis, so the compositor neither stretches nor centres it.
            const Qt::Edges a = p.anchors;
            QVERIFY(bool(a & Qt::TopEdge) != bool(a & Qt::BottomEdge));
            QVERIFY(bool(a & Qt::LeftEdge) != bool(a & Qt::RightEdge));
            const QRect placed = placedRect(p, area, kPanel);
            QVERIFY2(area.contains(placed), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            // On a monitor, with room all round, the panel is centred on the click along its edge.
            const QRect roomy = area.adjusted(kPanel.width() / 2 + 1, kPanel.height() / 2 + 1,
                                              -kPanel.width() / 2 - 1, -kPanel.height() / 2 - 1);
            if (roomy.contains(point))
                QVERIFY2(qAbs(placed.center().x() - x) <= 1 || qAbs(placed.center().y() - y) <= 1,
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    }
}

QTEST_APPLESS_MAIN(LayerPlacementTests)
#include "LayerPlacementTests.moc"
