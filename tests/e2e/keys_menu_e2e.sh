# End to end: the keys and the pop-up menu through real X input. e/d and w/s stop at their
# bounds, q/a move the plane, any key puts a mouse dolly back to the keyboard's distance, and a
# menu entry does what its key does. The program is kestrel's start-up with a state reporter.
source "$(dirname "$0")/e2e_lib.sh"

start_kestrel
id=$(wait_for_window Kestrel)
xdotool mousemove --window "$id" --sync 512 256  # keys go to the window under the pointer

# Types the keys $@ and prints the state after the last of them.
type_keys() {
  local before
  before=$(state_lines key)
  xdotool key --delay 10 "$@"
  state_line key $((before + $#))
}

# Checks that the value $3 after label $2 in state line $1 is $4, within 0.000002.
expect_value() {
  local line=$1 label=$2 n=$3 expected=$4 value
  value=$(state_value "$line" "$label" "$n")
  awk -v v="$value" -v e="$expected" 'BEGIN { d = v - e; exit !(d <= 0.000002 && d >= -0.000002) }' ||
    fail "$label ($n) is $value, expected $expected: $line"
}

# Four units (llvmpipe has eight): e stops at 3, d at 0.
expect_value "$(type_keys e e e e)" tmu 1 3
expect_value "$(type_keys e e)" tmu 1 3
expect_value "$(type_keys d d d d d)" tmu 1 0
expect_value "$(type_keys w w w w w w w w w w w w w w w w w w w w)" threshold 1 15
expect_value "$(type_keys s s s s s s s s s s s s s s s s s)" threshold 1 0
echo "ok: e/d and w/s stop at their bounds"

state=$(type_keys a)
expect_value "$state" zoom 1 3.5999999
[ "$(state_value "$state" zoom)" = 3.5999999 ] || fail "zoom is not the float nearest 3.6: $state"
expect_value "$state" dolly 3 -3.600000
expect_value "$(type_keys q)" zoom 1 3.5000000
state=$(type_keys a a a a a)
expect_value "$state" zoom 1 3.9999995
echo "ok: q/a move the plane in steps of 0.1 in single precision"

# A Ctrl drag of 20 px up dollies the plane 0.2 further away; any key, even one without a
# meaning, puts it back to -zoom.
releases=$(state_lines release)
drag "$id" 512 256 512 236 ctrl
state=$(state_line release $((releases + 1)))
expect_value "$state" dolly 3 -4.200000
xdotool mousemove --window "$id" --sync 512 256
state=$(type_keys x)
expect_value "$state" zoom 1 3.9999995
expect_value "$state" dolly 3 -4.000000
echo "ok: any key resets a mouse dolly to -zoom"

# The menu on the right button: a click opens it, then "Zoom", then a click on "zoom in [q]" in
# its submenu.
xdotool mousemove --sync 100 100 click 3
sleep 0.3
xdotool mousemove --sync 150 165  # the third entry of the top menu, "Zoom"
# freeglut keeps unused menu windows around: the submenu is the one that opened against the top
# menu's right edge.
submenu=""
for _ in $(seq 50); do
  top_width=""
  declare -A position=()
  for w in $(xdotool search --onlyvisible --name 'freeglut menu' 2>/dev/null); do
    geometry=$(xdotool getwindowgeometry "$w")
    position[$w]=$(sed -n 's/.*Position: \([0-9-]*,[0-9-]*\).*/\1/p' <<<"$geometry")
    [ "${position[$w]}" = "100,100" ] && top_width=$(sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p' <<<"$geometry")
  done
  if [ -n "$top_width" ]; then
    for w in "${!position[@]}"; do
      [ "${position[$w]%,*}" = $((100 + top_width)) ] && submenu=$w
    done
  fi
  unset position
  [ -n "$submenu" ] && break
  sleep 0.1
done
[ -n "$submenu" ] || fail "the Zoom submenu did not open"
# The menu highlights the entry under the pointer as motion events arrive: give it a few.
for x in 20 30 40; do
  xdotool mousemove --window "$submenu" --sync "$x" 12
  sleep 0.2
done
xdotool click 3
# The choice shows in the next state line, whichever event reports it first.
for _ in $(seq 100); do
  state=$(tail -n 1 "$WORK/out" | cut -d' ' -f2-)
  [ "$(state_value "$state" zoom)" = 3.8999996 ] && break
  sleep 0.1
done
expect_value "$state" zoom 1 3.8999996
echo "ok: \"zoom in [q]\" in the menu zooms in like q"

"$X_SEND_CLOSE" "$id"
expect_exit_status 0
