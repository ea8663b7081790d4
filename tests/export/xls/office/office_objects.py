"""Prints what an office suite made of exported workbooks: the objects of each sheet of an .ods,
.gnumeric or .xlsx file, one line each, sorted (the .xlsx reader gives no sizes).

    SHEET<TAB>comment<TAB>TEXT          a cell comment and its text
    SHEET<TAB>link<TAB>TARGET           a hyperlink
    SHEET<TAB>picture<TAB>W<TAB>H       a drawing frame that holds picture data, with the frame's
                                        width and height in pixels of 1/96 inch
    SHEET<TAB>chart<TAB>KIND            a chart and its kind (bar, line, pie, area, surface, radar...)
    SHEET<TAB>series<TAB>COLOUR         the line colour of a chart's series (#rrggbb, or "auto")
    SHEET<TAB>point<TAB>COLOUR          the fill colour of a data point formatted on its own (a slice)
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
    "main": "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
    "rel": "http://schemas.openxmlformats.org/package/2006/relationships",
    "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    "c": "http://schemas.openxmlformats.org/drawingml/2006/chart",
    "a": "http://schemas.openxmlformats.org/drawingml/2006/main",
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


def colour(value):
    return "#" + value.lower().lstrip("#") if value else "auto"


def ods_chart_colours(chart_xml, title, out):
    styles = {}
    for style in chart_xml.iter(q("style:style")):
        props = style.find(q("style:graphic-properties"))
        if props is not None:
            styles[style.get(q("style:name"))] = props
    for series in chart_xml.iter(q("chart:series")):
        props = styles.get(series.get(q("chart:style-name")))
        out.append("%s\tseries\t%s" % (title, colour(props.get(q("svg:stroke-color")) if props is not None else None)))
        for point in series.iter(q("chart:data-point")):
            props = styles.get(point.get(q("chart:style-name")))
            if props is not None:
                out.append("%s\tpoint\t%s" % (title, colour(props.get(q("draw:fill-color")))))


def xlsx_chart_colours(chart_xml, title, out):
    for series in chart_xml.iter(q("c:ser")):
        line = series.find("%s/%s/%s/%s" % (q("c:spPr"), q("a:ln"), q("a:solidFill"), q("a:srgbClr")))
        out.append("%s\tseries\t%s" % (title, colour(line.get("val") if line is not None else None)))
        for point in series.findall(q("c:dPt")):
            fill = point.find("%s/%s/%s" % (q("c:spPr"), q("a:solidFill"), q("a:srgbClr")))
            out.append("%s\tpoint\t%s" % (title, colour(fill.get("val") if fill is not None else None)))


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
                    chart_xml = ET.fromstring(z.read(content))
                    chart = chart_xml.find(".//" + q("chart:chart"))
                    out.append("%s\tchart\t%s" % (title, chart.get(q("chart:class")).split(":")[-1]))
                    ods_chart_colours(chart_xml, title, out)
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


def xlsx(path, out):
    with zipfile.ZipFile(path) as z:
        book = ET.fromstring(z.read("xl/workbook.xml"))
        rels = ET.fromstring(z.read("xl/_rels/workbook.xml.rels"))
        targets = {r.get("Id"): r.get("Target") for r in rels}

        def related(part):
            folder, name = part.rsplit("/", 1)
            rel_path = "%s/_rels/%s.rels" % (folder, name)
            if rel_path not in z.namelist():
                return {}
            result = {}
            for r in ET.fromstring(z.read(rel_path)):
                target = r.get("Target")
                if r.get("TargetMode") != "External":
                    parts = (folder + "/" + target).split("/")
                    stack = []
                    for p in parts:
                        if p == "..":
                            stack.pop()
                        elif p != ".":
                            stack.append(p)
                    target = "/".join(stack)
                result[r.get("Id")] = (r.get("Type").rsplit("/", 1)[-1], target)
            return result

        for sheet in book.iter(q("main:sheet")):
            title = sheet.get("name")
            part = "xl/" + targets[sheet.get(q("r:id"))]
            sheet_xml = ET.fromstring(z.read(part))
            links = related(part)
            for h in sheet_xml.iter(q("main:hyperlink")):
                target = links.get(h.get(q("r:id")), ("", h.get("location") or ""))[1]
                out.append("%s\tlink\t%s" % (title, target))
            for kind, target in links.values():
                if kind == "comments":
                    for c in ET.fromstring(z.read(target)).iter(q("main:comment")):
                        text = "".join(t.text or "" for t in c.iter(q("main:t"))).replace("\n", "\\n")
                        out.append("%s\tcomment\t%s" % (title, text))
                if kind == "drawing":
                    for dkind, dtarget in related(target).values():
                        if dkind == "image" and len(z.read(dtarget)) > 0:
                            out.append("%s\tpicture" % title)
                        if dkind == "chart":
                            chart = ET.fromstring(z.read(dtarget))
                            plot = chart.find(".//" + q("c:plotArea"))
                            kinds = [re.sub(r"Chart$", "", child.tag.split("}")[1]) for child in plot
                                     if child.tag.endswith("Chart")]
                            out.append("%s\tchart\t%s" % (title, ",".join(kinds)))
                            xlsx_chart_colours(chart, title, out)


def main():
    out = []
    for path in sys.argv[1:]:
        reader = ods if path.endswith(".ods") else xlsx if path.endswith(".xlsx") else gnumeric
        reader(path, out)
    for line in sorted(out):
        print(line)


main()
