# Shared helpers of the end-to-end scripts: start the real executable, find its windows on the
# X display, and check how it ends. Sourced; the caller passes the executables as $1 and $2.
set -euo pipefail

KESTREL=$(realpath "$1")
X_SEND_CLOSE=$(realpath "$2")
WORK=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$WORK"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts kestrel from its own directory (so that the data directories resolve). Arguments of
# the form NAME=VALUE go into its environment, the others are its switches. Its output goes to
# $WORK/out and $WORK/err.
start_kestrel() {
  local environment=() switches=() arg
  for arg in "$@"; do
    case "$arg" in
      *=*) environment+=("$arg") ;;
      *) switches+=("$arg") ;;
    esac
  done
  (cd "$(dirname "$KESTREL")" &&
     exec env "${environment[@]}" "$KESTREL" "${switches[@]}" >"$WORK/out" 2>"$WORK/err") &
  KESTREL_PID=$!
}

# Prints the id of the visible window named exactly $1, waiting up to 30 s for it.
wait_for_window() {
  local id
  for _ in $(seq 300); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$KESTREL_PID" 2>/dev/null || fail "kestrel ended before showing \"$1\": $(cat "$WORK/err")"
    sleep 0.1
  done
  fail "no window \"$1\" within 30 s"
}

# Prints WIDTHxHEIGHT of window $1.
window_size() {
  xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'
}

# Waits up to 30 s for kestrel to end and checks its exit status against $1.
expect_exit_status() {
  local status=0
  for _ in $(seq 300); do kill -0 "$KESTREL_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$KESTREL_PID" 2>/dev/null && fail "kestrel still runs after 30 s"
  wait "$KESTREL_PID" || status=$?
  [ "$status" -eq "$1" ] || fail "exit status $status, expected $1; stderr: $(cat "$WORK/err")"
}

# Prints line number $2 among the state_probe lines of event $1 ("key", "release", "change"),
# without the event word, waiting up to 30 s for it.
state_line() {
  local line
  for _ in $(seq 300); do
    line=$(grep "^$1 " "$WORK/out" | sed -n "$2p" | cut -d' ' -f2-)
    [ -n "$line" ] && { echo "$line"; return 0; }
    sleep 0.1
  done
  fail "no state line $2 after $1; stdout: $(tail -n 3 "$WORK/out"); stderr: $(cat "$WORK/err")"
}

# The number of state_probe lines of event $1 so far.
state_lines() { grep -c "^$1 " "$WORK/out" || true; }

# Prints value number $3 (default 1) after the label $2 in state line $1: "dolly" 3 is its z.
state_value() {
  awk -v label="$2" -v n="${3:-1}" '{ for (i = 1; i < NF; ++i) if ($i == label) print $(i + n) }' <<<"$1"
}

# Drags with the left button in window $1 from ($2, $3) to ($4, $5), holding the keys named
# after them (shift, ctrl).
drag() {
  local window=$1 x0=$2 y0=$3 x1=$4 y1=$5 key
  shift 5
  xdotool mousemove --window "$window" "$x0" "$y0"  # --sync would wait if it is there already
  for key in "$@"; do xdotool keydown "$key"; done
  xdotool mousedown 1
  xdotool mousemove --window "$window" --sync "$x1" "$y1"
  xdotool mouseup 1
  for key in "$@"; do xdotool keyup "$key"; done
}
