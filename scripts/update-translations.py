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
