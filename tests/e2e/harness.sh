# End-to-end harness, sourced by the tests in this folder.
#
# e2e_begin starts a private X display (Xvfb) with a real window manager (openbox)
# and a dock strip (trayer, so the work area is smaller than the screen), in a
# temporary HOME with its own XDG folders. Every process started through the harness
# is stopped when the test exits; a failing test leaves a screenshot in $E2E_ARTIFACTS.
#
# Usage in a test:
#   source "$(dirname "$0")/harness.sh"
#   e2e_begin "$1"            # $1: path of the lumidraw program
#   e2e_start_app; e2e_wait_window "Lumidraw Desktop"
#   ... checks calling e2e_fail "message" ...
#   e2e_pass

set -uo pipefail

E2E_NAME=$(basename "$0" .sh)
E2E_ARTIFACTS=${E2E_ARTIFACTS:-${TMPDIR:-/tmp}/lumidraw-e2e-artifacts}
E2E_SCREEN=${E2E_SCREEN:-1280x800x24}
E2E_PIDS=()
E2E_ROOT=""
E2E_APP_PID=""

e2e_log() { echo "[$E2E_NAME] $*"; }

e2e_fail() {
  echo "[$E2E_NAME] FAIL: $*" >&2
  exit 1
}

e2e_screenshot() {
  local name=$1
  mkdir -p "$E2E_ARTIFACTS"
  if [ -n "${DISPLAY:-}" ] && import -display "$DISPLAY" -window root \
    "$E2E_ARTIFACTS/$E2E_NAME-$name.png" 2>/dev/null; then
    echo "[$E2E_NAME] screenshot: $E2E_ARTIFACTS/$E2E_NAME-$name.png" >&2
  fi
}

_e2e_cleanup() {
  local status=$?
  [ $status -ne 0 ] && e2e_screenshot failure
  local pid
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
    pid=${E2E_PIDS[i]}
    kill "$pid" 2>/dev/null
  done
  for pid in "${E2E_PIDS[@]}"; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  [ -n "$E2E_ROOT" ] && rm -rf "$E2E_ROOT"
  exit $status
}

# Polls a command until it succeeds; fails after the timeout in seconds.
e2e_until() {
  local timeout=$1
  shift
  local deadline=$((SECONDS + timeout))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

e2e_begin() {
  E2E_LUMIDRAW=${1:?the path of the lumidraw program}
  [ -x "$E2E_LUMIDRAW" ] || e2e_fail "no program at $E2E_LUMIDRAW"
  trap _e2e_cleanup EXIT
  trap 'exit 130' INT TERM

  E2E_ROOT=$(mktemp -d "${TMPDIR:-/tmp}/lumidraw-e2e.XXXXXX")
  export HOME=$E2E_ROOT/home
  export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
  export XDG_CACHE_HOME=$HOME/.cache XDG_RUNTIME_DIR=$E2E_ROOT/runtime
  mkdir -p "$HOME/Documents" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  unset WAYLAND_DISPLAY SESSION_MANAGER
  export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8

  # Xvfb picks a free display number itself and writes it to the pipe.
  local fifo=$E2E_ROOT/display
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$E2E_SCREEN" -nolisten tcp 3>"$fifo" 2>"$E2E_ROOT/xvfb.log" &
  E2E_PIDS+=($!)
  local number
  read -r -t 10 number <"$fifo" || e2e_fail "Xvfb did not start: $(cat "$E2E_ROOT/xvfb.log")"
  export DISPLAY=:$number

  openbox --sm-disable >"$E2E_ROOT/openbox.log" 2>&1 &
  E2E_PIDS+=($!)
  e2e_until 10 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" ||
    e2e_fail "openbox did not start"

  trayer --edge bottom --align right --height 32 --widthtype pixel --width 64 \
    --SetDockType true --SetPartialStrut true --transparent false >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  e2e_until 10 bash -c "xprop -root _NET_WORKAREA | grep -q ' = 0, 0, [0-9]*, 768'" ||
    e2e_log "note: the dock strip did not reserve its space"
}

# Starts the program in the background; its pid is in E2E_APP_PID.
e2e_start_app() {
  "$E2E_LUMIDRAW" "$@" >>"$E2E_ROOT/lumidraw.log" 2>&1 &
  E2E_APP_PID=$!
  E2E_PIDS+=("$E2E_APP_PID")
}

# Prints the ids of the visible windows whose title is exactly the given one.
e2e_windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null; }

e2e_wait_window() {
  local title=$1 timeout=${2:-15}
  e2e_until "$timeout" e2e_windows "$title" ||
    e2e_fail "no window \"$title\" within ${timeout}s; program log: $(cat "$E2E_ROOT/lumidraw.log")"
  e2e_windows "$title" | head -n 1
}

e2e_pass() {
  e2e_log "passed"
  exit 0
}
