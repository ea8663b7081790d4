"""Prints the sheets and cells of an .xls file as xlrd reads them, one line each.

    sheet<TAB>NAME
    R<row>C<col><TAB>KIND<TAB>VALUE      KIND: text, number, date, bool, error, blank
    R<row>C<col><TAB>note<TAB>TEXT       the note (comment) of a cell, after the cells

Numbers as %.17g; texts with backslash, newline and tab escaped. With --formats each cell line
also carries the XF index, the font's index, height, weight, colour index and name, the number
format's text, the horizontal and vertical alignment codes and the fill's pattern colour index.
"""
import sys

import xlrd

KINDS = {xlrd.XL_CELL_TEXT: "text", xlrd.XL_CELL_NUMBER: "number", xlrd.XL_CELL_DATE: "date",
         xlrd.XL_CELL_BOOLEAN: "bool", xlrd.XL_CELL_ERROR: "error", xlrd.XL_CELL_BLANK: "blank"}


def escape(text):
    return text.replace("\\", "\\\\").replace("\n", "\\n").replace("\t", "\\t").replace("\r", "\\r")


def value_text(cell):
    if cell.ctype == xlrd.XL_CELL_TEXT:
        return escape(cell.value)
    if cell.ctype in (xlrd.XL_CELL_NUMBER, xlrd.XL_CELL_DATE):
        return "%.17g" % cell.value
    if cell.ctype in (xlrd.XL_CELL_BOOLEAN, xlrd.XL_CELL_ERROR):
        return "%d" % cell.value
    return ""


def main():
    formats = "--formats" in sys.argv
    path = [a for a in sys.argv[1:] if not a.startswith("--")][0]
    book = xlrd.open_workbook(path, formatting_info=True)
    for sheet in book.sheets():
        print("sheet\t" + sheet.name)
        for r in range(sheet.nrows):
            for c in range(sheet.ncols):
                cell = sheet.cell(r, c)
                if cell.ctype == xlrd.XL_CELL_EMPTY:
                    continue
                line = "R%dC%d\t%s\t%s" % (r, c, KINDS[cell.ctype], value_text(cell))
                if formats:
                    xf = book.xf_list[cell.xf_index]
                    font = book.font_list[xf.font_index]
                    fmt = book.format_map[xf.format_key].format_str
                    line += "\txf=%d font=%d height=%d weight=%d colour=%d name=%s format=%s align=%d/%d fill=%d" % (
                        cell.xf_index, xf.font_index, font.height, font.weight, font.colour_index, font.name,
                        fmt, xf.alignment.hor_align, xf.alignment.vert_align, xf.background.pattern_colour_index)
                print(line)
        for (r, c), note in sorted(sheet.cell_note_map.items()):
            print("R%dC%d\tnote\t%s" % (r, c, escape(note.text)))


main()
