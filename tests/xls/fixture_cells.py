"""Cell values of the fixtures and the texts the reader must give for them."""

import decimal


class Num:
    """A number cell; `text` is what the reader must give, computed independently below."""

    def __init__(self, value, text=None):
        self.value = value
        self.text = text if text is not None else js_number_text(value)


class Bool:
    def __init__(self, value):
        self.value = value
        self.text = "TRUE" if value else "FALSE"


class Error:
    CODES = {"#NULL!": 0x00, "#DIV/0!": 0x07, "#VALUE!": 0x0F, "#REF!": 0x17, "#NAME?": 0x1D,
             "#NUM!": 0x24, "#N/A": 0x2A}

    def __init__(self, literal):
        self.value = Error.CODES[literal]
        self.text = literal


class Styled:
    """A formatted cell without a value (BLANK or MULBLANK): no text, does not extend the sheet."""

    text = ""


class Rich:
    """A string written in pieces with different fonts (rich-text runs in the SST)."""

    def __init__(self, pieces):
        self.pieces = pieces
        self.text = "".join(pieces)


def js_number_text(value):
    """Shortest round-trip digits (Python's repr), laid out as JavaScript's Number#toString."""
    if value == 0:
        return "0"
    sign, digits, exponent = decimal.Decimal(repr(value)).normalize().as_tuple()
    digits = "".join(str(d) for d in digits)
    k = len(digits)
    point = k + exponent  # the value is 0.<digits> times 10 to the power `point`
    if k <= point <= 21:
        text = digits + "0" * (point - k)
    elif 0 < point <= 21:
        text = digits[:point] + "." + digits[point:]
    elif -6 < point <= 0:
        text = "0." + "0" * (-point) + digits
    else:
        e = point - 1
        text = digits[0] + ("." + digits[1:] if k > 1 else "") + "e%+d" % e
    return ("-" if sign else "") + text


def cell_text(cell):
    if cell is None:
        return ""
    if isinstance(cell, str):
        return cell
    return cell.text


# ---------------------------------------------------------------------------------------------
# Writing workbooks.


def expected_rows(rows):
    """The texts the reader gives: up to the last row and column with a value."""

    def holds_value(cell):
        return cell is not None and not isinstance(cell, Styled) and not (
            isinstance(cell, str) and cell == "")

    last_row = -1
    last_column = -1
    for r, row in enumerate(rows):
        for c, cell in enumerate(row):
            if holds_value(cell):
                last_row = max(last_row, r)
                last_column = max(last_column, c)
    result = []
    for r in range(last_row + 1):
        row = rows[r] if r < len(rows) else []
        result.append([cell_text(row[c]) if c < len(row) else "" for c in range(last_column + 1)])
    return result


def escape(text):
    return (text.replace("\\", "\\\\").replace("\t", "\\t").replace("\r", "\\r").replace(
        "\n", "\\n"))


def write_expected(path, rows):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        for row in expected_rows(rows):
            out.write("\t".join(escape(text) for text in row) + "\n")
