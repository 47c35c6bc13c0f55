# End to end: tools/report.sh, what `make report` runs, measures llvmpipe and softpipe and
# writes compare.md with both drivers' tables and pictures side by side, and compare.html, which
# holds up in a browser. Few angles, levels and draws keep it quick; links and curves of a
# comparison are checked in report_baseline_e2e.
source "$(dirname "$0")/e2e_lib.sh"
out=$WORK/out
compare=$out/compare.md

bash "$(dirname "$0")/../../tools/report.sh" "$KESTREL" "$out" --angles 0,90 --aniso 1,16 \
  --repeats 3 2>"$WORK/err" || fail "tools/report.sh failed: $(tail -n 5 "$WORK/err")"
grep -q "wrote $compare (llvmpipe softpipe)" "$WORK/err" || fail "$(tail -n 3 "$WORK/err")"
for driver in llvmpipe softpipe; do
  grep -q "^## $driver" "$compare" && [ -f "$out/$driver/report.json" ] || fail "no $driver"
done
for table in Panels "What AF costs"; do
  [ "$(grep -c "^### $table\$" "$compare")" -eq 2 ] || fail "not two tables \"$table\""
  [ "$(sed -n "/^### $table\$/,/^#/p" "$compare" | grep -c '^| trilinear, AF level 16 | [0-9]')" \
    -eq 2 ] || fail "not both drivers' rows of the table \"$table\""
done
figures='[0-9.∞]+ dB / [0-9.–]+ / [0-9.–]+'
grep -Eq "^\| trilinear, AF level 16 \| $figures \| $figures \|\$" \
  "$compare" || fail "no image quality of both drivers side by side"
grep -q '^| | llvmpipe | softpipe |$' "$compare" || fail "no pictures side by side"
python3 "$(dirname "$0")/html_check.py" "$out/compare.html" "$out/llvmpipe" "$out/softpipe"
echo "ok: compare.md names both drivers and holds both tables side by side"
