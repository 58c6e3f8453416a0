#!/usr/bin/env bash
# "Set Desktop" with Alt held only saves a copy: the real save dialog offers the
# source's base name with "-ZenMod.jpg" in the Pictures folder, Return saves it
# there, and the desktop and the composed picture are left alone.
set -uo pipefail
program="$1"
source "$(dirname "$0")/lib.sh"
e2e_setup

source_picture="$HOME/Strand am Abend.png"
convert -size 300x200 xc:'#2040c0' "$source_picture" || fail "could not make the source picture"
record="$XDG_CONFIG_HOME/com.apple.desktop.plist"
cat >"$record" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>Background</key><dict><key>default</key><dict>
  <key>ImageFilePath</key><string>$source_picture</string>
</dict></dict></dict></plist>
PLIST

e2e_gnome_picture "$source_picture"
e2e_launch
sleep 0.5

# "Set Desktop" sits right of "Revert Desktop"; the content starts below the menu bar.
height=$(xwininfo -id "$wid" | awk '/Height:/ {print $2}')
menubar=$((height - 516))
xdotool keydown alt
xdotool mousemove --window "$wid" 250 $((411 + menubar + 10)) click 1
xdotool keyup alt

dialog=$(e2e_wait_window "Save As") || { cat "$work/program.log"; fail "no save dialog"; }
sleep 0.5
e2e_key "$dialog" Return
copy="$HOME/Pictures/Strand am Abend-ZenMod.jpg"
for _ in $(seq 100); do [ -f "$copy" ] && break; sleep 0.1; done
[ -f "$copy" ] || { ls -la "$HOME/Pictures"; cat "$work/program.log"; fail "no copy saved under the offered name"; }
[ "$(identify -format '%wx%h' "$copy")" = 1440x900 ] || fail "the copy is not of the screen's size"
[ -e "$HOME/Pictures/ZentravelleDesktopPicture.jpg" ] && fail "save-only wrote the composed desktop picture"
# The window's Open rewrites the record as XML (plutil); its picture stays the source.
grep -qF "<string>$source_picture</string>" "$record" || { cat "$record"; fail "save-only changed the desktop picture"; }
grep -q "ZentravelleDesktopPicture" "$record" && fail "save-only set the composed picture"

e2e_key "$wid" ctrl+q
e2e_wait_exit "$app" 15 || fail "the program did not quit"
[ "$exit_status" = 0 ] || { cat "$work/program.log"; fail "exit status $exit_status"; }
echo "saved a copy with Alt held; desktop untouched"
echo "1 passed, 0 failed"
