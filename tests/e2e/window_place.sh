#!/usr/bin/env bash
# The window comes back where it was left, run after run, under a real window
# manager (openbox) that frames it; a window left partly off the screen comes
# back with its content area inside the screen's available area.
set -uo pipefail
program="$1"
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_wm

# run_once [X Y]: starts the program (moves its window there), prints where its
# content area is ("x y"; the content starts below the window's own menu bar),
# and quits it with Ctrl+Q.
run_once() {
  "$program" >>"$work/program.log" 2>&1 &
  local app=$!
  local wid
  wid=$(e2e_wait_window Zentravelle) || { cat "$work/program.log" >&2; return 1; }
  sleep 1  # openbox has framed and placed it
  [ -n "${1:-}" ] && { xdotool windowmove "$wid" $1; sleep 0.7; }
  local x y height
  read -r x y < <(e2e_client_origin "$wid")
  height=$(xwininfo -id "$wid" | awk '/Height:/ {print $2}')
  echo "$x $((y + height - 516))"  # the content is 516 high on a 1440 x 900 screen
  e2e_key "$wid" ctrl+q
  e2e_wait_exit "$app" 15 || return 1
  [ "$exit_status" = 0 ] || return 1
}

first=$(run_once "300 200") || fail "the first run failed"
for run in 2 3 4; do
  again=$(run_once) || fail "run $run failed"
  [ "$again" = "$first" ] || fail "run $run put the window at $again, not $first where it was left"
done

# Left above and left of the screen: it comes back inside the available area.
off=$(run_once "-80 -60") || fail "the run that moves the window off the screen failed"
back=$(run_once) || fail "the run after the window was off the screen failed"
read -r x y <<<"$back"
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] || fail "the content came back at $back after being left at $off"
echo "the content stayed at $first for four runs under openbox; left at $off it came back at $back"
echo "1 passed, 0 failed"
