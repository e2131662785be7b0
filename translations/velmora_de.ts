<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>Velmora</name>
    <message>
        <source>%@%%</source>
        <translation>%@&#xa0;%%</translation>
    </message>
    <message>
        <source>%lld</source>
        <translation>%lld</translation>
    </message>
    <message>
        <source>%lld mines left|one</source>
        <translation>%lld Mine übrig</translation>
    </message>
    <message>
        <source>%lld mines left|other</source>
        <translation>%lld Minen übrig</translation>
    </message>
    <message>
        <source>%lld mines nearby|one</source>
        <translation>%lld Mine in der Nähe</translation>
    </message>
    <message>
        <source>%lld mines nearby|other</source>
        <translation>%lld Minen in der Nähe</translation>
    </message>
    <message>
        <source>A second flag press marks the tile with ?, a third clears it.</source>
        <translation>Ein zweites Markieren setzt ein ? auf das Feld, ein drittes entfernt es.</translation>
    </message>
    <message>
        <source>A simple Minesweeper game for your menu bar.</source>
        <translation>Ein einfaches Minesweeper-Spiel für deinen Infobereich.</translation>
    </message>
    <message>
        <source>APP</source>
        <translation>APP</translation>
    </message>
    <message>
        <source>Abandon this game?</source>
        <translation>Dieses Spiel aufgeben?</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Velmora</translation>
    </message>
    <message>
        <source>Allow Velmora in System Settings → General → Login Items.</source>
        <translation>Erlaube Velmora in den Systemeinstellungen → Allgemein → Anmeldeobjekte.</translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>Anfänger</translation>
    </message>
    <message>
        <source>Beginner 9×9 with 10 mines, Intermediate 16×16 with 40, Expert 22×22 with 99. Changing this starts a new game.</source>
        <translation>Anfänger: 9×9 mit 10 Minen, Fortgeschritten: 16×16 mit 40, Experte: 22×22 mit 99. Eine Änderung startet ein neues Spiel.</translation>
    </message>
    <message>
        <source>Best Streak</source>
        <translation>Beste Serie</translation>
    </message>
    <message>
        <source>Best Time, Beginner</source>
        <translation>Bestzeit, Anfänger</translation>
    </message>
    <message>
        <source>Best Time, Expert</source>
        <translation>Bestzeit, Experte</translation>
    </message>
    <message>
        <source>Best Time, Intermediate</source>
        <translation>Bestzeit, Fortgeschritten</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Spielfeld</translation>
    </message>
    <message>
        <source>Board Cleared</source>
        <translation>Spielfeld geräumt</translation>
    </message>
    <message>
        <source>Board Cleared. Time: %@</source>
        <translation>Spielfeld geräumt. Zeit: %@</translation>
    </message>
    <message>
        <source>Burst</source>
        <translation>Explosion</translation>
    </message>
    <message>
        <source>Can&apos;t see it? Check your panel&apos;s tray settings if it is hidden.</source>
        <translation>Nicht zu sehen? Falls das Symbol ausgeblendet ist, prüfe die Einstellungen des Infobereichs deiner Leiste.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Changing the difficulty deals a new game and resets your win streak.</source>
        <translation>Eine andere Schwierigkeit startet ein neues Spiel und setzt deine Siegesserie zurück.</translation>
    </message>
    <message>
        <source>Classic Indigo</source>
        <translation>Klassisches Indigo</translation>
    </message>
    <message>
        <source>Clear the board</source>
        <translation>Räume das Spielfeld</translation>
    </message>
    <message>
        <source>Click a tile to uncover it. Your first click is always safe, and boards are built so you never have to guess. Uncover a mine and the game is over.</source>
        <translation>Klicke auf ein Feld, um es aufzudecken. Der erste Klick ist immer sicher, und die Spielfelder sind so gebaut, dass du nie raten musst. Deckst du eine Mine auf, ist das Spiel vorbei.</translation>
    </message>
    <message>
        <source>Click the game&apos;s icon in the tray to open it. Click anywhere else to hide it; the timer pauses. Can&apos;t see it? Check your panel&apos;s tray settings if it is hidden.</source>
        <translation>Klicke im Infobereich auf das Symbol des Spiels, um es zu öffnen. Ein Klick woanders blendet es aus; die Uhr hält an. Symbol nicht zu sehen? Falls es ausgeblendet ist, prüfe die Einstellungen des Infobereichs deiner Leiste.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Covered tile, theme: %@</source>
        <translation>Verdecktes Feld, Design: %@</translation>
    </message>
    <message>
        <source>Current Streak</source>
        <translation>Aktuelle Serie</translation>
    </message>
    <message>
        <source>Difficulty</source>
        <translation>Schwierigkeit</translation>
    </message>
    <message>
        <source>Double-click a number that has as many flags around it as its count to uncover all its other neighbors at once. Space does the same from the keyboard.</source>
        <translation>Stehen um eine Zahl so viele Flaggen, wie sie angibt, deckt ein Doppelklick auf die Zahl alle übrigen Nachbarfelder auf einmal auf. Mit der Tastatur geht das mit der Leertaste.</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Experte</translation>
    </message>
    <message>
        <source>Flag</source>
        <translation>Flagge</translation>
    </message>
    <message>
        <source>Flag Mode: a click flags a tile</source>
        <translation>Flaggenmodus: Ein Klick setzt eine Flagge</translation>
    </message>
    <message>
        <source>Flag a tile</source>
        <translation>Flagge setzen</translation>
    </message>
    <message>
        <source>Flag mode</source>
        <translation>Flaggenmodus</translation>
    </message>
    <message>
        <source>Flag the mines</source>
        <translation>Markiere die Minen mit Flaggen</translation>
    </message>
    <message>
        <source>GAMEPLAY</source>
        <translation>SPIEL</translation>
    </message>
    <message>
        <source>Game Size</source>
        <translation>Spielgröße</translation>
    </message>
    <message>
        <source>Games Lost</source>
        <translation>Verlorene Spiele</translation>
    </message>
    <message>
        <source>Games Played</source>
        <translation>Gespielte Spiele</translation>
    </message>
    <message>
        <source>Games Won</source>
        <translation>Gewonnene Spiele</translation>
    </message>
    <message>
        <source>Give a hint</source>
        <translation>Tipp anzeigen</translation>
    </message>
    <message>
        <source>Got it</source>
        <translation>Verstanden</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Raster</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Tipp</translation>
    </message>
    <message>
        <source>Hint (H)</source>
        <translation>Tipp (H)</translation>
    </message>
    <message>
        <source>Hint marks a tile that is safe to uncover. Tap the lightbulb button at the top, or press H. A game that used a hint doesn&apos;t set a best time.</source>
        <translation>Ein Tipp markiert ein Feld, das du gefahrlos aufdecken kannst. Klicke oben auf die Glühbirne oder drücke H. Ein Spiel mit Tipp zählt nicht für die Bestzeit.</translation>
    </message>
    <message>
        <source>Hint used: time not recorded</source>
        <translation>Tipp benutzt: Zeit nicht gewertet</translation>
    </message>
    <message>
        <source>How to Play</source>
        <translation>Spielanleitung</translation>
    </message>
    <message>
        <source>Intermediate</source>
        <translation>Fortgeschritten</translation>
    </message>
    <message>
        <source>KEYBOARD</source>
        <translation>TASTATUR</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Groß</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Lives in your menu bar</source>
        <translation>Wohnt im Infobereich</translation>
    </message>
    <message>
        <source>Menu Bar Icon</source>
        <translation>Symbol im Infobereich</translation>
    </message>
    <message>
        <source>Menu bar icon: %@</source>
        <translation>Symbol im Infobereich: %@</translation>
    </message>
    <message>
        <source>Menu: preferences, statistics, how to play, about, and quit</source>
        <translation>Menü: Einstellungen, Statistik, Spielanleitung, Über Velmora und Beenden</translation>
    </message>
    <message>
        <source>Move between tiles</source>
        <translation>Zwischen Feldern wechseln</translation>
    </message>
    <message>
        <source>Need a hand?</source>
        <translation>Brauchst du Hilfe?</translation>
    </message>
    <message>
        <source>Need the rules? Open the game&apos;s menu and choose How to Play.</source>
        <translation>Regeln gesucht? Öffne das Menü des Spiels und wähle „Spielanleitung“.</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <source>New Game (%1)</source>
        <translation>Neues Spiel (%1)</translation>
    </message>
    <message>
        <source>New Game deals a fresh board. Pick Beginner, Intermediate or Expert in Preferences. Game Size there makes the whole game larger.</source>
        <translation>„Neues Spiel“ legt ein frisches Spielfeld aus. Anfänger, Fortgeschritten oder Experte wählst du in den Einstellungen. Die Spielgröße dort macht das ganze Spiel größer.</translation>
    </message>
    <message>
        <source>New best time!</source>
        <translation>Neue Bestzeit!</translation>
    </message>
    <message>
        <source>New game</source>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <source>New games and sizes</source>
        <translation>Neue Spiele und Größen</translation>
    </message>
    <message>
        <source>Onyx Slate</source>
        <translation>Onyx-Schiefer</translation>
    </message>
    <message>
        <source>Open Preferences</source>
        <translation>Einstellungen öffnen</translation>
    </message>
    <message>
        <source>Open Velmora</source>
        <translation>Velmora öffnen</translation>
    </message>
    <message>
        <source>Open around a number</source>
        <translation>Decke rund um eine Zahl auf</translation>
    </message>
    <message>
        <source>Play Again</source>
        <translation>Noch einmal spielen</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Preferences, Statistics, How to Play, About &amp; Quit</source>
        <translation>Einstellungen, Statistik, Spielanleitung, Über Velmora und Beenden</translation>
    </message>
    <message>
        <source>Published by Orvanta LLC</source>
        <translation>Herausgegeben von Orvanta LLC</translation>
    </message>
    <message>
        <source>Question Marks</source>
        <translation>Fragezeichen</translation>
    </message>
    <message>
        <source>Quit Velmora</source>
        <translation>Velmora beenden</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Reset All Statistics</source>
        <translation>Alle Statistiken zurücksetzen</translation>
    </message>
    <message>
        <source>Reset all statistics</source>
        <translation>Alle Statistiken zurücksetzen</translation>
    </message>
    <message>
        <source>Reset all statistics?</source>
        <translation>Alle Statistiken zurücksetzen?</translation>
    </message>
    <message>
        <source>Right-click or Control-click a tile to flag it. Press again for a ? mark, and again to clear it. Flag mode in the header makes a plain click flag instead. A flagged tile can&apos;t be uncovered by accident.</source>
        <translation>Ein Rechtsklick oder Strg-Klick auf ein Feld setzt eine Flagge. Noch einmal setzt ein ?, ein weiteres Mal entfernt es. Im Flaggenmodus (Schalter oben) setzt schon ein einfacher Klick eine Flagge. Ein Feld mit Flagge lässt sich nicht versehentlich aufdecken.</translation>
    </message>
    <message>
        <source>Solid Amber</source>
        <translation>Bernstein</translation>
    </message>
    <message>
        <source>Solid Cerulean</source>
        <translation>Himmelblau</translation>
    </message>
    <message>
        <source>Solid Cranberry</source>
        <translation>Cranberry</translation>
    </message>
    <message>
        <source>Solid Leaf</source>
        <translation>Blattgrün</translation>
    </message>
    <message>
        <source>Solid Mauve</source>
        <translation>Mauve</translation>
    </message>
    <message>
        <source>Solid Sand</source>
        <translation>Sand</translation>
    </message>
    <message>
        <source>Solid Slate</source>
        <translation>Schiefer</translation>
    </message>
    <message>
        <source>Solid Terracotta</source>
        <translation>Terrakotta</translation>
    </message>
    <message>
        <source>Solid Twilight</source>
        <translation>Dämmerung</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Leertaste</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Start a new game</source>
        <translation>Neues Spiel starten</translation>
    </message>
    <message>
        <source>Starting a new game now will reset your win streak.</source>
        <translation>Wenn du jetzt ein neues Spiel startest, wird deine Siegesserie zurückgesetzt.</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>TILES</source>
        <translation>FELDER</translation>
    </message>
    <message>
        <source>The game&apos;s icon, highlighted in the menu bar</source>
        <translation>Das Symbol des Spiels, hervorgehoben im Infobereich</translation>
    </message>
    <message>
        <source>This clears your games, wins, streaks and best times. It can&apos;t be undone.</source>
        <translation>Dadurch werden deine Spiele, Siege, Serien und Bestzeiten gelöscht. Das lässt sich nicht rückgängig machen.</translation>
    </message>
    <message>
        <source>Tile Theme: %@</source>
        <translation>Felddesign: %@</translation>
    </message>
    <message>
        <source>Time: %@</source>
        <translation>Zeit: %@</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <source>Uncover a tile or open around a number</source>
        <translation>Feld aufdecken oder rund um eine Zahl aufdecken</translation>
    </message>
    <message>
        <source>Uncover every tile that is not a mine. A number tells you how many of the 8 tiles around it hold a mine.</source>
        <translation>Decke jedes Feld auf, unter dem keine Mine liegt. Eine Zahl sagt dir, unter wie vielen der 8 Nachbarfelder eine Mine liegt.</translation>
    </message>
    <message>
        <source>Uncover tiles</source>
        <translation>Decke Felder auf</translation>
    </message>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Velmora could not read %1 and left it as it is. Nothing will be saved until it is moved away.</source>
        <translation>Velmora konnte %1 nicht lesen und hat die Datei unverändert gelassen. Bis sie verschoben wird, wird nichts gespeichert.</translation>
    </message>
    <message>
        <source>Velmora could not read its saved data and started afresh. The damaged file was kept as %1.</source>
        <translation>Velmora konnte die gespeicherten Daten nicht lesen und hat neu begonnen. Die beschädigte Datei wurde als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>Velmora lives in your menu bar. Click its icon at the top of your screen to play. It looks like this:</source>
        <translation>Velmora wohnt in deinem Infobereich. Klicke oben am Bildschirm auf sein Symbol, um zu spielen. Es sieht so aus:</translation>
    </message>
    <message>
        <source>Version %@</source>
        <translation>Version %@</translation>
    </message>
    <message>
        <source>Visit %@</source>
        <translation>%@ besuchen</translation>
    </message>
    <message>
        <source>Visit publisher website %@</source>
        <translation>Website des Herausgebers besuchen: %@</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Willkommen</translation>
    </message>
    <message>
        <source>Welcome to Velmora</source>
        <translation>Willkommen bei Velmora</translation>
    </message>
    <message>
        <source>Win Rate</source>
        <translation>Siegquote</translation>
    </message>
    <message>
        <source>You hit a mine</source>
        <translation>Du bist auf eine Mine getreten</translation>
    </message>
    <message>
        <source>covered</source>
        <translation>verdeckt</translation>
    </message>
    <message>
        <source>covered, safe to uncover (hint)</source>
        <translation>verdeckt, gefahrlos aufzudecken (Tipp)</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>flagged</source>
        <translation>mit Flagge markiert</translation>
    </message>
    <message>
        <source>flagged, no mine</source>
        <translation>Flagge falsch, keine Mine</translation>
    </message>
    <message>
        <source>mine</source>
        <translation>Mine</translation>
    </message>
    <message>
        <source>question mark</source>
        <translation>Fragezeichen</translation>
    </message>
    <message>
        <source>© 2026 Orvanta LLC. All rights reserved.</source>
        <translation>© 2026 Orvanta LLC. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>%lld mines left|few</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%lld mines left|many</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%lld mines nearby|few</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%lld mines nearby|many</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row %lld, column %lld: %@</source>
        <extracomment>A tile&apos;s label for screen readers: row, column, then the tile&apos;s state.</extracomment>
        <translation>Zeile %lld, Spalte %lld: %@</translation>
    </message>
    <message>
        <source>Velmora&apos;s icon needs a system tray, which GNOME shows only with the AppIndicator extension. Install it (package gnome-shell-extension-appindicator), turn it on in Extensions, then start Velmora again. Until then, the game opens in this window.</source>
        <translation>Das Symbol von Velmora braucht einen Infobereich, den GNOME nur mit der Erweiterung AppIndicator anzeigt. Installiere sie (Paket gnome-shell-extension-appindicator), schalte sie unter Erweiterungen ein und starte Velmora dann neu. Bis dahin öffnet sich das Spiel in diesem Fenster.</translation>
    </message>
    <message>
        <source>Velmora&apos;s icon needs a system tray, and none was found. Add a system tray (notification area) to your panel, then start Velmora again. Until then, the game opens in this window.</source>
        <translation>Das Symbol von Velmora braucht einen Infobereich, und es wurde keiner gefunden. Füge deiner Leiste einen Infobereich (Benachrichtigungsfeld) hinzu und starte Velmora dann neu. Bis dahin öffnet sich das Spiel in diesem Fenster.</translation>
    </message>
    <message>
        <source>Velmora lives in your menu bar. Click its icon at the bottom of your screen to play. It looks like this:</source>
        <translation>Velmora wohnt in deinem Infobereich. Klicke unten am Bildschirm auf sein Symbol, um zu spielen. Es sieht so aus:</translation>
    </message>
    <message>
        <source>No hint before the first move</source>
        <translation>Kein Tipp vor dem ersten Zug</translation>
    </message>
    <message>
        <source>No hint available</source>
        <translation>Kein Tipp verfügbar</translation>
    </message>
    <message>
        <source>%lld tiles uncovered|one</source>
        <translation>%lld Feld aufgedeckt</translation>
    </message>
    <message>
        <source>%lld tiles uncovered|few</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%lld tiles uncovered|many</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%lld tiles uncovered|other</source>
        <translation>%lld Felder aufgedeckt</translation>
    </message>
    <message>
        <source>%@, %@</source>
        <extracomment>After a move on the board: the focused tile&apos;s state, then how many tiles it opened.
----------
Said on a key: the mine counter&apos;s label, then the clock&apos;s (&quot;7 mines left, Time: 1:05&quot;).</extracomment>
        <translation>%@, %@</translation>
    </message>
    <message>
        <source>Hear the mines left and the time</source>
        <translation>Verbleibende Minen und Zeit hören</translation>
    </message>
</context>
</TS>
