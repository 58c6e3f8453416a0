#!/usr/bin/env bash
# Starts the real program under Xvfb with a private home: the main window comes
# up laid out, a second start only wakes the first, Ctrl+Q quits with status 0
# and leaves the preferences file behind.
set -uo pipefail
program="$1"
source "$(dirname "$0")/lib.sh"
e2e_setup

e2e_launch

# Give the window a moment to paint, then keep a screenshot beside the build.
sleep 1
# One file per desktop: both runs of this test may go at once.
shot="${ZEN_BINARY_DIR:-$work}/e2e-main-window-${ZEN_E2E_DESKTOP:-none}.png"
import -window root "$shot" || fail "no screenshot"
geometry=$(xwininfo -id "$wid")
width=$(awk '/Width:/ {print $2}' <<<"$geometry")
height=$(awk '/Height:/ {print $2}' <<<"$geometry")
x=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$geometry")
y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$geometry")
[ "$width" = 340 ] || fail "window width $width, expected 340"
# The content area's height (487 with the advanced group folded) plus the menu bar.
[ "$height" -ge 487 ] && [ "$height" -le 620 ] || fail "window height $height"

# The window is not blank: its area holds many colours (text, controls, swatches).
colours=$(convert "$shot" -crop "${width}x${height}+${x}+${y}" +repage -unique-colors txt:- | wc -l)
[ "$colours" -gt 20 ] || fail "the window shows only $colours colours"

# A second start wakes the running instance and ends at once with status 0.
"$program" >"$work/second.log" 2>&1 &
second=$!
e2e_wait_exit "$second" 10 || fail "the second instance kept running"
[ "$exit_status" = 0 ] || fail "the second instance ended with $exit_status"
kill -0 "$app" 2>/dev/null || fail "the first instance ended"

# Quit from the keyboard: Ctrl+Q on the main window.
e2e_key "$wid" ctrl+q
e2e_wait_exit "$app" 15 || fail "the program did not quit on Ctrl+Q"
[ "$exit_status" = 0 ] || { cat "$work/program.log"; fail "exit status $exit_status"; }
[ -f "$XDG_CONFIG_HOME/Zentravelle Prefs" ] || fail "no preferences file after quitting"
echo "main window: ${width}x${height}, $colours colours, screenshot $shot"
echo "1 passed, 0 failed"
