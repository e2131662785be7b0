#include <QAccessible>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QtQml/qqmlextensionplugin.h>

#include "LocalizedText.h"
#include "ModalScreenController.h"
#include "Translations.h"
#include "UiHarness.h"

Q_IMPORT_QML_PLUGIN(VelmoraPlugin)

using namespace velmora;
using namespace velmora::ui;
using velmora::app::InterfaceTranslations;
using velmora::ui::test::UiHarness;

// The shipped tables, as the program loads them, on the real scene.
class TranslationTests : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { setInterfaceLanguage(QStringLiteral("en")); }
    void tablesAreInstalledAndRemovedWhole();
    void countTextsInEveryCategory();
    void tileAndCounterLabelsOnTheScene_data();
    void tileAndCounterLabelsOnTheScene();
    void germanShortcutsUseGermanKeyNames();
    void announcementsInEveryLanguage_data();
    void announcementsInEveryLanguage();
};

namespace {
QString accessibleName(QQuickItem* item) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(item);
    return iface ? iface->text(QAccessible::Name) : QString();
}

QString velmoraText(const char* text) { return QCoreApplication::translate("Velmora", text); }
}  // namespace

void TranslationTests::tablesAreInstalledAndRemovedWhole() {
    QVERIFY2(QFileInfo::exists(InterfaceTranslations::qtTranslationsFolder() + QStringLiteral("/qtbase_de.qm")),
             "Qt's own tables are missing (package qt6-translations-l10n)");
    {
        const InterfaceTranslations german(QStringLiteral("de"));
        QVERIFY(german.hasOwnTable());
        QVERIFY(german.hasQtTable());
        QCOMPARE(velmoraText("Quit Velmora"), QStringLiteral("Velmora beenden"));
    }
    // Gone with the object: nothing of German stays behind for the next language.
    QCOMPARE(velmoraText("Quit Velmora"), QStringLiteral("Quit Velmora"));
    QCOMPARE(QKeySequence(QStringLiteral("Ctrl+N")).toString(QKeySequence::NativeText), QStringLiteral("Ctrl+N"));
    {
        // English has a table of its own (the singular forms) and no Qt table to load.
        const InterfaceTranslations english(QStringLiteral("en"));
        QVERIFY(english.hasOwnTable());
        QVERIFY(!english.hasQtTable());
        QCOMPARE(velmoraText("Quit Velmora"), QStringLiteral("Quit Velmora"));
    }
    const InterfaceTranslations unknown(QStringLiteral("xx"));
    QVERIFY(!unknown.hasOwnTable());
    QVERIFY(!unknown.hasQtTable());
    const InterfaceTranslations none{QString()};
    QVERIFY(!none.hasOwnTable());
}

void TranslationTests::countTextsInEveryCategory() {
    struct Case {
        const char* language;
        const char* key;
        qint64 count;
        const char* text;
    };
    const Case cases[] = {
        {"en", "%lld mines nearby", 1, "1 mine nearby"},   {"en", "%lld mines nearby", 2, "2 mines nearby"},
        {"en", "%lld mines left", 1, "1 mine left"},       {"en", "%lld mines left", 2, "2 mines left"},
        {"en", "%lld mines left", 0, "0 mines left"},      {"en", "%lld mines left", -1, "-1 mine left"},
        {"en", "%lld mines left", -2, "-2 mines left"},
        {"pl", "%lld mines nearby", 1, "1 mina w pobliżu"}, {"pl", "%lld mines nearby", 3, "3 miny w pobliżu"},
        {"pl", "%lld mines nearby", 5, "5 min w pobliżu"},  {"pl", "%lld mines left", 12, "12 min pozostało"},
        {"pl", "%lld mines left", 24, "24 miny pozostały"}, {"pl", "%lld mines left", -3, "-3 miny pozostały"},
        {"fr", "%lld mines nearby", 1, "1 mine voisine"},   {"fr", "%lld mines nearby", 8, "8 mines voisines"},
        {"de", "%lld mines nearby", 1, "1 Mine in der Nähe"}, {"de", "%lld mines nearby", 4, "4 Minen in der Nähe"},
    };
    for (const Case& c : cases) {
        const InterfaceTranslations tables(QString::fromLatin1(c.language));
        setInterfaceLanguage(QString::fromLatin1(c.language));
        QCOMPARE(localizedCountString(QString::fromLatin1(c.key), c.count), QString::fromUtf8(c.text));
    }
}

void TranslationTests::tileAndCounterLabelsOnTheScene_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("tile");
    QTest::addColumn<QStringList>("counter");  // at 22, 5, 2, 1, 0 and -1 mines left
    QTest::newRow("en") << "en" << "Row 1, column 2: covered"
                        << QStringList{"22 mines left", "5 mines left", "2 mines left", "1 mine left",
                                       "0 mines left", "-1 mine left"};
    QTest::newRow("pl") << "pl" << "Wiersz 1, kolumna 2: zakryte"
                        << QStringList{"22 miny pozostały", "5 min pozostało", "2 miny pozostały",
                                       "1 mina pozostała", "0 min pozostało", "-1 mina pozostała"};
    QTest::newRow("fr") << "fr" << QString::fromUtf8("Ligne 1, colonne 2\u00a0: cachée")
                        << QStringList{"22 mines restantes", "5 mines restantes", "2 mines restantes",
                                       "1 mine restante", "0 mine restante", "-1 mine restante"};
    QTest::newRow("de") << "de" << "Zeile 1, Spalte 2: verdeckt"
                        << QStringList{"22 Minen übrig", "5 Minen übrig", "2 Minen übrig", "1 Mine übrig",
                                       "0 Minen übrig", "-1 Mine übrig"};
}

void TranslationTests::tileAndCounterLabelsOnTheScene() {
    QFETCH(QString, language);
    QFETCH(QString, tile);
    QFETCH(QStringList, counter);
    const InterfaceTranslations tables(language);
    setInterfaceLanguage(language);
    UiHarness h;
    // Expert's 99 mines let the counter reach 22 and below by flagging.
    h.game.setDifficulty(Difficulty::expert);
    QVERIFY(h.load());
    QCOMPARE(accessibleName(h.tile(0, 1)), tile);

    QQuickItem* label = h.item(QStringLiteral("minesLeftLabel"));
    QVERIFY(label);
    QCOMPARE(accessibleName(label), localizedCountString(QStringLiteral("%lld mines left"), 99));
    QTest::mouseClick(h.window.get(), Qt::LeftButton, {}, h.tileCentre(11, 11));
    QCOMPARE(h.game.phase(), GamePhase::playing);
    const auto& tiles = h.game.tiles();
    std::size_t next = 0;
    const qint64 targets[] = {22, 5, 2, 1, 0, -1};
    for (int i = 0; i < 6; ++i) {
        while (h.model.minesLeft() > targets[i]) {
            while (next < tiles.size() && (tiles[next].isRevealed || tiles[next].isFlagged)) ++next;
            QVERIFY2(next < tiles.size(), "too few covered tiles to flag");
            h.game.toggleFlag(int(next));
        }
        QCOMPARE(h.model.minesLeft(), targets[i]);
        QTRY_COMPARE(accessibleName(label), counter[i]);
    }
}

void TranslationTests::germanShortcutsUseGermanKeyNames() {
    const InterfaceTranslations german(QStringLiteral("de"));
    setInterfaceLanguage(QStringLiteral("de"));
    ModalScreenController screens;
    const QVariantList lines = screens.keyboardLines();
    QStringList keys;
    for (const QVariant& line : lines) keys << line.toMap().value(QStringLiteral("keys")).toString();
    QVERIFY2(keys.contains(QStringLiteral("Strg+N")), qPrintable(keys.join(QLatin1Char('|'))));
    QVERIFY2(keys.contains(QStringLiteral("Leertaste")), qPrintable(keys.join(QLatin1Char('|'))));

    // The header's button names its shortcut in German too.
    UiHarness h;
    QVERIFY(h.load());
    QQuickItem* newGame = h.item(QStringLiteral("newGameButton"));
    QVERIFY(newGame);
    QCOMPARE(newGame->property("tip").toString(), QStringLiteral("Neues Spiel (Strg+N)"));
}

void TranslationTests::announcementsInEveryLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("expected");  // flood, 22 opened, win, loss, counter and clock, no hint
    QTest::newRow("en") << QStringLiteral("en")
                        << QStringList{QStringLiteral("empty, 12 tiles uncovered"), QStringLiteral("empty, 22 tiles uncovered"),
                                       QStringLiteral("Board Cleared. Time: 1:05 New best time!"),
                                       QStringLiteral("You hit a mine"), QStringLiteral("1 mine left, Time: 1:05"),
                                       QStringLiteral("No hint before the first move")};
    QTest::newRow("pl") << QStringLiteral("pl")
                        << QStringList{QStringLiteral("puste, 12 pól odkrytych"), QStringLiteral("puste, 22 pola odkryte"),
                                       QStringLiteral("Plansza rozminowana. Czas: 1:05 Nowy najlepszy czas!"),
                                       QStringLiteral("Trafiono na minę"), QStringLiteral("1 mina pozostała, Czas: 1:05"),
                                       QStringLiteral("Brak podpowiedzi przed pierwszym ruchem")};
    QTest::newRow("fr") << QStringLiteral("fr")
                        << QStringList{QStringLiteral("vide, 12 cases découvertes"), QStringLiteral("vide, 22 cases découvertes"),
                                       QStringLiteral("Grille déminée. Temps\u00a0: 1:05 Nouveau record\u202f!"),
                                       QStringLiteral("Vous avez sauté sur une mine"),
                                       QStringLiteral("1 mine restante, Temps\u00a0: 1:05"),
                                       QStringLiteral("Pas d’indice avant le premier coup")};
    QTest::newRow("de") << QStringLiteral("de")
                        << QStringList{QStringLiteral("leer, 12 Felder aufgedeckt"), QStringLiteral("leer, 22 Felder aufgedeckt"),
                                       QStringLiteral("Spielfeld geräumt. Zeit: 1:05 Neue Bestzeit!"),
                                       QStringLiteral("Du bist auf eine Mine getreten"), QStringLiteral("1 Mine übrig, Zeit: 1:05"),
                                       QStringLiteral("Kein Tipp vor dem ersten Zug")};
}

void TranslationTests::announcementsInEveryLanguage() {
    QFETCH(QString, language);
    QFETCH(QStringList, expected);
    const InterfaceTranslations table(language);
    setInterfaceLanguage(language);
    Tile empty;
    empty.isRevealed = true;
    const QString state = tileStateText(empty, false, false);
    QCOMPARE(moveAnnouncement(state, 12), expected[0]);
    QCOMPARE(moveAnnouncement(state, 22), expected[1]);
    QCOMPARE(moveAnnouncement(state, 1), state);  // one tile is the tile itself
    QCOMPARE(gameEndAnnouncement(true, 65, true, false), expected[2]);
    QCOMPARE(gameEndAnnouncement(false, 65, false, false), expected[3]);
    QCOMPARE(statusAnnouncement(1, 65), expected[4]);
    QCOMPARE(velmoraText("No hint before the first move"), expected[5]);
}

QTEST_MAIN(TranslationTests)
#include "TranslationTests.moc"
