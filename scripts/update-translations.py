#!/usr/bin/env python3
"""Refreshes translations/velmora_{pl,fr,de}.ts from the sources.

Every user-visible text sits in one context, "Velmora", with the English text as the source.
The texts are collected from ui/ and app/ (qsTranslate, QCoreApplication::translate,
QT_TRANSLATE_NOOP and the ui's localized() helper), plus the tile theme names (their raw
values are looked up for display) and the plural keys "<key>|<category>" of the count texts.
Translations already in a .ts file are kept; new texts take the table below when it has
them and are marked unfinished otherwise. Run from the repository root after changing texts.
"""
import html
import pathlib
import re
import xml.etree.ElementTree as ET

ROOT = pathlib.Path(__file__).resolve().parent.parent
LANGUAGES = {"pl": ["one", "few", "many", "other"], "fr": ["one", "other"], "de": ["one", "other"]}
COUNT_KEYS = ["%lld mines left", "%lld mines nearby"]
STRING = r'"((?:[^"\\]|\\.)*)"'
PATTERNS = [
    re.compile(r'\blocalized\(\s*' + STRING),
    re.compile(r'qsTranslate\(\s*"Velmora"\s*,\s*' + STRING),
    re.compile(r'\btranslate\(\s*"Velmora"\s*,\s*' + STRING),
    re.compile(r'QT_TRANSLATE_NOOP\(\s*"Velmora"\s*,\s*' + STRING),
]

# The translator's table: English text -> (Polish, French, German).
TABLE = {
    "Velmora": ("Velmora", "Velmora", "Velmora"),
    "%lld": ("%lld", "%lld", "%lld"),
    "Open Velmora": ("Otwórz Velmora", "Ouvrir Velmora", "Velmora öffnen"),
    "Quit Velmora": ("Zakończ Velmora", "Quitter Velmora", "Velmora beenden"),
    "Start a new game": ("Rozpocznij nową grę", "Commencer une nouvelle partie", "Neues Spiel starten"),
    "New Game (%1)": ("Nowa gra (%1)", "Nouvelle partie (%1)", "Neues Spiel (%1)"),
    "New Game": ("Nowa gra", "Nouvelle partie", "Neues Spiel"),
    "Flag mode": ("Tryb flag", "Mode drapeau", "Flaggenmodus"),
    "Flag Mode: a click flags a tile": ("Tryb flag: kliknięcie oznacza pole flagą",
                                        "Mode drapeau : un clic pose un drapeau",
                                        "Flaggenmodus: Ein Klick setzt eine Flagge"),
    "On": ("Wł.", "Activé", "Ein"),
    "Off": ("Wył.", "Désactivé", "Aus"),
    "Hint": ("Podpowiedź", "Indice", "Tipp"),
    "Hint (H)": ("Podpowiedź (H)", "Indice (H)", "Tipp (H)"),
    "Preferences, Statistics, How to Play, About & Quit": (
        "Ustawienia, statystyki, zasady gry, informacje i zakończenie",
        "Préférences, statistiques, règles du jeu, à propos et quitter",
        "Einstellungen, Statistik, Spielanleitung, Über und Beenden"),
    "Menu: preferences, statistics, how to play, about, and quit": (
        "Menu: ustawienia, statystyki, zasady gry, informacje i zakończenie",
        "Menu : préférences, statistiques, règles du jeu, à propos et quitter",
        "Menü: Einstellungen, Statistik, Spielanleitung, Über und Beenden"),
    "Preferences": ("Ustawienia", "Préférences", "Einstellungen"),
    "Statistics": ("Statystyki", "Statistiques", "Statistik"),
    "How to Play": ("Jak grać", "Règles du jeu", "Spielanleitung"),
    "About": ("O programie", "À propos", "Über"),
    "Board": ("Plansza", "Plateau", "Spielfeld"),
    "Time: %@": ("Czas: %@", "Temps : %@", "Zeit: %@"),
    "Row %lld, column %lld": ("Wiersz %lld, kolumna %lld", "Ligne %lld, colonne %lld", "Zeile %lld, Spalte %lld"),
    "covered": ("zakryte", "couverte", "verdeckt"),
    "covered, safe to uncover (hint)": ("zakryte, bezpieczne do odkrycia (podpowiedź)",
                                        "couverte, sans danger (indice)",
                                        "verdeckt, sicher aufzudecken (Tipp)"),
    "empty": ("puste", "vide", "leer"),
    "flagged": ("oznaczone flagą", "avec drapeau", "markiert"),
    "flagged, no mine": ("oznaczone flagą, bez miny", "avec drapeau, sans mine", "markiert, keine Mine"),
    "mine": ("mina", "mine", "Mine"),
    "exploded mine": ("wybuchnięta mina", "mine explosée", "explodierte Mine"),
    "question mark": ("znak zapytania", "point d'interrogation", "Fragezeichen"),
    "Covered tile, theme: %@": ("Zakryte pole, motyw: %@", "Case couverte, thème : %@", "Verdecktes Feld, Design: %@"),
    "Abandon this game?": ("Porzucić tę grę?", "Abandonner cette partie ?", "Dieses Spiel aufgeben?"),
    "Starting a new game now will reset your win streak.": (
        "Rozpoczęcie nowej gry teraz wyzeruje serię zwycięstw.",
        "Commencer une nouvelle partie maintenant remettra à zéro votre série de victoires.",
        "Ein neues Spiel setzt jetzt deine Siegesserie zurück."),
    "Cancel": ("Anuluj", "Annuler", "Abbrechen"),
    "Board Cleared": ("Plansza oczyszczona", "Plateau dégagé", "Feld geräumt"),
    "Board Cleared. Time: %@": ("Plansza oczyszczona. Czas: %@", "Plateau dégagé. Temps : %@",
                                "Feld geräumt. Zeit: %@"),
    "New best time!": ("Nowy najlepszy czas!", "Nouveau meilleur temps !", "Neue Bestzeit!"),
    "Hint used: time not recorded": ("Użyto podpowiedzi: czas nie został zapisany",
                                     "Indice utilisé : temps non enregistré",
                                     "Tipp benutzt: Zeit nicht gewertet"),
    "Play Again": ("Zagraj ponownie", "Rejouer", "Nochmal spielen"),
    "Try Again": ("Spróbuj ponownie", "Réessayer", "Nochmal versuchen"),
    "You hit a mine": ("Trafiłeś na minę", "Vous avez touché une mine", "Du hast eine Mine getroffen"),
    "Classic Indigo": ("Klasyczny indygo", "Indigo classique", "Klassisch Indigo"),
    "Onyx Slate": ("Onyksowy łupek", "Ardoise onyx", "Onyx-Schiefer"),
    "Solid Amber": ("Bursztyn", "Ambre", "Bernstein"),
    "Solid Cerulean": ("Lazur", "Céruléen", "Himmelblau"),
    "Solid Cranberry": ("Żurawina", "Canneberge", "Cranberry"),
    "Solid Leaf": ("Liść", "Feuille", "Blattgrün"),
    "Solid Mauve": ("Fiolet", "Mauve", "Mauve"),
    "Solid Sand": ("Piasek", "Sable", "Sand"),
    "Solid Slate": ("Łupek", "Ardoise", "Schiefer"),
    "Solid Terracotta": ("Terakota", "Terre cuite", "Terrakotta"),
    "Solid Twilight": ("Zmierzch", "Crépuscule", "Dämmerung"),
    "%lld mines left|one": ("%lld mina pozostała", "%lld mine restante", "%lld Mine übrig"),
    "%lld mines left|few": ("%lld miny pozostały", None, None),
    "%lld mines left|many": ("%lld min pozostało", None, None),
    "%lld mines left|other": ("%lld miny pozostało", "%lld mines restantes", "%lld Minen übrig"),
    "%lld mines nearby|one": ("%lld mina w pobliżu", "%lld mine à proximité", "%lld Mine in der Nähe"),
    "%lld mines nearby|few": ("%lld miny w pobliżu", None, None),
    "%lld mines nearby|many": ("%lld min w pobliżu", None, None),
    "%lld mines nearby|other": ("%lld miny w pobliżu", "%lld mines à proximité", "%lld Minen in der Nähe"),

    # --- Modal screens, menu and launch at login ---
    '%@%%': ('%@%%',
        '%@\xa0%%',
        '%@\xa0%%'),
    'APP': ('APLIKACJA',
        'APPLICATION',
        'APP'),
    'GAMEPLAY': ('ROZGRYWKA',
        'JEU',
        'SPIEL'),
    'TILES': ('POLA',
        'CASES',
        'FELDER'),
    'KEYBOARD': ('KLAWIATURA',
        'CLAVIER',
        'TASTATUR'),
    'Menu Bar Icon': ('Ikona w zasobniku',
        'Icône de la barre des menus',
        'Symbol in der Menüleiste'),
    'Menu bar icon: %@': ('Ikona w zasobniku: %@',
        'Icône de la barre des menus\xa0: %@',
        'Symbol in der Menüleiste: %@'),
    'Flag': ('Flaga',
        'Drapeau',
        'Flagge'),
    'Burst': ('Wybuch',
        'Explosion',
        'Explosion'),
    'Grid': ('Siatka',
        'Grille',
        'Raster'),
    'Game Size': ('Rozmiar gry',
        'Taille du jeu',
        'Spielgröße'),
    'Standard': ('Standardowy',
        'Standard',
        'Standard'),
    'Large': ('Duży',
        'Grande',
        'Groß'),
    'Launch at Login': ('Uruchamiaj po zalogowaniu',
        'Lancer à l’ouverture de session',
        'Beim Anmelden starten'),
    'Launch at login': ('Uruchamiaj po zalogowaniu',
        'Lancer à l’ouverture de session',
        'Beim Anmelden starten'),
    'Allow Velmora in System Settings → General → Login Items.': ('Zezwól aplikacji Velmora w Ustawieniach systemowych → Ogólne → Rzeczy otwierane po zalogowaniu.',
        'Autorisez Velmora dans Réglages Système → Général → Ouverture.',
        'Erlaube Velmora in den Systemeinstellungen → Allgemein → Anmeldeobjekte.'),
    'Difficulty': ('Poziom trudności',
        'Difficulté',
        'Schwierigkeit'),
    'Beginner': ('Początkujący',
        'Débutant',
        'Anfänger'),
    'Intermediate': ('Średni',
        'Intermédiaire',
        'Fortgeschritten'),
    'Expert': ('Ekspert',
        'Expert',
        'Experte'),
    'Beginner 9×9 with 10 mines, Intermediate 16×16 with 40, Expert 22×22 with 99. Changing this starts a new game.': ('Początkujący: 9×9 i 10 min, średni: 16×16 i 40, ekspert: 22×22 i 99. Zmiana rozpoczyna nową grę.',
        'Débutant\xa0: 9×9 avec 10 mines, Intermédiaire\xa0: 16×16 avec 40, Expert\xa0: 22×22 avec 99. Changer ce réglage lance une nouvelle partie.',
        'Anfänger 9×9 mit 10 Minen, Fortgeschritten 16×16 mit 40, Experte 22×22 mit 99. Eine Änderung startet ein neues Spiel.'),
    'Question Marks': ('Znaki zapytania',
        'Points d’interrogation',
        'Fragezeichen'),
    'A second flag press marks the tile with ?, a third clears it.': ('Drugie oznaczenie stawia na polu ?, trzecie je usuwa.',
        'Un deuxième marquage met un ? sur la case, un troisième l’efface.',
        'Ein zweites Markieren setzt ein ? auf das Feld, ein drittes entfernt es.'),
    'Tile Theme: %@': ('Motyw pól: %@',
        'Thème des cases\xa0: %@',
        'Felddesign: %@'),
    'Close': ('Zamknij',
        'Fermer',
        'Schließen'),
    'Reset': ('Wyzeruj',
        'Réinitialiser',
        'Zurücksetzen'),
    'Reset all statistics': ('Wyzeruj wszystkie statystyki',
        'Réinitialiser toutes les statistiques',
        'Alle Statistiken zurücksetzen'),
    'Reset All Statistics': ('Wyzeruj wszystkie statystyki',
        'Réinitialiser toutes les statistiques',
        'Alle Statistiken zurücksetzen'),
    'Reset all statistics?': ('Wyzerować wszystkie statystyki?',
        'Réinitialiser toutes les statistiques\u202f?',
        'Alle Statistiken zurücksetzen?'),
    "This clears your games, wins, streaks and best times. It can't be undone.": ('Usuwa to rozegrane gry, zwycięstwa, serie i najlepsze czasy. Tego nie można cofnąć.',
        'Vos parties, victoires, séries et meilleurs temps seront effacés. Cette action est irréversible.',
        'Dadurch werden deine Spiele, Siege, Serien und Bestzeiten gelöscht. Das lässt sich nicht rückgängig machen.'),
    'Changing the difficulty deals a new game and resets your win streak.': ('Zmiana poziomu trudności rozpoczyna nową grę i zeruje serię zwycięstw.',
        'Changer la difficulté lance une nouvelle partie et remet à zéro votre série de victoires.',
        'Eine andere Schwierigkeit startet ein neues Spiel und setzt deine Siegesserie zurück.'),
    'Games Played': ('Rozegrane gry',
        'Parties jouées',
        'Gespielte Spiele'),
    'Games Won': ('Wygrane',
        'Parties gagnées',
        'Gewonnene Spiele'),
    'Games Lost': ('Przegrane',
        'Parties perdues',
        'Verlorene Spiele'),
    'Win Rate': ('Odsetek wygranych',
        'Taux de victoire',
        'Siegquote'),
    'Current Streak': ('Obecna seria',
        'Série actuelle',
        'Aktuelle Serie'),
    'Best Streak': ('Najlepsza seria',
        'Meilleure série',
        'Beste Serie'),
    'Best Time, Beginner': ('Najlepszy czas, początkujący',
        'Meilleur temps, débutant',
        'Bestzeit, Anfänger'),
    'Best Time, Intermediate': ('Najlepszy czas, średni',
        'Meilleur temps, intermédiaire',
        'Bestzeit, Fortgeschritten'),
    'Best Time, Expert': ('Najlepszy czas, ekspert',
        'Meilleur temps, expert',
        'Bestzeit, Experte'),
    'Lives in your menu bar': ('Mieszka w zasobniku',
        'Vit dans la barre des menus',
        'Wohnt in der Menüleiste'),
    "Click the game's icon at the top of your screen to open it. Click anywhere else to hide it; the timer pauses. Can't see it? Check your panel's tray settings if it is hidden.": ('Kliknij ikonę gry w zasobniku, aby ją otworzyć. Kliknij w dowolne inne miejsce, aby ją ukryć; zegar się zatrzyma. Nie widzisz ikony? Sprawdź ustawienia zasobnika na panelu.',
        'Cliquez sur l’icône du jeu en haut de l’écran pour l’ouvrir. Cliquez ailleurs pour le masquer\xa0; le chrono s’arrête. Vous ne la voyez pas\u202f? Vérifiez les réglages de la zone de notification de votre tableau de bord.',
        'Klicke auf das Symbol des Spiels oben am Bildschirm, um es zu öffnen. Ein Klick woanders blendet es aus; die Uhr hält an. Symbol nicht zu sehen? Prüfe die Einstellungen des Infobereichs deiner Leiste.'),
    'Clear the board': ('Oczyść planszę',
        'Déminez la grille',
        'Räume das Spielfeld'),
    'Uncover every tile that is not a mine. A number tells you how many of the 8 tiles around it hold a mine.': ('Odkryj każde pole, na którym nie ma miny. Liczba mówi, na ilu z 8 sąsiednich pól leży mina.',
        'Découvrez toutes les cases sans mine. Un chiffre indique combien des 8 cases voisines cachent une mine.',
        'Decke jedes Feld auf, unter dem keine Mine liegt. Eine Zahl sagt, unter wie vielen der 8 Nachbarfelder eine Mine liegt.'),
    'Uncover tiles': ('Odkrywaj pola',
        'Découvrez des cases',
        'Felder aufdecken'),
    'Click a tile to uncover it. Your first click is always safe, and boards are built so you never have to guess. Uncover a mine and the game is over.': ('Kliknij pole, aby je odkryć. Pierwsze kliknięcie jest zawsze bezpieczne, a plansze są tak ułożone, że nigdy nie trzeba zgadywać. Odkrycie miny kończy grę.',
        'Cliquez sur une case pour la découvrir. Le premier clic est toujours sans danger, et les grilles sont conçues pour ne jamais vous obliger à deviner. Découvrez une mine et la partie est perdue.',
        'Klicke auf ein Feld, um es aufzudecken. Der erste Klick ist immer sicher, und die Spielfelder sind so gebaut, dass du nie raten musst. Deckst du eine Mine auf, ist das Spiel vorbei.'),
    'Flag the mines': ('Oznaczaj miny flagą',
        'Marquez les mines',
        'Markiere die Minen'),
    "Right-click or Control-click a tile to flag it. Press again for a ? mark, and again to clear it. Flag mode in the header makes a plain click flag instead. A flagged tile can't be uncovered by accident.": ('Kliknij pole prawym przyciskiem lub z klawiszem Control, aby postawić flagę. Kolejne kliknięcie stawia ?, następne je usuwa. Tryb flagowania w nagłówku sprawia, że zwykłe kliknięcie stawia flagę. Pola z flagą nie da się odkryć przypadkiem.',
        'Faites un clic droit ou Contrôle-clic sur une case pour y planter un drapeau. Recommencez pour un ?, puis encore pour l’effacer. Le mode drapeau de l’en-tête fait d’un simple clic un drapeau. Une case marquée d’un drapeau ne peut pas être découverte par erreur.',
        'Rechtsklick oder Control-Klick auf ein Feld setzt eine Flagge. Noch einmal setzt ein ?, ein weiteres Mal entfernt es. Im Flaggenmodus oben setzt schon ein einfacher Klick eine Flagge. Ein Feld mit Flagge lässt sich nicht versehentlich aufdecken.'),
    'Open around a number': ('Odkrywaj wokół liczby',
        'Ouvrez autour d’un chiffre',
        'Rund um eine Zahl aufdecken'),
    'Double-click a number that has as many flags around it as its count to uncover all its other neighbors at once. Space does the same from the keyboard.': ('Kliknij dwukrotnie liczbę, wokół której stoi tyle flag, ile wskazuje, aby naraz odkryć wszystkie pozostałe sąsiednie pola. Spacja robi to samo z klawiatury.',
        'Double-cliquez sur un chiffre entouré d’autant de drapeaux que sa valeur pour découvrir d’un coup toutes ses autres cases voisines. La barre d’espace fait de même au clavier.',
        'Doppelklicke auf eine Zahl, um die so viele Flaggen stehen, wie sie angibt, um alle übrigen Nachbarfelder auf einmal aufzudecken. Die Leertaste tut das Gleiche mit der Tastatur.'),
    'Need a hand?': ('Potrzebujesz pomocy?',
        'Besoin d’un coup de main\u202f?',
        'Brauchst du Hilfe?'),
    "Hint marks a tile that is safe to uncover. Tap the lightbulb button at the top, or press H. A game that used a hint doesn't set a best time.": ('Podpowiedź wskazuje pole, które można bezpiecznie odkryć. Kliknij przycisk z żarówką u góry albo naciśnij H. Gra z podpowiedzią nie ustanawia najlepszego czasu.',
        'Un indice signale une case sans danger. Cliquez sur l’ampoule en haut ou appuyez sur H. Une partie jouée avec un indice n’établit pas de meilleur temps.',
        'Ein Tipp markiert ein Feld, das sicher aufgedeckt werden kann. Klicke oben auf die Glühbirne oder drücke H. Ein Spiel mit Tipp zählt nicht als Bestzeit.'),
    'New games and sizes': ('Nowe gry i rozmiary',
        'Nouvelles parties et tailles',
        'Neue Spiele und Größen'),
    'New Game deals a fresh board. Pick Beginner, Intermediate or Expert in Preferences. Game Size there makes the whole game larger.': ('Nowa gra rozkłada świeżą planszę. Poziom początkujący, średni lub ekspert wybierzesz w ustawieniach. Rozmiar gry w tym samym miejscu powiększa całą grę.',
        'Nouvelle partie distribue une nouvelle grille. Choisissez Débutant, Intermédiaire ou Expert dans les Préférences. La taille du jeu, au même endroit, agrandit tout le jeu.',
        'Neues Spiel legt ein frisches Spielfeld aus. Anfänger, Fortgeschritten oder Experte wählst du in den Einstellungen. Die Spielgröße dort macht das ganze Spiel größer.'),
    'Move between tiles': ('Przejdź między polami',
        'Passer d’une case à l’autre',
        'Zwischen Feldern wechseln'),
    'Uncover a tile or open around a number': ('Odkryj pole lub odkryj wokół liczby',
        'Découvrir une case ou ouvrir autour d’un chiffre',
        'Feld aufdecken oder rund um eine Zahl aufdecken'),
    'Space': ('Spacja',
        'Espace',
        'Leertaste'),
    'Flag a tile': ('Postaw flagę',
        'Planter un drapeau',
        'Flagge setzen'),
    'Give a hint': ('Podpowiedz',
        'Donner un indice',
        'Tipp geben'),
    'New game': ('Nowa gra',
        'Nouvelle partie',
        'Neues Spiel'),
    'Open Preferences': ('Otwórz ustawienia',
        'Ouvrir les préférences',
        'Einstellungen öffnen'),
    'Version %@': ('Wersja %@',
        'Version %@',
        'Version %@'),
    'Published by Orvanta LLC': ('Wydawca: Orvanta LLC',
        'Publié par Orvanta LLC',
        'Herausgegeben von Orvanta LLC'),
    'A simple Minesweeper game for your menu bar.': ('Prosty saper do Twojego zasobnika.',
        'Un démineur tout simple pour votre barre des menus.',
        'Ein einfaches Minesweeper für deine Menüleiste.'),
    'Visit %@': ('Odwiedź %@',
        'Visiter %@',
        '%@ besuchen'),
    'Visit publisher website %@': ('Odwiedź stronę wydawcy %@',
        'Visiter le site de l’éditeur %@',
        'Website des Herausgebers besuchen: %@'),
    '© 2026 Orvanta LLC. All rights reserved.': ('© 2026 Orvanta LLC. Wszelkie prawa zastrzeżone.',
        '© 2026 Orvanta LLC. Tous droits réservés.',
        '© 2026 Orvanta LLC. Alle Rechte vorbehalten.'),

    # --- Welcome window and desktop integration ---
    "Welcome": ("Witaj", "Bienvenue", "Willkommen"),
    "Welcome to Velmora": ("Witamy w grze Velmora", "Bienvenue dans Velmora", "Willkommen bei Velmora"),
    "Velmora lives in your menu bar. Click its icon at the top of your screen to play. It looks like this:": (
        "Velmora mieszka na pasku menu. Kliknij jej ikonę u góry ekranu, aby zagrać. Wygląda tak:",
        "Velmora se trouve dans votre barre de menus. Cliquez sur son icône en haut de l\u2019écran pour jouer. Elle ressemble à ceci\u00a0:",
        "Velmora wohnt in Ihrer Menüleiste. Klicken Sie oben auf dem Bildschirm auf das Symbol, um zu spielen. Es sieht so aus:",
    ),
    "The game's icon, highlighted in the menu bar": (
        "Ikona gry wyróżniona na pasku menu",
        "L\u2019icône du jeu, mise en évidence dans la barre de menus",
        "Das Symbol des Spiels, hervorgehoben in der Menüleiste",
    ),
    "Can't see it? Check your panel's tray settings if it is hidden.": (
        "Nie widać jej? Jeśli jest ukryta, sprawdź ustawienia zasobnika w panelu.",
        "Vous ne la voyez pas\u202f? Si elle est masquée, vérifiez les réglages de la zone de notification de votre tableau de bord.",
        "Nicht zu sehen? Prüfen Sie die Einstellungen des Infobereichs Ihrer Leiste, falls es ausgeblendet ist.",
    ),
    "Need the rules? Open the game's menu and choose How to Play.": (
        "Potrzebujesz zasad? Otwórz menu gry i wybierz Jak grać.",
        "Besoin des règles\u202f? Ouvrez le menu du jeu et choisissez Règles du jeu.",
        "Regeln gesucht? Öffnen Sie das Menü des Spiels und wählen Sie Spielanleitung.",
    ),
    "Got it": ("Rozumiem", "Compris", "Verstanden"),

    # --- Store and single instance ---
    "Velmora could not read its saved data and started afresh. The damaged file was kept as %1.": (
        "Velmora nie mogła odczytać zapisanych danych i zaczęła od nowa. Uszkodzony plik zachowano jako %1.",
        "Velmora n’a pas pu lire ses données enregistrées et repart de zéro. Le fichier endommagé a été conservé sous le nom %1.",
        "Velmora konnte die gespeicherten Daten nicht lesen und hat neu begonnen. Die beschädigte Datei wurde als %1 aufbewahrt."),
    "Velmora could not read %1 and left it as it is. Nothing will be saved until it is moved away.": (
        "Velmora nie mogła odczytać pliku %1 i pozostawiła go bez zmian. Nic nie zostanie zapisane, dopóki nie zostanie przeniesiony.",
        "Velmora n’a pas pu lire %1 et l’a laissé tel quel. Rien ne sera enregistré tant qu’il ne sera pas déplacé.",
        "Velmora konnte %1 nicht lesen und hat die Datei unverändert gelassen. Bis sie verschoben wird, wird nichts gespeichert."),

}


def unescape(text):
    return bytes(text, "utf-8").decode("unicode_escape").encode("latin-1").decode("utf-8") if "\\" in text else text


def source_texts():
    texts = set()
    for folder in ("ui", "app"):
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix not in (".cpp", ".h", ".qml"):
                continue
            body = path.read_text(encoding="utf-8")
            for pattern in PATTERNS:
                texts.update(unescape(m) for m in pattern.findall(body))
    types = (ROOT / "engine" / "Types.cpp").read_text(encoding="utf-8")
    themes = re.search(r"kThemeRaw\{(.*?)\};", types, re.S)
    if themes:
        texts.update(re.findall(r'"([^"]+)"', themes.group(1)))
    texts.discard("")
    return texts


def existing(path):
    if not path.exists():
        return {}
    found = {}
    for message in ET.parse(path).getroot().iter("message"):
        translation = message.find("translation")
        if translation is not None and translation.text and translation.get("type") != "unfinished":
            found[message.findtext("source")] = translation.text
    return found


def write(language, categories, texts):
    path = ROOT / "translations" / f"velmora_{language}.ts"
    kept = existing(path)
    index = list(LANGUAGES).index(language)
    keys = set(texts)
    for key in COUNT_KEYS:
        keys.update(f"{key}|{category}" for category in categories)
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<!DOCTYPE TS>",
             f'<TS version="2.1" language="{language}">', "<context>", "    <name>Velmora</name>"]
    for source in sorted(keys):
        translation = kept.get(source) or (TABLE.get(source) or (None,) * 3)[index]
        lines += ["    <message>", f"        <source>{html.escape(source, quote=False)}</source>"]
        if translation:
            lines.append(f"        <translation>{html.escape(translation, quote=False)}</translation>")
        else:
            lines.append('        <translation type="unfinished"></translation>')
        lines.append("    </message>")
    lines += ["</context>", "</TS>", ""]
    path.write_text("\n".join(lines), encoding="utf-8")
    missing = [s for s in keys if not (kept.get(s) or (TABLE.get(s) or (None,) * 3)[index])]
    print(f"{path.relative_to(ROOT)}: {len(keys)} texts, {len(missing)} untranslated" +
          (": " + "; ".join(sorted(missing)) if missing else ""))


def main():
    texts = source_texts()
    for language, categories in LANGUAGES.items():
        write(language, categories, texts)


if __name__ == "__main__":
    main()
