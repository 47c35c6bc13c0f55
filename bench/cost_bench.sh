#!/usr/bin/env bash
# The cost measurement's run-to-run spread: on llvmpipe through EGL and, where kestrel-report
# lists a Vulkan device, on lavapipe, five reports in a row on the idle machine and five with a
# busy loop on one core; prints every AF configuration's cost ratio in each run and the spread,
# (max − min) / median. Targets: at most 10 % idle; at most 20 % busy, each median within 15 % of
# the idle one. Exits 1 when a target does not hold, after checking all of them.
# Usage: bench/cost_bench.sh KESTREL_REPORT KESTREL_COST_SPREAD
set -euo pipefail
program=$(realpath "$1")
spread=$(realpath "$2")
work=$(mktemp -d)
busy=
missed=0
trap '[ -z "$busy" ] || kill "$busy"; rm -rf "$work"' EXIT
for lavapipe in /usr/share/vulkan/icd.d/lvp_icd.{"$(uname -m)".json,json}; do
  [ -f "$lavapipe" ] && break
done

# runs API LOAD: five reports into $work/API-LOAD-1 .. 5, the angle sweep left out.
runs() {
  for run in 1 2 3 4 5; do
    (cd "$(dirname "$program")" &&
       env -u DISPLAY LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe VK_ICD_FILENAMES="$lavapipe" \
         "$program" --api "$1" --quiet --angles 0 --out "$work/$1-$2-$run") 2>"$work/log" ||
      { cat "$work/log" >&2; exit 1; }
  done
}

apis=(gl)
"$program" --api vulkan --list-devices 2>/dev/null | grep -q '^0: ' && apis+=(vulkan)
for api in "${apis[@]}"; do
  runs "$api" idle
  echo "cost ratios through $api, idle machine, five reports:"
  "$spread" --limit 10 "$work/$api-idle-"* || missed=1
  (while :; do :; done) &
  busy=$!
  runs "$api" busy
  kill "$busy"
  busy=
  echo "cost ratios through $api, a busy loop on one core, five reports:"
  "$spread" --limit 20 --shift 15 "$work/$api-busy-"* --idle "$work/$api-idle-"* || missed=1
done
exit "$missed"
