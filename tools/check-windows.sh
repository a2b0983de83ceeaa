#!/usr/bin/env bash
# Compiles the Windows branches (#ifdef Q_OS_WIN / _WIN32) that a Linux build
# never sees: every source of the program and the demo, and every test with a
# Windows branch, is checked by the MinGW-w64 cross compiler with
# -fsyntax-only and warnings as errors.
#
# What it uses: Debian ships Qt's headers for Linux only. They are almost
# platform neutral - Q_OS_WIN comes from the compiler's own _WIN32, exports
# turn into dllimport - so they are used as they are, as system headers.
# ICU's and libxlsxwriter's headers sit in /usr/include, which the cross
# compiler must not search (glibc lives there too), so a small overlay folder
# links to those alone. Nothing else is overlaid.
#
# Limits: this is a syntax and type check, not a Windows build. Qt's
# qconfig.h still describes the Linux build (its features, not the Windows
# ones), nothing is linked, moc output is not checked (a test's own .moc
# comes from the Linux build), and the PulseAudio sound player, which has no
# Windows counterpart yet, is left out.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
# The posix thread model is the one Qt's own MinGW builds use (std::mutex).
CXX_WIN="${CXX_WIN:-x86_64-w64-mingw32-g++-posix}"

if ! command -v "$CXX_WIN" >/dev/null; then
  echo "check-windows: $CXX_WIN is missing (Debian package g++-mingw-w64-x86-64)" >&2
  exit 1
fi
# The flags come from the Linux configuration, so a new file or define is
# checked without editing this script; configuring alone is enough.
if [ ! -f "$BUILD_DIR/compile_commands.json" ]; then
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi

OVERLAY="$(mktemp -d)"
trap 'rm -rf "$OVERLAY"' EXIT
ln -s /usr/include/unicode "$OVERLAY/unicode"
ln -s /usr/include/xlsxwriter.h "$OVERLAY/xlsxwriter.h"
ln -s /usr/include/xlsxwriter "$OVERLAY/xlsxwriter"

# One line per file: the source, then its defines and include folders.
python3 - "$ROOT" "$BUILD_DIR/compile_commands.json" >"$OVERLAY/files" <<'EOF'
import json, os, re, shlex, sys
root, database = sys.argv[1], sys.argv[2]
windows_branch = re.compile(r'\b(Q_OS_WIN|_WIN32)\b')
left_out = {'src/platform/ui/pulsesoundplayer.cpp'}
for entry in json.load(open(database)):
    source = os.path.relpath(entry['file'], root)
    if source in left_out or not source.endswith('.cpp') or '_autogen' in source:
        continue
    if source.startswith('tests/') or source.startswith('bench/'):
        if not windows_branch.search(open(entry['file'], encoding='utf-8').read()):
            continue
    elif not (source.startswith('src/') or source.startswith('demo/')):
        continue
    words = shlex.split(entry['command'])
    flags, i = [], 0
    while i < len(words):
        w = words[i]
        if w in ('-isystem', '-I'):
            flags += [w, words[i + 1]]
            i += 1
        elif w.startswith('-D') or w.startswith('-I') or w.startswith('-std='):
            flags.append(w)
        i += 1
    print(shlex.join([entry['file']] + flags))
EOF

# A test includes its own moc output, which the Linux build generates.
while read -r source _; do
  case "$source" in
    "$ROOT"/tests/*) cmake --build "$BUILD_DIR" --target "$(basename "$source" .cpp)_autogen" >/dev/null ;;
  esac
done <"$OVERLAY/files"

check() {
  local line="$1"
  eval "set -- $line"
  local source="$1"
  shift
  # Windows builds of Qt define these for every target.
  "$CXX_WIN" -fsyntax-only -Wall -Wextra -pedantic -Werror \
    -DUNICODE -D_UNICODE -DWIN32 -DWIN64 -DMINGW_HAS_SECURE_API=1 \
    "$@" -isystem "$OVERLAY" "$source" || { echo "check-windows: $source" >&2; return 1; }
}
export -f check
export CXX_WIN OVERLAY

count=$(wc -l <"$OVERLAY/files")
echo "== check-windows: $count files with $CXX_WIN"
tr '\n' '\0' <"$OVERLAY/files" | xargs -0 -P"${JOBS:-2}" -I{} bash -c 'check "$1"' _ {}
echo "== check-windows: all clean"
