#!/usr/bin/env python3
"""Writes the delivered translation table data/uebersetzung.txt and checks it.

Sources, all in this folder, tab-separated UTF-8, '#' lines are comments:
  inventory.tsv  form, component, property, index, German: every text of the program
                 (runtime arrays have an empty form, the array's key as component).
  glossary.tsv   German, English, Polish: a German text's translations wherever it appears.
  overrides.tsv  form, component, property, index, English, Polish: where one place needs
                 other words than the glossary gives (a shorter label, a split legend word).
  local.tsv      texts the program's own list lacks, in the inventory's columns.

  make_table.py                write the table (texts without letters need no translation)
  make_table.py --check [INVENTORY…]  check the written table against the inventory and
                               further inventory files (--table PATH checks another file)
  make_table.py --merge FILE…  take new or changed keys from inventory files (five columns,
                               or the table's own layout, whose English and Polish texts
                               join the glossary when it lacks the German text)

Refreshing the inventory: the driver's `texts FILE` writes every German text the program
shows; empty inventory.tsv (keep its comment line), merge that file, the lists of texts
other parts add and local.tsv, then write the table and translate what it reports.
"""

import argparse
import re
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
TABLE = ROOT / "data" / "uebersetzung.txt"

GERMAN, ENGLISH, POLISH = 6, 7, 17  # column 5 + language code
COLUMNS = POLISH + 1
EMPTY_TEXT = "@@"
HEADER = ["Gruppe", "Formular", "Komponente", "Eigenschaft", "Index", "Undefiniert",
          "Deutsch", "Englisch", "Französisch", "Niederländisch", "Italienisch", "Dänisch",
          "Norwegisch", "Finnisch", "Spanisch", "Griechisch", "Türkisch", "Polnisch"]


def rows_of(path):
    """The lines of a tab-separated file as lists of fields, without comments."""
    text = path.read_text(encoding="utf-8-sig")
    rows = []
    for line in text.replace("\r\n", "\n").split("\n"):
        if not line.strip() or line.startswith("#"):
            continue
        rows.append(line.split("\t"))
    return rows


def index_of(text):
    text = text.strip()
    return text if text else "0"


def key_of(form, component, prop, index):
    return (form, component, prop.lower(), index_of(index))


def shown(text):
    return EMPTY_TEXT if text == "" else text


def read_inventory():
    entries = []
    for row in rows_of(HERE / "inventory.tsv"):
        row += [""] * (5 - len(row))
        entries.append((row[0], row[1], row[2], index_of(row[3]), row[4]))
    return entries


def read_glossary():
    glossary = {}
    for row in rows_of(HERE / "glossary.tsv"):
        if len(row) != 3:
            sys.exit(f"glossary.tsv: not three columns: {row}")
        glossary[row[0]] = (row[1], row[2])
    return glossary


def read_overrides():
    overrides = {}
    path = HERE / "overrides.tsv"
    if path.exists():
        for row in rows_of(path):
            if len(row) != 6:
                sys.exit(f"overrides.tsv: not six columns: {row}")
            overrides[key_of(*row[:4])] = (row[4], row[5])
    return overrides


def markers(text):
    """The format markers (%s, %d, %1) and accelerator marks a text carries."""
    return sorted(re.findall(r"%[sd0-9]|&(?=\S)", text))


def neutral(text):
    """Symbols, numbers and empty texts read the same in every language."""
    return not any(c.isalpha() for c in text)


def translate(entry, glossary, overrides):
    form, component, prop, index, german = entry
    found = overrides.get(key_of(form, component, prop, index)) or glossary.get(german)
    if found:
        return found
    if neutral(german):
        return german, german
    return None


def write_table():
    glossary, overrides = read_glossary(), read_overrides()
    lines, missing, written = ["\t".join(HEADER)], [], {}
    for entry in read_inventory():
        form, component, prop, index, german = entry
        # Two controls of one window with the same name share the line: one text for both.
        key = key_of(form, component, prop, index)
        if key in written:
            if written[key] != german:
                print("same key, other German:", "\t".join(entry), file=sys.stderr)
            continue
        written[key] = german
        found = translate(entry, glossary, overrides)
        if found is None:
            missing.append(entry)
            continue
        cells = [""] * COLUMNS
        cells[1:5] = [form, component, prop, index]
        cells[GERMAN] = shown(german)
        cells[ENGLISH] = shown(found[0])
        cells[POLISH] = shown(found[1])
        lines.append("\t".join(cells))
    TABLE.write_bytes(b"\xef\xbb\xbf" + "\r\n".join(lines).encode("utf-8") + b"\r\n")
    for entry in missing:
        print("no translation:", "\t".join(entry), file=sys.stderr)
    print(f"{TABLE.relative_to(ROOT)}: {len(lines) - 1} entries, {len(missing)} untranslated")
    return not missing


def check_table(inventories, table_path):
    problems = []
    data = table_path.read_bytes()
    if not data.startswith(b"\xef\xbb\xbf"):
        problems.append("no UTF-8 byte-order mark")
    body = data[3:].decode("utf-8")
    if not body.endswith("\r\n"):
        problems.append("the last line has no CR LF")
    lines = body[:-2].split("\r\n") if body.endswith("\r\n") else body.split("\r\n")
    for n, line in enumerate(lines):
        if "\n" in line or "\r" in line:
            problems.append(f"line {n}: a lone CR or LF")
    table = {}
    for n, line in enumerate(lines[1:], 1):
        cells = line.split("\t")
        if len(cells) < COLUMNS:
            problems.append(f"line {n}: {len(cells)} columns")
            continue
        key = key_of(*cells[1:5])
        if key in table:
            problems.append(f"line {n}: duplicate {key}")
        table[key] = cells
        for column in (GERMAN, ENGLISH, POLISH):
            if not cells[column]:
                problems.append(f"line {n}: column {column} empty")
            elif markers(cells[column]) != markers(cells[GERMAN]):
                problems.append(f"line {n}: column {column} has other markers than the German")
    wanted = [(HERE / "inventory.tsv", read_inventory())]
    for path in inventories:
        wanted.append((path, [tuple(inventory_row(r)) for r in rows_of(path) if not header(r)]))
    for path, entries in wanted:
        for form, component, prop, index, german in entries:
            cells = table.get(key_of(form, component, prop, index))
            if cells is None:
                problems.append(f"{path.name}: not in the table: {form} {component} {prop} {index}")
            elif cells[GERMAN] != shown(german):
                problems.append(f"{path.name}: German differs at {form} {component} {prop} "
                                f"{index}: {cells[GERMAN]!r} != {german!r}")
    for problem in problems:
        print(problem, file=sys.stderr)
    print(f"{table_path}: {len(table)} entries, {len(problems)} problems")
    return not problems


def header(row):
    return bool(row) and row[0].lower() in ("form", "formular", "gruppe", "group")


def inventory_row(row):
    """Five columns, or the table's own layout (group, form, component, property, index, …)."""
    if len(row) > 6:
        row = row + [""] * (COLUMNS - len(row))
        return [row[1], row[2], row[3], index_of(row[4]), row[GERMAN]]
    row = row + [""] * (5 - len(row))
    return [row[0], row[1], row[2], index_of(row[3]), row[4]]


def merge(paths):
    entries = read_inventory()
    position = {key_of(*e[:4]): i for i, e in enumerate(entries)}
    glossary = read_glossary()
    fresh = []
    added = changed = 0
    for path in paths:
        for row in rows_of(path):
            if header(row):
                continue
            entry = tuple(inventory_row(row))
            key = key_of(*entry[:4])
            if key not in position:
                position[key] = len(entries)
                entries.append(entry)
                added += 1
            elif entries[position[key]] != entry:
                entries[position[key]] = entry
                changed += 1
            # Translations that came with a text join the glossary, unless it has the text.
            german = entry[4]
            if len(row) > 6 and german not in glossary:
                full = row + [""] * (COLUMNS - len(row))
                if full[ENGLISH] and full[POLISH]:
                    glossary[german] = (full[ENGLISH], full[POLISH])
                    fresh.append([german, full[ENGLISH], full[POLISH]])
    with open(HERE / "inventory.tsv", "w", encoding="utf-8", newline="\n") as f:
        f.write("# form\tcomponent\tproperty\tindex\tGerman\n")
        for entry in entries:
            f.write("\t".join(entry) + "\n")
    with open(HERE / "glossary.tsv", "a", encoding="utf-8", newline="\n") as f:
        for row in fresh:
            f.write("\t".join(row) + "\n")
    print(f"inventory.tsv: {len(entries)} entries, {added} added, {changed} changed")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", nargs="*", type=Path, metavar="INVENTORY")
    parser.add_argument("--table", type=Path, default=TABLE, help="the table --check reads")
    parser.add_argument("--merge", nargs="+", type=Path, metavar="FILE")
    args = parser.parse_args()
    if args.merge:
        merge(args.merge)
        return 0
    if args.check is not None:
        return 0 if check_table(args.check, args.table) else 1
    return 0 if write_table() else 1


if __name__ == "__main__":
    sys.exit(main())
