# Shared by the end-to-end tests: a private home and an Xvfb server of our own.
# Sourced, not run.

e2e_setup() {
  work=$(mktemp -d)
  export HOME="$work/home"
  export XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache" XDG_DATA_HOME="$HOME/.local/share"
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  unset XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
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
