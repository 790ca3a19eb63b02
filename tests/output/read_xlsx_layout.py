"""Dumps the presentation of each sheet of a workbook, one a line, tab-separated: name, the
frozen cell (or -), whether A1 is bold, then the widths of columns A.. as far as any is set, in
whole characters (the file adds the padding of a character's edges)."""
import sys

import openpyxl
from openpyxl.utils import get_column_letter

book = openpyxl.load_workbook(sys.argv[1])
for sheet in book.worksheets:
    widths = []
    for i in range(1, 20):
        dim = sheet.column_dimensions.get(get_column_letter(i))
        widths.append("%d" % int(dim.width) if dim is not None and dim.customWidth else "-")
    while widths and widths[-1] == "-":
        widths.pop()
    print("\t".join([sheet.title, sheet.freeze_panes or "-",
                     "1" if sheet["A1"].font is not None and sheet["A1"].font.b else "0"] +
                    widths))
