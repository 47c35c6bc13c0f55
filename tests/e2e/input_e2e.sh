# End to end: real X input in kestrel's window, its state reported by state_probe: drags with
# and without Shift and Ctrl, the keys and their bounds, and a menu entry that does what its key
# does.
source "$(dirname "$0")/e2e_lib.sh"

open_kestrel

# Drags with the left button from the window's middle (512, 256) to ($1, $2), holding the keys
# named after them, and prints the state after the release.
drag_from_middle() {
  local releases
  releases=$(state_lines release)
  drag "$KESTREL_WINDOW" 512 256 "$@"
  state_line release $((releases + 1))
}
turn() { cut -d' ' -f1-6 <<<"$1"; }  # the trackball's quaternion and its product count

# A turn about +y composed before the start-up's tilt gives positive y and z.
rotated=$(drag_from_middle 522 256)
expect_state "$rotated" trackball 5 2 pan 1 0 pan 2 0.05 dolly 3 -3.5
awk '{ exit !($3 > 0.01 && $4 > 0.01) }' <<<"$rotated" || fail "no turn about +y: $rotated"
panned=$(drag_from_middle 522 251 shift)
expect_state "$panned" pan 1 0.1 pan 2 0.1 pan 3 0 dolly 3 -3.5
[ "$(turn "$panned")" = "$(turn "$rotated")" ] || fail "Shift with a drag turned: $panned"
echo "ok: left drag turns, Shift with it pans"

xdotool mousemove --window "$KESTREL_WINDOW" --sync 512 256  # keys go to the window pointed at

# Types the keys $@ and prints the state once the last of them has been handled.
type_keys() {
  local before
  before=$(state_lines key)
  xdotool key --delay 10 "$@"
  state_line key $((before + $#))
}

# Four units (llvmpipe has eight): e stops at 3, d at 0.
expect_state "$(type_keys e e e e e e)" tmu 1 3
expect_state "$(type_keys d d d d d)" tmu 1 0
expect_state "$(type_keys w w w w w w w w w w w w w w w w w w w w)" threshold 1 15
expect_state "$(type_keys s s s s s s s s s s s s s s s s s)" threshold 1 0
echo "ok: e/d and w/s stop at their bounds"

state=$(type_keys a)
[ "$(state_value "$state" zoom)" = 3.5999999 ] || fail "zoom is not the float nearest 3.6: $state"
expect_state "$state" dolly 3 -3.600000
expect_state "$(type_keys q)" zoom 1 3.5000000
expect_state "$(type_keys a a a a a)" zoom 1 3.9999995
echo "ok: q/a move the plane in steps of 0.1 in single precision"

# A Ctrl drag of 20 px up dollies the plane 0.2 further away; any key, even one without a
# meaning, puts it back to -zoom.
expect_state "$(drag_from_middle 512 236 ctrl)" dolly 3 -4.200000
expect_state "$(type_keys x)" zoom 1 3.9999995 dolly 3 -4.000000
echo "ok: any key resets a mouse dolly to -zoom"

# The mapped menu windows but $1; freeglut keeps unused ones around, unmapped.
menus_but() { xdotool search --onlyvisible --name 'freeglut menu' 2>/dev/null | grep -vx "${1:-}"; }

# The menu on the right button: a click opens it; once it shows, the pointer moves within it
# onto its third entry, "Zoom", whose submenu opens; there a click on "zoom in [q]".
xdotool mousemove --sync 100 100 click 3
menu=$(wait_until "the menu did not open" menus_but)
xdotool mousemove --window "$menu" --sync 50 60 mousemove --window "$menu" --sync 50 65
submenu=$(wait_until "the Zoom submenu did not open" menus_but "$menu")
xdotool mousemove --window "$submenu" --sync 20 12 mousemove_relative --sync 20 0 click 3
# The choice shows in a state line of its own, reported when the state changes.
zoomed_in() { [ "$(state_value "$(tail -n 1 "$WORK/out" | cut -d' ' -f2-)" zoom)" = 3.8999996 ]; }
wait_until "\"zoom in [q]\" did not zoom in" zoomed_in
echo "ok: \"zoom in [q]\" in the menu zooms in like q"

close_kestrel "$KESTREL_WINDOW"
