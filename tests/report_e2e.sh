# End to end: kestrel-report on llvmpipe writes every file, each parses and its numbers hold up,
# and a second run gives the same files; --help, a bad option and a missing display end it with
# the documented statuses.
source "$(dirname "$0")/e2e_lib.sh"
CHECK="$(dirname "$0")/report_check.py"

status=0
"$KESTREL" --help >"$WORK/out" 2>"$WORK/err" || status=$?
[ "$status" -eq 0 ] && grep -q -- "--out DIR" "$WORK/out" || fail "--help: status $status"

status=0
"$KESTREL" --out "$WORK/x" --angles 5 >"$WORK/out" 2>"$WORK/err" || status=$?
[ "$status" -eq 2 ] || fail "a bad option ends with status $status, expected 2"
grep -q 'unknown option "--angles"' "$WORK/err" || fail "bad option message: $(cat "$WORK/err")"
[ ! -e "$WORK/x" ] || fail "a bad option still made the output folder"

status=0
env -u DISPLAY "$KESTREL" --out "$WORK/x" >"$WORK/out" 2>"$WORK/err" || status=$?
[ "$status" -eq 1 ] && grep -q "cannot open the X display" "$WORK/err" ||
  fail "without a display: status $status, $(cat "$WORK/err")"

# From the program's own folder, so that the test's pictures are found for panels.png.
run_report() {
  (cd "$(dirname "$KESTREL")" && GALLIUM_DRIVER=llvmpipe "$KESTREL" --out "$1") 2>"$WORK/err" ||
    fail "kestrel-report failed: $(cat "$WORK/err")"
  grep -q "measuring trilinear, AF level 8 on unit 0" "$WORK/err" || fail "no progress lines"
  grep -q "the report is in $1" "$WORK/err" || fail "no closing line: $(tail -n 1 "$WORK/err")"
}
run_report "$WORK/first"
run_report "$WORK/second/nested"
python3 "$CHECK" "$WORK/first"
for file in report.json report.md panels.png lod-measured.png lod-error.png; do
  cmp -s "$WORK/first/$file" "$WORK/second/nested/$file" || fail "$file differs between two runs"
done
echo "ok: two runs wrote the same files"
