# End to end: kestrel-report on llvmpipe held to a baseline and to expectations, and reports side
# by side. A short run is its own baseline (the exit status is the verdicts' alone); a copy with
# figures changed by hand makes it regress (status 4, each change named); the run's verdicts
# written as expectations hold the next run (status 0), a verdict changed by hand in them or one
# expected to fail that passes (fixed) gives status 3, named; baselines and expectations that
# cannot be read end it with status 1 and a baseline of other settings with status 2, before
# anything is written; --compare puts three report folders side by side, one of other angles,
# without measuring.
source "$(dirname "$0")/e2e_lib.sh"
export GALLIUM_DRIVER=llvmpipe LIBGL_ALWAYS_SOFTWARE=1
settings=(--angles 0,45 --aniso 1,2,8 --repeats 2)

# Runs kestrel-report in $WORK with the arguments $2... and expects status $1.
expect_status() {
  local expected=$1 status=0
  shift
  (cd "$WORK" && "$KESTREL" "$@") >"$WORK/out" 2>"$WORK/err" || status=$?
  [ "$status" -eq "$expected" ] ||
    fail "$*: status $status, expected $expected: $(tail -n 3 "$WORK/err")"
}

# Prints the regressed changes of report.json $1 as "figure|panel or verdict", one a line.
regressions() {
  python3 -c 'import json, sys
for c in json.load(open(sys.argv[1]))["baseline"]["changes"]:
    c["regressed"] and print(c["figure"] + "|" + c.get("panel", c.get("verdict", "")))' "$1"
}

expect_status 0 --out first "${settings[@]}" --write-expectations expected.txt
# Against itself nothing regresses: llvmpipe's AF levels sample alike and fail, which alone
# decides.
expect_status 3 --out same "${settings[@]}" --check --baseline first
[ -z "$(regressions "$WORK/same/report.json")" ] || fail "regressed against itself"
[ -s "$WORK/same/regressions.md" ] || fail "no regressions.md"
echo "ok: a run against itself does not regress; its failing verdicts give status 3"

# The baseline better than the run by hand: a mean error, an effective anisotropy far away and
# a verdict that passed.
mkdir "$WORK/edited"
python3 - "$WORK/first/report.json" "$WORK/edited/report.json" <<'EOF'
import json, sys
report = json.load(open(sys.argv[1]))
panels = {panel["label"]: panel for panel in report["panels"]}
panels["trilinear, isotropic"]["statistics"]["mean_error"] += 1.0
panels["bilinear, AF level 8"]["statistics"]["bands"][-1]["measured_anisotropy"] *= 2.0
failing = [v for v in report["verdicts"] if v["rule"] == "level honoured" and not v["pass"]]
assert failing, "llvmpipe honours every AF level"
failing[0]["pass"] = True
json.dump(report, open(sys.argv[2], "w"))
print(failing[0]["subject"], file=open(sys.argv[2] + ".verdict", "w"))
EOF
expect_status 4 --out worse "${settings[@]}" --check --baseline edited/report.json
expected=$(printf '%s\n' "mean_error|trilinear, isotropic" "band_anisotropy|bilinear, AF level 8" \
  "verdict|$(cat "$WORK/edited/report.json.verdict")" | sort)
[ "$(regressions "$WORK/worse/report.json" | sort)" = "$expected" ] ||
  fail "regressions: $(regressions "$WORK/worse/report.json")"
while IFS='|' read -r _ subject; do
  grep -q "| \(level honoured: \)\?$subject | .* | \*\*yes\*\* |$" "$WORK/worse/regressions.md" ||
    fail "regressions.md does not name $subject"
done <<<"$expected"
expect_status 0 --out worse "${settings[@]}" --baseline edited
echo "ok: figures changed by hand regress, each named; status 4 with --check, else 0"

# The first run's verdicts as expectations: llvmpipe's known failures listed, nothing unexpected.
grep -q '^# .*llvmpipe' "$WORK/expected.txt" || fail "the expectations do not name the driver"
grep -q '^level-honoured/trilinear-af-8 fail$' "$WORK/expected.txt" ||
  fail "the expectations lack llvmpipe's failure: $(cat "$WORK/expected.txt")"
expect_status 0 --out held "${settings[@]}" --check --expectations expected.txt
# A failure changed to a pass by hand, and a pass changed to a failure, which is then fixed.
sed 's|^level-honoured/trilinear-af-8 fail$|level-honoured/trilinear-af-8 pass|' \
  "$WORK/expected.txt" >"$WORK/changed.txt"
expect_status 3 --out held "${settings[@]}" --check --expectations changed.txt
grep -q 'unexpected failure: level-honoured/trilinear-af-8' "$WORK/err" ||
  fail "the unexpected failure is not named: $(cat "$WORK/err")"
sed 's|^reach/trilinear-af-2 pass$|reach/trilinear-af-2 fail|' "$WORK/expected.txt" \
  >"$WORK/fixed.txt"
expect_status 3 --out held "${settings[@]}" --check --expectations fixed.txt --junit held.xml
grep -q 'fixed: reach/trilinear-af-2 passes' "$WORK/err" || fail "fixed unsaid: $(cat "$WORK/err")"
grep -q '^| `reach/trilinear-af-2` | \*\*FIXED\*\*' "$WORK/held/report.md" ||
  fail "report.md does not call reach/trilinear-af-2 fixed"
grep -q '<failure message="fixed' "$WORK/held.xml" || fail "the JUnit file does not call it fixed"
echo "ok: expectations written hold the next run; a verdict changed by hand and one fixed give 3"

# Baselines and expectations that cannot be used; nothing is written for any of them.
printf '# known\nreach/trilinear-af-2 pass\n\nreach/trilinear-af-8 maybe\n' >"$WORK/bad.txt"
expect_status 1 --out none "${settings[@]}" --check --expectations bad.txt
grep -q 'bad.txt:4: "maybe" is no status' "$WORK/err" || fail "bad.txt:4 unsaid: $(cat "$WORK/err")"
printf 'reach/trilinear-af-4 fail\n' >"$WORK/unknown.txt"
expect_status 1 --out none "${settings[@]}" --check --expectations unknown.txt
grep -q 'unknown.txt:1: "reach/trilinear-af-4" is no verdict of this run' "$WORK/err" ||
  fail "unknown.txt:1 unsaid: $(cat "$WORK/err")"
: >"$WORK/empty.json"
head -c 300 "$WORK/first/report.json" >"$WORK/truncated.json"
echo '{"name": "kestrel", "version": "1.0.0", "dependencies": {"a": "^2"}}' >"$WORK/package.json"
for baseline in missing empty.json truncated.json package.json edited/report.json.verdict .; do
  expect_status 1 --out none "${settings[@]}" --check --baseline "$baseline"
  grep -q "$baseline" "$WORK/err" || fail "the message does not name $baseline: $(cat "$WORK/err")"
done
expect_status 2 --out none --angles 0,90 --aniso 1,8 --repeats 2 --check --baseline first
expect_status 2 --out none "${settings[@]}" --lod-bias 1 --baseline first
[ ! -e "$WORK/none" ] || fail "a baseline that cannot be used still made the output folder"
echo "ok: baselines missing, empty, truncated or of another program and expectations malformed" \
  "or naming no verdict of the run give 1, baselines of other settings 2"

# Three reports side by side, one of other angles.
expect_status 0 --out other-angles --angles 0,90 --aniso 1,8 --repeats 2
expect_status 0 --compare first same/ other-angles --out compared
! grep -q "measuring" "$WORK/err" || fail "--compare measured"
grep -q '^| | first | same | other-angles |$' "$WORK/compared/compare.md" ||
  fail "the reports are not side by side"
grep -q 'other-angles: 0, 90' "$WORK/compared/compare.md" || fail "the angles' difference unsaid"
for link in $(grep -o '](\.\./[^)]*)' "$WORK/compared/compare.md" | sed 's/^](//; s/)$//'); do
  [ -s "$WORK/compared/$link" ] || fail "compare.md links to a missing $link"
done
[ "$(grep -o '<polyline' "$WORK/compared/compare.svg" | wc -l)" -eq 3 ] ||
  fail "compare.svg does not hold three curves"
expect_status 2 --compare first --out compared
expect_status 1 --compare first edited/report.json.verdict --out compared
echo "ok: --compare puts three reports side by side in compare.md and compare.svg"
