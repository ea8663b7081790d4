#!/usr/bin/env bash
# Makes the office-suite fixtures of the database reader tests, once per test run:
#   gnumeric:    sheets.gnumeric -> sheets.xls, datecol.csv -> datecol.xls
#   LibreOffice: typed.csv -> typed.dbf (dBASE filter; captions "NAME,C,20" give the types),
#                workbook.fods -> workbook.xls
# Usage: make-fixtures.sh INPUTS OUT
set -euo pipefail
inputs=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
cd "$out"
ssconvert "$inputs/sheets.gnumeric" sheets.xls 2>/dev/null
ssconvert "$inputs/datecol.csv" datecol.xls 2>/dev/null
# Each LibreOffice start gets a profile of its own, so that parallel runs do not block.
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
soffice -env:UserInstallation=file://$profile --headless \
  --infilter="Text - txt - csv (StarCalc):44,34,76,1" --convert-to dbf --outdir "$out" "$inputs/typed.csv" >/dev/null 2>&1
soffice -env:UserInstallation=file://$profile --headless --convert-to xls --outdir "$out" "$inputs/workbook.fods" >/dev/null 2>&1
for f in sheets.xls datecol.xls typed.dbf workbook.xls; do
  [[ -s $f ]] || { echo "make-fixtures: $f was not made" >&2; exit 1; }
done
