#!/usr/bin/python3
"""Writes workbooks with one defect each, made from the sample's texts table, for the package
checker's tests:

    defect_workbooks.py SAMPLE_TEXTS_TSV OUT_DIR

The workbooks are read and written as the bad-package catalogue's are
(tests/catalogue/make_bad_workbooks.py).
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "catalogue"))
from make_bad_workbooks import sample_rows, write  # noqa: E402


def set_cell(rows, ident, language, text):
    column = rows[0].index(language)
    for row in rows:
        if row[0] == ident:
            row[column] = text
            return
    raise KeyError(ident)


def main(source, out):
    os.makedirs(out, exist_ok=True)
    rows = sample_rows(source)

    def path(name):
        return os.path.join(out, name + ".xls")

    write(path("other_sheet"), rows, sheet_name="Texts")
    write(path("no_english"), [[cell for i, cell in enumerate(row) if i != 1] for row in rows])
    filler = [["Filler_%04d" % i] + ["x"] * (len(rows[0]) - 1) for i in range(1200)]
    write(path("too_many_rows"), rows[:1] + filler + rows[1:])

    holes = [list(row) for row in rows]
    set_cell(holes, "MSG_102", "French", "@@")
    set_cell(holes, "bt_Next->Caption", "French", "@@")
    set_cell(holes, "ProductName", "German", "")
    write(path("language_holes"), holes)

    loop = [list(row) for row in rows]
    blank = [""] * (len(rows[0]) - 1)
    loop += [["[Loop1]"] + blank, ["%Mapping%"] + ["Loop2"] * len(blank),
             ["[Loop2]"] + blank, ["%Mapping%"] + ["Loop1"] * len(blank)]
    write(path("mapping_loop"), loop)

    without = [row for row in rows if row[0] != "CreateLinks"]
    write(path("no_create_links"), without)

    # Typos Setup.exe reads past: a language column it does not know, codes it does not replace.
    for name, header in (("column_deutsch", "Deutsch"), ("column_de", "de"),
                         ("column_german_lower_case", "german")):
        renamed = [list(row) for row in rows]
        renamed[0][renamed[0].index("German")] = header
        write(path(name), renamed)
    codes = [list(row) for row in rows]
    set_cell(codes, "lb_PrepareProc->Caption", "German", "Bitte %Qwarten...")
    set_cell(codes, "lb_PrepareProc->Caption", "French", "Veuillez%b5patienter...")
    set_cell(codes, "lb_PrepareProc->Caption", "English", "Please%B36wait...")
    write(path("unknown_codes"), codes)
    # A workbook made before the texts Setup.exe brings in English: warned about, no defect.
    write(path("no_built_in_texts"), [row for row in rows if row[0] != "MSG_401"])


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
