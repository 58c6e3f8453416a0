#!/usr/bin/env bash
# Installs into a temporary prefix and runs the installed program: the layout
# is a desktop program's, the .desktop file validates, the program's shell runs
# the installed platform tools, and a copy of the program with no tools beside
# it runs none of the system's tools of those names.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup

prefix="$work/prefix dir"
cmake --install "$ZEN_BINARY_DIR" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install failed"; }
for f in bin/zentravelle libexec/zentravelle/defaults libexec/zentravelle/plutil libexec/zentravelle/killall; do
  [ -x "$prefix/$f" ] || fail "$f is not installed"
done
desktop-file-validate "$prefix/share/applications/zentravelle.desktop" || fail "the .desktop file is not valid"
grep -qx "Icon=zentravelle" "$prefix/share/applications/zentravelle.desktop" || fail "the .desktop file names no icon"
for size in 48x48 64x64 128x128; do
  icon="$prefix/share/icons/hicolor/$size/apps/zentravelle.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "$size" ] || fail "no $size icon in the hicolor theme"
done

# System tools of the same names, first on PATH: they must never run.
mkdir -p "$work/system"
for tool in defaults plutil killall; do
  printf '#!/bin/sh\ntouch "%s/system-%s-ran"\n' "$work" "$tool" >"$work/system/$tool"
  chmod +x "$work/system/$tool"
done
export PATH="$work/system:$PATH"

# At start the program runs "defaults read" and converts the desktop record
# with "plutil -convert xml1": a binary record turning into XML shows that the
# installed plutil ran.
record="$XDG_CONFIG_HOME/com.apple.desktop.plist"
binary_record() {
  cat >"$work/record.xml" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>Background</key><dict><key>default</key><dict>
  <key>ImageFilePath</key><string>$HOME/none.png</string><key>Placement</key><string>Centered</string>
</dict></dict></dict></plist>
PLIST
  "$prefix/libexec/zentravelle/plutil" -convert binary1 -o "$record" "$work/record.xml" || fail "could not write a binary record"
  [ "$(head -c 6 "$record")" = bplist ] || fail "the record is not binary"
}

# run PROGRAM: starts it, waits for its window, quits it with Ctrl+Q.
run() {
  "$1" >"$work/program.log" 2>&1 &
  local app=$!
  pids+=($app)
  local wid
  e2e_wait_window Zentravelle >/dev/null || { cat "$work/program.log"; fail "the main window of $1 did not appear"; }
  # Restoring saved settings may make the window anew: ask for it once more.
  sleep 1
  wid=$(e2e_wait_window Zentravelle) || fail "the main window of $1 went away"
  e2e_key "$wid" ctrl+q
  xdotool keyup ctrl q
  e2e_wait_exit "$app" 15 || fail "$1 did not quit"
}

binary_record
run "$prefix/bin/zentravelle"
[ "$(head -c 5 "$record")" = "<?xml" ] || fail "the installed plutil did not convert the record"
ls "$work"/system-*-ran >/dev/null 2>&1 && fail "a system tool ran: $(ls "$work"/system-*-ran)"

# Away from its tools (and from the build tree) the program still runs, and
# its shell reaches none of the system's defaults, plutil or killall: the
# record stays binary, and the program says that it could not read it.
mkdir -p "$work/elsewhere"
cp "$prefix/bin/zentravelle" "$work/elsewhere/"
binary_record
"$work/elsewhere/zentravelle" >"$work/program.log" 2>&1 &
app=$!
pids+=($app)
# The message comes from the main window's Open, before the window shows: a dialog.
message_shown() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Zentravelle$' 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG && return 0
  done
  return 1
}
for _ in $(seq 150); do
  message_shown && break
  sleep 0.1
done
message_shown || { cat "$work/program.log"; fail "no message that the record could not be read"; }
ls "$work"/system-*-ran >/dev/null 2>&1 && fail "a system tool ran: $(ls "$work"/system-*-ran)"
[ "$(head -c 6 "$record")" = bplist ] || fail "something converted the record without the program's tools"
kill "$app"
e2e_wait_exit "$app" 15 || fail "the program did not end"

echo "installed into a prefix; the installed tools ran, no system tool did"
echo "1 passed, 0 failed"
