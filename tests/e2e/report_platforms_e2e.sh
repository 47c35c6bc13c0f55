# End to end: kestrel-report through GLX on the X display and through EGL with no X at all
# gives the same report.json (timings and the platform line aside) and the same pictures, byte
# for byte, and says where it ran; platforms and devices that do not exist are usage errors.
source "$(dirname "$0")/e2e_lib.sh"

report() {  # report PLATFORM FOLDER [environment...]: a short report, from the program's folder
  local platform=$1 folder=$2
  shift 2
  (cd "$(dirname "$KESTREL")" && env "$@" GALLIUM_DRIVER=llvmpipe "$KESTREL" --platform "$platform" \
     --out "$WORK/$folder" --angles 0,60 --aniso 1,8 --repeats 2) 2>"$WORK/$folder.err" ||
    fail "--platform $platform: status $?: $(cat "$WORK/$folder.err")"
}

report glx glx
report egl egl -u DISPLAY
grep -q '^- Platform: GLX, a window on the X display ".*", drawn into a framebuffer object$' \
  "$WORK/glx/report.md" || fail "report.md of GLX: $(grep Platform "$WORK/glx/report.md")"
grep -Eq '^- Platform: EGL, (surfaceless|device [0-9]+ \(.*\)), drawn into a framebuffer object$' \
  "$WORK/egl/report.md" || fail "report.md of EGL: $(grep Platform "$WORK/egl/report.md")"
for picture in panels.png lod-measured.png lod-error.png angles.svg; do
  cmp -s "$WORK/glx/$picture" "$WORK/egl/$picture" || fail "$picture differs between GLX and EGL"
done
python3 - "$WORK/glx/report.json" "$WORK/egl/report.json" <<'EOF' || fail "report.json differs"
import json, sys
def measured(path):  # everything but the timings and the platform
    report = json.load(open(path))
    del report["cost"], report["platform"]
    report["findings"] = [f for f in report["findings"] if "isotropic draw" not in f]
    return report
sys.exit(measured(sys.argv[1]) != measured(sys.argv[2]))
EOF
echo "ok: GLX and EGL give the same report"

expect_usage_error() {  # expect_usage_error MESSAGE ARGUMENTS...: status 2 and MESSAGE said
  local message=$1 status=0
  shift
  env -u DISPLAY "$KESTREL" --out "$WORK/refused" "$@" 2>"$WORK/refused.err" || status=$?
  [ "$status" -eq 2 ] || fail "$* gave status $status, expected 2"
  grep -q -- "$message" "$WORK/refused.err" || fail "$* said: $(cat "$WORK/refused.err")"
}
expect_usage_error 'is none of auto, egl and glx' --platform wayland
expect_usage_error 'EGL lists these devices:' --platform egl --device 999
expect_usage_error 'needs --platform egl' --platform glx --device 0
status=0
env -u DISPLAY "$KESTREL" --platform glx --out "$WORK/refused" 2>"$WORK/refused.err" || status=$?
[ "$status" -eq 1 ] || fail "--platform glx without a display gave status $status, expected 1"
echo "ok: unknown platforms and devices are refused"
