"""Workbooks written by xlwt: their contents and the writing."""

import xlwt

from fixture_cells import Bool, Error, Num, Rich, Styled
from fixture_texts import LANGUAGES, PHRASES


class Formula:
    """xlwt stores no computed result, only an empty string as the cached one."""

    def __init__(self, expression):
        self.value = xlwt.Formula(expression)
        self.text = ""


def write_cell(sheet, r, c, cell, fonts):
    if cell is None:
        return
    if isinstance(cell, str):
        sheet.write(r, c, cell)
    elif isinstance(cell, Bool):
        sheet.row(r).set_cell_boolean(c, cell.value)
    elif isinstance(cell, Error):
        sheet.row(r).set_cell_error(c, cell.value)
    elif isinstance(cell, Styled):
        sheet.write(r, c, None, fonts["styled"])
    elif isinstance(cell, Rich):
        pieces = []
        for i, piece in enumerate(cell.pieces):
            pieces.append((piece, fonts["bold"] if i % 2 else fonts["italic"]))
        sheet.write_rich_text(r, c, pieces)
    else:
        sheet.write(r, c, cell.value)


def make_styles():
    bold = xlwt.Font()
    bold.bold = True
    italic = xlwt.Font()
    italic.italic = True
    styled = xlwt.easyxf("pattern: pattern solid, fore_colour yellow")
    return {"bold": bold, "italic": italic, "styled": styled}


def write_workbook(path, sheets):
    """sheets: list of (name, rows); rows: list of lists of cells."""
    book = xlwt.Workbook(encoding="utf-8")
    fonts = make_styles()
    for name, rows in sheets:
        sheet = book.add_sheet(name)
        for r, row in enumerate(rows):
            for c, cell in enumerate(row):
                write_cell(sheet, r, c, cell, fonts)
    book.save(path)


def language_rows():
    header = ["Ident"] + LANGUAGES
    rows = [header]
    for ident, texts in PHRASES.items():
        rows.append([ident] + [texts[language] for language in LANGUAGES])
    # Characters beyond the Basic Multilingual Plane, stored as surrogate pairs.
    rows.append(["Beyond"] + ["😀 %s 𠀋𝄞" % language for language in LANGUAGES])
    # Some languages missing: their cells stay empty.
    rows.append(["Partial", "Only English"] + [None] * 21 + ["عربي فقط"])
    rows.append(["Multiline", "First line\nSecond line", "Tab\there"])
    rows.append(["Formatted", Rich(["bold ", "and italic ", "runs"])])
    return rows


def notes_rows():
    return [["Note"], ["This sheet comes first; the reader must find Install by name."]]


def long_text_rows():
    latin = "".join(chr(ord("a") + i % 26) for i in range(9500))
    chinese = "".join(chr(0x4E00 + (i * 7) % 20000) for i in range(4000))
    rows = [["Ident", "Text"]]
    rows.append(["Latin", latin])
    rows.append(["Chinese", chinese])
    rows.append(["Runs", Rich(["short ", "rich ", "text"])])
    for i in range(400):
        rows.append(["Filler%d" % i, "Σ%dΩ" % i * (i % 17 + 1)])
    rows.append(["Last", latin[:3000] + "中" + latin[:500]])
    return rows


def continue_edge_rows():
    """Shared strings that CONTINUE records split between the halves of a surrogate pair, inside
    the formatting runs of a rich string and more than once."""
    rows = [["Ident", "Text"]]
    rows.append(["Latin", "".join(chr(ord("a") + i % 26) for i in range(8000))])
    for shift in range(3):
        rows.append(["Astral%d" % shift, "y" * shift + "".join(
            chr(0x1F600 + i % 64) + "x" for i in range(6000))])
    rows.append(["Runs", Rich(["run%04d " % i for i in range(2400)])])
    # 18,600 bytes of characters: the string spans three records.
    rows.append(["Chinese", "".join(chr(0x4E00 + (i * 7) % 20000) for i in range(9300))])
    rows.append(["After", "the last string"])
    return rows


def many_rows():
    rows = [["Ident", "English", "German"]]
    for i in range(1, 1200):
        rows.append(["ID_%04d" % i, "Text %d" % i, "Text %d ä" % i])
    return rows


def number_rows():
    values = [
        Num(1, "1"), Num(2.5, "2.5"), Num(-3, "-3"), Num(0.1, "0.1"), Num(1e21, "1e+21"),
        Num(1.5e-7, "1.5e-7"), Num(0.000001, "0.000001"), Num(123456789012345680000.0,
                                                               "123456789012345680000"),
        Num(1 / 3, "0.3333333333333333"), Num(2**53, "9007199254740992"),
        Num(1e300, "1e+300"), Num(5e-324, "5e-324"), Num(0.1 + 0.2, "0.30000000000000004"),
        Num(-0.0, "0"), Num(100, "100"), Num(1.23, "1.23"), Num(-45.67, "-45.67"),
        Num(536870911, "536870911"), Num(536870912, "536870912"), Num(-536870912, "-536870912"),
        Num(1e16, "10000000000000000"), Num(1.7976931348623157e308, "1.7976931348623157e+308"),
        Num(0.5, "0.5"), Num(3.14159, "3.14159"), Num(12345.678, "12345.678")
    ]
    rows = [["Ident", "Value", "Formula", "Flag", "Error"]]
    errors = ["#DIV/0!", "#N/A", "#NAME?", "#NULL!", "#NUM!", "#REF!", "#VALUE!"]
    for i, value in enumerate(values):
        rows.append([
            "N%02d" % i, value,
            Formula("B%d*2" % (i + 2)), Bool(i % 2 == 0), Error(errors[i % len(errors)])
        ])
    rows.append(["Sum", Num(42), Formula("SUM(B2:B10)"), Formula('"a"&"b"'), None])
    return rows


def sparse_rows():
    rows = [["Ident", "A", None, "C"]]
    rows.append(["r1", None, "only column 2", None])
    rows.append([])  # a blank row in the middle
    rows.append([Styled(), Styled(), Styled(), Styled()])  # formatted but empty
    rows.append(["r4", "", None, "x"])
    rows.append([None, None, None, None, None, "beyond the header"])
    rows.append([])
    rows.append([Styled(), None, Styled(), Styled(), Styled(), Styled(), Styled(), Styled()])
    return rows


def bench_rows():
    rows = [["Ident"] + LANGUAGES]
    for i in range(1, 1001):
        row = ["STR_%04d" % i]
        for j, language in enumerate(LANGUAGES):
            base = PHRASES["Welcome"][language]
            row.append("%s %d" % (base, i) if j % 5 else "%s (%d)" % (base, i * 35 + j))
        rows.append(row)
    return rows


def big_rows():
    """More than 7 MB of NUMBER records: the FAT no longer fits the header's 109 sectors."""
    rows = [["Ident", "V1", "V2", "V3", "V4", "V5", "V6", "V7"]]
    for i in range(1, 60001):
        rows.append(["R%d" % i] + [Num(i * 7 + j + 0.123456789) for j in range(7)])
    return rows
