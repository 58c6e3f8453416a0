# Shared by the end-to-end tests: a private home and an Xvfb server of our own.
# Sourced, not run.

e2e_setup() {
  work=$(mktemp -d)
  export HOME="$work/home"
  export XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache" XDG_DATA_HOME="$HOME/.local/share"
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  unset XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER GSETTINGS_BACKEND
  # ZEN_E2E_DESKTOP=GNOME: GNOME's settings (Qt's GNOME theme lets focused
  # buttons take Return) with GSettings kept in the private config folder.
  if [ "${ZEN_E2E_DESKTOP:-}" = GNOME ]; then
    export XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=keyfile
  fi
  export QT_QPA_PLATFORM=xcb
  pids=()
  trap e2e_cleanup EXIT

  # Xvfb picks a free display itself and writes its number, so tests that run
  # side by side never share a server.
  Xvfb -displayfd 3 -screen 0 1440x900x24 -noreset -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    if [ -s "$work/display" ]; then
      export DISPLAY=":$(head -n 1 "$work/display")"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    sleep 0.1
  done
  echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1
}

e2e_cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}

# e2e_wait_window TITLE: prints the id of the first visible window with that exact title.
e2e_wait_window() {
  local id
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no window titled '$1' appeared" >&2
  return 1
}

# e2e_wait_exit PID SECONDS: waits for a child process to end and sets
# exit_status to its status. Must run in the shell that started the process
# (not inside $(...)), or its status is lost.
e2e_wait_exit() {
  local i
  for i in $(seq $(($2 * 10))); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"; exit_status=$?
      return 0
    fi
    sleep 0.1
  done
  echo "process $1 did not end" >&2
  return 1
}

fail() { echo "FAIL: $*"; exit 1; }

# e2e_launch: starts "$program" with its output in program.log; sets app to its
# process id and wid to its main window's id.
e2e_launch() {
  "$program" >"$work/program.log" 2>&1 &
  app=$!
  pids+=($app)
  wid=$(e2e_wait_window Zentravelle) || { cat "$work/program.log"; fail "the main window did not appear"; }
}

# e2e_start_wm: runs openbox on our display and waits until it manages windows.
e2e_start_wm() {
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  echo "openbox did not start"; cat "$work/openbox.log"; exit 1
}

# e2e_key WINDOW KEY...: focuses the window, then types the keys through XTEST to
# the focused window (key --window would send the release to a window that may be
# gone, leaving the key held and auto-repeating).
e2e_key() {
  local wid="$1"; shift
  xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
  xdotool key "$@"
}

# e2e_client_origin WINDOW: "x y" of the window's client area on the screen.
e2e_client_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4} END {print x, y}'
}

# e2e_gnome_picture PICTURE: under GNOME's settings, screen 1 shows the picture
# (GNOME's own keys are read before the record there).
e2e_gnome_picture() {
  [ "${ZEN_E2E_DESKTOP:-}" = GNOME ] || return 0
  local uri="file://" byte
  for byte in $(printf '%s' "$1" | od -An -v -tx1); do  # percent-encoded but for the safe characters
    case "$byte" in
      2[d-f]|3[0-9]|4[1-9a-f]|5[0-9a]|5f|6[1-9a-f]|7[0-9a]|7e) uri+=$(printf "\\x$byte") ;;
      *) uri+="%${byte^^}" ;;
    esac
  done
  gsettings set org.gnome.desktop.background picture-uri "$uri"
  gsettings set org.gnome.desktop.background picture-uri-dark "$uri"
  [ -z "${2:-}" ] || gsettings set org.gnome.desktop.background picture-options "$2"
}
