# End to end: kestrel-report on llvmpipe through GLX writes a report that holds up, and through
# EGL without X the same one, byte for byte; a LOD bias and a user's picture are followed; help,
# bad options, missing devices or displays and unreadable textures end with their statuses.
source "$(dirname "$0")/e2e_lib.sh"

expect_run 0 "--lod-bias B" --help
expect_run 0 "kestrel-report 0.1" --version
expect_run 0 "0: software: llvmpipe" --list-devices
# Options refused (each message is report_output_test's): status 2, nothing made; a device EGL
# does not list, which only the driver can tell.
expect_run 2 '--lod-bias: "9"' --out "$WORK/x" --lod-bias 9
expect_run 2 'EGL lists these devices:' --out "$WORK/x" --platform egl --device 999
(unset DISPLAY; expect_run 1 "--platform glx: no X display (DISPLAY is not set)" --out "$WORK/x" \
   --platform glx)
(DISPLAY=:9999; expect_run 1 'cannot open the X display ":9999"' --out "$WORK/x" --platform glx)
expect_run 1 '--texture: cannot open "/nowhere/x.png"' --out "$WORK/x" --texture /nowhere/x.png
expect_run 1 "\"$CHECK\" is no PNG picture" --out "$WORK/x" --texture "$CHECK"
echo "ok: --help, bad options, missing devices, GLX without a display and textures that cannot" \
  "be read: statuses 0, 2 and 1"

run_report() {
  local out=$1
  shift
  report_from_own_folder --out "$out" --repeats 3 "$@"
  expect_line "measuring trilinear, AF level 8 on unit 0" "$WORK/err"  # progress
  expect_line "the report is in $out (report.md), made in .* s: start-up .* rendering .* writing" \
    "$WORK/err"
}
run_report "$WORK/glx" --angles 0,45,90 --junit "$WORK/glx.xml"
(unset DISPLAY; run_report "$WORK/egl/nested" --angles 0:90:45)
expect_line '^- Platform: GLX, ' "$WORK/glx/report.md"
expect_line '^- Platform: EGL, ' "$WORK/egl/nested/report.md"
python3 "$CHECK" "$WORK/glx"
python3 "$CHECK" --junit "$WORK/glx.xml" "$WORK/glx"
python3 "$CHECK" --same "$WORK/glx" "$WORK/egl/nested"
run_report "$WORK/biased" --angles 0 --aniso 8 --lod-bias 1
python3 "$CHECK" --bias 1 "$WORK/biased"

# --quiet leaves the closing line alone on standard error.
report_from_own_folder --quiet --out "$WORK/quiet" --angles 0 --aniso 1 --repeats 1
[ "$(wc -l <"$WORK/err")" -eq 1 ] && grep -q "the report is in $WORK/quiet" "$WORK/err" ||
  fail "--quiet printed more than the closing line: $(cat "$WORK/err")"

# A picture of the user's, 39 × 39, is measured at the powers of two below its size.
picture=$(cd "$(dirname "$0")/../data/pngsuite" && pwd)/s39i3p04.png
run_report "$WORK/textured" --angles 0 --aniso 1 --texture "$picture"
python3 - "$WORK/textured/report.json" "$picture" <<'PY' || fail "the user's picture was not used"
import json, sys
quality = json.load(open(sys.argv[1]))["quality"]
assert quality["texture"] == sys.argv[2], quality["texture"]
assert (quality["texture_width"], quality["texture_height"]) == (32, 32), quality
assert all(p["pixels"] > 10000 for p in quality["panels"]), quality["panels"]
PY
echo "ok: --texture measures the image quality with the user's picture"
