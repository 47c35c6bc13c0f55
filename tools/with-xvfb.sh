#!/usr/bin/env bash
# Runs a command with an X display: the current one when DISPLAY is set, otherwise a private
# Xvfb on a free display number that is stopped again when the command ends.
set -euo pipefail

if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi

fd_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fd_file" 2>/dev/null &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -f "$fd_file"' EXIT

# Xvfb writes the display number once it accepts connections.
for _ in $(seq 100); do
  [ -s "$fd_file" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { echo "Xvfb failed to start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$fd_file" ] || { echo "Xvfb did not report a display within 10 s" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$fd_file")"
"$@"
