#!/usr/bin/env bash
# What `make run` starts from the release build: the interactive test in a window on the X
# display, or, where no X display can be opened, kestrel-report under a private Xvfb, which
# measures the driver and writes its results into kestrel-report/ at the top of the repository.
# Arguments go to the interactive test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/build/bin"

status=0
./kestrel "$@" || status=$?
# The test ends with status 1 exactly when it finds no X display to open its window on.
[ "$status" -eq 1 ] || exit "$status"

echo "No X display for the interactive test: measuring the driver with kestrel-report under" \
     "Xvfb instead." >&2
env -u DISPLAY "$root/tools/with-xvfb.sh" ./kestrel-report --out "$root/kestrel-report"
echo "The report is in $root/kestrel-report/: report.md, report.json and the pictures."
