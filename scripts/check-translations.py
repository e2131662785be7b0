#!/usr/bin/env python3
"""Checks translations/velmora_*.ts; exits 1 and names every problem found.

- Every text of the sources is in every table, and no table holds a text the sources lost
  (lupdate is run over a copy; skipped with --no-extract).
- No source passes a literal to localized(): the extractor would not see it.
- A translation keeps the source's placeholders: %@, %lld, %d (in the source's order, since
  they take their arguments in order), %1, %2 ... (in any order) and %%.
- Every text is translated, except in English (its table only carries the singular forms)
  and the plural keys "<text>|<category>" of categories the language never produces, which
  stay untranslated.
- French: a no-break space (U+00A0) before ":" and "%", a narrow one (U+202F) before "?",
  "!" and ";", never an ordinary space or none; the typographic apostrophe.
"""
import argparse
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = pathlib.Path(__file__).resolve().parent.parent

# The categories LocalizedText.cpp's pluralCategory gives each language for whole counts.
PLURAL_CATEGORIES = {"en": {"one"}, "pl": {"one", "few", "many"}, "fr": {"one", "other"}}
DEFAULT_CATEGORIES = {"one", "other"}
ALL_CATEGORIES = {"one", "few", "many", "other"}

ORDERED = re.compile(r"%(?:@|0?\d*(?:ll|l|q)?[di])")
NUMBERED = re.compile(r"%[1-9][0-9]?")
NBSP, NNBSP = "\u00a0", "\u202f"


def placeholders(text):
    """(ordered printf-style placeholders, sorted %N placeholders, number of %%)."""
    escaped = text.count("%%")
    rest = text.replace("%%", "")
    return ORDERED.findall(rest), sorted(NUMBERED.findall(rest)), escaped


def plural_category(source):
    key, bar, category = source.rpartition("|")
    return category if bar and key and category in ALL_CATEGORIES else None


def french_problems(text):
    problems = []
    # A literal percent sign is written "%%"; a placeholder's own "%" is not punctuation.
    marks = [(m.start(), "%") for m in re.finditer("%%", text)]
    marks += [(i, c) for i, c in enumerate(text.replace("%%", "\0\0")) if c in ":?!;"]
    for i, c in sorted(marks):
        before = text[i - 1] if i > 0 else ""
        wanted = NBSP if c in ":%" else NNBSP
        # A time such as "1:05", "?!" and a sign that opens the text take no space.
        if before == "" or before in "?!" or (c == ":" and before.isdigit()):
            continue
        if before == " ":
            problems.append(f"an ordinary space before {c!r} (use U+{ord(wanted):04X})")
        elif before != wanted:
            problems.append(f"no U+{ord(wanted):04X} before {c!r}")
    if "'" in text:
        problems.append("a straight apostrophe (use \u2019)")
    return problems


def check_table(path, sources=None):
    """The problems of one .ts file, each as a line; sources, when given, is the set of texts
    the code holds."""
    problems = []
    try:
        root = ET.parse(path).getroot()
    except (ET.ParseError, OSError) as error:
        return [f"{path.name}: cannot be read: {error}"]
    language = (root.get("language") or path.stem.rpartition("_")[2]).split("_")[0]
    categories = PLURAL_CATEGORIES.get(language, DEFAULT_CATEGORIES)
    seen = set()
    for message in root.iter("message"):
        source = message.findtext("source") or ""
        seen.add(source)
        element = message.find("translation")
        kind = element.get("type") if element is not None else "unfinished"
        if kind in ("obsolete", "vanished"):
            problems.append(f"{path.name}: {source!r}: kept although the sources no longer have it")
            continue
        translation = (element.text or "") if element is not None else ""
        translated = bool(translation) and kind != "unfinished"
        category = plural_category(source)
        if category is not None and category not in categories:
            if translation:
                problems.append(f"{path.name}: {source!r}: a plural category {language} never uses; "
                                "leave it untranslated")
            continue
        if not translated:
            if language != "en" or category is not None:
                problems.append(f"{path.name}: {source!r}: not translated")
            continue
        expected, got = placeholders(source), placeholders(translation)
        if expected != got:
            problems.append(f"{path.name}: {source!r}: placeholders {format_placeholders(got)} "
                            f"instead of {format_placeholders(expected)} in {translation!r}")
        if language == "fr":
            problems += [f"{path.name}: {source!r}: {p} in {translation!r}" for p in french_problems(translation)]
    if sources is not None:
        problems += [f"{path.name}: {s!r}: in the sources but not in the table (run make translations)"
                     for s in sorted(sources - seen)]
        problems += [f"{path.name}: {s!r}: no longer in the sources (run make translations)"
                     for s in sorted(seen - sources)]
    return problems


def format_placeholders(found):
    ordered, numbered, escaped = found
    parts = ordered + numbered + ["%%"] * escaped
    return " ".join(parts) if parts else "none"


def extracted_sources(tables):
    """The texts lupdate finds in the sources, from a refresh of a copy of the first table."""
    with tempfile.TemporaryDirectory() as folder:
        copy = pathlib.Path(folder) / tables[0].name
        shutil.copyfile(tables[0], copy)
        subprocess.run(["bash", str(ROOT / "scripts" / "update-translations.sh"), folder], check=True)
        return {m.findtext("source") or "" for m in ET.parse(copy).getroot().iter("message")}


def literal_lookups():
    """localized("...") calls: the extractor only sees literals inside QT_TRANSLATE_NOOP."""
    found = []
    pattern = re.compile(r'\blocalized\(\s*"')
    for folder in ("ui", "app"):
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix in (".cpp", ".h", ".qml"):
                for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                    if pattern.search(line):
                        found.append(f"{path.relative_to(ROOT)}:{number}: localized() of a literal; "
                                     'write localized(QT_TRANSLATE_NOOP("Velmora", "..."))')
    return found


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("tables", nargs="*", type=pathlib.Path,
                        help="the .ts files (default: translations/velmora_*.ts)")
    parser.add_argument("--no-extract", action="store_true",
                        help="do not compare the tables with what lupdate finds in the sources")
    args = parser.parse_args(argv)
    tables = args.tables or sorted((ROOT / "translations").glob("velmora_*.ts"))
    if not tables:
        print("check-translations: no tables found", file=sys.stderr)
        return 1
    problems = [] if args.no_extract else literal_lookups()
    sources = None if args.no_extract else extracted_sources(tables)
    for table in tables:
        problems += check_table(table, sources)
    for problem in problems:
        print(problem)
    print(f"check-translations: {len(tables)} tables, {len(problems)} problems", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
