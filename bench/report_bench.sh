#!/usr/bin/env bash
# The speed target of kestrel-report: a full report at the default size, the angle sweep
# included, on llvmpipe in under 60 seconds, through EGL with no window system and through GLX
# under a private Xvfb. Prints each run's closing line, which says where the time went, and
# whether the target holds; exits 1 when it does not.
# Usage: bench/report_bench.sh KESTREL_REPORT
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "$1")
target_seconds=60
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# time_report PLATFORM [wrapper...]: one full report, its time and where it went.
time_report() {
  local platform=$1 start milliseconds seconds
  shift
  start=$(date +%s%N)
  (cd "$(dirname "$program")" &&
     env -u DISPLAY LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe \
       "$@" "$program" --platform "$platform" --out "$work/$platform") 2>"$work/log" ||
    { cat "$work/log" >&2; exit 1; }
  milliseconds=$((($(date +%s%N) - start) / 1000000))
  tail -n 1 "$work/log" | sed 's/^kestrel-report: the report is in [^ ]* (report.md), //'
  seconds=$(printf '%d.%03d' $((milliseconds / 1000)) $((milliseconds % 1000)))
  if [ "$milliseconds" -lt $((target_seconds * 1000)) ]; then
    echo "full report on llvmpipe through $platform: $seconds s with start-up," \
         "under the $target_seconds s target"
  else
    echo "full report on llvmpipe through $platform: $seconds s, over the" \
         "$target_seconds s target" >&2
    exit 1
  fi
}

time_report egl
time_report glx "$root/tools/with-xvfb.sh"
