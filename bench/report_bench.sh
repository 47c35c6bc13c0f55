#!/usr/bin/env bash
# The speed target of kestrel-report: a full report at the default size, the angle sweep
# included, on llvmpipe under a private Xvfb, in under 60 seconds. Prints the run's closing line,
# which says where the time went, and whether the target holds; exits 1 when it does not.
# Usage: bench/report_bench.sh KESTREL_REPORT
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "$1")
target_seconds=60
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

start=$(date +%s%N)
(cd "$(dirname "$program")" &&
   env -u DISPLAY LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe \
     "$root/tools/with-xvfb.sh" "$program" --out "$work/report") 2>"$work/log" ||
  { cat "$work/log" >&2; exit 1; }
milliseconds=$((($(date +%s%N) - start) / 1000000))
tail -n 1 "$work/log" | sed 's/^kestrel-report: the report is in [^ ]* (report.md), //'
seconds=$(printf '%d.%03d' $((milliseconds / 1000)) $((milliseconds % 1000)))
if [ "$milliseconds" -lt $((target_seconds * 1000)) ]; then
  echo "full report on llvmpipe: $seconds s with Xvfb and start-up," \
       "under the $target_seconds s target"
else
  echo "full report on llvmpipe: $seconds s, over the $target_seconds s target" >&2
  exit 1
fi
