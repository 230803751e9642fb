#!/usr/bin/env bash
# Runs the program under a virtual X server, saves a screenshot of the screen
# after it has drawn, says what the screenshot shows, then asks the program
# to quit (SIGTERM is an orderly shut-down).
set -euo pipefail
scripts=$(dirname "$(realpath "$0")")
program=$(realpath "$1")
shot=$(realpath -m "$2")
wait_seconds=${WAIT_SECONDS:-4}

display=:$(( 90 + RANDOM % 100 ))
Xvfb "$display" -screen 0 "${SCREEN_GEOMETRY:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
sleep 1

cd "$(dirname "$program")"
# A program built with AddressSanitizer passes over the leaks inside system
# libraries (SDL's D-Bus connection on an X display).
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$scripts/lsan.supp}
DISPLAY=$display "$program" &
app_pid=$!
sleep "$wait_seconds"
if ! kill -0 "$app_pid" 2>/dev/null; then
  status=0
  wait "$app_pid" || status=$?
  echo "The program ended before the screenshot, with status $status (its message is above)." >&2
  exit 1
fi
DISPLAY=$display import -window root "$shot"
echo "Screenshot saved to $shot"

# What it shows: its size and the colours that cover most of it.
size=$(identify -format '%wx%h' "$shot")
echo "It shows a ${size} screen; the colours covering most of it:"
convert "$shot" -format %c histogram:info:- | sort -rn | head -n 4 |
  awk -v total="$(identify -format '%[fx:w*h]' "$shot")" '{
    pixels = $1; sub(":", "", pixels)
    printf "  %5.1f%%  %s\n", 100 * pixels / total, $3
  }'
colours=$(convert "$shot" -format %k info:)
if [ "$colours" -le 1 ]; then
  echo "  (one colour only: no window, text or picture is drawn on it)"
else
  echo "  ($colours colours in all)"
fi

kill -TERM "$app_pid" 2>/dev/null || true
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then
  echo "program did not stop on SIGTERM" >&2
  kill -KILL "$app_pid"
  exit 1
fi
wait "$app_pid" || { echo "program exited with status $?" >&2; exit 1; }
