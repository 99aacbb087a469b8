#!/usr/bin/python3
"""Writes the text workbooks of the bad-package catalogue: the sample's texts written by xlwt,
then changed or damaged one way each.

Usage: make_bad_workbooks.py SAMPLE_TEXTS_TSV OUTPUT_DIR
"""

import os
import struct
import sys

import xlwt

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "xls"))
from compound_surgery import Container  # noqa: E402

# A workbook cell holds at most 32,767 characters. Escapes make a longer caption out of one:
# each "%B35" becomes 34 blanks.
LONG_CAPTION_CODES = 2942
LONG_CAPTION_END = "<end>"
ROW_LIMIT_PRODUCT_NAME = "Kestra Row Limit"
# The UNINSTALL texts that name Start-menu folders and shortcut files, and the values that a
# folder name must not take (as the catalogue's name cases number them).
MENU_TEXTS = ["LINK_PROGRAMS_PUBLISHER", "LINK_PROGRAMS_FOLDER", "LINK_PROGRAMS_EXEC",
              "LINK_PROGRAMS_UNIST", "LINK_PROGRAMS_MANUAL", "LINK_DESKTOP"]
NAME_VALUES = ["", ".", "..", "a\\b", "C:x", "CON", "name."]


def sample_rows(path):
    with open(path, encoding="utf-8") as table:
        return [line.rstrip("\r\n").split("\t") for line in table]


def write(path, rows, sheet_name="Install"):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet(sheet_name)
    for r, row in enumerate(rows):
        for c, cell in enumerate(row):
            if cell:
                sheet.write(r, c, cell)
    book.save(path)


def with_text(rows, ident, text):
    return [[row[0], text] if row[0] == ident else row for row in rows]


def renamed_header(rows, old, new):
    return [[new if cell == old else cell for cell in rows[0]]] + rows[1:]


def main(sample, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    rows = sample_rows(sample)

    def path(name):
        return os.path.join(out_dir, name + ".xls")

    write(path("good"), rows)
    good = open(path("good"), "rb").read()

    with open(path("truncated"), "wb") as out:
        out.write(good[:len(good) // 2])

    container = Container(good)
    workbook = container.find("Workbook")
    sectors = container.chain(container.stream_start(workbook))
    # Back to the start halfway, before the stream's size is reached.
    container.set_fat(sectors[len(sectors) // 2], sectors[0])
    with open(path("fat_loop"), "wb") as out:
        out.write(bytes(container.data))

    # The record after BOF becomes a FILEPASS record of the same size: the mark of encryption.
    container = Container(good)
    workbook = container.find("Workbook")
    second = container.stream_file_offset(workbook, 4 + 16)
    struct.pack_into("<H", container.data, second, 0x002F)
    with open(path("encrypted"), "wb") as out:
        out.write(bytes(container.data))

    write(path("other_sheet"), rows, sheet_name="Texts")
    write(path("no_ident"), renamed_header(rows, "Ident", "Name"))
    write(path("no_english"), renamed_header(rows, "English", "Englisch"))

    # 5,000 rows; a second product name after the 1,001 rows that are read must not count.
    filler = [["Filler%d" % i, "text %d" % i] for i in range(5000 - len(rows))]
    filler[2000] = ["ProductName", ROW_LIMIT_PRODUCT_NAME]
    write(path("rows_5000"), rows + filler)

    longest = "".join(chr(ord("a") + i % 26) for i in range(32767))
    write(path("longest_cell"), with_text(rows, "ProductName", longest))
    caption = "%B35" * LONG_CAPTION_CODES + LONG_CAPTION_END
    write(path("long_caption"), with_text(rows, "lb_StartInstallation->Caption", caption))

    # Each section names the other as its alias.
    looped = []
    for row in rows:
        looped.append(row)
        if row[0] == "[InstallWizard]":
            looped.append(["%Mapping%", "Wizard"])
    looped += [["[Wizard]", ""], ["%Mapping%", "InstallWizard"]]
    write(path("mapping_loop"), looped)

    for ident in MENU_TEXTS:
        for index, value in enumerate(NAME_VALUES):
            write(path("menu_%s_%d" % (ident, index)), with_text(rows, ident, value))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
