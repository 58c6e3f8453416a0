#!/usr/bin/env bash
# The strip is exactly as high as the panel at every scale factor: a 27-pixel
# top panel under Xvfb, the program run with QT_SCALE_FACTOR 1, 1.25, 1.5 and 2,
# "Set Desktop" on a white picture; the composed picture must be black down to
# row 26 and white from row 27 (a height rounded in logical pixels, then scaled,
# gives 28 at 1.25 and 2).
set -uo pipefail
program="$1"
source "$(dirname "$0")/lib.sh"
e2e_setup

xprop -root -f _NET_WORKAREA 32cccc -set _NET_WORKAREA '0, 27, 1440, 873'
source_picture="$HOME/white.png"
convert -size 200x100 xc:white "$source_picture" || fail "could not make the source picture"
record="$XDG_CONFIG_HOME/com.apple.desktop.plist"
composed="$HOME/Pictures/ZentravelleDesktopPicture.jpg"
gray() { convert "$composed" -format "%[fx:int(255*intensity)]" -crop "1x1+700+$1" info:; }

for scale in ${ZEN_SCALES:-1 1.25 1.5 2}; do
  rm -f "$composed" "$XDG_CONFIG_HOME/Zentravelle Prefs"
  cat >"$record" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
  <key>Background</key><dict><key>default</key><dict>
    <key>ImageFilePath</key><string>$source_picture</string>
    <key>Placement</key><string>FillScreen</string>
  </dict></dict>
</dict></plist>
PLIST
  QT_SCALE_FACTOR=$scale "$program" >"$work/program.log" 2>&1 &
  app=$!
  pids+=($app)
  wid=$(e2e_wait_window Zentravelle) || { cat "$work/program.log"; fail "no main window at scale $scale"; }
  sleep 0.5
  e2e_key "$wid" Return
  xdotool keyup Return
  for _ in $(seq 100); do [ -f "$composed" ] && break; sleep 0.1; done
  [ -f "$composed" ] || { cat "$work/program.log"; fail "no composed picture at scale $scale"; }
  sleep 0.3
  size=$(identify -format '%wx%h' "$composed")
  [ "$size" = 1440x900 ] || fail "composed picture is $size at scale $scale"
  last=$(gray 26) first=$(gray 27)
  [ "$last" -lt 64 ] || fail "at scale $scale row 26 is not strip (gray $last): the strip is too short"
  [ "$first" -gt 192 ] || fail "at scale $scale row 27 is not picture (gray $first): the strip is too high"
  # Through XTEST to the focused window, and released after: a release sent to
  # a window that closed on the press would leave the keys held for the next run.
  xdotool windowfocus --sync "$wid"
  xdotool key ctrl+q
  xdotool keyup ctrl q
  e2e_wait_exit "$app" 15 || fail "the program did not quit at scale $scale"
  [ "$exit_status" = 0 ] || { cat "$work/program.log"; fail "exit status $exit_status at scale $scale"; }
  # The server may list the window a moment after its program ended.
  for _ in $(seq 50); do xdotool search --onlyvisible --name '^Zentravelle$' >/dev/null 2>&1 || break; sleep 0.1; done
done
echo "strip 27 rows at scale factors 1, 1.25, 1.5 and 2"
echo "1 passed, 0 failed"
