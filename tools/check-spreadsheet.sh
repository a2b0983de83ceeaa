#!/usr/bin/env bash
# Opens the teacher's exports in a real spreadsheet program and reads the
# cells back: LibreOffice Calc, headless, converts the .xlsx workbook and
# the results table as CSV in both encodings (with the import options the
# README gives) to flat OpenDocument, and tools/check-spreadsheet.py checks
# every cell's kind and value. Installs Debian's libreoffice-calc-nogui when
# it is missing; runs LibreOffice with its own home, profile and runtime
# folder, no session bus, each conversion bounded in time and its processes
# stopped by their process group.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
LIMIT="${SPREADSHEET_TIMEOUT:-120}"

if ! dpkg-query -W -f='${Status}' libreoffice-calc-nogui 2>/dev/null | grep -q "install ok installed"; then
  echo "== installing libreoffice-calc-nogui"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends libreoffice-calc-nogui
fi
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  echo "check-spreadsheet: no build in $BUILD_DIR (run ./test first)" >&2
  exit 1
fi
cmake --build "$BUILD_DIR" --target helper_spreadsheetfiles >/dev/null

WORK="$(mktemp -d)"
OFFICE_PID=""
stop_office() {
  # The whole group: soffice's launcher starts soffice.bin as its child.
  if [ -n "$OFFICE_PID" ] && kill -0 -- "-$OFFICE_PID" 2>/dev/null; then
    kill -TERM -- "-$OFFICE_PID" 2>/dev/null || true
    sleep 1
    kill -KILL -- "-$OFFICE_PID" 2>/dev/null || true
  fi
  OFFICE_PID=""
}
trap 'stop_office; rm -rf "$WORK"' EXIT
mkdir -p "$WORK/home" "$WORK/run" "$WORK/files" "$WORK/out"
chmod 700 "$WORK/run"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_CACHE_HOME="$WORK/home/.cache"
export XDG_RUNTIME_DIR="$WORK/run" TMPDIR="$WORK" SAL_USE_VCLPLUGIN=svp
unset DBUS_SESSION_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY

"$BUILD_DIR/helpers/helper_spreadsheetfiles" "$WORK/files"

# convert <file> [import filter]: <file> as flat OpenDocument in $WORK/out.
convert() {
  local file="$1" filter=()
  [ -n "${2:-}" ] && filter=("--infilter=$2")
  # A job of its own is a process group of its own, led by $!.
  set -m
  soffice "-env:UserInstallation=file://$WORK/profile" --headless --norestore --nologo --nolockcheck \
    "${filter[@]}" --convert-to fods --outdir "$WORK/out" "$file" >"$WORK/office.log" 2>&1 &
  OFFICE_PID=$!
  set +m
  local deadline=$((SECONDS + LIMIT))
  while kill -0 "$OFFICE_PID" 2>/dev/null; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      stop_office
      cat "$WORK/office.log" >&2
      echo "check-spreadsheet: LibreOffice did not convert $(basename "$file") within ${LIMIT}s" >&2
      exit 1
    fi
    sleep 0.2
  done
  local status=0
  wait "$OFFICE_PID" || status=$?
  stop_office
  [ "$status" -eq 0 ] || { cat "$WORK/office.log" >&2; echo "check-spreadsheet: soffice exited with $status" >&2; exit 1; }
}

# The CSV import options given in the README: comma, double quote, the
# file's character set (76 UTF-8, 60 Japanese Windows-932), from line 1,
# standard columns, Japanese, quoted fields not forced to text, special
# numbers detected; formulas are evaluated too, the way Excel opens a CSV,
# so a formula that got through would show.
csv_options() { echo "CSV:44,34,$1,1,,1041,false,true,false,false,false,-1,true"; }

started=$SECONDS
convert "$WORK/files/成績.xlsx"
convert "$WORK/files/成績-utf8.csv" "$(csv_options 76)"
convert "$WORK/files/成績-cp932.csv" "$(csv_options 60)"
soffice_version="LibreOffice $(dpkg-query -W -f='${Version}' libreoffice-calc-nogui)"
echo "== check-spreadsheet: converted with $soffice_version in $((SECONDS - started)) s"
python3 "$ROOT/tools/check-spreadsheet.py" "$WORK/out"
