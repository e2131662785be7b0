#include <QSignalSpy>
#include <QtQml/qqmlextensionplugin.h>

#include "UiHarness.h"

Q_IMPORT_QML_PLUGIN(VelmoraPlugin)

using namespace velmora;
using namespace velmora::ui;
using velmora::ui::test::UiHarness;

class BoardViewTests : public QObject {
    Q_OBJECT
private slots:
    void viewLoadsWithEveryTile();
};

void BoardViewTests::viewLoadsWithEveryTile() {
    UiHarness h;
    QVERIFY(h.load());
    QVERIFY(h.tile(0, 0));
    QVERIFY(h.tile(8, 8));
    QCOMPARE(h.view->width(), 375.0);
    QVERIFY(h.game.isViewVisible());
}

QTEST_MAIN(BoardViewTests)
#include "BoardViewTests.moc"
