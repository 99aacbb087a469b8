"""Workbooks written by LibreOffice Calc: the sheets go out as flat ODF, headless soffice turns
them into .xls. Unlike xlwt, LibreOffice computes formulas and stores their results (strings
in STRING records), and puts small Workbook streams into the mini stream."""

import os
import shutil
import subprocess
from xml.sax.saxutils import escape, quoteattr

from fixture_cells import Num, Rich
from fixture_texts import PHRASES


class LoFormula:
    """A formula left for LibreOffice to compute; `text` is the result the reader must give."""

    def __init__(self, expression, text):
        self.expression = expression
        self.text = text


def available():
    return shutil.which("soffice") is not None


def mixed_rows():
    languages = ["English", "ChineseS", "Arabic", "Thai", "Greek", "Russian", "Japanese"]
    rows = [["Ident"] + languages]
    for ident in ("Install", "Cancel", "Welcome"):
        rows.append([ident] + [PHRASES[ident][language] for language in languages])
    rows.append(["Beyond", "😀 emoji", "𠀋 extension B", None, None, "𝛑 math", None, "🎌"])
    rows.append(["Rich", Rich(["bold ", "and plain"]), None, None, None, None,
                 Rich(["Привет ", "мир"])])
    rows.append(["Lines", "First\nSecond"])
    rows.append(["Long", "".join(chr(ord("a") + i % 26) for i in range(9000)), None, None,
                 None, "".join(chr(0x03B1 + i % 24) for i in range(5000))])
    rows.append(["FormulaText", LoFormula('CONCATENATE("Se";"tup")', "Setup"),
                 LoFormula("[.A2]", "Install"), LoFormula('REPT("ab";5000)', "ab" * 5000),
                 LoFormula('""', "")])
    rows.append(["FormulaOther", LoFormula("1=1", "TRUE"), LoFormula("1=2", "FALSE"),
                 LoFormula("1/0", "#DIV/0!"), LoFormula("NA()", "#N/A"),
                 LoFormula("2.5*3", "7.5"), LoFormula("1/3", "0.3333333333333333")])
    rows.append(["Numbers", Num(1), Num(2.5), Num(-3), Num(0.1), Num(1e21), Num(1.5e-7),
                 Num(123456789)])
    rows.append([])
    rows.append(["Last", "end"])
    return rows


def small_rows():
    return [["Ident", "English", "German"], ["OK", "OK", "OK"], ["Cancel", "Cancel", "Abbrechen"]]


def formula_cells(rows):
    return [(r, c) for r, row in enumerate(rows) for c, cell in enumerate(row)
            if isinstance(cell, LoFormula)]


def paragraphs(text):
    return "".join("<text:p>%s</text:p>" % escape(line) for line in text.split("\n"))


def cell_xml(cell):
    if cell is None:
        return "<table:table-cell/>"
    if isinstance(cell, str):
        return '<table:table-cell office:value-type="string">%s</table:table-cell>' % paragraphs(
            cell)
    if isinstance(cell, Rich):
        spans = "".join(
            '<text:span text:style-name="%s">%s</text:span>' % ("Bold" if i % 2 else "Italic",
                                                                 escape(piece))
            for i, piece in enumerate(cell.pieces))
        return '<table:table-cell office:value-type="string"><text:p>%s</text:p>' \
               '</table:table-cell>' % spans
    if isinstance(cell, Num):
        return '<table:table-cell office:value-type="float" office:value="%r"/>' % cell.value
    if isinstance(cell, LoFormula):
        # No cached result: LibreOffice then computes the formula on loading.
        return "<table:table-cell table:formula=%s/>" % quoteattr("of:=" + cell.expression)
    raise TypeError(cell)


def write_flat_ods(path, sheets):
    tables = []
    for name, rows in sheets:
        xml_rows = "".join("<table:table-row>%s</table:table-row>" %
                           ("".join(cell_xml(cell) for cell in row) or "<table:table-cell/>")
                           for row in rows)
        tables.append('<table:table table:name=%s>%s</table:table>' % (quoteattr(name), xml_rows))
    with open(path, "w", encoding="utf-8") as out:
        out.write('''<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles>
<style:style style:name="Bold" style:family="text"><style:text-properties fo:font-weight="bold"/></style:style>
<style:style style:name="Italic" style:family="text"><style:text-properties fo:font-style="italic"/></style:style>
</office:automatic-styles>
<office:body><office:spreadsheet>%s</office:spreadsheet></office:body></office:document>
''' % "".join(tables))


def convert(out_dir, names):
    """Turns NAME.fods into NAME.xls with a private LibreOffice profile."""
    profile = os.path.join(out_dir, "libreoffice-profile")
    command = ["soffice", "--headless", "--norestore",
               "-env:UserInstallation=file://" + os.path.abspath(profile),
               "--convert-to", "xls:MS Excel 97", "--outdir", out_dir]
    command += [os.path.join(out_dir, name + ".fods") for name in names]
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    shutil.rmtree(profile, ignore_errors=True)
    for name in names:
        if not os.path.exists(os.path.join(out_dir, name + ".xls")):
            raise RuntimeError("LibreOffice did not write %s.xls" % name)
