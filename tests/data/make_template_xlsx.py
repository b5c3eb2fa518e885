#!/usr/bin/env python3
"""Builds resources/Template.xlsx, the one-sheet workbook the spreadsheet writer fills.

The writer replaces xl/worksheets/sheet1.xml and xl/sharedStrings.xml; everything else here
(content types, relationships, workbook, styles) must already declare those two parts.
Usage: make_template_xlsx.py OUTPUT.xlsx
"""
import sys
import zipfile

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG_REL = "http://schemas.openxmlformats.org/package/2006/relationships"
CT = "application/vnd.openxmlformats-officedocument.spreadsheetml"
HEAD = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'

PARTS = [
    ("[Content_Types].xml", HEAD +
     '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
     '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
     '<Default Extension="xml" ContentType="application/xml"/>'
     f'<Override PartName="/xl/workbook.xml" ContentType="{CT}.sheet.main+xml"/>'
     f'<Override PartName="/xl/worksheets/sheet1.xml" ContentType="{CT}.worksheet+xml"/>'
     f'<Override PartName="/xl/styles.xml" ContentType="{CT}.styles+xml"/>'
     f'<Override PartName="/xl/sharedStrings.xml" ContentType="{CT}.sharedStrings+xml"/>'
     '</Types>'),
    ("_rels/.rels", HEAD +
     f'<Relationships xmlns="{PKG_REL}">'
     f'<Relationship Id="rId1" Type="{REL}/officeDocument" Target="xl/workbook.xml"/>'
     '</Relationships>'),
    ("xl/workbook.xml", HEAD +
     f'<workbook xmlns="{MAIN}" xmlns:r="{REL}">'
     '<bookViews><workbookView activeTab="0"/></bookViews>'
     '<sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets>'
     '</workbook>'),
    ("xl/_rels/workbook.xml.rels", HEAD +
     f'<Relationships xmlns="{PKG_REL}">'
     f'<Relationship Id="rId1" Type="{REL}/worksheet" Target="worksheets/sheet1.xml"/>'
     f'<Relationship Id="rId2" Type="{REL}/styles" Target="styles.xml"/>'
     f'<Relationship Id="rId3" Type="{REL}/sharedStrings" Target="sharedStrings.xml"/>'
     '</Relationships>'),
    ("xl/styles.xml", HEAD +
     f'<styleSheet xmlns="{MAIN}">'
     '<fonts count="1"><font><sz val="12"/><name val="Liberation Sans"/><family val="2"/></font></fonts>'
     '<fills count="2"><fill><patternFill patternType="none"/></fill>'
     '<fill><patternFill patternType="gray125"/></fill></fills>'
     '<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>'
     '<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>'
     '<cellXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/></cellXfs>'
     '<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>'
     '</styleSheet>'),
    ("xl/worksheets/sheet1.xml", HEAD +
     f'<worksheet xmlns="{MAIN}"><dimension ref="A1"/><sheetData/></worksheet>'),
    ("xl/sharedStrings.xml", HEAD + f'<sst xmlns="{MAIN}"/>'),
]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as archive:
        for name, text in PARTS:
            # A fixed date keeps the shipped file byte for byte reproducible.
            info = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, text.encode("utf-8"))


if __name__ == "__main__":
    main()
