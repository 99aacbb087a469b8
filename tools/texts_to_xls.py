#!/usr/bin/python3
"""Turns a texts table (UTF-8, tab-separated, first row: Ident and the language names) into the
Excel 97-2003 workbook that Setup.exe reads: one sheet "Install" with the same rows.
Runs with Debian's python3 (python3-xlwt)."""
import sys

import xlwt


def main(source, target):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Install")
    with open(source, encoding="utf-8") as table:
        for row, line in enumerate(table):
            for column, cell in enumerate(line.rstrip("\r\n").split("\t")):
                if cell:
                    sheet.write(row, column, cell)
    book.save(target)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
