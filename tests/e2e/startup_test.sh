#!/usr/bin/env bash
# Start-up and single instance: the tool window appears on top; a second start ends
# at once without a window; after the first was killed a new start runs; without a
# display the program says so and fails.
source "$(dirname "$0")/harness.sh"
e2e_begin "$1"

e2e_start_app
window=$(e2e_wait_window "Lumidraw Desktop") || exit 1
xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE ||
  e2e_fail "the tool window does not stay on top"
xprop -id "$window" _NET_WM_ALLOWED_ACTIONS | grep -q _NET_WM_ACTION_MAXIMIZE &&
  e2e_fail "the tool window can be maximised"

start=$(date +%s%N)
"$E2E_LUMIDRAW" >"$E2E_ROOT/second.log" 2>&1
status=$?
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
[ $status -eq 0 ] || e2e_fail "the second start exited with $status"
[ $elapsed_ms -lt 1000 ] || e2e_fail "the second start took ${elapsed_ms} ms"
[ "$(e2e_windows "Lumidraw Desktop" | wc -l)" -eq 1 ] || e2e_fail "the second start showed a window"
kill -0 "$E2E_APP_PID" 2>/dev/null || e2e_fail "the first instance ended"
e2e_log "second start ended in ${elapsed_ms} ms"

kill -9 "$E2E_APP_PID"
wait "$E2E_APP_PID" 2>/dev/null
e2e_until 5 bash -c '! xdotool search --onlyvisible --name "^Lumidraw Desktop$"' ||
  e2e_fail "the killed instance's window stayed"
e2e_start_app
e2e_wait_window "Lumidraw Desktop" >/dev/null || exit 1
kill -0 "$E2E_APP_PID" 2>/dev/null || e2e_fail "the start after a crash did not keep running"

# Without a display: one clear line, non-zero exit. A runtime folder of its own keeps
# the running instance's lock out of the way.
mkdir -m 700 "$E2E_ROOT/runtime2"
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$E2E_ROOT/runtime2" \
  "$E2E_LUMIDRAW" 2>&1)
status=$?
[ $status -ne 0 ] || e2e_fail "without a display the program exited 0"
[ "$(printf '%s\n' "$output" | wc -l)" -eq 1 ] || e2e_fail "expected one line, got: $output"
printf '%s\n' "$output" | grep -qi 'display' || e2e_fail "the message does not name the display: $output"

e2e_pass
