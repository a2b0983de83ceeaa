#!/usr/bin/env bash
# Prints through a real print system: a private CUPS daemon (its own
# configuration, spool, socket and port on localhost) with a cups-pdf queue
# whose default paper is Letter, as many school printers have. The program's
# own printing code (build/helpers/helper_printjobs) prints the graphs of two
# students chosen together and a 100マス sheet with its answer sheet on that
# queue through Qt's native CUPS path and print dialog; the PDFs cups-pdf
# writes must be A4 portrait, one per job, with the right pages and text.
# cups-pdf writes into the folder its system configuration names (normally
# ~/PDF of the user printing); only the files these jobs made are read and
# removed there.
# Usage: tools/check-printing.sh <build folder>   (as root: cups-pdf prints for root only)
set -euo pipefail

BUILD_DIR="$(cd "${1:-build}" && pwd)"
HELPER="$BUILD_DIR/helpers/helper_printjobs"
fail() { echo "check-printing: $*" >&2; exit 1; }
# Text compared without spaces and in NFKC: the fonts map some kanji back to
# their radicals (⽊ for 木), and pdftotext spaces the letters as laid out.
words() { python3 -c 'import sys, unicodedata; print("".join(unicodedata.normalize("NFKC", sys.stdin.read()).split()))'; }
[ -x "$HELPER" ] || fail "no $HELPER (build the tests first)"
[ "$(id -u)" -eq 0 ] || fail "run as root: the cups-pdf backend runs only for a root scheduler"

packages=(cups-daemon cups-client cups-filters printer-driver-cups-pdf poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "== installing: ${missing[*]}"
  env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 update -qq
  env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
fi

WORK="$(mktemp -d)"
CUPSD_PID=""
made=()
cleanup() {
  [ -n "$CUPSD_PID" ] && kill "$CUPSD_PID" 2>/dev/null && wait "$CUPSD_PID" 2>/dev/null
  for f in "${made[@]}"; do rm -f "$f"; done
  rm -rf "$WORK"
}
trap cleanup EXIT

# Filters run as the scheduler's user lp and must reach the spool.
mkdir -p "$WORK"/{etc/ppd,spool/tmp,cache,state,log}
chmod -R 755 "$WORK"
chmod 1777 "$WORK/spool/tmp"
PORT="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
cat >"$WORK/etc/cupsd.conf" <<EOF
Listen 127.0.0.1:$PORT
Listen $WORK/cups.sock
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow localhost
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
cat >"$WORK/etc/cups-files.conf" <<EOF
ServerRoot $WORK/etc
RequestRoot $WORK/spool
TempDir $WORK/spool/tmp
CacheDir $WORK/cache
StateDir $WORK/state
ErrorLog $WORK/log/error_log
AccessLog $WORK/log/access_log
PageLog $WORK/log/page_log
Printcap $WORK/printcap
Sandboxing Relaxed
EOF
cupsd -f -c "$WORK/etc/cupsd.conf" -s "$WORK/etc/cups-files.conf" >"$WORK/log/cupsd.out" 2>&1 &
CUPSD_PID=$!
export CUPS_SERVER="$WORK/cups.sock"
# Qt's CUPS support also reads the user's lpoptions: none here.
export HOME="$WORK/home"
mkdir -p "$HOME"
for _ in $(seq 100); do lpstat -r >/dev/null 2>&1 && break; sleep 0.1; done
lpstat -r >/dev/null 2>&1 || { cat "$WORK/log/error_log" "$WORK/log/cupsd.out" 2>/dev/null; fail "cupsd did not start"; }

QUEUE=kazudori-pdf
# Cairo turns the program's PDF into the PostScript cups-pdf takes with the
# text behind the Japanese glyphs kept; the other renderers lose it, and
# pdftotext could not read the pages back.
lpadmin -p "$QUEUE" -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -o PageSize=Letter \
  -o pdftops-renderer-default=pdftocairo 2>/dev/null
lpadmin -d "$QUEUE"
grep -q '^\*DefaultPageSize: Letter' "$WORK/etc/ppd/$QUEUE.ppd" || fail "the queue's default paper is not Letter"

# Where cups-pdf writes for this user.
out="$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf | tail -n 1)"
out="${out:-\${HOME\}/PDF}"
out="${out//\$\{HOME\}/$(getent passwd "$(id -un)" | cut -d: -f6)}"
out="${out//\$\{USER\}/$(id -un)}"
mkdir -p "$out"
before="$(ls -1 "$out")"

start=$SECONDS
names="$(QT_QPA_PLATFORM=offscreen timeout 120 "$HELPER" 2>"$WORK/helper.log")" \
  || { cat "$WORK/helper.log"; fail "the program's printing failed"; }
mapfile -t students <<<"$names"
[ ${#students[@]} -eq 2 ] || fail "expected two students, got: $names"

# Two graph jobs and one worksheet job, each done or failed within a minute.
for _ in $(seq 600); do
  [ -z "$(lpstat -o "$QUEUE" 2>/dev/null)" ] && [ "$(lpstat -W completed -o "$QUEUE" | wc -l)" -ge 3 ] && break
  sleep 0.1
done
jobs_done="$(lpstat -W completed -o "$QUEUE" | wc -l)"
[ "$jobs_done" -eq 3 ] || { tail -n 30 "$WORK/log/error_log"; fail "$jobs_done of 3 jobs completed"; }
sleep 0.5
while IFS= read -r f; do
  made+=("$out/$f")
done < <(comm -13 <(printf '%s\n' "$before" | sort) <(ls -1 "$out" | sort))
[ ${#made[@]} -eq 3 ] || fail "cups-pdf wrote ${#made[@]} files, not 3: ${made[*]}"

graphs=0
sheets=0
for pdf in "${made[@]}"; do
  info="$(pdfinfo "$pdf")"
  size="$(sed -n 's/^Page size:[[:space:]]*//p' <<<"$info")"
  pages="$(sed -n 's/^Pages:[[:space:]]*//p' <<<"$info")"
  text="$(pdftotext "$pdf" - | words)"
  echo "$(basename "$pdf"): $pages pages, $size"
  [[ "$size" == "595 x 842 pts (A4)" ]] || fail "$(basename "$pdf") is $size, not A4 portrait"
  if grep -q 'こたえ' <<<"$text"; then
    sheets=$((sheets + 1))
    [ "$pages" -eq 2 ] || fail "the worksheet has $pages pages, not the sheet and its answers"
    grep -q 'なまえ' <<<"$text" && grep -q '足し算' <<<"$text" || fail "the worksheet's title and name line are not readable"
  else
    graphs=$((graphs + 1))
    # The first three levels, three bands to a page.
    [ "$pages" -eq 1 ] || fail "a graph has $pages pages, not 1"
    found=""
    for s in "${students[@]}"; do
      grep -qF "$(words <<<"$s")" <<<"$text" && found="$s"
    done
    [ -n "$found" ] || { echo "$text" | head -c 300; fail "no student's name in $(basename "$pdf")"; }
    students=("${students[@]/$found}")
  fi
done
[ "$graphs" -eq 2 ] && [ "$sheets" -eq 1 ] || fail "$graphs graphs and $sheets worksheets, not 2 and 1"
echo "check-printing: ok (3 jobs on a Letter queue, all A4, $((SECONDS - start)) s)"
