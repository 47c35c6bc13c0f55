# End to end: tools/report.sh, what `make report` runs, measures llvmpipe and softpipe and
# writes compare.md: it names both drivers, holds both drivers' tables, shows their pictures
# side by side, and every file it links to exists. Few angles, levels and timed draws keep it
# quick.
source "$(dirname "$0")/e2e_lib.sh"
REPORT_SH="$(dirname "$0")/../../tools/report.sh"

bash "$REPORT_SH" "$KESTREL" "$WORK/out" --angles 0,90 --aniso 1,16 --repeats 3 2>"$WORK/err" ||
  fail "tools/report.sh failed: $(tail -n 5 "$WORK/err")"
grep -q "wrote $WORK/out/compare.md (llvmpipe softpipe)" "$WORK/err" ||
  fail "not both drivers: $(tail -n 3 "$WORK/err")"
compare="$WORK/out/compare.md"

for driver in llvmpipe softpipe; do
  grep -q "^## $driver" "$compare" || fail "compare.md has no section of $driver"
  [ -f "$WORK/out/$driver/report.json" ] || fail "no report of $driver"
done
[ "$(grep -c '^### Panels$' "$compare")" -eq 2 ] || fail "not two panel tables"
[ "$(grep -c '^### What AF costs$' "$compare")" -eq 2 ] || fail "not two cost tables"
[ "$(grep -c '^| trilinear, AF level 16 | [0-9]' "$compare")" -eq 4 ] ||
  fail "not both drivers' rows of the panel and cost tables"
grep -q '^| | llvmpipe | softpipe |$' "$compare" || fail "no pictures side by side"
charts='^| Effective anisotropy against the turn | !\[llvmpipe: .*\](llvmpipe/angles.svg) '
charts+='| !\[softpipe: .*\](softpipe/angles.svg) |$'
grep -q "$charts" "$compare" || fail "no angle charts side by side"

# Every link of compare.md leads to a file.
links=$(grep -o '](\([a-z]*/[a-z.-]*\))' "$compare" | sed 's/^](//; s/)$//' | sort -u)
[ "$(echo "$links" | wc -l)" -eq 10 ] || fail "links: $links"
for link in $links; do
  [ -s "$WORK/out/$link" ] || fail "compare.md links to a missing $link"
done
echo "ok: compare.md names both drivers, holds both tables and $(echo "$links" | wc -l) files"
