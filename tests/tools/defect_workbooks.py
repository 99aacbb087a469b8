#!/usr/bin/python3
"""Writes workbooks with one defect each, made from the sample's texts table, for the package
checker's tests:

    defect_workbooks.py SAMPLE_TEXTS_TSV OUT_DIR
"""
import os
import sys

import xlwt


def read_table(path):
    with open(path, encoding="utf-8") as table:
        return [line.rstrip("\r\n").split("\t") for line in table if line.strip()]


def write(rows, path, sheet_name="Install"):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet(sheet_name)
    for r, row in enumerate(rows):
        for c, cell in enumerate(row):
            if cell:
                sheet.write(r, c, cell)
    book.save(path)


def set_cell(rows, ident, language, text):
    column = rows[0].index(language)
    for row in rows:
        if row[0] == ident:
            row[column] = text
            return
    raise KeyError(ident)


def main(source, out):
    os.makedirs(out, exist_ok=True)
    rows = read_table(source)
    write(rows, os.path.join(out, "other_sheet.xls"), sheet_name="Texts")
    write([[cell for i, cell in enumerate(row) if i != 1] for row in rows],
          os.path.join(out, "no_english.xls"))
    filler = [["Filler_%04d" % i] + ["x"] * (len(rows[0]) - 1) for i in range(1200)]
    write(rows[:1] + filler + rows[1:], os.path.join(out, "too_many_rows.xls"))

    holes = [list(row) for row in rows]
    set_cell(holes, "MSG_102", "French", "@@")
    set_cell(holes, "bt_Next->Caption", "French", "@@")
    set_cell(holes, "ProductName", "German", "")
    write(holes, os.path.join(out, "language_holes.xls"))

    loop = [list(row) for row in rows]
    blank = [""] * (len(rows[0]) - 1)
    loop += [["[Loop1]"] + blank, ["%Mapping%"] + ["Loop2"] * len(blank),
             ["[Loop2]"] + blank, ["%Mapping%"] + ["Loop1"] * len(blank)]
    write(loop, os.path.join(out, "mapping_loop.xls"))

    without = [row for row in rows if row[0] != "CreateLinks"]
    write(without, os.path.join(out, "no_create_links.xls"))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
