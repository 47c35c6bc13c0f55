# End to end: kestrel-report on llvmpipe writes every file, each parses and its numbers hold up,
# AF 16 measures no blurrier than AF 8, the costs come with their spread, a second run measures
# the same, and a LOD bias of +1 is stated and followed; --help, bad options and a missing
# display end it with the documented statuses. Few angles and few timed draws keep it quick.
source "$(dirname "$0")/e2e_lib.sh"
CHECK="$(dirname "$0")/report_check.py"

status=0
"$KESTREL" --help >"$WORK/out" 2>"$WORK/err" || status=$?
[ "$status" -eq 0 ] && grep -q -- "--lod-bias B" "$WORK/out" || fail "--help: status $status"

expect_bad_option() {
  local message=$1 status=0
  shift
  "$KESTREL" --out "$WORK/x" "$@" >"$WORK/out" 2>"$WORK/err" || status=$?
  [ "$status" -eq 2 ] || fail "$* ends with status $status, expected 2"
  grep -qF -- "$message" "$WORK/err" || fail "$*: message $(cat "$WORK/err")"
  [ ! -e "$WORK/x" ] || fail "$* still made the output folder"
}
expect_bad_option 'unknown option "--angle"' --angle 5
expect_bad_option '--lod-bias: "9" is no bias from -2 to 2' --lod-bias 9
expect_bad_option '--angles: "a" is no angle' --angles a

status=0
env -u DISPLAY "$KESTREL" --out "$WORK/x" >"$WORK/out" 2>"$WORK/err" || status=$?
[ "$status" -eq 1 ] && grep -q "cannot open the X display" "$WORK/err" ||
  fail "without a display: status $status, $(cat "$WORK/err")"

# From the program's own folder, so that the test's pictures are found for panels.png.
run_report() {
  local out=$1
  shift
  (cd "$(dirname "$KESTREL")" && GALLIUM_DRIVER=llvmpipe "$KESTREL" --out "$out" --repeats 3 "$@") \
    2>"$WORK/err" || fail "kestrel-report failed: $(cat "$WORK/err")"
  grep -q "measuring trilinear, AF level 8 on unit 0" "$WORK/err" || fail "no progress lines"
  grep -q "the report is in $out (report.md), made in .* s: start-up .* rendering .* writing" \
    "$WORK/err" || fail "no closing line: $(tail -n 1 "$WORK/err")"
}
run_report "$WORK/first" --angles 0,45,90
run_report "$WORK/second/nested" --angles 0:90:45
python3 "$CHECK" "$WORK/first"
python3 "$CHECK" --same "$WORK/first" "$WORK/second/nested"
run_report "$WORK/biased" --angles 0 --aniso 8 --lod-bias 1
python3 "$CHECK" --bias 1 "$WORK/biased"
