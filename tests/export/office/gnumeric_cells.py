# Prints every cell of a gnumeric workbook (argv[1]) as "sheet<TAB>row<TAB>col<TAB>type<TAB>value":
# floats as Python writes them, booleans TRUE or FALSE, text as it is (line breaks as \r and
# \n). gnumeric reads the tables and text files it was given as Latin-1; their bytes are taken
# back and read as GBK (argv[2] names the sheets, in order, to print in place of gnumeric's
# names).
import gzip, sys
import xml.etree.ElementTree as ET

ns = {'gnm': 'http://www.gnumeric.org/v10.dtd'}
root = ET.parse(gzip.open(sys.argv[1])).getroot()
names = sys.argv[2].split(',')
out = []
for index, sheet in enumerate(root.findall('gnm:Sheets/gnm:Sheet', ns)):
    name = names[index] if index < len(names) else sheet.find('gnm:Name', ns).text
    for cell in sheet.findall('gnm:Cells/gnm:Cell', ns):
        kind, text = cell.get('ValueType'), cell.text or ''
        if kind == '40':
            value, kind = repr(float(text)), 'VALUE'
        elif kind == '20':
            value, kind = text, 'BOOL'
        else:
            try:
                value = text.encode('latin-1').decode('gbk')
            except (UnicodeEncodeError, UnicodeDecodeError):
                value = text
            kind = 'TEXT'
        value = value.replace('\r', '\\r').replace('\n', '\\n')
        out.append('%s\t%s\t%s\t%s\t%s' % (name, cell.get('Row'), cell.get('Col'), kind, value))
sys.stdout.buffer.write(('\n'.join(out) + '\n').encode('utf-8'))
