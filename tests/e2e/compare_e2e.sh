# End to end: tools/drivers.sh, what `make drivers` runs, measures each driver this machine has,
# each in a folder named after it and its Mesa version, or names it as skipped with the reason;
# compare.md puts the verdicts first. Ten reports, releases of the same drivers among them, are
# compared: a line says what changed from each release to the next, and compare.html holds up in
# a browser without growing wider than the window. The columns' order is the unit tests'.
source "$(dirname "$0")/e2e_lib.sh"
out=$WORK/out
compare=$out/compare.md

bash "$(dirname "$0")/../../tools/drivers.sh" "$KESTREL" "$out" --angles 0,90 --aniso 1,16 \
  --repeats 3 2>"$WORK/err" || fail "tools/drivers.sh failed: $(tail -n 5 "$WORK/err")"
# Every driver is measured under its own name or named as skipped, never both.
for driver in llvmpipe softpipe zink lavapipe reference; do
  folders=$(cd "$out" && { ls -d "$driver" "$driver"-mesa-* 2>/dev/null || true; } | wc -l)
  skipped=$(grep -c "^make drivers: skipped $driver: " "$WORK/err" || true)
  [ $((folders + skipped)) -eq 1 ] ||
    fail "$driver: $folders folders, skipped $skipped times: $(cat "$WORK/err")"
done
[ -d "$out/reference" ] && ls -d "$out"/llvmpipe-mesa-* >/dev/null ||
  fail "llvmpipe or the reference renderer was not measured: $(cat "$WORK/err")"
for report in "$out"/zink-mesa-*/report.json; do
  [ ! -e "$report" ] || grep -q '^    "renderer": "zink' "$report" || fail "zink's is not zink's"
done
! grep -q XDG_RUNTIME_DIR "$WORK/err" || fail "Mesa's complaint reached the user"
sed -n '/^## /p' "$compare" | head -n 2 | tr '\n' '|' | grep -q '^## Verdicts|## Where' ||
  fail "the verdicts do not come first: $(grep '^## ' "$compare" | head -n 3)"
echo "ok: every driver measured under its own name or skipped with the reason, the verdicts first"

# Ten reports: this machine's, and llvmpipe's and the reference's copied as other releases, out
# of order; each copy's version changed, llvmpipe 9.1 and 30.0 around this machine's.
many=$WORK/many
mkdir "$many"
cp -r "$out"/*/ "$many/"
llvmpipe=$(basename "$(ls -d "$out"/llvmpipe-mesa-* | head -n 1)")
for copy in 30.0 9.1; do
  mkdir "$many/llvmpipe-$copy"
  cp -r "$many/$llvmpipe"/. "$many/llvmpipe-$copy/"
  sed -i "s/\(\"version\": \".*\)Mesa [0-9][0-9.]*/\1Mesa $copy/" \
    "$many/llvmpipe-$copy/report.json"
done
n=0
while [ "$(ls -d "$many"/*/ | wc -l)" -lt 10 ]; do
  n=$((n + 1))
  cp -r "$many/reference" "$many/reference-$n"
done
(cd "$many" && ls -d */ | tr -d / | sort -r >"$WORK/names")
(cd "$many" && "$KESTREL" --compare $(cat "$WORK/names") --out .) 2>"$WORK/err" ||
  fail "--compare of ten: $(tail -n 3 "$WORK/err")"
grep -q "^- \*\*$llvmpipe\*\* against llvmpipe-9.1: verdicts fixed: none; regressed: none;" \
  "$many/compare.md" || fail "no line from llvmpipe 9.1 to its next release"
grep -q "^- \*\*llvmpipe-30.0\*\* against $llvmpipe: " "$many/compare.md" ||
  fail "no line to llvmpipe 30.0"
python3 "$HTML_CHECK" "$many/compare.html" "$many"/*/
echo "ok: ten reports, a line from each release to the next, and a page no wider than the window"
