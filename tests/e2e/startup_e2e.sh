# End to end: how kestrel starts and ends: its window at the size its switches ask for, closed
# with status 0; a missing extension said on stderr and in an "Error" window, dismissed in any way
# with status 0; no X display, status 1.
source "$(dirname "$0")/e2e_lib.sh"

for case in "1024x512" "256x512 -noaf -tc -nomt" "1024x512 -noaf,-tc"; do
  read -r expected switches <<<"$case"
  # shellcheck disable=SC2086 # the switches are separate words
  open_kestrel $switches
  [ "$(window_size "$KESTREL_WINDOW")" = "$expected" ] ||
    fail "kestrel $switches: window is $(window_size "$KESTREL_WINDOW"), expected $expected"
  close_kestrel "$KESTREL_WINDOW"
  echo "ok: kestrel $switches opens a $expected window and closes cleanly"
done

# Starts kestrel with the arguments $2..., waits for its refusal and dismisses it by $1: "OK"
# (a click on the button, at the bottom centre), "close" (the close button), or a key's name.
# The window goes away on a key's press: the release has no window left to go to.
refuse_and_dismiss() {
  local how=$1 id width height
  shift
  start_kestrel "$@"
  id=$(wait_for_window Error)
  grep -q "extensions" "$WORK/err" || fail "no message on stderr: $(cat "$WORK/err")"
  xdotool search --name '^Kestrel$' >/dev/null 2>&1 || fail "the Kestrel window was never opened"
  case "$how" in
    OK) read -r width height < <(window_size "$id" | tr x ' ')
        xdotool mousemove --window "$id" $((width / 2)) $((height - 30)) click 1 ;;
    close) "$X_SEND_CLOSE" "$id" ;;
    *) xdotool mousemove --window "$id" 5 5 keydown "$how" ;;
  esac
  expect_exit_status 0
  [ "$how" = OK ] || [ "$how" = close ] || xdotool keyup "$how"
  echo "ok: kestrel $* refused to start, dismissed by $how"
}
no_af=MESA_EXTENSION_OVERRIDE=-GL_EXT_texture_filter_anisotropic
refuse_and_dismiss OK "$no_af"
refuse_and_dismiss Escape MESA_EXTENSION_MAX_YEAR=1999  # texture compression came in 2000
refuse_and_dismiss Return "$no_af" -tc
refuse_and_dismiss close "$no_af"

for case in "-u DISPLAY|DISPLAY is not set" 'DISPLAY=:9999|":9999"'; do
  status=0
  # shellcheck disable=SC2086 # the arguments of env are separate words
  timeout 30 env ${case%|*} "$KESTREL" >"$WORK/out" 2>"$WORK/err" || status=$?
  [ "$status" -eq 1 ] && grep -qF "${case#*|}" "$WORK/err" ||
    fail "env ${case%|*}: exit status $status, expected 1: $(cat "$WORK/err")"
  echo "ok: $(cat "$WORK/err")"
done
