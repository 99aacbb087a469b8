"""Writes the sample's user manuals: one small, valid PDF page per language."""

TITLES = {
    "English": "Kestra Capture - User Manual",
    "German": "Kestra Capture - Benutzerhandbuch",
    "French": "Kestra Capture - Manuel de l'utilisateur",
}


def _escape(text):
    return text.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)")


def manual(language):
    title = TITLES.get(language, "Kestra Capture - User Manual (%s)" % language)
    lines = [title, "Capture the screen, a window or a region.",
             "Scripts and macros live in the ScriptsMacros folder."]
    text = "BT /F1 18 Tf 72 760 Td (%s) Tj /F1 11 Tf" % _escape(lines[0])
    for line in lines[1:]:
        text += " 0 -24 Td (%s) Tj" % _escape(line)
    text += " ET"
    objects = [
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R "
        "/Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Length %d >>\nstream\n%s\nendstream" % (len(text), text),
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
    ]
    out = bytearray(b"%PDF-1.4\n")
    offsets = []
    for number, body in enumerate(objects, start=1):
        offsets.append(len(out))
        out += ("%d 0 obj\n%s\nendobj\n" % (number, body)).encode("latin-1")
    xref = len(out)
    out += ("xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)).encode("ascii")
    for offset in offsets:
        out += ("%010d 00000 n \n" % offset).encode("ascii")
    out += ("trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n"
            % (len(objects) + 1, xref)).encode("ascii")
    return bytes(out)
