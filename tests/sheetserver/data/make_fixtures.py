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
