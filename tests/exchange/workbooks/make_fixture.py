#!/usr/bin/env python3
# Writes entry.fods, the source of the entry workbook fixtures; convert with
#   soffice --headless --convert-to xlsx entry.fods
#   soffice --headless --convert-to xls entry.fods
from xml.sax.saxutils import escape

HEADER = ["Dan rojstva", "Mesec rojstva", "Leto rojstva", "Priimek in ime", "Spol", "ATV", "ATT", "AKG",
          "DPR", "SDM", "PON", "DT", "PRE", "VZG", "60m", "600m"]


def cell(v):
    if v is None:
        return '<table:table-cell/>'
    if isinstance(v, tuple):  # (kind, ...)
        kind = v[0]
        if kind == 'formula':
            _, formula, value = v
            return (f'<table:table-cell table:formula="{escape(formula)}" office:value-type="float" '
                    f'office:value="{value}"><text:p>{value}</text:p></table:table-cell>')
        if kind == 'merged':  # text spanning two columns; the second is covered
            _, text = v
            return (f'<table:table-cell table:number-columns-spanned="2" office:value-type="string">'
                    f'<text:p>{escape(text)}</text:p></table:table-cell><table:covered-table-cell/>')
    if isinstance(v, (int, float)):
        return f'<table:table-cell office:value-type="float" office:value="{v}"><text:p>{v}</text:p></table:table-cell>'
    return f'<table:table-cell office:value-type="string"><text:p>{escape(v)}</text:p></table:table-cell>'


def table(name, rows):
    out = [f'<table:table table:name="{escape(name)}">']
    for r in rows:
        out.append('<table:table-row>' + ''.join(cell(v) for v in r) + '</table:table-row>')
    out.append('</table:table>')
    return '\n'.join(out)


class_5a = [
    HEADER,
    [5, 3, 1995, "Novak Ana", 505, 1452, 45, 12, 30, 180, 120, 25, 40, 15, 95, 210],
    [None, 4, 1996, "Kovač Miha", 500, 15.5, 38, 9, 28, 175, 118, 22, 35, 12, 99, 220],
    ["07", 11, 1995, "Ana", "M", 1400, None, None, 31],
    [None, None, None, None, None, 1300, 40],
    [1, 2, 1995, "Košir  Žan", 500, ('formula', 'of:=1000+450', 1450), 50, 8, 33, 190, 110, 28, 41, 20, 90, 200],
    [2, 2, 1995, ('merged', "Zupan Eva"), 1500, 51],
]
class_7 = [HEADER, [9, 9, 1993, "Horvat Luka", 500, 1600, 55, 10, 35, 210, 100, 30, 45, 25, 85, 180]]
class_6 = [HEADER] + [[1, 1, 1994, f"Učenec{n:02d} Ime", 500, 1500 + n] for n in range(1, 51)]

body = '\n'.join([
    table("5 A", class_5a),
    table("7 ABCD", class_7),
    table("6 B", class_6),
    table("5 ", [HEADER]),
    table("List1", []),
])

doc = f'''<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:body><office:spreadsheet>
{body}
</office:spreadsheet></office:body></office:document>
'''
with open('entry.fods', 'w', encoding='utf-8') as f:
    f.write(doc)
