#!/usr/bin/python3
"""Writes the four starting workbooks for a spreadsheet signal: template.xls, template.xlsx,
template.ods and template.csv, each holding one period of a 1 kHz sine of 1 V peak in 600 points.

The generated files are committed, so the build does not need this script. Run it again after
changing the layout:  /usr/bin/python3 Excel/make_templates.py Excel
(.xls needs the python3-xlwt package; the other formats need only Python.)

Layout of the first sheet (row R, column C, from 1):
  R4C4  frequency x 100000          R8C3  column of the samples (2)
  R5C2  a number (hot-link cell)    R9C3  row of the first sample (12)
  R6C3  number of points (600)      R12C2 .. R611C2  sample i in volts x 100000
Column 1 from row 12 holds the sample index i, which the formulas of .xlsx and .ods use; those
files also store every formula's computed value, which is what the simulator reads.
"""

import csv
import math
import os
import sys
import zipfile
from xml.sax.saxutils import escape

POINTS = 600
FREQUENCY = 1000.0
PEAK = 1.0
SCALE = 100000
FIRST_ROW = 12
SAMPLE_COLUMN = 2


def column_letter(column):
    letters = ""
    while column:
        column, rest = divmod(column - 1, 26)
        letters = chr(ord("A") + rest) + letters
    return letters


def sheet_cells():
    """The sheet as {(row, column): (value, formula or None)}; formulas in A1 notation."""
    cells = {
        (1, 1): ("Vantrel: sinal para um canal do osciloscópio", None),
        (2, 1): ("Uma amostra por linha, em volts x 100000; um período em 600 pontos.", None),
        (4, 1): ("Frequência (Hz) x 100000", None),
        (4, 4): (FREQUENCY * SCALE, f"{FREQUENCY:g}*{SCALE}"),
        (5, 1): ("Célula de ligação", None),
        (5, 2): (0, None),
        (6, 1): ("Número de pontos", None),
        (6, 3): (POINTS, f"COUNT(B{FIRST_ROW}:B{FIRST_ROW + POINTS - 1})"),
        (8, 1): ("Coluna das amostras", None),
        (8, 3): (SAMPLE_COLUMN, None),
        (9, 1): ("Linha da primeira amostra", None),
        (9, 3): (FIRST_ROW, None),
        (11, 1): ("i", None),
        (11, 2): ("Amostra (V) x 100000", None),
    }
    for i in range(POINTS):
        row = FIRST_ROW + i
        value = PEAK * SCALE * math.sin(2 * math.pi * i / POINTS)
        cells[(row, 1)] = (i, None)
        cells[(row, 2)] = (value, f"{PEAK * SCALE:g}*SIN(2*PI()*A{row}/{POINTS})")
    return cells


def number_text(value):
    """The shortest text that reads back as the same number, without a trailing ".0"."""
    if isinstance(value, float) and value.is_integer() and abs(value) < 1e15:
        return str(int(value))
    return repr(value)


def write_csv(path, cells):
    rows = max(r for r, _ in cells)
    columns = max(c for _, c in cells)
    with open(path, "w", newline="", encoding="utf-8") as out:
        writer = csv.writer(out, lineterminator="\n")
        for r in range(1, rows + 1):
            line = []
            for c in range(1, columns + 1):
                value = cells.get((r, c), ("", None))[0]
                line.append(value if isinstance(value, str) else number_text(value))
            writer.writerow(line)


def write_xls(path, cells):
    import xlwt

    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Sinal")
    for (r, c), (value, _) in sorted(cells.items()):
        sheet.write(r - 1, c - 1, value)
    book.save(path)


def zip_entry(archive, name, text, stored=False):
    info = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
    info.compress_type = zipfile.ZIP_STORED if stored else zipfile.ZIP_DEFLATED
    archive.writestr(info, text.encode("utf-8"))


def write_xlsx(path, cells):
    strings = sorted({v for v, _ in cells.values() if isinstance(v, str)})
    string_index = {s: i for i, s in enumerate(strings)}
    rows = {}
    for (r, c), cell in sorted(cells.items()):
        rows.setdefault(r, []).append((c, cell))
    sheet_rows = []
    for r, row_cells in sorted(rows.items()):
        parts = []
        for c, (value, formula) in row_cells:
            ref = f"{column_letter(c)}{r}"
            if isinstance(value, str):
                parts.append(f'<c r="{ref}" t="s"><v>{string_index[value]}</v></c>')
            elif formula:
                parts.append(f'<c r="{ref}"><f>{escape(formula)}</f><v>{number_text(value)}</v></c>')
            else:
                parts.append(f'<c r="{ref}"><v>{number_text(value)}</v></c>')
        sheet_rows.append(f'<row r="{r}">{"".join(parts)}</row>')
    main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
    rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
    pkg = "http://schemas.openxmlformats.org/package/2006"
    with zipfile.ZipFile(path, "w") as archive:
        zip_entry(archive, "[Content_Types].xml",
                  f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                  f'<Types xmlns="{pkg}/content-types">'
                  '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
                  '<Default Extension="xml" ContentType="application/xml"/>'
                  '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
                  '<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
                  '<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>'
                  '</Types>')
        zip_entry(archive, "_rels/.rels",
                  f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                  f'<Relationships xmlns="{pkg}/relationships">'
                  f'<Relationship Id="rId1" Type="{rel}/officeDocument" Target="xl/workbook.xml"/>'
                  '</Relationships>')
        zip_entry(archive, "xl/workbook.xml",
                  f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                  f'<workbook xmlns="{main}" xmlns:r="{rel}">'
                  '<sheets><sheet name="Sinal" sheetId="1" r:id="rId1"/></sheets></workbook>')
        zip_entry(archive, "xl/_rels/workbook.xml.rels",
                  f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                  f'<Relationships xmlns="{pkg}/relationships">'
                  f'<Relationship Id="rId1" Type="{rel}/worksheet" Target="worksheets/sheet1.xml"/>'
                  f'<Relationship Id="rId2" Type="{rel}/sharedStrings" Target="sharedStrings.xml"/>'
                  '</Relationships>')
        zip_entry(archive, "xl/sharedStrings.xml",
                  f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                  f'<sst xmlns="{main}" count="{len(strings)}" uniqueCount="{len(strings)}">'
                  + "".join(f"<si><t>{escape(s)}</t></si>" for s in strings) + "</sst>")
        zip_entry(archive, "xl/worksheets/sheet1.xml",
                  f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                  f'<worksheet xmlns="{main}"><sheetData>{"".join(sheet_rows)}</sheetData></worksheet>')


def ods_formula(formula):
    """A1 references of the formulas become OpenFormula references ([.A12], [.B12:.B611])."""
    import re

    def reference(match):
        return "[" + ":".join("." + part for part in match.group(0).split(":")) + "]"

    return "of:=" + re.sub(r"[A-Z]+[0-9]+(?::[A-Z]+[0-9]+)?", reference, formula)


def write_ods(path, cells):
    rows_xml = []
    rows = max(r for r, _ in cells)
    columns = max(c for _, c in cells)
    for r in range(1, rows + 1):
        parts = []
        for c in range(1, columns + 1):
            cell = cells.get((r, c))
            if cell is None:
                parts.append("<table:table-cell/>")
                continue
            value, formula = cell
            if isinstance(value, str):
                parts.append('<table:table-cell office:value-type="string">'
                             f"<text:p>{escape(value)}</text:p></table:table-cell>")
                continue
            text = number_text(value)
            attributes = f'office:value-type="float" office:value="{text}"'
            if formula:
                attributes += f' table:formula="{escape(ods_formula(formula))}"'
            parts.append(f"<table:table-cell {attributes}><text:p>{text}</text:p></table:table-cell>")
        rows_xml.append(f'<table:table-row>{"".join(parts)}</table:table-row>')
    office = "urn:oasis:names:tc:opendocument:xmlns"
    content = (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<office:document-content xmlns:office="{office}:office:1.0" '
        f'xmlns:table="{office}:table:1.0" xmlns:text="{office}:text:1.0" '
        f'xmlns:of="{office}:of:1.2" office:version="1.2">'
        '<office:body><office:spreadsheet><table:table table:name="Sinal">'
        f'<table:table-column table:number-columns-repeated="{columns}"/>'
        f'{"".join(rows_xml)}</table:table></office:spreadsheet></office:body>'
        "</office:document-content>")
    manifest = (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<manifest:manifest xmlns:manifest="{office}:manifest:1.0" manifest:version="1.2">'
        '<manifest:file-entry manifest:full-path="/" manifest:version="1.2" '
        'manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>'
        '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
        "</manifest:manifest>")
    with zipfile.ZipFile(path, "w") as archive:
        zip_entry(archive, "mimetype", "application/vnd.oasis.opendocument.spreadsheet", stored=True)
        zip_entry(archive, "content.xml", content)
        zip_entry(archive, "META-INF/manifest.xml", manifest)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    cells = sheet_cells()
    write_csv(os.path.join(folder, "template.csv"), cells)
    write_xlsx(os.path.join(folder, "template.xlsx"), cells)
    write_ods(os.path.join(folder, "template.ods"), cells)
    write_xls(os.path.join(folder, "template.xls"), cells)


if __name__ == "__main__":
    main()
