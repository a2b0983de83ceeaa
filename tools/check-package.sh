#!/usr/bin/env bash
# Builds the .deb from a configured build folder and checks it with the
# tools Debian itself uses: lintian (no error, no warning, pedantic tags
# listed), appstreamcli and desktop-file-validate (nothing to say),
# hardening-check on both programs. Then it installs the package with dpkg
# into a private root, lets the set-up tool lay out the demo school, starts
# the program on it under Xvfb, removes the package (the school and the
# path file stay) and purges it (nothing of the package stays).
# Usage: tools/check-package.sh <build folder> [screenshot.png]
set -euo pipefail
source "$(dirname "$0")/namescreen-check.sh"

SOURCE_DIR="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="$(cd "$1" && pwd)"
SHOT="${2:-}"
WORK="$(mktemp -d)"
trap 'kill "${PROGRAM_PID:-}" 2>/dev/null || true; rm -rf "$WORK"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }
for tool in lintian appstreamcli desktop-file-validate hardening-check dpkg; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (tools/setup.sh installs it)"
done
# Every tool runs with its own home, caches and configuration.
export HOME="$WORK/home" XDG_CACHE_HOME="$WORK/home/.cache" XDG_CONFIG_HOME="$WORK/home/.config" \
  XDG_DATA_HOME="$WORK/home/.local/share" TMPDIR="$WORK/tmp"
mkdir -p "$HOME" "$TMPDIR"

(cd "$BUILD_DIR" && cpack -G DEB -B "$WORK/out" >"$WORK/cpack.log" 2>&1) || { cat "$WORK/cpack.log"; fail "cpack failed"; }
DEB="$(ls "$WORK"/out/kazudori_*_amd64.deb)"

# The files, exactly.
dpkg-deb --fsys-tarfile "$DEB" | tar -t | grep -v '/$' | LC_ALL=C sort >"$WORK/files"
cat >"$WORK/expected" <<'LIST'
./usr/bin/kazudori
./usr/bin/kazudori-setup
./usr/lib/kazudori/kazudori/kazudori
./usr/lib/kazudori/kazudori/kazudori-setup
./usr/share/applications/org.kazudori.kazudori.desktop
./usr/share/doc/kazudori/changelog.gz
./usr/share/doc/kazudori/copyright
./usr/share/doc/kazudori/guide-ja.md
./usr/share/doc/kazudori/shared-folder.md
./usr/share/icons/hicolor/scalable/apps/kazudori.svg
./usr/share/man/ja/man1/kazudori-setup.1.gz
./usr/share/man/ja/man1/kazudori.1.gz
./usr/share/man/man1/kazudori-setup.1.gz
./usr/share/man/man1/kazudori.1.gz
./usr/share/metainfo/org.kazudori.kazudori.metainfo.xml
LIST
diff -u "$WORK/expected" "$WORK/files" || fail "the package's files differ from the expected layout"

# Only runtime libraries: the C and C++ runtime, Qt, ICU, the sound client
# and the workbook writer (with zlib, which it compresses with).
depends="$(dpkg-deb -f "$DEB" Depends)"
echo "Depends: $depends"
for required in libqt6widgets6 libqt6printsupport6 libicu libpulse0 libxlsxwriter4 qt6-translations-l10n; do
  grep -q "$required" <<<"$depends" || fail "no dependency on $required"
done
tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/ //g' | grep -v '^$' | while read -r package; do
  [[ "$package" =~ ^(libc6|libgcc-s1|libstdc\+\+6|libqt6[a-z0-9]+6|libicu[0-9]+|libpulse0|libxlsxwriter4|zlib1g|qt6-translations-l10n)$ ]] \
    || fail "unexpected dependency: $package"
done

# Lintian: no error and no warning; the remaining tags are listed. Two stay
# on purpose: repeated-path-segment and executable-in-usr-lib (pedantic and
# experimental), as the program names its data folder after its own folder
# and finds パスデータ.txt in that folder's parent: /usr/lib/kazudori/kazudori/.
status=0
timeout 600 lintian --no-cfg -EviIL +pedantic "$DEB" >"$WORK/lintian.log" 2>&1 || status=$?
[ "$status" -ne 124 ] || fail "lintian took longer than 10 minutes"
# 1 says it found an error; more says it could not check at all.
[ "$status" -le 1 ] || { cat "$WORK/lintian.log"; fail "lintian could not check the package"; }
grep -E '^[EWIPXCO]: ' "$WORK/lintian.log" | sort -u >"$WORK/tags" || true
echo "lintian tags left: $(grep -cE '^[IPXC]: ' "$WORK/tags" || true)"
sed -n 's/^\([IPXC]\): /  \1: /p' "$WORK/tags"
if grep -qE '^[EW]: ' "$WORK/tags"; then
  cat "$WORK/lintian.log"
  grep -E '^[EW]: ' "$WORK/tags" >&2
  fail "lintian reports errors or warnings"
fi

# The copyright file carries the licence text of LICENSE, word for word.
words() { tr -s ' \n' '\n\n' | grep -v '^\.\?$'; }
diff <(sed -n '/^Permission is hereby/,$p' "$SOURCE_DIR/LICENSE" | words) \
     <(dpkg-deb --fsys-tarfile "$DEB" | tar -xO ./usr/share/doc/kazudori/copyright \
       | awk '/^License: Expat$/ {n++; next} n == 2 && /^ / {print} n == 2 && !/^ / {exit}' | words) >/dev/null \
  || fail "the copyright file's licence text differs from LICENSE"

mkdir "$WORK/unpacked"
dpkg-deb -x "$DEB" "$WORK/unpacked"
METAINFO="$WORK/unpacked/usr/share/metainfo/org.kazudori.kazudori.metainfo.xml"
DESKTOP="$WORK/unpacked/usr/share/applications/org.kazudori.kazudori.desktop"

# The software centre's entry and the menu entry: not even a pedantic hint.
timeout 120 appstreamcli validate-tree --pedantic --no-net --no-color "$WORK/unpacked" >"$WORK/appstream.log" 2>&1 \
  || { cat "$WORK/appstream.log"; fail "appstreamcli rejects the metainfo"; }
if grep -qE '^[EWIP]: ' "$WORK/appstream.log"; then
  cat "$WORK/appstream.log"
  fail "appstreamcli has remarks on the metainfo"
fi
desktop-file-validate "$DESKTOP" >"$WORK/desktop.log" 2>&1 || true
[ ! -s "$WORK/desktop.log" ] || { cat "$WORK/desktop.log"; fail "desktop-file-validate has remarks on the menu entry"; }
grep -qx 'Name\[ja\]=カズドリ' "$DESKTOP" || fail "no Japanese name in the menu entry"
grep -qx 'Categories=Education;Math;Qt;' "$DESKTOP" || fail "menu entry not in Education"
# The screenshots are the ones in docs/screens/, every one of them.
grep -oE 'screens/[a-z-]+\.png</image>' "$METAINFO" | sed 's#</image>##' | LC_ALL=C sort >"$WORK/shots"
(cd "$SOURCE_DIR/docs" && ls screens/*.png | LC_ALL=C sort) >"$WORK/screens"
diff -u "$WORK/screens" "$WORK/shots" || fail "the metainfo's screenshots differ from docs/screens/"

# Debian 12's own start files carry no control-flow marks, so no Debian 12
# program (ls, dpkg) passes that check; everything else must.
for program in kazudori kazudori-setup; do
  hardening-check --nocfprotection "$WORK/unpacked/usr/lib/kazudori/kazudori/$program" \
    || fail "$program is not hardened"
done

# Installed by dpkg into a private root. Without root dpkg cannot chroot,
# so the maintainer script runs outside and finds the root in DPKG_ROOT.
ROOT="$WORK/root"
mkdir -p "$ROOT/var/lib/dpkg/info" "$ROOT/var/lib/dpkg/updates" "$ROOT/var/lib/dpkg/triggers"
touch "$ROOT/var/lib/dpkg/status" "$ROOT/var/lib/dpkg/available"
in_dpkg() {
  PATH="/usr/sbin:/sbin:$PATH" dpkg --root="$ROOT" --log="$WORK/dpkg.log" --force-not-root \
    --force-script-chrootless "$@" >>"$WORK/dpkg.out" 2>&1 || { cat "$WORK/dpkg.out"; fail "dpkg $*"; }
}
# The libraries are the host's; only the package itself is in the private root.
in_dpkg --force-depends --install "$DEB"
PATH_FILE="$ROOT/usr/lib/kazudori/パスデータ.txt"

# The set-up tool writes パスデータ.txt beside the program's folder, where
# the program then finds the school.
"$ROOT/usr/bin/kazudori-setup" --demo "$WORK/school" >"$WORK/setup.log" || { cat "$WORK/setup.log"; fail "set-up tool failed"; }
[ -f "$PATH_FILE" ] || fail "the set-up tool wrote no パスデータ.txt"

start_private_xvfb
trap 'kill "${PROGRAM_PID:-}" "$XVFB_PID" 2>/dev/null || true; rm -rf "$WORK"' EXIT
unset QT_QPA_PLATFORM
"$ROOT/usr/bin/kazudori" >"$WORK/program.log" 2>&1 &
PROGRAM_PID=$!
expect_name_screen "$PROGRAM_PID" "$WORK/program.log" "$SHOT" || fail "the installed program did not start on the demo school"
kill "$PROGRAM_PID"
wait "$PROGRAM_PID" 2>/dev/null || true

school_sums() { (cd "$WORK/school" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum); }
school_sums >"$WORK/school.before"
in_dpkg --remove kazudori
[ ! -e "$ROOT/usr/bin/kazudori" ] || fail "remove left the program"
[ -f "$PATH_FILE" ] || fail "remove deleted the school's path file"
in_dpkg --purge kazudori
left="$(cd "$ROOT" && find . -mindepth 1 ! -path './var' ! -path './var/lib' ! -path './var/lib/dpkg*')"
[ -z "$left" ] || fail "purge left: $left"
grep -q '^Package: kazudori$' "$ROOT/var/lib/dpkg/status" && fail "purge left the package in dpkg's status"
school_sums | diff -u "$WORK/school.before" - || fail "removing the package changed the school's files"
echo "check-package: ok ($(basename "$DEB"), installed, started, removed and purged)"
