<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>Velmora</name>
    <message>
        <source>%lld</source>
        <translation>%lld</translation>
    </message>
    <message>
        <source>%lld mines left|few</source>
        <translation>%lld miny pozostały</translation>
    </message>
    <message>
        <source>%lld mines left|many</source>
        <translation>%lld min pozostało</translation>
    </message>
    <message>
        <source>%lld mines left|one</source>
        <translation>%lld mina pozostała</translation>
    </message>
    <message>
        <source>%lld mines left|other</source>
        <translation>%lld miny pozostało</translation>
    </message>
    <message>
        <source>%lld mines nearby|few</source>
        <translation>%lld miny w pobliżu</translation>
    </message>
    <message>
        <source>%lld mines nearby|many</source>
        <translation>%lld min w pobliżu</translation>
    </message>
    <message>
        <source>%lld mines nearby|one</source>
        <translation>%lld mina w pobliżu</translation>
    </message>
    <message>
        <source>%lld mines nearby|other</source>
        <translation>%lld miny w pobliżu</translation>
    </message>
    <message>
        <source>Abandon this game?</source>
        <translation>Porzucić tę grę?</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Plansza</translation>
    </message>
    <message>
        <source>Board Cleared</source>
        <translation>Plansza oczyszczona</translation>
    </message>
    <message>
        <source>Board Cleared. Time: %@</source>
        <translation>Plansza oczyszczona. Czas: %@</translation>
    </message>
    <message>
        <source>Can't see it? Check your panel's tray settings if it is hidden.</source>
        <translation>Nie widać jej? Jeśli jest ukryta, sprawdź ustawienia zasobnika w panelu.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Classic Indigo</source>
        <translation>Klasyczny indygo</translation>
    </message>
    <message>
        <source>Covered tile, theme: %@</source>
        <translation>Zakryte pole, motyw: %@</translation>
    </message>
    <message>
        <source>Flag Mode: a click flags a tile</source>
        <translation>Tryb flag: kliknięcie oznacza pole flagą</translation>
    </message>
    <message>
        <source>Flag mode</source>
        <translation>Tryb flag</translation>
    </message>
    <message>
        <source>Got it</source>
        <translation>Rozumiem</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Podpowiedź</translation>
    </message>
    <message>
        <source>Hint (H)</source>
        <translation>Podpowiedź (H)</translation>
    </message>
    <message>
        <source>Hint used: time not recorded</source>
        <translation>Użyto podpowiedzi: czas nie został zapisany</translation>
    </message>
    <message>
        <source>Menu: preferences, statistics, how to play, about, and quit</source>
        <translation>Menu: ustawienia, statystyki, zasady gry, informacje i zakończenie</translation>
    </message>
    <message>
        <source>Need the rules? Open the game's menu and choose How to Play.</source>
        <translation>Potrzebujesz zasad? Otwórz menu gry i wybierz Jak grać.</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Nowa gra</translation>
    </message>
    <message>
        <source>New Game (%1)</source>
        <translation>Nowa gra (%1)</translation>
    </message>
    <message>
        <source>New best time!</source>
        <translation>Nowy najlepszy czas!</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Wył.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Wł.</translation>
    </message>
    <message>
        <source>Onyx Slate</source>
        <translation>Onyksowy łupek</translation>
    </message>
    <message>
        <source>Open Velmora</source>
        <translation>Otwórz Velmora</translation>
    </message>
    <message>
        <source>Play Again</source>
        <translation>Zagraj ponownie</translation>
    </message>
    <message>
        <source>Preferences, Statistics, How to Play, About &amp; Quit</source>
        <translation>Ustawienia, statystyki, zasady gry, informacje i zakończenie</translation>
    </message>
    <message>
        <source>Quit Velmora</source>
        <translation>Zakończ Velmora</translation>
    </message>
    <message>
        <source>Row %lld, column %lld</source>
        <translation>Wiersz %lld, kolumna %lld</translation>
    </message>
    <message>
        <source>Solid Amber</source>
        <translation>Bursztyn</translation>
    </message>
    <message>
        <source>Solid Cerulean</source>
        <translation>Lazur</translation>
    </message>
    <message>
        <source>Solid Cranberry</source>
        <translation>Żurawina</translation>
    </message>
    <message>
        <source>Solid Leaf</source>
        <translation>Liść</translation>
    </message>
    <message>
        <source>Solid Mauve</source>
        <translation>Fiolet</translation>
    </message>
    <message>
        <source>Solid Sand</source>
        <translation>Piasek</translation>
    </message>
    <message>
        <source>Solid Slate</source>
        <translation>Łupek</translation>
    </message>
    <message>
        <source>Solid Terracotta</source>
        <translation>Terakota</translation>
    </message>
    <message>
        <source>Solid Twilight</source>
        <translation>Zmierzch</translation>
    </message>
    <message>
        <source>Start a new game</source>
        <translation>Rozpocznij nową grę</translation>
    </message>
    <message>
        <source>Starting a new game now will reset your win streak.</source>
        <translation>Rozpoczęcie nowej gry teraz wyzeruje serię zwycięstw.</translation>
    </message>
    <message>
        <source>The game's icon, highlighted in the menu bar</source>
        <translation>Ikona gry wyróżniona na pasku menu</translation>
    </message>
    <message>
        <source>Time: %@</source>
        <translation>Czas: %@</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Spróbuj ponownie</translation>
    </message>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Velmora lives in your menu bar. Click its icon at the top of your screen to play. It looks like this:</source>
        <translation>Velmora mieszka na pasku menu. Kliknij jej ikonę u góry ekranu, aby zagrać. Wygląda tak:</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Witaj</translation>
    </message>
    <message>
        <source>Welcome to Velmora</source>
        <translation>Witamy w grze Velmora</translation>
    </message>
    <message>
        <source>You hit a mine</source>
        <translation>Trafiłeś na minę</translation>
    </message>
    <message>
        <source>covered</source>
        <translation>zakryte</translation>
    </message>
    <message>
        <source>covered, safe to uncover (hint)</source>
        <translation>zakryte, bezpieczne do odkrycia (podpowiedź)</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>puste</translation>
    </message>
    <message>
        <source>flagged</source>
        <translation>oznaczone flagą</translation>
    </message>
    <message>
        <source>flagged, no mine</source>
        <translation>oznaczone flagą, bez miny</translation>
    </message>
    <message>
        <source>mine</source>
        <translation>mina</translation>
    </message>
    <message>
        <source>question mark</source>
        <translation>znak zapytania</translation>
    </message>
</context>
</TS>
