# End to end: kestrel-report replaces its folder as a whole. A run cut short by SIGINT or SIGTERM
# leaves the earlier report (made against a baseline, with a JUnit file and a file of the user's
# beside it) as it was, or the new one whole; a run to the end removes the old regressions.md; a
# comparison leaves the report alone; runs at once into one folder or JUnit file wait or refuse,
# and one killed leaves its lock to the next. The reference renderer draws, with no driver.
source "$(dirname "$0")/e2e_lib.sh"
settings=(--api reference --angles 0 --aniso 1,8 --repeats 1)
out=$WORK/report
ci=$WORK/ci
junit=$ci/results.xml
new_files="angles.svg lod-error.png lod-measured.png notes.txt panels.png quality.png report.html \
report.json report.md summary.md"

# Runs kestrel-report with the settings and the arguments $@, to the end.
report() { report_from_own_folder "${settings[@]}" "$@"; }

# Prints "PATH INODE CHECKSUM" for every entry of the report's and the JUnit file's folders, hidden
# ones too: a file replaced gets another inode even where its bytes stay the same.
snapshot() {
  local path
  find "$out" "$ci" -mindepth 1 | sort | while read -r path; do
    echo "${path#"$WORK"/} $(stat -c %i "$path") $(if [ -f "$path" ]; then
      sha256sum <"$path" | cut -c 1-16; fi)"
  done
}

# Sets `outcome` to "earlier" where the folders are as snapshot $1, or "new" where each file of the
# new report and the JUnit file is replaced and the user's file is as it was; fails otherwise.
judge() {
  local before=$1 after name inode sum
  after=$(snapshot)
  if [ "$after" = "$before" ]; then outcome=earlier; return; fi
  [ "$(ls -A "$out" | tr '\n' ' ')" = "$new_files " ] ||
    fail "neither the earlier report nor the new one: $(ls -A "$out" | tr '\n' ' ')"
  [ "$(ls -A "$ci")" = results.xml ] || fail "beside the JUnit file: $(ls -A "$ci" | tr '\n' ' ')"
  while read -r name inode sum; do
    if [ "$name" = report/notes.txt ]; then
      grep -qx "$name $inode $sum" <<<"$before" || fail "the user's file changed"
    elif grep -q "^$name $inode " <<<"$before"; then
      fail "the earlier $name is left in the new report"
    fi
  done <<<"$after"
  [ "$(grep '^report/report.json ' <<<"$after" | cut -d' ' -f3)" != \
    "$(grep '^report/report.json ' <<<"$before" | cut -d' ' -f3)" ] ||
    fail "report.json is the earlier run's"
  outcome=new
}

# The baseline, then the earlier report against it.
report --out "$WORK/baseline"
mkdir "$ci"
report --out "$out" --baseline "$WORK/baseline" --junit "$junit"
[ -s "$out/regressions.md" ] || fail "the earlier report has no regressions.md"
echo "the user's notes" >"$out/notes.txt"
cp -a "$out" "$WORK/earlier-report"
cp -a "$ci" "$WORK/earlier-ci"

# Puts the earlier report and JUnit folder back in place and snapshots them into `before`.
restore_earlier() {
  rm -rf "$out" "$ci"
  cp -a "$WORK/earlier-report" "$out"
  cp -a "$WORK/earlier-ci" "$ci"
  before=$(snapshot)
}

# Reports cut short by SIGNAL DELAY seconds after the progress line LINE: while measuring, and
# while drawing and writing at the end (every moment between: report_folder_test).
last_line="timing the "
outcomes=()
for trial in "measuring trilinear, AF level 8 on unit 0|0|INT" "$last_line|0.2|TERM"; do
  IFS='|' read -r line delay signal <<<"$trial"
  restore_earlier
  start_kestrel --out "$out" "${settings[@]}" --junit "$junit"
  until [ -z "$line" ] || grep -qF "$line" "$WORK/err"; do
    ! kestrel_ended || fail "kestrel-report ended before \"$line\": $(tail -n 3 "$WORK/err")"
    sleep 0.02
  done
  sleep "$delay"
  kill -s "$signal" "$KESTREL_PID" 2>/dev/null || true
  status=0
  wait "$KESTREL_PID" || status=$?
  judge "$before"
  # The run dies of the signal, after the commit where the signal comes during it; or it was over.
  expected_status=$((128 + $(kill -l "$signal")))
  case "$outcome:$status" in
    earlier:"$expected_status" | new:"$expected_status" | new:0) ;;
    *) fail "SIG$signal $delay s after \"$line\": status $status, the $outcome report" ;;
  esac
  outcomes+=("$delay s after \"${line:-the start}\": $outcome ($status)")
done
printf 'ok: cut short %s\n' "${outcomes[@]}"
[[ "${outcomes[*]}" == *earlier* ]] || fail "no run cut short left the earlier report"

# A run to the end: the new report, without the old regressions.md.
restore_earlier
report --out "$out" --junit "$junit"
judge "$before"
[ "$outcome" = new ] || fail "a run to the end left the earlier report"
grep -q "wrote $out/summary.md" "$WORK/err" && grep -q "wrote $junit" "$WORK/err" &&
  ! grep -q "regressions.md" "$WORK/err" || fail "not the files written named: $(cat "$WORK/err")"
echo "ok: a run to the end replaces the report whole and removes the old regressions.md"

# A comparison into the report's folder adds its three files and changes nothing else.
before=$(snapshot)
"$KESTREL" --compare "$WORK/baseline" "$out" --out "$out" 2>"$WORK/err" ||
  fail "--compare: $(cat "$WORK/err")"
[ "$(snapshot | grep -v '^report/compare\.')" = "$before" ] ||
  fail "the comparison changed the report"
[ -s "$out/compare.md" ] && [ -s "$out/compare.svg" ] && [ -s "$out/compare.html" ] ||
  fail "no compare.md, compare.svg and compare.html"
echo "ok: a comparison in the report's folder leaves the report alone"

# Runs at once. Starts kestrel-report $@ in the background, stderr in $WORK/first.err, and
# returns once it holds its folders: it measures.
hold() {
  rm -f "$WORK/first.err"
  (cd "$(dirname "$KESTREL")" && exec "$KESTREL" "${settings[@]}" "$@" 2>"$WORK/first.err") &
  holder=$!
  until grep -q "measuring" "$WORK/first.err" 2>/dev/null; do
    kill -0 "$holder" 2>/dev/null || fail "the first run ended: $(cat "$WORK/first.err")"
    sleep 0.02
  done
}
busy='another kestrel-report run writes into'

# A second run into the same folder refuses at once with --wait 0 and waits by default; the
# folder then holds the later run's report whole (AF levels 1 and 2 where the first measured 8).
hold --out "$WORK/together"
expect_run 1 "$busy \"$WORK/together\" (--wait 0" --out together "${settings[@]}" --wait 0
expect_run 0 "" --out together "${settings[@]}" --aniso 1,2
expect_line 'waiting for it to finish, at most 600 s' "$WORK/err"
wait "$holder" || fail "the first run failed: $(cat "$WORK/first.err")"
expect_line '^- AF levels measured: 1, 2$' "$WORK/together/report.md"
python3 -c 'import json, sys
assert json.load(open(sys.argv[1]))["settings"]["anisotropy_levels"] == [1, 2]' \
  "$WORK/together/report.json" &&
  [ "$(ls -A "$WORK/together" | tr '\n' ' ')" = "${new_files/notes.txt /} " ] ||
  fail "not the later run's report whole: $(ls -A "$WORK/together" | tr '\n' ' ')"

# A run killed while it holds the folder leaves it to the next, which need not wait.
hold --out "$WORK/killed"
{ kill -KILL "$holder" && wait "$holder"; } 2>/dev/null || true
expect_run 0 "" --out killed "${settings[@]}" --wait 0
[ ! -e "$WORK/killed/.kestrel-new" ] || fail "the killed run's staged files are still there"

# Two runs into two folders naming one JUnit file: the same, the JUnit file the later run's.
mkdir "$WORK/shared"
hold --out "$WORK/first" --junit "$WORK/shared/results.xml"
expect_run 1 "$busy \"$WORK/shared\"" --out second "${settings[@]}" --junit shared/results.xml \
  --wait 0
expect_run 0 "" --out third "${settings[@]}" --junit shared/results.xml
wait "$holder" || fail "the first run failed: $(cat "$WORK/first.err")"
python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' \
  "$WORK/shared/results.xml" && grep -q -- '--out third' "$WORK/shared/results.xml" &&
  [ "$(ls -A "$WORK/shared")" = results.xml ] || fail "the JUnit file is not the later run's whole"
echo "ok: runs at once into one folder or JUnit file wait or refuse; a killed run blocks nothing"
