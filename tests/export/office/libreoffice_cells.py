# Loads each file named on the command line ("path|filter|options") into one LibreOffice, started
# once, and prints every cell of its first sheet as "file<TAB>row<TAB>col<TAB>type<TAB>value"
# (line breaks in a value as \r and \n).
import os, shutil, subprocess, sys, tempfile, time
import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.connection import NoConnectException

def prop(name, value):
    p = PropertyValue(); p.Name = name; p.Value = value; return p

profile = tempfile.mkdtemp(prefix='lo-profile-')
pipe = 'hhm%d' % os.getpid()
office = subprocess.Popen(['soffice', '-env:UserInstallation=file://' + profile, '--headless', '--invisible',
                           '--norestore', '--nologo', '--accept=pipe,name=%s;urp;' % pipe],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
local = uno.getComponentContext()
resolver = local.ServiceManager.createInstanceWithContext('com.sun.star.bridge.UnoUrlResolver', local)
for attempt in range(300):
    try:
        ctx = resolver.resolve('uno:pipe,name=%s;urp;StarOffice.ComponentContext' % pipe); break
    except NoConnectException:
        time.sleep(0.1)
else:
    office.kill(); shutil.rmtree(profile, ignore_errors=True); sys.exit('LibreOffice did not answer')
desktop = ctx.ServiceManager.createInstanceWithContext('com.sun.star.frame.Desktop', ctx)
out = []
try:
    for arg in sys.argv[1:]:
        path, filt, opts = arg.split('|')
        # Read-only: the dBASE import will not open a table it could write otherwise.
        args = [prop('Hidden', True), prop('ReadOnly', True)] + ([prop('FilterName', filt)] if filt else [])
        if opts: args.append(prop('FilterOptions', opts))
        doc = desktop.loadComponentFromURL(uno.systemPathToFileUrl(path), '_blank', 0, tuple(args))
        sheet = doc.Sheets.getByIndex(0)
        cursor = sheet.createCursor(); cursor.gotoEndOfUsedArea(False)
        for r in range(cursor.RangeAddress.EndRow + 1):
            for c in range(cursor.RangeAddress.EndColumn + 1):
                cell = sheet.getCellByPosition(c, r)
                kind = cell.Type.value
                if kind == 'EMPTY': continue
                value = repr(cell.Value) if kind == 'VALUE' else cell.String.replace('\r', '\\r').replace('\n', '\\n')
                out.append('%s\t%d\t%d\t%s\t%s' % (os.path.basename(path), r, c, kind, value))
        doc.close(True)
finally:
    try: desktop.terminate()
    except Exception: pass
    office.wait(timeout=30)
    shutil.rmtree(profile, ignore_errors=True)
sys.stdout.buffer.write(('\n'.join(out) + '\n').encode('utf-8'))
