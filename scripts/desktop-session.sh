# Sourced by the scripts that run the program on an X desktop of their own (Xvfb, 1024 x 768,
# with the trayer tray host). The caller sets `set -euo pipefail`.

session_pids=()
session_work=""
session_end() {
  for pid in "${session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ -z "$session_work" ] || rm -rf "$session_work"
}
trap session_end EXIT INT TERM

# Waits for a command to succeed, at most $1 tenths of a second.
wait_for() {
  local tenths=$1; shift
  for _ in $(seq "$tenths"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

# Exits 77 (skipped) when a tool of the desktop is missing.
need_desktop_tools() {
  for tool in Xvfb trayer xdotool xwininfo import "$@"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$(basename "$0"): $tool missing, skipped"; exit 77; }
  done
}

# start_desktop FIRST_DISPLAY [trayer options...]: Xvfb on one of 40 displays from
# FIRST_DISPLAY, then trayer; DISPLAY is exported for what follows.
start_desktop() {
  local display=":$(( $1 + RANDOM % 40 ))"; shift
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  session_pids+=($!)
  export DISPLAY=$display
  unset QT_QPA_PLATFORM
  wait_for 100 xdpyinfo || { echo "$(basename "$0"): Xvfb did not start" >&2; exit 1; }
  trayer "$@" >/dev/null 2>&1 &
  session_pids+=($!)
  wait_for 100 xdotool search --class trayer || { echo "$(basename "$0"): trayer did not start" >&2; exit 1; }
}

# A fresh program directory holding a copy of the program; its path is in session_work.
new_program_directory() {
  session_work=$(mktemp -d)
  cp "$1" "$session_work/tarnbay"
}

# Settings in the program directory saying the data were updated today, so that no first-run
# or freshness question waits for an answer.
mark_data_fresh() {
  printf '[Config]\r\nUpdate=%s\r\n' "$(date +%Y年%-m月%-d日)" | iconv -f UTF-8 -t GBK >"$session_work/tmp.ini"
}
