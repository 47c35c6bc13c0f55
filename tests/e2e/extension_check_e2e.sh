# End to end: with a required extension hidden, kestrel says so on standard error, shows the
# "Error" message window, and exits with status 0 once the user dismisses it, by any means.
source "$(dirname "$0")/e2e_lib.sh"

message="Required OpenGL extensions are not supported, cannot start"

expect_refusal() {
  local id
  id=$(wait_for_window Error)
  grep -qxF "$message" "$WORK/err" || fail "no message on stderr: $(cat "$WORK/err")"
  xdotool search --name '^Kestrel$' >/dev/null 2>&1 || fail "the Kestrel window was never opened"
  echo "$id"
}

# Hidden anisotropic filtering; dismissed with the mouse on OK, at the bottom centre.
start_kestrel MESA_EXTENSION_OVERRIDE=-GL_EXT_texture_filter_anisotropic
id=$(expect_refusal)
read -r width height < <(window_size "$id" | tr x ' ')
xdotool mousemove --window "$id" $((width / 2)) $((height - 30)) click 1
expect_exit_status 0
echo "ok: missing anisotropic filtering refused, OK clicked"

# Presses key $1 in the message window of the kestrel started with the rest of the arguments.
# The window goes away on the press: the release has no window left to go to.
dismiss_with_key() {
  local key=$1 id
  shift
  start_kestrel "$@"
  id=$(expect_refusal)
  xdotool mousemove --window "$id" 5 5
  xdotool keydown "$key"
  expect_exit_status 0
  xdotool keyup "$key"
}

# Texture compression (an extension of 2000) hidden; dismissed with Escape.
dismiss_with_key Escape MESA_EXTENSION_MAX_YEAR=1999
echo "ok: missing texture compression refused, Escape pressed"

# Dismissed with Enter, then with the close button.
dismiss_with_key Return MESA_EXTENSION_OVERRIDE=-GL_EXT_texture_filter_anisotropic -tc
echo "ok: Enter dismisses the message"

start_kestrel MESA_EXTENSION_OVERRIDE=-GL_EXT_texture_filter_anisotropic
id=$(expect_refusal)
"$X_SEND_CLOSE" "$id"
expect_exit_status 0
echo "ok: closing the message window dismisses it"
