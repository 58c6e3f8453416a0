#!/usr/bin/env bash
# "Set Desktop" and "Revert Desktop" in the real program on the desktops whose
# settings run here: GNOME on GSettings' keyfile back end, Xfce on a real
# xfconfd on a private D-Bus session bus. The desktop shows a picture whose path
# has blanks, quotes and non-ASCII characters; "Set Desktop" composes the strip onto it
# and the desktop is told the composed picture; "Revert Desktop" tells it the
# original again. No gsettings or xfconf-query process is started by the program.
set -uo pipefail
program="$1"
source "$(dirname "$0")/lib.sh"
e2e_setup

real_gsettings=$(command -v gsettings) || fail "gsettings is missing: scripts/setup.sh installs it"
real_xfconf=$(command -v xfconf-query) || fail "xfconf-query is missing: scripts/setup.sh installs it"
# Stand-ins first on PATH that only log: the program must not run them.
mkdir -p "$work/bin"
for tool in gsettings xfconf-query dconf; do
  printf '#!/bin/sh\necho "%s $*" >>"%s"\nexit 1\n' "$tool" "$work/started.log" >"$work/bin/$tool"
  chmod +x "$work/bin/$tool"
done
export PATH="$work/bin:$PATH"

source_dir="$HOME/Bilder für den Desktop"
mkdir -p "$source_dir"
source_picture="$source_dir/rotes Bild \"eins\" it's.png"
convert -size 200x100 xc:'#d02020' "$source_picture" || fail "could not make the source picture"
composed="$HOME/Pictures/ZentravelleDesktopPicture.jpg"
monitor=/backdrop/screen0/monitorscreen/workspace0   # Xvfb's one output is called "screen"

# run_desktop NAME SHOWN: starts the program on desktop NAME, sets and reverts;
# SHOWN is a command that prints the path the desktop was told.
run_desktop() {
  local name=$1 shown=$2
  rm -rf "$HOME/Pictures" "$XDG_CONFIG_HOME/Zentravelle Prefs"
  "$program" >"$work/program.log" 2>&1 &
  local app=$!
  pids+=($app)
  local wid
  wid=$(e2e_wait_window Zentravelle) || { cat "$work/program.log"; fail "$name: the main window did not appear"; }
  sleep 0.5
  xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"

  # The buttons' row: the content is 516 high for a 1440 x 900 screen, below the menu bar.
  local height row
  height=$(xwininfo -id "$wid" | awk '/Height:/ {print $2}')
  row=$((411 + height - 516 + 10))
  xdotool mousemove --window "$wid" 250 "$row" click 1   # "Set Desktop"
  for _ in $(seq 100); do [ "$($shown)" = "$composed" ] && break; sleep 0.1; done
  [ "$($shown)" = "$composed" ] || { cat "$work/program.log"; fail "$name shows '$($shown)', not the composed picture"; }
  identify "$composed" >/dev/null || fail "$name: the composed picture does not load"

  xdotool mousemove --window "$wid" 80 "$row" click 1   # "Revert Desktop"
  for _ in $(seq 100); do [ "$($shown)" = "$source_picture" ] && break; sleep 0.1; done
  [ "$($shown)" = "$source_picture" ] || fail "$name shows '$($shown)' after Revert Desktop"

  # Through XTEST to the focused window, keys released after: a release sent to a
  # window that closed on the press would leave them held for the next program.
  xdotool windowfocus --sync "$wid"
  xdotool key ctrl+q
  xdotool keyup ctrl q
  e2e_wait_exit "$app" 15 || fail "$name: the program did not quit"
  [ "$exit_status" = 0 ] || { cat "$work/program.log"; fail "$name: exit status $exit_status"; }
  [ -e "$work/started.log" ] && fail "$name: the program started $(cat "$work/started.log")"
  echo "$name: set and reverted"
}

# ---- GNOME ----
# The file URI of a path, every byte but the unreserved ones percent-escaped.
uri_of() {
  local LC_ALL=C s=$1 out= c i
  for ((i = 0; i < ${#s}; i++)); do
    c=${s:i:1}
    case $c in [A-Za-z0-9/._~-]) out+=$c ;; *) out+=$(printf '%%%02X' "'$c") ;; esac
  done
  echo "file://$out"
}
gnome_shown() {   # the path of GNOME's picture-uri, as another program reads it
  local v
  v=$("$real_gsettings" get org.gnome.desktop.background picture-uri)
  v=${v:1:${#v}-2}
  v=${v#file://}
  printf '%b' "${v//%/\\x}"
}
export GSETTINGS_BACKEND=keyfile XDG_CURRENT_DESKTOP=GNOME
"$real_gsettings" set org.gnome.desktop.background picture-uri "\"$(uri_of "$source_picture")\"" ||
  fail "could not set GNOME's picture"
"$real_gsettings" set org.gnome.desktop.background picture-options stretched
run_desktop GNOME gnome_shown
unset GSETTINGS_BACKEND

# ---- Xfce ----
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || fail "no D-Bus session bus"
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
bus_pid=$(sed -n 2p <<<"$bus")
stop_bus() {   # xfconfd first (it writes its files on the way out), then the bus
  local xfconfd
  xfconfd=$(dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.xfce.Xfconf 2>/dev/null | awk '{print $2}')
  [ -n "$xfconfd" ] && kill "$xfconfd" 2>/dev/null
  for _ in $(seq 50); do [ -n "$xfconfd" ] && [ -d "/proc/$xfconfd" ] && ! grep -q ') Z' "/proc/$xfconfd/stat" || break; sleep 0.1; done
  kill "$bus_pid" 2>/dev/null
  e2e_cleanup
}
trap stop_bus EXIT
xfce_shown() { "$real_xfconf" -c xfce4-desktop -p "$monitor/last-image"; }
export XDG_CURRENT_DESKTOP=XFCE
"$real_xfconf" -c xfce4-desktop -p "$monitor/last-image" -n -t string -s "$source_picture" || fail "could not set Xfce's picture"
"$real_xfconf" -c xfce4-desktop -p "$monitor/image-style" -n -t int -s 3
run_desktop Xfce xfce_shown

echo "2 passed, 0 failed"
