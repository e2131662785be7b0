<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Velmora</name>
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
        <source>Abandon this game?</source>
        <translation>Dieses Spiel aufgeben?</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Spielfeld</translation>
    </message>
    <message>
        <source>Board Cleared</source>
        <translation>Feld geräumt</translation>
    </message>
    <message>
        <source>Board Cleared. Time: %@</source>
        <translation>Feld geräumt. Zeit: %@</translation>
    </message>
    <message>
        <source>Can't see it? Check your panel's tray settings if it is hidden.</source>
        <translation>Nicht zu sehen? Prüfen Sie die Einstellungen des Infobereichs Ihrer Leiste, falls es ausgeblendet ist.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Classic Indigo</source>
        <translation>Klassisch Indigo</translation>
    </message>
    <message>
        <source>Covered tile, theme: %@</source>
        <translation>Verdecktes Feld, Design: %@</translation>
    </message>
    <message>
        <source>Flag Mode: a click flags a tile</source>
        <translation>Flaggenmodus: Ein Klick setzt eine Flagge</translation>
    </message>
    <message>
        <source>Flag mode</source>
        <translation>Flaggenmodus</translation>
    </message>
    <message>
        <source>Got it</source>
        <translation>Verstanden</translation>
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
        <source>Hint used: time not recorded</source>
        <translation>Tipp benutzt: Zeit nicht gewertet</translation>
    </message>
    <message>
        <source>Menu: preferences, statistics, how to play, about, and quit</source>
        <translation>Menü: Einstellungen, Statistik, Spielanleitung, Über und Beenden</translation>
    </message>
    <message>
        <source>Need the rules? Open the game's menu and choose How to Play.</source>
        <translation>Regeln gesucht? Öffnen Sie das Menü des Spiels und wählen Sie Spielanleitung.</translation>
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
        <source>New best time!</source>
        <translation>Neue Bestzeit!</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Onyx Slate</source>
        <translation>Onyx-Schiefer</translation>
    </message>
    <message>
        <source>Open Velmora</source>
        <translation>Velmora öffnen</translation>
    </message>
    <message>
        <source>Play Again</source>
        <translation>Nochmal spielen</translation>
    </message>
    <message>
        <source>Preferences, Statistics, How to Play, About &amp; Quit</source>
        <translation>Einstellungen, Statistik, Spielanleitung, Über und Beenden</translation>
    </message>
    <message>
        <source>Quit Velmora</source>
        <translation>Velmora beenden</translation>
    </message>
    <message>
        <source>Row %lld, column %lld</source>
        <translation>Zeile %lld, Spalte %lld</translation>
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
        <source>Start a new game</source>
        <translation>Neues Spiel starten</translation>
    </message>
    <message>
        <source>Starting a new game now will reset your win streak.</source>
        <translation>Ein neues Spiel setzt jetzt deine Siegesserie zurück.</translation>
    </message>
    <message>
        <source>The game's icon, highlighted in the menu bar</source>
        <translation>Das Symbol des Spiels, hervorgehoben in der Menüleiste</translation>
    </message>
    <message>
        <source>Time: %@</source>
        <translation>Zeit: %@</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Nochmal versuchen</translation>
    </message>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Velmora lives in your menu bar. Click its icon at the top of your screen to play. It looks like this:</source>
        <translation>Velmora wohnt in Ihrer Menüleiste. Klicken Sie oben auf dem Bildschirm auf das Symbol, um zu spielen. Es sieht so aus:</translation>
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
        <source>You hit a mine</source>
        <translation>Du hast eine Mine getroffen</translation>
    </message>
    <message>
        <source>covered</source>
        <translation>verdeckt</translation>
    </message>
    <message>
        <source>covered, safe to uncover (hint)</source>
        <translation>verdeckt, sicher aufzudecken (Tipp)</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>flagged</source>
        <translation>markiert</translation>
    </message>
    <message>
        <source>flagged, no mine</source>
        <translation>markiert, keine Mine</translation>
    </message>
    <message>
        <source>mine</source>
        <translation>Mine</translation>
    </message>
    <message>
        <source>question mark</source>
        <translation>Fragezeichen</translation>
    </message>
</context>
</TS>
