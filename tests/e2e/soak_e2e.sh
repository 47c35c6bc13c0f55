# Soak: random keys, drags with and without Shift and Ctrl, and window resizes down to 1 × 1,
# round after round against the running test. Every key must be handled (the program stays
# responsive), memory must stay flat after the first round, and the test must end cleanly.
# SOAK_ROUNDS sets the length (default 6 rounds of 500 keys, 10 drags and 5 resizes).
source "$(dirname "$0")/e2e_lib.sh"

rounds=${SOAK_ROUNDS:-6}
keys=(e d w s q a x 1 space Return Escape BackSpace Tab)
modifiers=("" shift ctrl "shift ctrl")
RANDOM=20261206  # a fixed seed: a failure can be replayed

start_kestrel
id=$(wait_for_window Kestrel)

resident_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$KESTREL_PID/status"; }

one_round() {
  local i batch=() modifier
  xdotool mousemove --window "$id" --sync 300 200
  for i in $(seq 500); do
    batch+=("${keys[RANDOM % ${#keys[@]}]}")
    if [ ${#batch[@]} -eq 100 ]; then
      xdotool key --delay 1 "${batch[@]}"
      batch=()
    fi
  done
  for i in $(seq 10); do
    modifier=${modifiers[RANDOM % ${#modifiers[@]}]}
    # shellcheck disable=SC2086 # the modifiers are separate words
    drag "$id" $((100 + RANDOM % 800)) $((50 + RANDOM % 400)) \
      $((100 + RANDOM % 800)) $((50 + RANDOM % 400)) $modifier
  done
  for size in "1 1" "$((1 + RANDOM % 1024)) $((1 + RANDOM % 512))" "1023 511" "7 300" "1024 512"; do
    # shellcheck disable=SC2086
    xdotool windowsize --sync "$id" $size
  done
}

keys_sent=0
for round in $(seq "$rounds"); do
  one_round
  keys_sent=$((keys_sent + 500))
  # Responsive: every key of the round has been handled.
  state_line key "$keys_sent" >/dev/null
  kib=$(resident_kib)
  echo "round $round: $keys_sent keys handled, resident memory $kib KiB"
  [ "$round" -eq 1 ] && first_kib=$kib
done

# Flat: after the first round has touched every path, later rounds add no more than 8 MiB.
[ "$kib" -le $((first_kib + 8192)) ] ||
  fail "resident memory grew from $first_kib KiB to $kib KiB"
"$X_SEND_CLOSE" "$id"
expect_exit_status 0
echo "ok: $keys_sent keys, $((rounds * 10)) drags and $((rounds * 5)) resizes; memory flat"
