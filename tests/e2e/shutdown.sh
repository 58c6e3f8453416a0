#!/usr/bin/env bash
# The program ends the way a session ends it: SIGTERM (a logout) and SIGHUP (a
# closed terminal) quit with status 0 and save the settings of the run; the X
# connection going away (xkill) ends it without a crash, the settings saved.
set -uo pipefail
program="$1"
source "$(dirname "$0")/lib.sh"
e2e_setup
prefs="$XDG_CONFIG_HOME/Zentravelle Prefs"

# end_with HOW WORD: types WORD as the strip's text, ends the program by HOW
# (a signal name, or xkill) and checks that it ended cleanly with WORD saved.
end_with() {
  rm -f "$prefs"
  e2e_launch
  e2e_key "$wid" ctrl+a
  xdotool type --delay 20 "$2"
  sleep 0.3
  if [ "$1" = xkill ]; then xkill -id "$wid" >/dev/null; else kill -s "$1" "$app"; fi
  e2e_wait_exit "$app" 15 || fail "$1 did not end the program"
  [ "$exit_status" -lt 128 ] || { cat "$work/program.log"; fail "$1: ended by signal $((exit_status - 128))"; }
  [ "$1" = xkill ] || [ "$exit_status" = 0 ] || fail "$1: exit status $exit_status"
  ! grep -qiE "malloc|segmentation|core dumped|double free" "$work/program.log" || { cat "$work/program.log"; fail "$1: crashed"; }
  grep -qa "$2" "$prefs" 2>/dev/null || fail "$1: the strip text '$2' was not saved"
}

end_with TERM Abmelden
end_with HUP Aufgelegt
end_with xkill Verbindung
echo "3 passed, 0 failed"
