#!/usr/bin/env bash
# The layers hold: every include of the repository keeps to docs/architecture.md, and an include
# of a higher layer planted in a copy of the sources fails the check, naming the file and line,
# wherever it is planted: in the pictures, the scene, the Vulkan drawing, the base, judging; and
# a graphics API's header outside the folders that may have one, in the run.
# Usage: tests/layers_test.sh ROOT
set -euo pipefail
root=$(realpath "$1")
check="$root/tools/check_layers.py"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

python3 "$check" "$root" >"$work/out" || fail "the repository breaks its layers: $(cat "$work/out")"

tree="$work/tree"
mkdir "$tree"
(cd "$root" && cp -r --parents docs/architecture.md base interact scene include image app \
  report "$tree")
for plant in "image/rgb_image.h|report/judge/baseline.h" "scene/scene.h|app/panels.h" \
  "report/draw/vulkan/vk_device.cpp|report/text/report_writer.h" \
  "base/text_format.h|scene/scene.h" "report/judge/findings.cpp|report/text/report_writer.h" \
  "report/run/report_run.cpp|<GL/gl.h>"; do
  IFS='|' read -r file include <<<"$plant"
  cp "$tree/$file" "$work/unplanted"
  lines=$(wc -l <"$tree/$file")
  if [[ $include == "<"* ]]; then line="#include $include"; else line="#include \"$include\""; fi
  echo "$line" >>"$tree/$file"
  ! python3 "$check" "$tree" >"$work/out" || fail "$include planted in $file passed"
  grep -q "^layers: $file:$((lines + 1)) includes $include" "$work/out" ||
    fail "$include planted in $file, not named: $(cat "$work/out")"
  mv "$work/unplanted" "$tree/$file"
done
echo "ok: the includes keep to the layers, and a planted one of a higher layer fails"
