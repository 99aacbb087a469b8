#!/usr/bin/python3
"""Writes the .xls fixtures of xls_fixture_tests: workbooks made by xlwt and, where soffice is
installed, by LibreOffice Calc, plus broken files derived from them.

Usage: make_fixtures.py OUTPUT_DIR

For every fixture the directory gets NAME.xls and, when it is readable, NAME.expected: one line
per row (the column names first), cells separated by tabs, with backslash, tab, CR and LF
written as \\\\, \\t, \\r and \\n. NAME.formulas lists the cells (row, column) that
hold formulas. manifest.txt lists one fixture per line: file, sheet name, expected error,
expected-text file or "-", and whether FreeXL can serve as an oracle for it ("oracle" or "-").
"""

import os
import struct
import sys

import libreoffice_fixtures
import xlwt_fixtures
from compound_surgery import (END_OF_CHAIN, Container, biff_records_end,
                              shared_string_boundaries, write_container)
from fixture_cells import write_expected


def main():
    out_dir = sys.argv[1]
    os.makedirs(out_dir, exist_ok=True)
    manifest = []

    def path(name):
        return os.path.join(out_dir, name)

    def listed(name, sheet, oracle=True):
        manifest.append((name + ".xls", sheet, "kNone", name + ".expected",
                         "oracle" if oracle else "-"))

    def fixture(name, sheets, sheet="Install", oracle=True):
        xlwt_fixtures.write_workbook(path(name + ".xls"), sheets)
        write_expected(path(name + ".expected"), dict(sheets)[sheet])
        listed(name, sheet, oracle)

    def workbook_stream(name):
        container = Container(open(path(name), "rb").read())
        return container.stream(container.find("Workbook"))

    fixture("languages", [("Notes", xlwt_fixtures.notes_rows()),
                          ("Install", xlwt_fixtures.language_rows()), ("Other", [["x"]])])
    manifest.append(("languages.xls", "iNSTALL", "kNone", "languages.expected", "-"))
    manifest.append(("languages.xls", "Nowhere", "kSheetMissing", "-", "-"))
    fixture("long_text", [("Install", xlwt_fixtures.long_text_rows())])
    assert "chars" in shared_string_boundaries(workbook_stream("long_text.xls"))
    # FreeXL cannot judge this one: it converts each record's part of a string on its own, so a
    # surrogate pair split between records makes it drop the workbook, and it loses its place
    # after a string that spans three records.
    fixture("continue_edges", [("Install", xlwt_fixtures.continue_edge_rows())], oracle=False)
    assert shared_string_boundaries(workbook_stream("continue_edges.xls")) == {
        "chars", "pair", "runs"}
    fixture("many_rows", [("Install", xlwt_fixtures.many_rows())])
    fixture("numbers", [("Install", xlwt_fixtures.number_rows())])
    fixture("sparse", [("Install", xlwt_fixtures.sparse_rows())])
    fixture("bench", [("Install", xlwt_fixtures.bench_rows())])
    fixture("big", [("Install", xlwt_fixtures.big_rows())])
    fixture("small", [("Install", [["Ident", "English"], ["OK", "OK"]])])

    # xlwt's Workbook streams repacked into container layouts xlwt does not write.
    write_container(path("sectors_4096.xls"), {"Workbook": workbook_stream("languages.xls")},
                    4096)
    manifest.append(("sectors_4096.xls", "Install", "kNone", "languages.expected", "oracle"))
    unpadded = workbook_stream("small.xls")
    unpadded = unpadded[:biff_records_end(unpadded)]
    assert len(unpadded) < 4096, len(unpadded)
    write_container(path("mini_stream.xls"), {"Workbook": unpadded}, 512)
    manifest.append(("mini_stream.xls", "Install", "kNone", "small.expected", "oracle"))

    if libreoffice_fixtures.available():
        sheets = {
            "lo_mixed": [("Notes", xlwt_fixtures.notes_rows()),
                         ("Install", libreoffice_fixtures.mixed_rows())],
            "lo_small": [("Install", libreoffice_fixtures.small_rows())],
        }
        for name, content in sheets.items():
            libreoffice_fixtures.write_flat_ods(path(name + ".fods"), content)
            rows = dict(content)["Install"]
            write_expected(path(name + ".expected"), rows)
            with open(path(name + ".formulas"), "w", encoding="utf-8") as out:
                for r, c in libreoffice_fixtures.formula_cells(rows):
                    out.write("%d\t%d\n" % (r, c))
            listed(name, "Install")
        libreoffice_fixtures.convert(out_dir, list(sheets))
    else:
        print("soffice not found: no LibreOffice fixtures")

    write_broken_fixtures(out_dir, manifest)

    with open(path("manifest.txt"), "w", encoding="utf-8", newline="\n") as out:
        for line in manifest:
            out.write("\t".join(line) + "\n")


def write_broken_fixtures(out_dir, manifest):
    """Copies of xlwt's fixtures, each broken in one way."""
    base = open(os.path.join(out_dir, "languages.xls"), "rb").read()

    def derived(name, data, error, expected="-"):
        with open(os.path.join(out_dir, name + ".xls"), "wb") as out:
            out.write(data)
        manifest.append((name + ".xls", "Install", error, expected, "-"))

    def workbook_container(data=base):
        container = Container(data)
        return container, container.find("Workbook")

    derived("truncated_half", base[:len(base) // 2], "kCorruptCompoundFile")
    derived("truncated_header", base[:300], "kNotCompoundFile")
    derived("not_compound", b"PK\x03\x04" + base[4:], "kNotCompoundFile")

    container, workbook = workbook_container()
    sectors = container.chain(container.stream_start(workbook))
    container.set_fat(sectors[3], sectors[1])
    derived("fat_loop", bytes(container.data), "kCorruptCompoundFile")

    container, workbook = workbook_container()
    container.set_fat(sectors[2], 0x00FFFFFF)
    derived("fat_outside", bytes(container.data), "kCorruptCompoundFile")

    # The Workbook chain ends early, amid the cells: the rows before the cut must come back.
    container, workbook = workbook_container(
        open(os.path.join(out_dir, "many_rows.xls"), "rb").read())
    many_sectors = container.chain(container.stream_start(workbook))
    container.set_fat(many_sectors[len(many_sectors) * 4 // 5], END_OF_CHAIN)
    derived("chain_cut", bytes(container.data), "kCorruptCompoundFile",
            expected="many_rows.expected")

    container, workbook = workbook_container()
    container.set_entry_field(workbook, 68, workbook)  # its own left sibling
    derived("directory_cycle", bytes(container.data), "kCorruptCompoundFile")

    container, workbook = workbook_container()
    container.set_entry_field(workbook, 120, 0x7FFFFFF0)  # stream size
    derived("oversized_stream", bytes(container.data), "kCorruptCompoundFile")

    container, workbook = workbook_container()
    container.rename(workbook, "Book")
    derived("biff5_book_stream", bytes(container.data), "kUnsupportedFormat")

    container, workbook = workbook_container()
    container.rename(workbook, "Other")
    derived("no_workbook_stream", bytes(container.data), "kNoWorkbookStream")

    # The BOF says BIFF5.
    container, workbook = workbook_container()
    bof = container.stream_file_offset(workbook, 0)
    assert struct.unpack_from("<HHH", container.data, bof) == (0x0809, 16, 0x0600)
    struct.pack_into("<H", container.data, bof + 4, 0x0500)
    derived("biff5_bof", bytes(container.data), "kUnsupportedFormat")

    # The record after BOF becomes a FILEPASS record of the same size.
    container, workbook = workbook_container()
    second = container.stream_file_offset(workbook, 4 + 16)
    struct.pack_into("<H", container.data, second, 0x002F)
    derived("encrypted", bytes(container.data), "kEncrypted")


if __name__ == "__main__":
    main()
