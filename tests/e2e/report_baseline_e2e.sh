# End to end: kestrel-report on llvmpipe held to a baseline and to expectations, and reports side
# by side, for what needs the whole process: exit statuses (verdicts 3, regressions 4, an
# unreadable baseline 1, one of other settings 2), files written or not, and the pages, with a
# baseline's hostile strings, in a browser. What the readers refuse and how each figure moves
# are the unit tests'.
source "$(dirname "$0")/e2e_lib.sh"
export GALLIUM_DRIVER=llvmpipe LIBGL_ALWAYS_SOFTWARE=1
settings=(--angles 0,45 --aniso 1,2,8 --repeats 2)

# Prints the changes of report.json $1 that moved as $2 as "figure|panel or verdict", one a line.
moved() {
  python3 -c 'import json, sys
for c in json.load(open(sys.argv[1]))["baseline"]["changes"]:
    if c["movement"] == sys.argv[2]:
        print(c["figure"] + "|" + c.get("panel", c.get("verdict", "")))' "$1" "$2"
}

expect_run 0 "" --out first "${settings[@]}" --write-expectations expected.txt
# Against itself nothing moves: llvmpipe's AF levels sample alike and fail, which alone decides.
expect_run 3 "" --out same "${settings[@]}" --check --baseline first
[ -z "$(moved "$WORK/same/report.json" regressed)$(moved "$WORK/same/report.json" improved)" ] ||
  fail "moved against itself"
expect_line "no figure moved against the baseline" "$WORK/err"
expect_line "^  - kestrel_version: ." "$WORK/same/regressions.md"  # the provenance
echo "ok: a run against itself does not move; its failing verdicts give status 3"

# A baseline changed by hand: the isotropic trilinear panel's mean error away from 0, so that the
# run improves on it, and a verdict that fails passed, on which it regresses; its renderer and a
# passing verdict's subject are hostile markup, which the pages must show as text.
mkdir "$WORK/edited"
hostile='<script>console.error("ran")</script><img src=x onerror=console.error("ran")>'
python3 - "$WORK/first/report.json" "$WORK/edited/report.json" "$hostile" <<'EOF2'
import json, sys
report = json.load(open(sys.argv[1]))
next(p for p in report["panels"] if p["label"] == "trilinear, isotropic")["statistics"][
    "mean_error"] += 1.0
report["driver"]["renderer"] = sys.argv[3]
[v for v in report["verdicts"] if v["pass"]][-1]["subject"] += sys.argv[3]
failing = [v for v in report["verdicts"] if not v["pass"]]
assert failing, "llvmpipe passes every verdict"
failing[0]["pass"] = True
json.dump(report, open(sys.argv[2], "w"))
print("verdict|" + failing[0]["subject"], file=open(sys.argv[2] + ".regressions", "w"))
EOF2
mkdir "$WORK/ci"
expect_run 4 "" --out worse "${settings[@]}" --check --baseline edited/report.json \
  --junit ci/results.xml
python3 "$CHECK" --junit "$WORK/ci/results.xml" "$WORK/worse"
expected=$(sort "$WORK/edited/report.json.regressions")
[ "$(moved "$WORK/worse/report.json" regressed | sort)" = "$expected" ] ||
  fail "regressions: $(moved "$WORK/worse/report.json" regressed)"
[ "$(moved "$WORK/worse/report.json" improved)" = "mean_error|trilinear, isotropic" ] ||
  fail "improvements: $(moved "$WORK/worse/report.json" improved)"
expect_line "^kestrel-report: 1 regressed, 1 improved against the baseline" "$WORK/err"
grep -qF "comes from elsewhere: the renderer (baseline: $hostile; this run: llvmpipe" "$WORK/err" &&
  sed -n 4p "$WORK/worse/regressions.md" | grep -q '^- \*\*The baseline comes from elsewhere\*\*: ' ||
  fail "the baseline's other renderer is not named atop regressions.md"
while IFS='|' read -r _ subject; do
  expect_line "| \([a-z ]*: \)\?$subject | .* | \*\*regressed\*\* |$" \
    "$WORK/worse/regressions.md"
done <<<"$expected"
python3 "$HTML_CHECK" --text "$hostile" "$WORK/worse/report.html"
expect_run 0 "" --out worse "${settings[@]}" --baseline edited
echo "ok: a baseline changed by hand regresses and improves, each named, the other renderer too;" \
  "status 4 with --check, else 0"

# The first run's verdicts as expectations: llvmpipe's known failures listed, nothing unexpected.
expect_line '^# .*llvmpipe' "$WORK/expected.txt"
failure=$(sed -n 's/ fail$//p' "$WORK/expected.txt" | head -n 1)
success=$(sed -n 's/ pass$//p' "$WORK/expected.txt" | head -n 1)
[ -n "$failure" ] && [ -n "$success" ] ||
  fail "expected.txt lists no failure or no pass: $(cat "$WORK/expected.txt")"
expect_run 0 "" --out held "${settings[@]}" --check --expectations expected.txt
# A failure changed to a pass by hand, and a pass changed to a failure, which is then fixed.
sed "s|^$failure fail\$|$failure pass|" "$WORK/expected.txt" >"$WORK/changed.txt"
expect_run 3 "unexpected failure: $failure" --out held "${settings[@]}" \
  --check --expectations changed.txt
sed "s|^$success pass\$|$success fail|" "$WORK/expected.txt" >"$WORK/fixed.txt"
expect_run 3 "fixed: $success passes" --out held "${settings[@]}" --check \
  --expectations fixed.txt --junit held.xml
expect_line "^| \`$success\` | \\*\\*FIXED\\*\\*" "$WORK/held/report.md"
expect_line '<failure message="fixed' "$WORK/held.xml"
python3 "$HTML_CHECK" "$WORK/held/report.html"
echo "ok: expectations written hold the next run; a verdict changed by hand and one fixed give 3"

# A baseline that cannot be read, and one of other settings: the run stops before it writes.
expect_run 1 "missing" --out none "${settings[@]}" --check --baseline missing
expect_run 2 "" --out none --angles 0,90 --aniso 1,8 --repeats 2 --check --baseline first
[ ! -e "$WORK/none" ] || fail "a baseline that cannot be used still made the output folder"
echo "ok: a baseline missing gives 1, one of other settings 2, before anything is written"

# Three reports side by side, one of other angles.
expect_run 0 "" --out other-angles --angles 0,90 --aniso 1,8 --repeats 2
expect_run 0 "" --compare first same/ other-angles --out compared
! grep -q "measuring" "$WORK/err" || fail "--compare measured"
expect_line '^| | first | same | other-angles |$' "$WORK/compared/compare.md"
expect_line 'other-angles: 0, 90' "$WORK/compared/compare.md"  # the angles' difference
for link in $(grep -o '](\.\./[^)]*)' "$WORK/compared/compare.md" | sed 's/^](//; s/)$//'); do
  [ -s "$WORK/compared/$link" ] || fail "compare.md links to a missing $link"
done
expect_run 0 "" --compare first edited/report.json --out hostile
python3 "$HTML_CHECK" --text "$hostile" "$WORK/hostile/compare.html" "$WORK/first" "$WORK/edited"
expect_run 2 "" --compare first --out compared
expect_run 1 "" --compare first edited/report.json.regressions --out compared
echo "ok: --compare puts reports side by side in compare.md, compare.svg and compare.html"
