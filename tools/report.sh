#!/usr/bin/env bash
# What `make report` runs: kestrel-report once per Mesa software driver present, llvmpipe and
# softpipe, each chosen with GALLIUM_DRIVER (and LIBGL_ALWAYS_SOFTWARE, so that a machine with
# a GPU driver still uses it), once more through Vulkan on the first Vulkan device where
# kestrel-report lists one (folder "vulkan"), then `kestrel-report --compare` for compare.md,
# compare.svg and compare.html beside their folders: the drivers side by side, their pictures and
# tables. Each GL run draws on the X display where there is one, else through EGL without any
# window system.
# Usage: tools/report.sh KESTREL_REPORT OUT_DIR [kestrel-report options ...]
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 KESTREL_REPORT OUT_DIR [options]" >&2; exit 2; }
program=$(realpath "$1")
out=$(realpath -m "$2")
shift 2
mkdir -p "$out"

drivers=()
for driver in llvmpipe softpipe; do
  rm -rf "${out:?}/$driver"
  echo "make report: kestrel-report on $driver" >&2
  # From the program's own folder, where the test finds its pictures. Mesa without the driver
  # asked for falls back to another or offers no GL at all: the renderer, which heads
  # summary.md, tells which one ran.
  status=0
  (cd "$(dirname "$program")" &&
     LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER="$driver" "$program" --out "$out/$driver" "$@") ||
    status=$?
  [ "$status" -ne 2 ] || exit 2  # a bad option: the same for every driver
  # 3 and 4: written, with --check's failing verdicts or regression in ARGS.
  if [[ $status =~ ^[034]$ ]] && head -n 1 "$out/$driver/summary.md" | grep -q "^## $driver"; then
    drivers+=("$driver")
  else
    echo "make report: left $driver out: it is not present here or its run failed" \
         "(status $status)" >&2
    rm -rf "${out:?}/$driver"
  fi
done
[ ${#drivers[@]} -gt 0 ] || { echo "make report: no Mesa software driver found" >&2; exit 1; }

rm -rf "${out:?}/vulkan"
if "$program" --api vulkan --list-devices 2>/dev/null | grep -q '^0: '; then
  echo "make report: kestrel-report through Vulkan" >&2
  status=0
  (cd "$(dirname "$program")" && "$program" --api vulkan --out "$out/vulkan" "$@") || status=$?
  [ "$status" -ne 2 ] || exit 2
  if [[ $status =~ ^[034]$ ]]; then
    drivers+=(vulkan)
  else
    echo "make report: left Vulkan out: its run failed (status $status)" >&2
    rm -rf "${out:?}/vulkan"
  fi
else
  echo "make report: no Vulkan device here, or kestrel-report was built without Vulkan" >&2
fi

rm -f "$out/compare.md" "$out/compare.svg" "$out/compare.html"
if [ ${#drivers[@]} -lt 2 ]; then
  echo "make report: only ${drivers[*]} ran, nothing to compare: see $out/${drivers[0]}" >&2
  exit 0
fi
(cd "$out" && "$program" --compare "${drivers[@]}" --out .)
echo "make report: wrote $out/compare.md (${drivers[*]})" >&2
