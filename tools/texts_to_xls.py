#!/usr/bin/python3
"""Turns a texts table (tab-separated, first row: Ident and the language names) into the Excel
97-2003 workbook that Setup.exe reads: one sheet "Install" with the same rows. The table is
UTF-8, with or without a byte-order mark, or UTF-16 with a byte-order mark (what a spreadsheet
program saves as "Unicode text").
Runs with Debian's python3 (python3-xlwt)."""
import argparse
import codecs
import sys

import xlwt


class TableEncodingError(Exception):
    pass


def read_table(source):
    """The table's text; TableEncodingError when it is neither UTF-8 nor UTF-16."""
    with open(source, "rb") as table:
        data = table.read()
    if data.startswith((codecs.BOM_UTF16_LE, codecs.BOM_UTF16_BE)):
        encoding = "utf-16"
    else:
        encoding = "utf-8-sig"
    try:
        return data.decode(encoding)
    except UnicodeDecodeError as error:
        raise TableEncodingError(
            f"{source}: byte {error.start} is not {encoding.replace('-sig', '')}: save the table "
            "as UTF-8 or as Unicode text (UTF-16)") from None


def main(source, target):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Install")
    # Line ends as universal newlines read them: CR LF, LF or CR.
    lines = read_table(source).replace("\r\n", "\n").replace("\r", "\n").split("\n")
    for row, line in enumerate(lines):
        for column, cell in enumerate(line.split("\t")):
            if cell:
                sheet.write(row, column, cell)
    book.save(target)


if __name__ == "__main__":
    parser = argparse.ArgumentParser(prog="texts_to_xls.py", description=__doc__.split("\n\n")[0])
    parser.add_argument("table", help="the texts table (.tsv)")
    parser.add_argument("workbook", help="the workbook to write (.xls)")
    args = parser.parse_args()
    try:
        main(args.table, args.workbook)
    except TableEncodingError as error:
        print(f"texts_to_xls.py: {error}", file=sys.stderr)
        sys.exit(1)
