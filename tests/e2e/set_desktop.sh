#!/usr/bin/env bash
# The road of "Set Desktop" and "Revert Desktop" in the real program under Xvfb:
# a top panel 27 pixels high, a desktop picture whose path has blanks and
# non-ASCII characters, Return on the default button composes the strip onto it
# and sets the composed picture; a click on "Revert Desktop" gives the original
# back and deletes the composed picture.
set -uo pipefail
program="$1"
source "$(dirname "$0")/lib.sh"
e2e_setup

# A top panel: the available area starts 27 pixels down.
xprop -root -f _NET_WORKAREA 32cccc -set _NET_WORKAREA '0, 27, 1440, 873'

source_dir="$HOME/Bilder für den Desktop"
mkdir -p "$source_dir"
source_picture="$source_dir/rotes Bild \"eins\".png"
convert -size 200x100 xc:'#d02020' "$source_picture" || fail "could not make the source picture"
record="$XDG_CONFIG_HOME/com.apple.desktop.plist"
cat >"$record" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
  <key>Background</key><dict><key>default</key><dict>
    <key>ImageFilePath</key><string>$(sed 's/&/\&amp;/g; s/</\&lt;/g; s/"/\&quot;/g' <<<"$source_picture")</string>
    <key>Placement</key><string>FillScreen</string>
  </dict></dict>
</dict></plist>
PLIST

e2e_gnome_picture "$source_picture" stretched
e2e_launch
sleep 0.5
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"

# Return presses the default button, "Set Desktop".
e2e_key "$wid" Return
composed="$HOME/Pictures/ZentravelleDesktopPicture.jpg"
for _ in $(seq 100); do [ -f "$composed" ] && break; sleep 0.1; done
[ -f "$composed" ] || { ls -la "$HOME/Pictures"; cat "$work/program.log"; fail "no composed picture in Pictures"; }
sleep 0.3

size=$(identify -format '%wx%h' "$composed")
[ "$size" = 1440x900 ] || fail "composed picture is $size, expected 1440x900"
pixel() { convert "$composed" -format "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]" -crop "1x1+$1+$2" info:; }
near() {  # near "r,g,b" r g b: each component within 40 (JPEG)
  local IFS=,; set -- $1 $2 $3 $4
  [ $(( ($1-$4)*($1-$4) < 1600 && ($2-$5)*($2-$5) < 1600 && ($3-$6)*($3-$6) < 1600 )) = 1 ]
}
near "$(pixel 700 5)" 0 0 0 || fail "the strip is not black at its top: $(pixel 700 5)"
near "$(pixel 700 25)" 0 0 0 || fail "the strip ends before the panel's 27 rows: $(pixel 700 25)"
near "$(pixel 700 29)" 208 32 32 || fail "the picture does not show below the strip: $(pixel 700 29)"
near "$(pixel 5 890)" 208 32 32 || fail "the stretched picture does not reach the corner: $(pixel 5 890)"
grep -q "ZentravelleDesktopPicture.jpg" "$record" || fail "the desktop record does not name the composed picture"

# "Revert Desktop": left of the buttons' row. The window's content starts below its menu bar.
geometry=$(xwininfo -id "$wid")
height=$(awk '/Height:/ {print $2}' <<<"$geometry")
menubar=$((height - 516))   # the content is 516 high for a 1440 x 900 screen
xdotool mousemove --window "$wid" 80 $((411 + menubar + 10)) click 1
for _ in $(seq 100); do [ -f "$composed" ] || break; sleep 0.1; done
[ -f "$composed" ] && fail "Revert Desktop left the composed picture"
grep -qF "rotes Bild" "$record" || fail "the original picture is not back in the desktop record"
grep -q "ZentravelleDesktopPicture" "$record" && fail "the record still names the composed picture"

e2e_key "$wid" ctrl+q
e2e_wait_exit "$app" 15 || fail "the program did not quit"
[ "$exit_status" = 0 ] || { cat "$work/program.log"; fail "exit status $exit_status"; }
grep -qa "mainwindow" "$XDG_CONFIG_HOME/Zentravelle Prefs" || fail "the settings were not saved"
echo "set and reverted the desktop; strip 27 rows on a 1440x900 picture"
echo "1 passed, 0 failed"
