"""Dumps every non-empty cell of a workbook, one a line:
sheet index, sheet name, row, column, n (number) or s (text), value; tab-separated.
Numbers are written with repr, the shortest text that reads back the same double."""
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
for index, sheet in enumerate(book.worksheets, start=1):
    print("sheet\t%d\t%s" % (index, sheet.title))
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is None:
                continue
            kind = "s" if isinstance(cell.value, str) else "n"
            print("%d\t%s\t%d\t%d\t%s\t%s" % (index, sheet.title, cell.row, cell.column, kind,
                                             repr(cell.value) if kind == "n" else cell.value))
