<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl" sourcelanguage="en">
<context>
    <name>Velmora</name>
    <message>
        <source>%@%%</source>
        <translation>%@%%</translation>
    </message>
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
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A second flag press marks the tile with ?, a third clears it.</source>
        <translation>Drugie oznaczenie stawia na polu znak ?, trzecie go usuwa.</translation>
    </message>
    <message>
        <source>A simple Minesweeper game for your menu bar.</source>
        <translation>Prosty saper w zasobniku systemowym.</translation>
    </message>
    <message>
        <source>APP</source>
        <translation>APLIKACJA</translation>
    </message>
    <message>
        <source>Abandon this game?</source>
        <translation>Porzucić tę grę?</translation>
    </message>
    <message>
        <source>About</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>Allow Velmora in System Settings → General → Login Items.</source>
        <translation>Zezwól na uruchamianie aplikacji Velmora w Ustawieniach systemowych → Ogólne → Rzeczy otwierane po zalogowaniu.</translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>Początkujący</translation>
    </message>
    <message>
        <source>Beginner 9×9 with 10 mines, Intermediate 16×16 with 40, Expert 22×22 with 99. Changing this starts a new game.</source>
        <translation>Początkujący: 9×9 i 10 min, średnio zaawansowany: 16×16 i 40, ekspert: 22×22 i 99. Zmiana rozpoczyna nową grę.</translation>
    </message>
    <message>
        <source>Best Streak</source>
        <translation>Najlepsza seria</translation>
    </message>
    <message>
        <source>Best Time, Beginner</source>
        <translation>Najlepszy czas, początkujący</translation>
    </message>
    <message>
        <source>Best Time, Expert</source>
        <translation>Najlepszy czas, ekspert</translation>
    </message>
    <message>
        <source>Best Time, Intermediate</source>
        <translation>Najlepszy czas, średnio zaawansowany</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Plansza</translation>
    </message>
    <message>
        <source>Board Cleared</source>
        <translation>Plansza rozminowana</translation>
    </message>
    <message>
        <source>Board Cleared. Time: %@</source>
        <translation>Plansza rozminowana. Czas: %@</translation>
    </message>
    <message>
        <source>Burst</source>
        <translation>Wybuch</translation>
    </message>
    <message>
        <source>Can&apos;t see it? Check your panel&apos;s tray settings if it is hidden.</source>
        <translation>Nie widzisz ikony? Jeśli jest ukryta, sprawdź ustawienia zasobnika na panelu.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Changing the difficulty deals a new game and resets your win streak.</source>
        <translation>Zmiana poziomu trudności rozpoczyna nową grę i zeruje serię zwycięstw.</translation>
    </message>
    <message>
        <source>Classic Indigo</source>
        <translation>Klasyczne indygo</translation>
    </message>
    <message>
        <source>Clear the board</source>
        <translation>Rozminuj planszę</translation>
    </message>
    <message>
        <source>Click a tile to uncover it. Your first click is always safe, and boards are built so you never have to guess. Uncover a mine and the game is over.</source>
        <translation>Kliknij pole, aby je odkryć. Pierwsze kliknięcie jest zawsze bezpieczne, a plansze są tak ułożone, że nigdy nie trzeba zgadywać. Odkrycie miny kończy grę.</translation>
    </message>
    <message>
        <source>Click the game&apos;s icon in the tray to open it. Click anywhere else to hide it; the timer pauses. Can&apos;t see it? Check your panel&apos;s tray settings if it is hidden.</source>
        <translation>Kliknij ikonę gry w zasobniku systemowym, aby ją otworzyć. Kliknij w dowolnym innym miejscu, aby ją ukryć; zegar się wtedy zatrzyma. Nie widzisz ikony? Jeśli jest ukryta, sprawdź ustawienia zasobnika na panelu.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Covered tile, theme: %@</source>
        <translation>Zakryte pole, motyw: %@</translation>
    </message>
    <message>
        <source>Current Streak</source>
        <translation>Bieżąca seria</translation>
    </message>
    <message>
        <source>Difficulty</source>
        <translation>Poziom trudności</translation>
    </message>
    <message>
        <source>Double-click a number that has as many flags around it as its count to uncover all its other neighbors at once. Space does the same from the keyboard.</source>
        <translation>Kliknij dwukrotnie liczbę, wokół której stoi tyle flag, ile ona wskazuje, aby naraz odkryć wszystkie pozostałe sąsiednie pola. Na klawiaturze to samo robi spacja.</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Ekspert</translation>
    </message>
    <message>
        <source>Flag</source>
        <translation>Flaga</translation>
    </message>
    <message>
        <source>Flag Mode: a click flags a tile</source>
        <translation>Tryb flagowania: kliknięcie stawia flagę</translation>
    </message>
    <message>
        <source>Flag a tile</source>
        <translation>Postaw flagę</translation>
    </message>
    <message>
        <source>Flag mode</source>
        <translation>Tryb flagowania</translation>
    </message>
    <message>
        <source>Flag the mines</source>
        <translation>Oznaczaj miny flagami</translation>
    </message>
    <message>
        <source>GAMEPLAY</source>
        <translation>ROZGRYWKA</translation>
    </message>
    <message>
        <source>Game Size</source>
        <translation>Rozmiar gry</translation>
    </message>
    <message>
        <source>Games Lost</source>
        <translation>Przegrane gry</translation>
    </message>
    <message>
        <source>Games Played</source>
        <translation>Rozegrane gry</translation>
    </message>
    <message>
        <source>Games Won</source>
        <translation>Wygrane gry</translation>
    </message>
    <message>
        <source>Give a hint</source>
        <translation>Pokaż podpowiedź</translation>
    </message>
    <message>
        <source>Got it</source>
        <translation>Rozumiem</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Siatka</translation>
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
        <source>Hint marks a tile that is safe to uncover. Tap the lightbulb button at the top, or press H. A game that used a hint doesn&apos;t set a best time.</source>
        <translation>Podpowiedź wskazuje pole, które można bezpiecznie odkryć. Kliknij przycisk z żarówką u góry albo naciśnij H. Gra, w której użyto podpowiedzi, nie ustanawia najlepszego czasu.</translation>
    </message>
    <message>
        <source>Hint used: time not recorded</source>
        <translation>Użyto podpowiedzi: czas nie został zapisany</translation>
    </message>
    <message>
        <source>How to Play</source>
        <translation>Zasady gry</translation>
    </message>
    <message>
        <source>Intermediate</source>
        <translation>Średnio zaawansowany</translation>
    </message>
    <message>
        <source>KEYBOARD</source>
        <translation>KLAWIATURA</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Duży</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Uruchamiaj po zalogowaniu</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Uruchamiaj po zalogowaniu</translation>
    </message>
    <message>
        <source>Lives in your menu bar</source>
        <translation>Działa w zasobniku systemowym</translation>
    </message>
    <message>
        <source>Menu Bar Icon</source>
        <translation>Ikona w zasobniku</translation>
    </message>
    <message>
        <source>Menu bar icon: %@</source>
        <translation>Ikona w zasobniku: %@</translation>
    </message>
    <message>
        <source>Menu: preferences, statistics, how to play, about, and quit</source>
        <translation>Menu: ustawienia, statystyki, zasady gry, o programie i wyjście</translation>
    </message>
    <message>
        <source>Move between tiles</source>
        <translation>Przechodź między polami</translation>
    </message>
    <message>
        <source>Need a hand?</source>
        <translation>Potrzebujesz pomocy?</translation>
    </message>
    <message>
        <source>Need the rules? Open the game&apos;s menu and choose How to Play.</source>
        <translation>Chcesz poznać zasady? Otwórz menu gry i wybierz „Zasady gry”.</translation>
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
        <source>New Game deals a fresh board. Pick Beginner, Intermediate or Expert in Preferences. Game Size there makes the whole game larger.</source>
        <translation>„Nowa gra” rozkłada nową planszę. Poziom początkujący, średnio zaawansowany lub ekspert wybierzesz w ustawieniach. Rozmiar gry, ustawiany w tym samym miejscu, powiększa całą grę.</translation>
    </message>
    <message>
        <source>New best time!</source>
        <translation>Nowy najlepszy czas!</translation>
    </message>
    <message>
        <source>New game</source>
        <translation>Nowa gra</translation>
    </message>
    <message>
        <source>New games and sizes</source>
        <translation>Nowe gry i rozmiary</translation>
    </message>
    <message>
        <source>Onyx Slate</source>
        <translation>Onyksowy łupek</translation>
    </message>
    <message>
        <source>Open Preferences</source>
        <translation>Otwórz ustawienia</translation>
    </message>
    <message>
        <source>Open Velmora</source>
        <translation>Otwórz aplikację Velmora</translation>
    </message>
    <message>
        <source>Open around a number</source>
        <translation>Odkrywaj wokół liczby</translation>
    </message>
    <message>
        <source>Play Again</source>
        <translation>Zagraj ponownie</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>Preferences, Statistics, How to Play, About &amp; Quit</source>
        <translation>Ustawienia, statystyki, zasady gry, o programie i wyjście</translation>
    </message>
    <message>
        <source>Published by Orvanta LLC</source>
        <translation>Wydawca: Orvanta LLC</translation>
    </message>
    <message>
        <source>Question Marks</source>
        <translation>Znaki zapytania</translation>
    </message>
    <message>
        <source>Quit Velmora</source>
        <translation>Zakończ aplikację Velmora</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Wyzeruj</translation>
    </message>
    <message>
        <source>Reset All Statistics</source>
        <translation>Wyzeruj wszystkie statystyki</translation>
    </message>
    <message>
        <source>Reset all statistics</source>
        <translation>Wyzeruj wszystkie statystyki</translation>
    </message>
    <message>
        <source>Reset all statistics?</source>
        <translation>Wyzerować wszystkie statystyki?</translation>
    </message>
    <message>
        <source>Right-click or Control-click a tile to flag it. Press again for a ? mark, and again to clear it. Flag mode in the header makes a plain click flag instead. A flagged tile can&apos;t be uncovered by accident.</source>
        <translation>Kliknij pole prawym przyciskiem myszy lub z klawiszem Ctrl, aby postawić na nim flagę. Kolejne kliknięcie stawia znak ?, a następne go usuwa. W trybie flagowania (przycisk w nagłówku) flagę stawia zwykłe kliknięcie. Pola z flagą nie da się odkryć przypadkiem.</translation>
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
        <source>Space</source>
        <translation>Spacja</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standardowy</translation>
    </message>
    <message>
        <source>Start a new game</source>
        <translation>Rozpocznij nową grę</translation>
    </message>
    <message>
        <source>Starting a new game now will reset your win streak.</source>
        <translation>Jeśli teraz rozpoczniesz nową grę, seria zwycięstw zostanie wyzerowana.</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statystyki</translation>
    </message>
    <message>
        <source>TILES</source>
        <translation>POLA</translation>
    </message>
    <message>
        <source>The game&apos;s icon, highlighted in the menu bar</source>
        <translation>Ikona gry wyróżniona w zasobniku</translation>
    </message>
    <message>
        <source>This clears your games, wins, streaks and best times. It can&apos;t be undone.</source>
        <translation>Spowoduje to usunięcie rozegranych gier, zwycięstw, serii i najlepszych czasów. Tej operacji nie można cofnąć.</translation>
    </message>
    <message>
        <source>Tile Theme: %@</source>
        <translation>Motyw pól: %@</translation>
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
        <source>Uncover a tile or open around a number</source>
        <translation>Odkryj pole lub pola wokół liczby</translation>
    </message>
    <message>
        <source>Uncover every tile that is not a mine. A number tells you how many of the 8 tiles around it hold a mine.</source>
        <translation>Odkryj każde pole, na którym nie ma miny. Liczba mówi, na ilu z 8 sąsiednich pól leży mina.</translation>
    </message>
    <message>
        <source>Uncover tiles</source>
        <translation>Odkrywaj pola</translation>
    </message>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Velmora could not read %1 and left it as it is. Nothing will be saved until it is moved away.</source>
        <translation>Aplikacja Velmora nie mogła odczytać pliku %1 i pozostawiła go bez zmian. Nic nie zostanie zapisane, dopóki plik nie zostanie przeniesiony.</translation>
    </message>
    <message>
        <source>Velmora could not read its saved data and started afresh. The damaged file was kept as %1.</source>
        <translation>Aplikacja Velmora nie mogła odczytać zapisanych danych i zaczęła od nowa. Uszkodzony plik zachowano jako %1.</translation>
    </message>
    <message>
        <source>Velmora lives in your menu bar. Click its icon at the top of your screen to play. It looks like this:</source>
        <translation>Aplikacja Velmora działa w zasobniku systemowym. Kliknij jej ikonę u góry ekranu, aby zagrać. Ikona wygląda tak:</translation>
    </message>
    <message>
        <source>Version %@</source>
        <translation>Wersja %@</translation>
    </message>
    <message>
        <source>Visit %@</source>
        <translation>Odwiedź %@</translation>
    </message>
    <message>
        <source>Visit publisher website %@</source>
        <translation>Odwiedź stronę wydawcy %@</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Witaj</translation>
    </message>
    <message>
        <source>Welcome to Velmora</source>
        <translation>Witamy w aplikacji Velmora</translation>
    </message>
    <message>
        <source>Win Rate</source>
        <translation>Procent wygranych</translation>
    </message>
    <message>
        <source>You hit a mine</source>
        <translation>Trafiono na minę</translation>
    </message>
    <message>
        <source>covered</source>
        <translation>zakryte</translation>
    </message>
    <message>
        <source>covered, safe to uncover (hint)</source>
        <translation>zakryte, można bezpiecznie odkryć (podpowiedź)</translation>
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
        <translation>błędna flaga, brak miny</translation>
    </message>
    <message>
        <source>mine</source>
        <translation>mina</translation>
    </message>
    <message>
        <source>question mark</source>
        <translation>znak zapytania</translation>
    </message>
    <message>
        <source>© 2026 Orvanta LLC. All rights reserved.</source>
        <translation>© 2026 Orvanta LLC. Wszelkie prawa zastrzeżone.</translation>
    </message>
    <message>
        <source>Row %lld, column %lld: %@</source>
        <extracomment>A tile&apos;s label for screen readers: row, column, then the tile&apos;s state.</extracomment>
        <translation>Wiersz %lld, kolumna %lld: %@</translation>
    </message>
    <message>
        <source>Velmora&apos;s icon needs a system tray, which GNOME shows only with the AppIndicator extension. Install it (package gnome-shell-extension-appindicator), turn it on in Extensions, then start Velmora again. Until then, the game opens in this window.</source>
        <translation>Ikona Velmory wymaga zasobnika systemowego, który GNOME pokazuje tylko z rozszerzeniem AppIndicator. Zainstaluj je (pakiet gnome-shell-extension-appindicator), włącz je w Rozszerzeniach, a potem uruchom Velmorę ponownie. Do tego czasu gra otwiera się w tym oknie.</translation>
    </message>
    <message>
        <source>Velmora&apos;s icon needs a system tray, and none was found. Add a system tray (notification area) to your panel, then start Velmora again. Until then, the game opens in this window.</source>
        <translation>Ikona Velmory wymaga zasobnika systemowego, a nie znaleziono żadnego. Dodaj zasobnik systemowy (obszar powiadomień) do panelu, a potem uruchom Velmorę ponownie. Do tego czasu gra otwiera się w tym oknie.</translation>
    </message>
    <message>
        <source>Velmora lives in your menu bar. Click its icon at the bottom of your screen to play. It looks like this:</source>
        <translation>Aplikacja Velmora działa w zasobniku systemowym. Kliknij jej ikonę u dołu ekranu, aby zagrać. Ikona wygląda tak:</translation>
    </message>
    <message>
        <source>No hint before the first move</source>
        <translation>Brak podpowiedzi przed pierwszym ruchem</translation>
    </message>
    <message>
        <source>No hint available</source>
        <translation>Brak dostępnej podpowiedzi</translation>
    </message>
    <message>
        <source>%lld tiles uncovered|one</source>
        <translation>%lld pole odkryte</translation>
    </message>
    <message>
        <source>%lld tiles uncovered|few</source>
        <translation>%lld pola odkryte</translation>
    </message>
    <message>
        <source>%lld tiles uncovered|many</source>
        <translation>%lld pól odkrytych</translation>
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
        <translation>%@, %@</translation>
    </message>
    <message>
        <source>Hear the mines left and the time</source>
        <translation>Usłysz liczbę pozostałych min i czas</translation>
    </message>
</context>
</TS>
