#!/usr/bin/env bash
# Runs the program under a virtual X server, saves a screenshot of the screen
# after it has drawn, then asks it to quit (SIGTERM is an orderly shut-down).
set -euo pipefail
program=$(realpath "$1")
shot=$(realpath -m "$2")
wait_seconds=${WAIT_SECONDS:-4}

display=:$(( 90 + RANDOM % 100 ))
Xvfb "$display" -screen 0 "${SCREEN_GEOMETRY:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
sleep 1

cd "$(dirname "$program")"
DISPLAY=$display "$program" &
app_pid=$!
sleep "$wait_seconds"
DISPLAY=$display import -window root "$shot"
echo "Screenshot saved to $shot"
kill -TERM "$app_pid" 2>/dev/null || true
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then
  echo "program did not stop on SIGTERM" >&2
  kill -KILL "$app_pid"
  exit 1
fi
wait "$app_pid" || { echo "program exited with status $?" >&2; exit 1; }
