#!/usr/bin/python3
"""Writes the .xls fixtures of the server's tests, which C++ cannot write:
formula_points.xls is the starting workbook with R6C3 holding a formula, as a user would save it.
Run: /usr/bin/python3 tests/sheetserver/data/make_fixtures.py  (needs python3-xlwt)."""

import os
import sys

import xlwt

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "Excel"))
import make_templates  # noqa: E402

book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("Sinal")
for (row, column), (value, _) in sorted(make_templates.sheet_cells().items()):
    if (row, column) == (6, 3):
        sheet.write(row - 1, column - 1, xlwt.Formula("COUNT(B12:B611)"))
    else:
        sheet.write(row - 1, column - 1, value)
book.save(os.path.join(HERE, "formula_points.xls"))

# Files saved by a real spreadsheet editor (LibreOffice Calc, package libreoffice-calc-nogui),
# as a teacher would save the templates: the .xlsx and .csv from template.ods, the .ods from
# template.xlsx, and an .xls from template.ods whose formula cells FreeXL cannot see.
#   cp Excel/template.ods src.ods; cp Excel/template.xlsx srcx.xlsx
#   soffice --headless --convert-to xlsx src.ods     -> editor_saved.xlsx
#   soffice --headless --convert-to csv src.ods      -> editor_saved.csv
#   soffice --headless --convert-to ods srcx.xlsx    -> editor_saved.ods
#   soffice --headless --convert-to xls src.ods      -> editor_saved_formulas.xls
