<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Velmora</name>
    <message>
        <source>%lld</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Covered tile, theme: %@</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You hit a mine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abandon this game?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting a new game now will reset your win streak.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Board Cleared</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New best time!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint used: time not recorded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velmora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Game (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start a new game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flag Mode: a click flags a tile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flag mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint (H)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences, Statistics, How to Play, About &amp; Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu: preferences, statistics, how to play, about, and quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How to Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Velmora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Published by Orvanta LLC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A simple Minesweeper game for your menu bar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>© 2026 Orvanta LLC. All rights reserved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KEYBOARD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset all statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset All Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset all statistics?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This clears your games, wins, streaks and best times. It can&apos;t be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changing the difficulty deals a new game and resets your win streak.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>APP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu Bar Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow Velmora in System Settings → General → Login Items.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GAMEPLAY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Difficulty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beginner 9×9 with 10 mines, Intermediate 16×16 with 40, Expert 22×22 with 99. Changing this starts a new game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question Marks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A second flag press marks the tile with ?, a third clears it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TILES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome to Velmora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velmora lives in your menu bar. Click its icon at the top of your screen to play. It looks like this:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game&apos;s icon, highlighted in the menu bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t see it? Check your panel&apos;s tray settings if it is hidden.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Need the rules? Open the game&apos;s menu and choose How to Play.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Got it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%lld mines left|one</source>
        <translation>%lld mine left</translation>
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
        <source>%lld mines left|other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%lld mines nearby|one</source>
        <translation>%lld mine nearby</translation>
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
        <source>%lld mines nearby|other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time: %@</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Board Cleared. Time: %@</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>flagged, no mine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>flagged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>question mark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>covered, safe to uncover (hint)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>covered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row %lld, column %lld: %@</source>
        <extracomment>A tile&apos;s label for screen readers: row, column, then the tile&apos;s state.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu bar icon: %@</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tile Theme: %@</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lives in your menu bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click the game&apos;s icon in the tray to open it. Click anywhere else to hide it; the timer pauses. Can&apos;t see it? Check your panel&apos;s tray settings if it is hidden.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear the board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uncover every tile that is not a mine. A number tells you how many of the 8 tiles around it hold a mine.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uncover tiles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click a tile to uncover it. Your first click is always safe, and boards are built so you never have to guess. Uncover a mine and the game is over.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flag the mines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right-click or Control-click a tile to flag it. Press again for a ? mark, and again to clear it. Flag mode in the header makes a plain click flag instead. A flagged tile can&apos;t be uncovered by accident.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open around a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double-click a number that has as many flags around it as its count to uncover all its other neighbors at once. Space does the same from the keyboard.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Need a hand?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint marks a tile that is safe to uncover. Tap the lightbulb button at the top, or press H. A game that used a hint doesn&apos;t set a best time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New games and sizes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Game deals a fresh board. Pick Beginner, Intermediate or Expert in Preferences. Game Size there makes the whole game larger.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move between tiles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uncover a tile or open around a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flag a tile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give a hint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visit %@</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visit publisher website %@</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%@%%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Games Played</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Games Won</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Games Lost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Win Rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Streak</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best Streak</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best Time, Beginner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best Time, Intermediate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best Time, Expert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %@</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Intermediate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flag</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Burst</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Velmora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velmora could not read its saved data and started afresh. The damaged file was kept as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velmora could not read %1 and left it as it is. Nothing will be saved until it is moved away.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Onyx Slate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Classic Indigo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solid Slate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solid Cranberry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solid Terracotta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solid Amber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solid Sand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solid Leaf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solid Cerulean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solid Twilight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solid Mauve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velmora&apos;s icon needs a system tray, which GNOME shows only with the AppIndicator extension. Install it (package gnome-shell-extension-appindicator), turn it on in Extensions, then start Velmora again. Until then, the game opens in this window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velmora&apos;s icon needs a system tray, and none was found. Add a system tray (notification area) to your panel, then start Velmora again. Until then, the game opens in this window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velmora lives in your menu bar. Click its icon at the bottom of your screen to play. It looks like this:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No hint before the first move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No hint available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%lld tiles uncovered|one</source>
        <translation>%lld tile uncovered</translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%@, %@</source>
        <extracomment>After a move on the board: the focused tile&apos;s state, then how many tiles it opened.
----------
Said on a key: the mine counter&apos;s label, then the clock&apos;s (&quot;7 mines left, Time: 1:05&quot;).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hear the mines left and the time</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
