# Helpers of the end-to-end scripts, which source it with the executables as $1 and $2: start the
# programs, find their windows, follow state lines, check how they end.
set -euo pipefail

KESTREL=$(realpath "$1")
X_SEND_CLOSE=$(realpath "$2")
CHECK=$(dirname "${BASH_SOURCE[0]}")/report_check.py  # report folders: files and numbers
HTML_CHECK=$(dirname "${BASH_SOURCE[0]}")/html_check.py  # report pages in a browser
WORK=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$WORK"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Fails unless a line of file $2 matches the basic regular expression $1.
expect_line() { grep -q -- "$1" "$2" || fail "$2 has no line \"$1\": $(head -n 5 "$2")"; }

# Runs the command $2... every 0.1 s until it succeeds; fails with message $1 after 30 s.
wait_until() {
  local message=$1
  shift
  for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done
  fail "$message within 30 s; kestrel's stderr: $(cat "$WORK/err" 2>/dev/null)"
}

# Starts kestrel from its own directory, where its data directories resolve, with arguments
# NAME=VALUE in its environment and the others as switches; its output goes to $WORK/out, err.
start_kestrel() {
  local environment=() switches=() arg
  for arg in "$@"; do
    if [[ $arg == *=* ]]; then environment+=("$arg"); else switches+=("$arg"); fi
  done
  (cd "$(dirname "$KESTREL")" &&
     exec env "${environment[@]}" "$KESTREL" "${switches[@]}" >"$WORK/out" 2>"$WORK/err") &
  KESTREL_PID=$!
}

kestrel_ended() { ! kill -0 "$KESTREL_PID" 2>/dev/null; }

# Prints the id of the mapped window named exactly $1, waiting for it while kestrel runs.
mapped_window() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 | grep . ||
    { kestrel_ended && fail "kestrel ended: $(cat "$WORK/err")"; }
}
wait_for_window() { wait_until "no window \"$1\"" mapped_window "$1"; }

# Starts kestrel with the arguments of start_kestrel; KESTREL_WINDOW is its window's id.
open_kestrel() { start_kestrel "$@"; KESTREL_WINDOW=$(wait_for_window Kestrel); }

# Prints WIDTHxHEIGHT of window $1.
window_size() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'; }

# Waits for kestrel to end and checks its exit status against $1.
expect_exit_status() {
  local status=0
  wait_until "kestrel did not end" kestrel_ended
  wait "$KESTREL_PID" || status=$?
  [ "$status" -eq "$1" ] || fail "exit status $status, expected $1; stderr: $(cat "$WORK/err")"
}

# Closes window $1 as its close button would; kestrel must end with status 0.
close_kestrel() { "$X_SEND_CLOSE" "$1"; expect_exit_status 0; }

# The number of state_probe lines of event $1 ("key", "release", "change") so far.
state_lines() { grep -c "^$1 " "$WORK/out" || true; }
has_state_lines() { [ "$(state_lines "$1")" -ge "$2" ]; }

# Prints state_probe line number $2 of event $1 without the event word, waiting for it.
state_line() {
  wait_until "no state line $2 after $1" has_state_lines "$1" "$2"
  grep "^$1 " "$WORK/out" | sed -n "$2p" | cut -d' ' -f2-
}

# Prints value number $3 (default 1) after the label $2 in state line $1: "dolly" 3 is its z.
state_value() {
  awk -v label="$2" -v n="${3:-1}" '{ for (i = 1; i < NF; ++i) if ($i == label) print $(i + n) }' \
    <<<"$1"
}

# Checks in state line $1, for each label, number and value after it, that value within 0.000002.
expect_state() {
  local line=$1 value
  shift
  while [ $# -ge 3 ]; do
    value=$(state_value "$line" "$1" "$2")
    awk -v v="$value" -v e="$3" 'BEGIN { d = v - e; exit !(d <= 0.000002 && d >= -0.000002) }' ||
      fail "$1 ($2) is $value, expected $3: $line"
    shift 3
  done
}

# Drags with the left button in window $1 from ($2, $3) to ($4, $5), holding the keys after them.
drag() {
  local window=$1 x0=$2 y0=$3 x1=$4 y1=$5 key down=() up=()
  shift 5
  for key in "$@"; do down+=(keydown "$key"); up+=(keyup "$key"); done
  # No --sync on the first move: it would wait for ever if the pointer is there already.
  xdotool mousemove --window "$window" "$x0" "$y0" "${down[@]}" mousedown 1 \
    mousemove --window "$window" --sync "$x1" "$y1" mouseup 1 "${up[@]}"
}

# Runs kestrel-report ($KESTREL) in $WORK with the arguments $3... and expects status $1 and,
# unless it is empty, $2 in its output, and no output folder $WORK/x unless it succeeds.
expect_run() {
  local status_expected=$1 message=$2 status=0
  shift 2
  (cd "$WORK" && "$KESTREL" "$@") >"$WORK/out" 2>"$WORK/err" || status=$?
  [ "$status" -eq "$status_expected" ] ||
    fail "$*: status $status, expected $status_expected: $(tail -n 3 "$WORK/err")"
  [ -z "$message" ] || grep -qF -- "$message" "$WORK/out" "$WORK/err" ||
    fail "$*: $(cat "$WORK/err")"
  [ "$status" -eq 0 ] || [ ! -e "$WORK/x" ] || fail "$* still made the output folder"
}

# Runs kestrel-report $@ on llvmpipe from its own folder, where the units' pictures are, to success.
report_from_own_folder() {
  (cd "$(dirname "$KESTREL")" && GALLIUM_DRIVER=llvmpipe "$KESTREL" "$@") 2>"$WORK/err" ||
    fail "kestrel-report $*: $(tail -n 3 "$WORK/err")"
}
