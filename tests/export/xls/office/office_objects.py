"""Prints what an office suite made of exported workbooks: the objects of each sheet of an .ods
or .gnumeric file, one line each, sorted.

    SHEET<TAB>comment<TAB>TEXT          a cell comment and its text
    SHEET<TAB>link<TAB>TARGET           a hyperlink
    SHEET<TAB>picture<TAB>W<TAB>H       a drawing frame that holds picture data, with the frame's
                                        width and height in pixels of 1/96 inch
    SHEET<TAB>chart<TAB>KIND            a chart and its kind (bar, line, pie, area, surface, radar...)
    SHEET<TAB>formula<TAB>CELL<TAB>VALUE  a formula cell with the value the suite computed (.ods only)
    background<TAB>W<TAB>H              a page background picture and its size in pixels (.ods)

Texts have line breaks written as \\n.
"""
import gzip
import re
import struct
import sys
import zipfile
import xml.etree.ElementTree as ET

NS = {
    "table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
    "draw": "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0",
    "xlink": "http://www.w3.org/1999/xlink",
    "chart": "urn:oasis:names:tc:opendocument:xmlns:chart:1.0",
    "svg": "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0",
    "style": "urn:oasis:names:tc:opendocument:xmlns:style:1.0",
    "gnm": "http://www.gnumeric.org/v10.dtd",
}

# Pixels (1/96 inch) in one unit of a length.
UNITS = {"in": 96.0, "cm": 96 / 2.54, "mm": 96 / 25.4, "pt": 96 / 72.0, "px": 1.0}


def pixels(length):
    number, unit = re.match(r"([-\d.]+)([a-z]+)", length).groups()
    return float(number) * UNITS[unit]


def png_size(data):
    return struct.unpack(">II", data[16:24]) if data[:8] == b"\x89PNG\r\n\x1a\n" else (0, 0)


def q(name):
    prefix, local = name.split(":")
    return "{%s}%s" % (NS[prefix], local)


def paragraphs(element):
    return "\\n".join("".join(p.itertext()) for p in element.iter(q("text:p")))


def column_name(index):
    name = ""
    index += 1
    while index:
        index, rest = divmod(index - 1, 26)
        name = chr(65 + rest) + name
    return name


def ods(path, out):
    with zipfile.ZipFile(path) as z:
        root = ET.fromstring(z.read("content.xml"))
        names = set(z.namelist())
        for sheet in root.iter(q("table:table")):
            title = sheet.get(q("table:name"))
            for a in sheet.iter(q("office:annotation")):
                out.append("%s\tcomment\t%s" % (title, paragraphs(a)))
            for link in sheet.iter(q("text:a")):
                out.append("%s\tlink\t%s" % (title, link.get(q("xlink:href"))))
            for frame in sheet.iter(q("draw:frame")):
                objects = list(frame.iter(q("draw:object")))
                # A chart's frame may carry a picture of it beside the chart itself.
                images = [] if objects else list(frame.iter(q("draw:image")))
                for image in images:
                    href = image.get(q("xlink:href")) or ""
                    if href.startswith("Pictures/") and href in names:
                        out.append("%s\tpicture\t%.1f\t%.1f" % (title, pixels(frame.get(q("svg:width"))),
                                                                pixels(frame.get(q("svg:height")))))
                for obj in objects:
                    href = obj.get(q("xlink:href"))
                    content = (href[2:] if href.startswith("./") else href).rstrip("/") + "/content.xml"
                    chart = ET.fromstring(z.read(content)).find(".//" + q("chart:chart"))
                    out.append("%s\tchart\t%s" % (title, chart.get(q("chart:class")).split(":")[-1]))
            row = 0
            for tr in sheet.iter(q("table:table-row")):
                col = 0
                for cell in tr:
                    repeat = int(cell.get(q("table:number-columns-repeated"), "1"))
                    if cell.get(q("table:formula")) is not None:
                        out.append("%s\tformula\t%s%d\t%s" % (title, column_name(col), row + 1, cell.get(q("office:value"))))
                    col += repeat
                row += int(tr.get(q("table:number-rows-repeated"), "1"))
        for image in ET.fromstring(z.read("styles.xml")).iter(q("style:background-image")):
            href = image.get(q("xlink:href")) or ""
            if href in names:
                out.append("background\t%d\t%d" % png_size(z.read(href)))


def gnumeric(path, out):
    with gzip.open(path) as f:
        root = ET.parse(f).getroot()
    for sheet in root.iter(q("gnm:Sheet")):
        title = sheet.find(q("gnm:Name")).text
        for c in sheet.iter(q("gnm:CellComment")):
            out.append("%s\tcomment\t%s" % (title, c.get("Text").replace("\n", "\\n")))
        for link in sheet.iter(q("gnm:HyperLink")):
            out.append("%s\tlink\t%s" % (title, link.get("target")))
        for image in sheet.iter(q("gnm:SheetObjectImage")):
            content = image.find("Content")
            if content is None or not content.get("image-type"):
                continue
            # Anchored at one cell, the last two offsets are the frame's size in points.
            width, height = (float(v) for v in image.get("ObjectOffset").split()[2:4])
            out.append("%s\tpicture\t%.1f\t%.1f" % (title, width * 96 / 72, height * 96 / 72))
        for graph in sheet.iter(q("gnm:SheetObjectGraph")):
            plots = [o.get("type") for o in graph.iter() if (o.get("type") or "").endswith("Plot")]
            out.append("%s\tchart\t%s" % (title, ",".join(re.sub(r"^Gog|Plot$", "", p).lower() for p in plots)))


def main():
    out = []
    for path in sys.argv[1:]:
        (ods if path.endswith(".ods") else gnumeric)(path, out)
    for line in sorted(out):
        print(line)


main()
