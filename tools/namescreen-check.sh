# Sourced by the package checks: starts a program on a private Xvfb and
# waits for the name screen ("Growna"), the first screen after the splash.
# A start-up error would show a message box instead, and fails the check.

# start_private_xvfb: sets DISPLAY (also reachable over TCP as
# 127.0.0.1:<n>, for a program in a chroot) and XVFB_PID.
start_private_xvfb() {
  local numberfile
  numberfile="$(mktemp)"
  # Xvfb picks a free display itself and writes its number.
  Xvfb -displayfd 3 -screen 0 1366x768x24 -listen tcp 3>"$numberfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$numberfile" ] && break; sleep 0.1; done
  DISPLAY=":$(tr -d '[:space:]' <"$numberfile")"
  rm -f "$numberfile"
  export DISPLAY
  for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}

shown_windows() {
  for id in $(xwininfo -root -children | grep -oE '^\s+0x[0-9a-f]+'); do
    xwininfo -id "$id" | grep -q 'Map State: IsViewable' \
      && xwininfo -id "$id" | sed -n 's/^xwininfo: Window id: [0-9a-fx]* //p'
  done
}

# expect_name_screen <pid> <log> [screenshot.png]: the program with that pid
# must show the name screen, and nothing else, within 30 s.
expect_name_screen() {
  local pid="$1" log="$2" shot="${3:-}"
  for _ in $(seq 150); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Growna"' && break
    kill -0 "$pid" 2>/dev/null || { cat "$log"; echo "the program ended" >&2; return 1; }
    sleep 0.2
  done
  sleep 1
  local windows
  windows="$(shown_windows)"
  echo "shown: $windows"
  if [ -n "$shot" ]; then
    import -window root "$shot"
  fi
  [ "$windows" = '"Growna"' ] || { cat "$log"; echo "the name screen is not the only window shown" >&2; return 1; }
}
