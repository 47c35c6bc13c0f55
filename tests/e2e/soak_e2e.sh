# Soak: SOAK_ROUNDS (default 6) rounds of 500 random keys, 10 drags and 5 resizes down to 1 × 1;
# every key is handled, memory stays flat after the first round, and it ends cleanly.
source "$(dirname "$0")/e2e_lib.sh"

rounds=${SOAK_ROUNDS:-6}
keys=(e d w s q a x 1 space Return Escape BackSpace Tab)
modifiers=("" shift ctrl "shift ctrl")
RANDOM=20261206  # a fixed seed: a failure can be replayed
open_kestrel

one_round() {
  local batch=() modifier size
  xdotool mousemove --window "$KESTREL_WINDOW" --sync 300 200
  for _ in $(seq 5); do
    for _ in $(seq 100); do batch+=("${keys[RANDOM % ${#keys[@]}]}"); done
    xdotool key --delay 1 "${batch[@]}"
    batch=()
  done
  for _ in $(seq 10); do
    modifier=${modifiers[RANDOM % ${#modifiers[@]}]}
    # shellcheck disable=SC2086 # the modifiers are separate words
    drag "$KESTREL_WINDOW" $((100 + RANDOM % 800)) $((50 + RANDOM % 400)) \
      $((100 + RANDOM % 800)) $((50 + RANDOM % 400)) $modifier
  done
  for size in "1 1" "$((1 + RANDOM % 1024)) $((1 + RANDOM % 512))" "1023 511" "7 300" "1024 512"; do
    # shellcheck disable=SC2086
    xdotool windowsize --sync "$KESTREL_WINDOW" $size
  done
}

for round in $(seq "$rounds"); do
  one_round
  state_line key $((round * 500)) >/dev/null  # responsive: every key of the round handled
  kib=$(awk '/^VmRSS:/ { print $2 }' "/proc/$KESTREL_PID/status")
  echo "round $round: $((round * 500)) keys handled, resident memory $kib KiB"
  [ "$round" -eq 1 ] && first_kib=$kib
done

# Flat: after the first round has touched every path, later rounds add no more than 8 MiB.
[ "$kib" -le $((first_kib + 8192)) ] || fail "resident memory grew from $first_kib KiB to $kib KiB"
close_kestrel "$KESTREL_WINDOW"
echo "ok: $((rounds * 500)) keys, $((rounds * 10)) drags and $((rounds * 5)) resizes; memory flat"
