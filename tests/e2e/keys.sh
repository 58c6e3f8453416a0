#!/usr/bin/env bash
# Keys on the real program: the window opens with the focus in the strip's text
# field (typing goes there), Return presses "Set Desktop" whatever control has
# the focus (also under GNOME's theme, where focused check boxes would take it),
# and a held Return composes once, not once per auto-repeat.
set -uo pipefail
program="$1"
source "$(dirname "$0")/lib.sh"
e2e_setup

source_picture="$HOME/Quelle mit Leerzeichen.png"
convert -size 200x100 xc:'#3070d0' "$source_picture" || fail "could not make the source picture"
cat >"$XDG_CONFIG_HOME/com.apple.desktop.plist" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>Background</key><dict><key>default</key><dict>
  <key>ImageFilePath</key><string>$source_picture</string>
  <key>Placement</key><string>FillScreen</string>
</dict></dict></dict></plist>
PLIST
e2e_gnome_picture "$source_picture" stretched

e2e_launch
sleep 0.5
composed="$HOME/Pictures/ZentravelleDesktopPicture.jpg"
stamp() { stat -c %y "$composed" 2>/dev/null; }
# compose_with KEYS...: presses the keys and waits until the composed picture is rewritten.
compose_with() {
  local before; before=$(stamp)
  e2e_key "$wid" "$@"
  for _ in $(seq 100); do [ "$(stamp)" != "$before" ] && [ -n "$(stamp)" ] && { sleep 0.3; return 0; }; sleep 0.1; done
  return 1
}

compose_with Return || { cat "$work/program.log"; fail "Return did not press Set Desktop"; }
cp "$composed" "$work/plain.jpg"

# Typing right after the start lands in the strip's text field (20,65 254x22
# in the content, which starts below the menu bar).
height=$(xwininfo -id "$wid" | awk '/Height:/ {print $2}')
field="254x22+20+$((65 + height - 516))"
import -window "$wid" -crop "$field" +repage "$work/field-before.png"
xdotool type --delay 30 "WWWWWWWW"
sleep 0.3
import -window "$wid" -crop "$field" +repage "$work/field-after.png"
differ=$(compare -metric AE -fuzz 10% "$work/field-before.png" "$work/field-after.png" null: 2>&1)
[ "${differ%% *}" -gt 50 ] 2>/dev/null || fail "typing did not reach the strip's text field ($differ pixels changed)"
compose_with Return || fail "Return in the text field did not press Set Desktop"
cp "$composed" "$work/text.jpg"

# Focus on the controls after the text field (the placement list, the check
# boxes): Return still composes, and no control changes.
for tabs in 1 2 3; do
  e2e_key "$wid" $(printf 'Tab %.0s' $(seq $tabs))
  compose_with Return || fail "Return after $tabs Tab did not press Set Desktop"
  same=$(compare -metric AE "$work/text.jpg" "$composed" null: 2>&1)
  [ "${same%% *}" = 0 ] || fail "Return after $tabs Tab changed a control ($same pixels differ)"
done

# A held Return: the auto-repeats compose nothing more.
before=$(stamp)
( for _ in $(seq 60); do stamp; sleep 0.05; done ) >"$work/stamps" &
watcher=$!
xdotool keydown Return; sleep 1.5; xdotool keyup Return
wait "$watcher"
changes=$(grep -v -x -F -- "$before" "$work/stamps" | sort -u | wc -l)
[ "$changes" -le 1 ] || fail "a held Return composed $changes times"

e2e_key "$wid" ctrl+q
e2e_wait_exit "$app" 15 || fail "the program did not quit"
[ "$exit_status" = 0 ] || { cat "$work/program.log"; fail "exit status $exit_status"; }
echo "focus starts in the text field; Return composes from every control; a held Return composes once"
echo "1 passed, 0 failed"
