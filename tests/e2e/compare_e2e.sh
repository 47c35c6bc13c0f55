# End to end: tools/report.sh, what `make report` runs, measures llvmpipe and softpipe through GL
# and lavapipe through Vulkan and writes compare.md with the three reports' tables and pictures
# side by side, and compare.html, which holds up in a browser. Few angles, levels and draws keep
# it quick; links and curves of a comparison are checked in report_baseline_e2e.
source "$(dirname "$0")/e2e_lib.sh"
out=$WORK/out
compare=$out/compare.md
export VK_ICD_FILENAMES=/usr/share/vulkan/icd.d/lvp_icd.$(uname -m).json

bash "$(dirname "$0")/../../tools/report.sh" "$KESTREL" "$out" --angles 0,90 --aniso 1,16 \
  --repeats 3 2>"$WORK/err" || fail "tools/report.sh failed: $(tail -n 5 "$WORK/err")"
expect_line "wrote $compare (llvmpipe softpipe vulkan)" "$WORK/err"
for driver in llvmpipe softpipe; do
  grep -q "^## $driver" "$compare" && [ -f "$out/$driver/report.json" ] || fail "no $driver"
done
grep -q "^## llvmpipe .* through Vulkan$" "$compare" && [ -f "$out/vulkan/report.json" ] ||
  fail "no lavapipe through Vulkan"
for table in Panels "What AF costs"; do
  [ "$(grep -c "^### $table\$" "$compare")" -eq 3 ] || fail "not three tables \"$table\""
  [ "$(sed -n "/^### $table\$/,/^#/p" "$compare" | grep -c '^| trilinear, AF level 16 | [0-9]')" \
    -eq 3 ] || fail "not every driver's rows of the table \"$table\""
done
figures='[0-9.∞]+ dB / [0-9.–]+ / [0-9.–]+'
grep -Eq "^\| trilinear, AF level 16 \| $figures \| $figures \| $figures \|\$" \
  "$compare" || fail "no image quality of the three reports side by side"
grep -q '^| | llvmpipe | softpipe | vulkan |$' "$compare" || fail "no pictures side by side"
python3 "$HTML_CHECK" "$out/compare.html" "$out/llvmpipe" "$out/softpipe" \
  "$out/vulkan"
echo "ok: compare.md names every driver and holds their tables side by side"
