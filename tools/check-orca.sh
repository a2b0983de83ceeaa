#!/usr/bin/env bash
# A pupil who cannot see the screen, with a real screen reader: Orca on a
# private Xvfb, session bus, AT-SPI bus and speech-dispatcher (espeak-ng
# into a PulseAudio null sink), with its own settings and debug log. The
# program runs on a demo school and is driven with keys over one road:
# name screen → grade box → level menu → a drill with one wrong answer →
# result → menu, then the teacher's results manager and level standard
# editor. What Orca sent to speech is kept in <build>/orca/spoken.txt
# and must hold name lines, the grade, the pupil's name and a list line in the
# menu, F1's status line, every problem, the wrong-answer notice, the result's
# time and points, a results manager line and a standard editor cell.
# Usage: tools/check-orca.sh [--speak-only] [build folder]
#   --speak-only: drive the road and print what was spoken, without checking.
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
speak_only=0
if [ "${1:-}" = --speak-only ]; then speak_only=1; shift; fi
BUILD_DIR="$(cd "${1:-$ROOT/build}" && pwd)"
PROGRAM="$BUILD_DIR/src/kazudori"
MAKE_DEMO="$BUILD_DIR/demo/kazudori_make_demo"
OUT="$BUILD_DIR/orca"
fail() { echo "check-orca: $*" >&2; exit 1; }
[ -x "$PROGRAM" ] && [ -x "$MAKE_DEMO" ] || fail "no $PROGRAM or $MAKE_DEMO (build first)"

packages=(orca at-spi2-core dbus dbus-x11 speech-dispatcher speech-dispatcher-espeak-ng
          espeak-ng pulseaudio xvfb x11-utils xdotool imagemagick python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "== installing: ${missing[*]}"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}"
fi

# shellcheck source=tools/namescreen-check.sh
source "$ROOT/tools/namescreen-check.sh"

WORK="$(mktemp -d)"
chmod 700 "$WORK"
pids=()
cleanup() {
  local pid
  # Newest first: the program before Orca, Orca before its buses.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    pid="${pids[$i]}"
    kill "$pid" 2>/dev/null || continue
    for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  done
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
started() { pids+=("$1"); }
# until_true <tenths of a second> <command…>: bounded wait for a condition.
until_true() {
  local n="$1"; shift
  for _ in $(seq "$n"); do "$@" && return 0; sleep 0.1; done
  return 1
}

rm -rf "$OUT"
mkdir -p "$OUT"
export HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/run" XDG_CONFIG_HOME="$WORK/config"
export XDG_DATA_HOME="$WORK/data" XDG_CACHE_HOME="$WORK/cache"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS PULSE_SERVER SPEECHD_ADDRESS

start_private_xvfb
echo "== Xvfb on $DISPLAY"

# The session bus; at-spi-bus-launcher starts the accessibility bus beside it.
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$WORK/bus-address" \
  >"$OUT/dbus.log" 2>&1 &
started $!
until_true 50 test -s "$WORK/bus-address" || fail "the session bus did not start"
DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$WORK/bus-address")"
export DBUS_SESSION_BUS_ADDRESS
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$OUT/at-spi.log" 2>&1 &
started $!
a11y_bus() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    2>/dev/null | grep -q 'string "unix'
}
until_true 100 a11y_bus || fail "the accessibility bus did not start"

# Sound: PulseAudio with a null sink on a private socket.
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit -L module-null-sink \
  -L "module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/pulse-native" \
  -L module-always-sink >"$OUT/pulseaudio.log" 2>&1 &
started $!
until_true 100 test -S "$XDG_RUNTIME_DIR/pulse-native" || fail "PulseAudio did not start"
export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse-native"

# speech-dispatcher with espeak-ng, on its own socket and configuration.
SPD_CONF="$WORK/speechd"
mkdir -p "$SPD_CONF"
cp -r /etc/speech-dispatcher/. "$SPD_CONF/"
cat >>"$SPD_CONF/speechd.conf" <<'EOF'
AudioOutputMethod "pulse"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
DefaultLanguage "ja"
DisableAutoSpawn
EOF
speech-dispatcher -s -t 0 -c unix_socket -S "$XDG_RUNTIME_DIR/speechd.sock" -C "$SPD_CONF" \
  -P "$WORK/speechd.pid" -L "$OUT" >"$OUT/speechd.out" 2>&1 &
started $!
until_true 100 test -S "$XDG_RUNTIME_DIR/speechd.sock" || fail "speech-dispatcher did not start"
export SPEECHD_ADDRESS="unix_socket:$XDG_RUNTIME_DIR/speechd.sock"

# The program's windows talk to AT-SPI whatever the desktop says.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
export LANG=ja_JP.UTF-8 LC_ALL=C.UTF-8
ORCA_LOG="$OUT/orca-debug.txt"
# Orca writes its debug log in blocks; the road reads it as it goes, so the
# log is opened line-buffered.
cat >"$WORK/orca-line-buffered.py" <<'EOF'
import builtins, runpy, sys
plain_open = builtins.open
def line_buffered(file, mode="r", *args, **kwargs):
    if mode == "w" and not args and "buffering" not in kwargs:
        kwargs["buffering"] = 1
    return plain_open(file, mode, *args, **kwargs)
builtins.open = line_buffered
sys.argv = ["orca"] + sys.argv[1:]
runpy.run_path("/usr/bin/orca", run_name="__main__")
EOF
/usr/bin/python3 "$WORK/orca-line-buffered.py" --replace --debug-file="$ORCA_LOG" >"$OUT/orca.out" 2>&1 &
started $!
until_true 150 grep -q 'SPEECH OUTPUT' "$ORCA_LOG" 2>/dev/null || {
  tail -n 30 "$OUT/orca.out"; fail "Orca did not speak"; }
echo "== Orca started"

SCHOOL="$WORK/school"
"$MAKE_DEMO" "$SCHOOL"
cp -f "$PROGRAM" "$SCHOOL/kazudori/kazudori"
"$SCHOOL/kazudori/kazudori" >"$OUT/program.log" 2>&1 &
PROGRAM_PID=$!
started "$PROGRAM_PID"
expect_name_screen "$PROGRAM_PID" "$OUT/program.log" "$OUT/name.png" || fail "no name screen"

# mark <step>: where in Orca's log the next step of the road begins.
marks=()
spoken_count() { grep -ac 'SPEECH OUTPUT' "$ORCA_LOG" || true; }
mark() { marks+=("$1:$(spoken_count)"); }
# settle: lets Orca finish with the events of the last key.
settle() { sleep "${1:-1}"; }
# quiet: until Orca has said nothing new for a second (at most five).
quiet() {
  local before
  for _ in $(seq 5); do
    before="$(spoken_count)"
    sleep 1
    [ "$(spoken_count)" = "$before" ] && return 0
  done
  return 0
}
key() { xdotool key --delay 150 "$@"; quiet; }
# press_until <key> <pattern> <at most>: the key again, as a listener would
# press it, until the focus is on something named by the pattern.
press_until() {
  /usr/bin/python3 "$ROOT/tools/orca-focus.py" "$@" >>"$OUT/focus.txt" 2>&1 || true
  quiet
}
tab_until() { press_until Tab "$@"; }
# The window has the keyboard once the pointer is over it (no window manager).
xdotool mousemove 683 384
settle 2
mark name-screen
key Down
key Down
key Down
mark grade-box
tab_until '学年|全学年|全体|[小中][１２３４５６]' 6
mark name-confirm
key 1
settle 4
mark menu-lists
tab_until '[0-9]+位|成績' 8
key Down
key Down
mark drill-start
key 1
settle 3
import -window root "$OUT/drill-start.png"
key Return
mark drill
key F1
timeout 150 /usr/bin/python3 "$ROOT/tools/orca-drill.py" "$ORCA_LOG" 140 >"$OUT/answers.txt" \
  || echo "== the drill was not finished: $(wc -l <"$OUT/answers.txt") answers"
settle 3
mark result
import -window root "$OUT/result.png"
key Return
settle 4
mark menu-again
import -window root "$OUT/menu-again.png"

# The teacher: the results manager's lines, then the standard editor's cells.
key 0
press_until Down '監督' 40
key 1
tab_until 'データ処理' 12
key space
tab_until 'データ変更' 8
key space
mark results-manager
key Up
key Up
tab_until '戻る' 6
key space
tab_until 'データ処理' 12
key space
tab_until '合格タイムデータ変更' 8
key space
mark standard-editor
key Down
key Right
mark end
import -window root "$OUT/standard-editor.png"

# spoken <from-mark> <to-mark>: what Orca sent to speech in between.
grep -a 'SPEECH OUTPUT' "$ORCA_LOG" | sed -E "s/^[0-9:.]+ - SPEECH OUTPUT: '(.*)' ?\{.*$/\1/" >"$WORK/all-spoken.txt"
{
  prev_name=start; prev_n=0
  for m in "${marks[@]}" end:$(wc -l <"$WORK/all-spoken.txt"); do
    name="${m%%:*}"; n="${m##*:}"
    echo "== $prev_name"
    sed -n "$((prev_n + 1)),${n}p" "$WORK/all-spoken.txt"
    prev_name="$name"; prev_n="$n"
  done
} >"$OUT/spoken.txt"
cat "$OUT/spoken.txt"

# step <name>: the spoken lines of one step of the road.
step() { sed -n "/^== $1\$/,/^== /p" "$OUT/spoken.txt" | sed '1d;/^== /d'; }
# says <step> <pattern>: a line of the step matches (read whole: no pipe for
# grep -q to cut short under pipefail).
says() { local lines; lines="$(step "$1")"; grep -qE "$2" <<<"$lines"; }
failures=()
expect() { echo "check-orca: $1" >&2; failures+=("$1"); }
roster_line='[^ ]+ [^ ].* [0-9]+ [0-9]+\.?$'
# Orca may still be saying the last line as the Tab to the grade box begins.
name_lines() { step name-screen; step grade-box | sed '/^tab/,$d'; }
names="$(name_lines | grep -E "$roster_line" | grep -vE '^[0-9]+位' | sort -u | wc -l)"
[ "$names" -ge 3 ] || expect "not every highlighted name line was spoken as the arrow moved ($names of 3)"
says grade-box '全学年|全体|[小中][１２３４５６]' || expect "the grade box's value was not spoken"
pupil="$(name_lines | grep -E "$roster_line" | tail -n 1 | cut -d ' ' -f 2-3)"
[ -n "$pupil" ] && says name-confirm "$pupil" || expect "the menu did not say the pupil's name ($pupil)"
says menu-lists '^[0-9]+位 ' || expect "no line of a menu list was spoken"
says drill '残り ?[0-9]+問' || expect "the remaining problems were not spoken on F1"
drill_spoken="$( { step drill-start; step drill; step result; } | tr -d ' ')"
missing_problems=0
while IFS= read -r answered; do
  problem="$(sed -E 's/=.*$/=/' <<<"$answered" | tr -d ' ')"
  grep -qF "$problem" <<<"$drill_spoken" || missing_problems=$((missing_problems + 1))
done <"$OUT/answers.txt"
problems="$(wc -l <"$OUT/answers.txt")"
[ "$problems" -ge 101 ] || expect "only $problems problems were answered (100 and one wrong)"
[ "$missing_problems" -eq 0 ] || expect "$missing_problems of $problems problems were not spoken"
grep -qF '正しい答え' <<<"$drill_spoken" || expect "the wrong-answer notice was not spoken"
grep -qE '今の成績：?[0-9]+秒' <<<"$drill_spoken" || expect "the result's time was not spoken"
grep -qE '獲得ポイント' <<<"$drill_spoken" || expect "the result's points were not spoken"
says results-manager '^ *[0-9]+ [0-9]{4}/[0-9]{2}/[0-9]{2}' || expect "no line of the results manager was spoken"
says standard-editor 'レベル2 ' || expect "the standard editor's cell was not spoken as it moved"
echo "== $(wc -l <"$WORK/all-spoken.txt") lines spoken, $problems problems answered, in $SECONDS s"
[ "$speak_only" -eq 1 ] && exit 0
[ ${#failures[@]} -eq 0 ] || fail "${#failures[@]} things were not spoken (see $OUT/spoken.txt above)"
echo "check-orca: ok"
