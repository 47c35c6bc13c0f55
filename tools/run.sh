#!/usr/bin/env bash
# What `make run` starts from the release build: the interactive test in a window on the X
# display, or, where no X display can be opened, kestrel-report through EGL without any window
# system (under a private Xvfb where EGL gives no context), which measures the driver and writes
# its results into kestrel-report/ at the top of the repository.
# Arguments go to the interactive test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/build/bin"

status=0
./kestrel "$@" || status=$?
# The test ends with status 1 exactly when it finds no X display to open its window on.
[ "$status" -eq 1 ] || exit "$status"

echo "No X display for the interactive test: measuring the driver with kestrel-report" \
     "instead, through EGL without any window system." >&2
status=0
./kestrel-report --platform egl --out "$root/kestrel-report" || status=$?
if [ "$status" -eq 1 ]; then
  echo "EGL gave no context: measuring under a private Xvfb instead." >&2
  env -u DISPLAY "$root/tools/with-xvfb.sh" ./kestrel-report --platform glx \
    --out "$root/kestrel-report"
elif [ "$status" -ne 0 ]; then
  exit "$status"
fi
echo "The report is in $root/kestrel-report/: report.md, report.json and the pictures."
