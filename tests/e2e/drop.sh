#!/usr/bin/env bash
# A drag from another application under a real window manager (openbox): the
# press on the source makes that application active, yet our window stays
# while the button is held; the picture dropped on the well becomes the source
# of the next Set Desktop and the window is in front. A drag released elsewhere
# lets the window hide as before.
set -uo pipefail
program="$1"
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_wm
[ -x "${ZEN_DRAG_SOURCE:-}" ] || fail "no drag source program (ZEN_DRAG_SOURCE)"

desktop_picture="$HOME/Hintergrund.png"
convert -size 200x100 xc:'#d02020' "$desktop_picture" || fail "could not make the desktop picture"
cat >"$XDG_CONFIG_HOME/com.apple.desktop.plist" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>Background</key><dict><key>default</key><dict>
  <key>ImageFilePath</key><string>$desktop_picture</string>
  <key>Placement</key><string>FillScreen</string>
</dict></dict></dict></plist>
PLIST
e2e_gnome_picture "$desktop_picture" stretched
dropped="$HOME/Gezogen aus dem Dateimanager.png"
convert -size 200x100 xc:'#20c040' "$dropped" || fail "could not make the dropped picture"

e2e_launch
"$ZEN_DRAG_SOURCE" "$dropped" >"$work/source.log" 2>&1 &
pids+=($!)
source_wid=$(e2e_wait_window "Drag Source") || fail "the drag source did not appear"
sleep 0.7
xdotool windowmove "$source_wid" 900 500
# Ours is the active application when the drag begins (openbox may have given
# the newer window the focus).
xdotool windowactivate --sync "$wid"
sleep 0.5

# The middle of the well (20,112 300x159 in the content, below the menu bar).
read -r x y < <(e2e_client_origin "$wid")
height=$(xwininfo -id "$wid" | awk '/Height:/ {print $2}')
well_x=$((x + 170)) well_y=$((y + height - 516 + 191))
read -r sx sy < <(e2e_client_origin "$source_wid")
visible() { xwininfo -id "$wid" | grep -q "IsViewable" && ! xprop -id "$wid" _NET_WM_STATE | grep -q HIDDEN; }
# drag_to X Y: presses on the source, waits past the moment our window would
# hide, moves in steps to X Y and releases there.
drag_to() {
  xdotool mousemove $((sx + 100)) $((sy + 60)); sleep 0.2
  xdotool mousedown 1; sleep 0.6
  local i
  for i in $(seq 1 12); do
    xdotool mousemove $((sx + 100 + ($1 - sx - 100) * i / 12)) $((sy + 60 + ($2 - sy - 60) * i / 12))
    sleep 0.05
  done
  sleep 0.4
  visible || fail "our window hid while the button was held"
  xdotool mouseup 1
}

drag_to "$well_x" "$well_y"
for _ in $(seq 30); do grep -q "drag ended" "$work/source.log" && break; sleep 0.1; done
grep -q "drag ended: dropped" "$work/source.log" || { cat "$work/source.log"; fail "the well did not take the drop"; }
sleep 0.5
visible || fail "the window is not shown after the drop"

# The dropped picture is the source now: Set Desktop composes it.
e2e_key "$wid" Return
composed="$HOME/Pictures/ZentravelleDesktopPicture.jpg"
for _ in $(seq 100); do [ -f "$composed" ] && break; sleep 0.1; done
[ -f "$composed" ] || { cat "$work/program.log"; fail "no composed picture"; }
sleep 0.3
colour=$(convert "$composed" -format "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]" -crop 1x1+700+500 info:)
IFS=, read -r r g b <<<"$colour"
[ "$r" -lt 80 ] && [ "$g" -gt 150 ] && [ "$b" -lt 110 ] || fail "the composed picture is not the dropped one: $colour"

# A drag released away from our window: the window hides, as on any deactivation.
drag_to 1300 120
for _ in $(seq 30); do visible || break; sleep 0.1; done
visible && fail "the window stayed after a drag released elsewhere"

echo "dropped from another process under openbox; the window stayed and took the picture"
echo "1 passed, 0 failed"
