"""The translation check on small tables, each made to break one rule."""
import importlib.util
import pathlib
import tempfile
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
module_source = importlib.util.spec_from_file_location("check", ROOT / "scripts" / "check-translations.py")
check = importlib.util.module_from_spec(module_source)
module_source.loader.exec_module(check)

NBSP, NNBSP = "\u00a0", "\u202f"


def table(language, *messages):
    """A .ts text; a message is (source, translation) or (source, None) for an unfinished one."""
    lines = [f'<?xml version="1.0" encoding="utf-8"?><TS version="2.1" language="{language}">',
             "<context><name>Velmora</name>"]
    for source, translation in messages:
        escape = lambda t: t.replace("&", "&amp;").replace("<", "&lt;")
        body = (f"<translation>{escape(translation)}</translation>" if translation is not None
                else '<translation type="unfinished"></translation>')
        lines.append(f"<message><source>{escape(source)}</source>{body}</message>")
    lines.append("</context></TS>")
    return "\n".join(lines)


class TableCheck(unittest.TestCase):
    def problems(self, language, *messages, sources=None):
        with tempfile.TemporaryDirectory() as folder:
            path = pathlib.Path(folder) / f"velmora_{language}.ts"
            path.write_text(table(language, *messages), encoding="utf-8")
            return check.check_table(path, sources)

    def assertFlags(self, language, *messages, word):
        found = self.problems(language, *messages)
        self.assertEqual(len(found), 1, found)
        self.assertIn(word, found[0])

    def test_placeholders_lost_added_or_reordered_are_flagged(self):
        self.assertFlags("de", ("Time: %@", "Zeit:"), word="placeholders")
        self.assertFlags("de", ("Version %@", "Version %@ %@"), word="placeholders")
        self.assertFlags("pl", ("%lld mines left|one", "mina pozostała"), word="placeholders")
        self.assertFlags("de", ("Row %lld, column %lld: %@", "%@: Zeile %lld, Spalte %lld"), word="placeholders")
        self.assertFlags("de", ("%@%%", "%@"), word="placeholders")
        self.assertFlags("de", ("New Game (%1)", "Neues Spiel"), word="placeholders")
        self.assertFlags("de", ("Clock %02d", "Uhr %d"), word="placeholders")
        # Numbered arguments may change places; ordered ones only keep their order.
        self.assertEqual(self.problems("de", ("%1 of %2", "%2 von %1"), ("Row %lld, column %lld", "Zeile %lld, Spalte %lld")), [])

    def test_untranslated_texts_and_plural_categories(self):
        self.assertFlags("pl", ("Cancel", None), word="not translated")
        self.assertFlags("de", ("Cancel", ""), word="not translated")
        self.assertFlags("fr", ("%lld mines left|other", None), word="not translated")
        # English only needs the singular forms.
        self.assertEqual(self.problems("en", ("Cancel", None), ("%lld mines left|one", "%lld mine left")), [])
        self.assertFlags("en", ("%lld mines left|one", None), word="not translated")
        # A category the language never produces stays empty, and a filled one is reported.
        self.assertEqual(self.problems("pl", ("%lld mines left|other", None), ("%lld mines left|few", "%lld miny")), [])
        self.assertEqual(self.problems("de", ("%lld mines left|few", None), ("%lld mines left|many", None)), [])
        self.assertFlags("pl", ("%lld mines left|other", "%lld miny pozostało"), word="never uses")
        self.assertFlags("en", ("%lld mines left|other", "%lld mines left"), word="never uses")
        # A bar inside a text is not a plural key.
        self.assertFlags("de", ("A|B", None), word="not translated")

    def test_french_spacing_and_apostrophes(self):
        self.assertFlags("fr", ("Time: %@", "Temps : %@"), word="ordinary space")
        self.assertFlags("fr", ("Time: %@", "Temps: %@"), word="U+00A0")
        self.assertFlags("fr", ("Abandon?", "Abandonner ?"), word="ordinary space")
        self.assertFlags("fr", ("Abandon?", f"Abandonner{NBSP}?"), word="U+202F")
        self.assertFlags("fr", ("New best time!", "Nouveau record !"), word="ordinary space")
        self.assertFlags("fr", ("%@%%", "%@ %%"), word="ordinary space")
        self.assertFlags("fr", ("%@%%", "%@%%"), word="U+00A0")
        self.assertFlags("fr", ("Hide it; it pauses", "Masquez-le ; il s’arrête"), word="ordinary space")
        self.assertFlags("fr", ("Open around", "Ouvrez autour d'un chiffre"), word="apostrophe")
        self.assertEqual(self.problems("fr",
                                       ("Time: %@", f"Temps{NBSP}: %@"), ("%@%%", f"%@{NBSP}%%"),
                                       ("Really?!", f"Vraiment{NNBSP}?!"), ("1:05", "1:05"),
                                       ("Open around", "Ouvrez autour d’un chiffre")), [])
        # Other languages write these signs their own way.
        self.assertEqual(self.problems("de", ("Time: %@", "Zeit: %@"), ("%@%%", "%@ %%")), [])

    def test_tables_follow_the_sources(self):
        found = self.problems("de", ("Cancel", "Abbrechen"), ("Gone", "Weg"), sources={"Cancel", "New"})
        self.assertEqual(len(found), 2, found)
        self.assertTrue(any("'New'" in p and "not in the table" in p for p in found), found)
        self.assertTrue(any("'Gone'" in p and "no longer" in p for p in found), found)
        with tempfile.TemporaryDirectory() as folder:
            path = pathlib.Path(folder) / "velmora_de.ts"
            path.write_text(table("de", ("Old", "Alt")).replace("<translation>", '<translation type="vanished">'),
                            encoding="utf-8")
            self.assertIn("no longer have it", check.check_table(path)[0])
            path.write_text("<TS><message>", encoding="utf-8")
            self.assertIn("cannot be read", check.check_table(path)[0])


if __name__ == "__main__":
    unittest.main()
