#!/usr/bin/env bash
# The speed targets of kestrel-report: a full report at the default size, the angle sweep
# included, on llvmpipe in under 60 seconds, through EGL with no window system and through GLX
# under a private Xvfb; and of that, Kestrel's own work (start-up, read-back, analysis, ideal
# pictures, pictures and writing: all but the driver's rendering and cost timing) in at most
# 1.0 s, which on a real GPU becomes the report's time. Where kestrel-report lists a Vulkan
# device, the same report through Vulkan on lavapipe, which samples as llvmpipe does, in at most
# 1.5 times the EGL report's time, its own work held to the same target; and the reference
# renderer's full report, the formula drawn on the CPU, in at most the EGL report's time. Prints
# each run's closing line, which says where the time went, and whether the targets hold; exits 1
# when one does not, after checking all of them.
# Usage: bench/report_bench.sh KESTREL_REPORT
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "$1")
target_seconds=60
own_target_seconds=1.0
work=$(mktemp -d)
missed=0  # set when a target does not hold
trap 'rm -rf "$work"' EXIT
# lavapipe's manifest, named for the machine's architecture (Mesa 22) or not (Mesa 25).
for lavapipe in /usr/share/vulkan/icd.d/lvp_icd.{"$(uname -m)".json,json}; do
  [ -f "$lavapipe" ] && break
done

# time_report PLATFORM [wrapper...]: one full report, its time and where it went; PLATFORM
# vulkan runs with --api vulkan on lavapipe, reference with --api reference. The time is left in
# $milliseconds.
time_report() {
  local platform=$1 start seconds
  shift
  local choice=(--platform "$platform")
  [ "$platform" != vulkan ] || choice=(--api vulkan)
  [ "$platform" != reference ] || choice=(--api reference)
  start=$(date +%s%N)
  (cd "$(dirname "$program")" &&
     env -u DISPLAY LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe \
       VK_ICD_FILENAMES="$lavapipe" \
       "$@" "$program" "${choice[@]}" --out "$work/$platform") 2>"$work/log" ||
    { cat "$work/log" >&2; exit 1; }
  milliseconds=$((($(date +%s%N) - start) / 1000000))
  tail -n 1 "$work/log" | sed 's/^kestrel-report: the report is in [^ ]* (report.md), //'
  # The phases of the closing line that are Kestrel's own, summed.
  tail -n 1 "$work/log" | awk -v target="$own_target_seconds" -v platform="$platform" '
    { line = $0; own = 0
      n = split("start-up|read-back|analysis|ideal pictures|pictures|writing", phases, "|")
      for (i = 1; i <= n; i++)
        if (match(line, "[,:] " phases[i] " [0-9.]+ s")) {
          split(substr(line, RSTART, RLENGTH), words, " ")
          own += words[length(words) - 1]
        } }
    END { printf "Kestrel'"'"'s own work through %s: %.2f s, %s the %.1f s target\n",
                 platform, own, own <= target ? "within" : "over", target
          exit own <= target ? 0 : 1 }' || missed=1
  seconds=$(printf '%d.%03d' $((milliseconds / 1000)) $((milliseconds % 1000)))
  if [ "$milliseconds" -lt $((target_seconds * 1000)) ]; then
    echo "full report through $platform: $seconds s with start-up," \
         "under the $target_seconds s target"
  else
    echo "full report through $platform: $seconds s, over the" \
         "$target_seconds s target" >&2
    missed=1
  fi
}

time_report egl
egl_milliseconds=$milliseconds
time_report glx "$root/tools/with-xvfb.sh"
if "$program" --api vulkan --list-devices 2>/dev/null | grep -q '^0: '; then
  time_report vulkan
  ratio=$(awk -v v="$milliseconds" -v g="$egl_milliseconds" 'BEGIN { printf "%.2f", v / g }')
  if awk -v r="$ratio" 'BEGIN { exit !(r <= 1.5) }'; then
    echo "full report through Vulkan: $ratio times the EGL report's, within 1.5 times"
  else
    echo "full report through Vulkan: $ratio times the EGL report's, over 1.5 times" >&2
    missed=1
  fi
fi
time_report reference
if [ "$milliseconds" -le "$egl_milliseconds" ]; then
  echo "full report of the reference renderer: within the EGL report's time on llvmpipe"
else
  echo "full report of the reference renderer: $milliseconds ms, over the EGL report's" \
       "$egl_milliseconds ms on llvmpipe" >&2
  missed=1
fi
exit "$missed"
