# End to end: without a reachable X display kestrel neither hangs nor crashes; it says that it
# needs one and ends with status 1.
source "$(dirname "$0")/e2e_lib.sh"

expect_no_display() {
  local expected=$1
  shift
  local status=0
  timeout 30 env "$@" "$KESTREL" >"$WORK/out" 2>"$WORK/err" || status=$?
  [ "$status" -eq 1 ] || fail "exit status $status, expected 1: $(cat "$WORK/err")"
  grep -qF "$expected" "$WORK/err" || fail "unexpected message: $(cat "$WORK/err")"
  echo "ok: $(cat "$WORK/err")"
}

expect_no_display "no X display (DISPLAY is not set)" -u DISPLAY
expect_no_display 'cannot open the X display ":9999"' DISPLAY=:9999
