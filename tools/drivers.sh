#!/usr/bin/env bash
# What `make drivers` runs: kestrel-report once per driver this machine has, each in a folder
# named after the driver and its Mesa version (llvmpipe-mesa-22.3.6), then `kestrel-report
# --compare` of every report in the folder, those brought from other releases included, into
# compare.md, compare.svg and compare.html. The drivers: GL on llvmpipe, on softpipe and on zink
# (on lavapipe, through EGL), Vulkan on lavapipe, and the reference renderer. A driver that is
# missing, whose run fails, or that falls back to another is named as skipped with the reason,
# and its folder removed: no report is kept under a false name.
# With RELEASE (bookworm, trixie), the same runs in a Debian root of that release instead of
# here, made with tools/fresh-debian.sh in ROOTS/debian-RELEASE and reused on the next run (as
# root only), and its Mesa drivers' reports are brought back beside this machine's.
# Usage: tools/drivers.sh KESTREL_REPORT OUT_DIR [kestrel-report options ...]
#   RELEASE=trixie ROOTS=DIR  measure that release's drivers in a root below DIR (default: build)
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 KESTREL_REPORT OUT_DIR [options]" >&2; exit 2; }
here=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "$1")
out=$(realpath -m "$2")
shift 2
mkdir -p "$out"
say() { echo "make drivers: $*" >&2; }

# The member KEY of the driver a report names (the first of that key in report.json, whose
# driver object comes before any other that has it), JSON escapes left as they are.
driver_member() {
  sed -n 's/^    "'"$2"'": "\(.*\)",\?$/\1/p' "$1/report.json" | head -n 1
}

# The Mesa version a report's driver states ("Mesa 22.3.6", "Mesa 25.0.7-2+deb13u1"), as
# "mesa-22.3.6" and "mesa-25.0.7", the distribution's revision left out; empty for none.
mesa_of() {
  driver_member "$1" version | sed -n 's/.*Mesa \([0-9][0-9.]*[0-9]\).*/mesa-\1/p'
}

# measure NAME PATTERN [VAR=VALUE ...] -- [ARGS ...]: one run of kestrel-report with the
# environment and arguments given, kept as NAME-MESA where its renderer matches the extended
# regular expression PATTERN, else skipped with the reason.
measure() {
  local name=$1 pattern=$2 environment=() status=0 renderer folder
  shift 2
  while [ "$1" != -- ]; do environment+=("$1"); shift; done
  shift
  local work="$out/.$name"
  rm -rf "$work"
  say "kestrel-report on $name"
  # From the program's own folder, where the test finds its pictures. Mesa complains when
  # XDG_RUNTIME_DIR is unset, which a user need not see: a private one is given.
  (cd "$(dirname "$program")" &&
     env XDG_RUNTIME_DIR="$runtime" "${environment[@]}" "$program" --out "$work" "$@" "${args[@]}") \
    2>"$runtime/$name.err" || status=$?
  [ "$status" -ne 2 ] || { cat "$runtime/$name.err" >&2; exit 2; }  # the options: for every run
  if ! [[ $status =~ ^[034]$ ]]; then
    # The program's own last word, or a sanitizer's summary of what the driver did.
    skipped+=("$name: its run ended with status $status: $(grep -E '^(kestrel-report|SUMMARY):' \
      "$runtime/$name.err" | tail -n 1)")
    rm -rf "$work"
    return
  fi
  renderer=$(driver_member "$work" renderer)
  if ! [[ $renderer =~ $pattern ]]; then
    skipped+=("$name: the run fell back to \"$renderer\"")
    rm -rf "$work"
    return
  fi
  folder=$name
  [ "$name" = reference ] || folder="$name-$(mesa_of "$work")"
  rm -rf "${out:?}/$folder"
  mv "$work" "$out/$folder"
  say "wrote $out/$folder ($renderer)"
}

# The index of the Vulkan device that lavapipe drives, from --list-devices; empty for none.
lavapipe_device() {
  "$program" --api vulkan --list-devices 2>/dev/null | sed -n 's/^\([0-9]*\): llvmpipe.*/\1/p' |
    head -n 1
}

measure_here() {
  local device
  measure llvmpipe '^llvmpipe' LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe -- --platform egl
  measure softpipe '^softpipe' LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=softpipe -- --platform egl
  measure zink '^zink' LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=zink -- --platform egl
  device=$(lavapipe_device)
  if [ -n "$device" ]; then
    measure lavapipe 'through Vulkan$' -- --api vulkan --device "$device"
  else
    skipped+=("lavapipe: kestrel-report lists no lavapipe Vulkan device here")
  fi
  measure reference '^reference renderer$' -- --api reference
}

# Measures the drivers of Debian release $RELEASE in its own root and copies their reports here.
measure_release() {
  [ "$(id -u)" -eq 0 ] || {
    say "RELEASE=$RELEASE needs root: debootstrap, mount and chroot make the Debian $RELEASE" \
        "root it measures in; run it as root (sudo make drivers RELEASE=$RELEASE)"
    exit 1
  }
  local root
  root=$(realpath -m "${ROOTS:-$here/build}/debian-$RELEASE")
  say "measuring Debian $RELEASE's drivers in $root (made on the first run, then reused)"
  rm -rf "$root/root/drivers"
  DEBIAN_RELEASE=$RELEASE KESTREL_REPO=$here "$here/tools/fresh-debian.sh" "$root" sh -c \
    'apt-get install -y -q make >/dev/null && cd kestrel && make release >/dev/null &&
     tools/drivers.sh build/bin/kestrel-report /root/drivers "$@"' drivers "${args[@]}"
  local report
  for report in "$root/root/drivers"/*/report.json; do
    local folder
    folder=$(basename "$(dirname "$report")")
    [ "$folder" != reference ] || continue  # the same program's formula as here
    rm -rf "${out:?}/$folder"
    cp -r "$(dirname "$report")" "$out/$folder"
    say "brought $folder back from Debian $RELEASE"
  done
}

args=("$@")
skipped=()
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
if [ -n "${RELEASE:-}" ]; then
  measure_release
else
  measure_here
  for reason in "${skipped[@]}"; do say "skipped $reason"; done
fi

# Every report in the folder, this machine's and those brought from other releases; the
# comparison orders them by renderer and driver version.
reports=()
for report in "$out"/*/report.json; do
  [ -e "$report" ] && reports+=("$(basename "$(dirname "$report")")")
done
rm -f "$out/compare.md" "$out/compare.svg" "$out/compare.html"
if [ ${#reports[@]} -lt 2 ]; then
  say "fewer than two reports in $out, nothing to compare"
  exit 0
fi
(cd "$out" && "$program" --compare "${reports[@]}" --out .)
say "wrote $out/compare.html and compare.md: ${reports[*]}"
