#!/usr/bin/env bash
# The window comes back where it was left, run after run, under a real window
# manager (openbox) that frames it; a window left partly off the screen comes
# back with its content area inside the screen's available area, at scale 2 too.
set -uo pipefail
program="$1"
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_wm

# run_once [X Y]: starts the program (moves its window there), prints where its
# content area is ("x y right bottom"; the content starts below the window's own
# menu bar), and quits it with Ctrl+Q.
run_once() {
  "$program" >>"$work/program.log" 2>&1 &
  local app=$!
  local wid
  wid=$(e2e_wait_window Zentravelle) || { cat "$work/program.log" >&2; return 1; }
  sleep 1  # openbox has framed and placed it
  [ -n "${1:-}" ] && { xdotool windowmove "$wid" $1; sleep 0.7; }
  local x y width height
  read -r x y < <(e2e_client_origin "$wid")
  read -r width height < <(xwininfo -id "$wid" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
  # the content is 516 high on a 1440 x 900 screen at scale 1
  echo "$x $((y + height - 516)) $((x + width)) $((y + height))"
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
read -r x y _ <<<"$back"
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] || fail "the content came back at $back after being left at $off"

# Left reaching past the bottom right corner: it comes back whole, at scale 1;
# at scale 2 it is taller than the screen: its top and its right edge are on it.
corner=$(run_once "1300 800") || fail "the run that moves the window to the corner failed"
whole=$(run_once) || fail "the run after the window was in the corner failed"
read -r x y right bottom <<<"$whole"
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ "$right" -le 1440 ] && [ "$bottom" -le 900 ] ||
  fail "left at $corner, the content came back at $whole"
run_once "1300 800" >/dev/null || fail "the second run that moves the window to the corner failed"
scaled=$(QT_SCALE_FACTOR=2 run_once) || fail "the run at scale 2 failed"
read -r x _ right bottom <<<"$scaled"
[ "$x" -ge 0 ] && [ "$((bottom - 2 * 516))" -ge 0 ] && [ "$right" -le 1440 ] ||  # the content's top, twice as high
  fail "at scale 2 the window came to $scaled"
echo "the content stayed at $first for four runs under openbox; left at $off it came back at $back;"
echo "left in the corner it came back at $whole, and at $scaled at scale 2"
echo "1 passed, 0 failed"
