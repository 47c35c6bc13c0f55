# End to end: kestrel opens its "Kestrel" window at the size its switches ask for and ends
# cleanly, with status 0, when the window is closed.
source "$(dirname "$0")/e2e_lib.sh"

check_window() {
  local expected_size=$1
  shift
  start_kestrel "$@"
  local id
  id=$(wait_for_window Kestrel)
  [ "$(window_size "$id")" = "$expected_size" ] || fail "window is $(window_size "$id"), expected $expected_size"
  "$X_SEND_CLOSE" "$id"
  expect_exit_status 0
  echo "ok: kestrel $* opens a $expected_size window and closes cleanly"
}

check_window 1024x512
check_window 256x512 -NOAF -tc -nomt
check_window 1024x512 -noaf,-tc
