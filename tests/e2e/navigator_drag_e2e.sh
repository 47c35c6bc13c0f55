# End to end: real X input in kestrel's window. A left drag turns the plane, Shift with a left
# drag pans it, Ctrl with a left drag dollies it, and Shift with Ctrl does nothing. The program
# under test is kestrel's start-up with a reporter that prints the state at every button release.
source "$(dirname "$0")/e2e_lib.sh"

start_kestrel
id=$(wait_for_window Kestrel)
[ "$(window_size "$id")" = "1024x512" ] || fail "window is $(window_size "$id")"

state_after_release() { state_line release "$1"; }

# Drags with the left button from the window's middle (512, 256) to ($1, $2), holding the keys
# named after them.
drag_from_middle() {
  local x=$1 y=$2
  shift 2
  drag "$id" 512 256 "$x" "$y" "$@"
}

# Checks field $2 (1-based, after the labels) of state line $1 against $3 within 0.000002.
expect_field() {
  local line=$1 field=$2 expected=$3
  awk -v f="$field" -v e="$expected" '{
      split("2 3 4 5 6 8 9 10 12 13 14", pos, " ")
      v = $(pos[f]); d = v - e; if (d < 0) d = -d; exit !(d <= 0.000002)
    }' <<<"$line" || fail "field $field of \"$line\" is not $expected"
}

# Fields: 1-4 trackball x y z w, 5 its product count, 6-8 pan x y z, 9-11 dolly x y z.
# The start-up tilt: -75 degrees about x, sin(-37.5°) = -0.608761, cos(-37.5°) = 0.793353.
drag_from_middle 522 256
rotated=$(state_after_release 1)
echo "after a left drag 10 px right: $rotated"
expect_field "$rotated" 5 2
# A turn about +y composed before the tilt gives positive y and z.
awk '{ exit !($3 > 0.01 && $4 > 0.01) }' <<<"$rotated" || fail "no turn about +y: $rotated"
expect_field "$rotated" 6 0; expect_field "$rotated" 7 0.05; expect_field "$rotated" 11 -3.5

drag_from_middle 522 251 shift
panned=$(state_after_release 2)
echo "after Shift with a left drag 10 px right and 5 up: $panned"
expect_field "$panned" 6 0.1; expect_field "$panned" 7 0.1; expect_field "$panned" 8 0
expect_field "$panned" 11 -3.5
[ "$(cut -d' ' -f2-6 <<<"$panned")" = "$(cut -d' ' -f2-6 <<<"$rotated")" ] ||
  fail "Shift with a drag turned the plane: $panned"

drag_from_middle 512 246 ctrl
dollied=$(state_after_release 3)
echo "after Ctrl with a left drag 10 px up: $dollied"
expect_field "$dollied" 11 -3.6
expect_field "$dollied" 6 0.1; expect_field "$dollied" 7 0.1
[ "$(cut -d' ' -f2-6 <<<"$dollied")" = "$(cut -d' ' -f2-6 <<<"$rotated")" ] ||
  fail "Ctrl with a drag turned the plane: $dollied"

drag_from_middle 530 240 shift ctrl
unchanged=$(state_after_release 4)
echo "after Shift and Ctrl with a left drag: $unchanged"
[ "$(cut -d' ' -f2- <<<"$unchanged")" = "$(cut -d' ' -f2- <<<"$dollied")" ] ||
  fail "Shift and Ctrl with a drag changed the state: $unchanged"

"$X_SEND_CLOSE" "$id"
expect_exit_status 0
echo "ok: left drag turns, Shift pans, Ctrl dollies, both together do nothing"
