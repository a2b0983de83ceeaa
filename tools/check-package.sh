#!/usr/bin/env bash
# Builds the .deb from a configured build folder and checks it as a PC that
# installs it would see it: the files it lays out, that it asks only for
# runtime libraries, a valid menu entry, and that the unpacked programs set
# up the demo school and start on it under Xvfb.
# Usage: tools/check-package.sh <build folder> [screenshot.png]
set -euo pipefail
source "$(dirname "$0")/namescreen-check.sh"

BUILD_DIR="$(cd "$1" && pwd)"
SHOT="${2:-}"
WORK="$(mktemp -d)"
trap 'kill "${PROGRAM_PID:-}" 2>/dev/null || true; rm -rf "$WORK"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

(cd "$BUILD_DIR" && cpack -G DEB -B "$WORK/out" >"$WORK/cpack.log" 2>&1) || { cat "$WORK/cpack.log"; fail "cpack failed"; }
DEB="$(ls "$WORK"/out/kazudori_*_amd64.deb)"

# The files, exactly.
dpkg-deb --fsys-tarfile "$DEB" | tar -t | grep -v '/$' | sort >"$WORK/files"
cat >"$WORK/expected" <<'LIST'
./usr/bin/kazudori
./usr/bin/kazudori-setup
./usr/lib/kazudori/kazudori/kazudori
./usr/lib/kazudori/kazudori/kazudori-setup
./usr/share/applications/kazudori.desktop
./usr/share/doc/kazudori/copyright
./usr/share/doc/kazudori/guide-ja.md
./usr/share/doc/kazudori/shared-folder.md
./usr/share/icons/hicolor/scalable/apps/kazudori.svg
LIST
diff -u "$WORK/expected" "$WORK/files" || fail "the package's files differ from the expected layout"

# Only runtime libraries: the C and C++ runtime, Qt, ICU and the sound client.
depends="$(dpkg-deb -f "$DEB" Depends)"
echo "Depends: $depends"
for required in libqt6widgets6 libqt6printsupport6 libicu libpulse0 qt6-translations-l10n; do
  grep -q "$required" <<<"$depends" || fail "no dependency on $required"
done
tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/ //g' | grep -v '^$' | while read -r package; do
  [[ "$package" =~ ^(libc6|libgcc-s1|libstdc\+\+6|libqt6[a-z0-9]+6|libicu[0-9]+|libpulse0|qt6-translations-l10n)$ ]] \
    || fail "unexpected dependency: $package"
done

mkdir "$WORK/root"
dpkg-deb -x "$DEB" "$WORK/root"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$WORK/root/usr/share/applications/kazudori.desktop"
fi
grep -qx 'Name\[ja\]=カズドリ' "$WORK/root/usr/share/applications/kazudori.desktop" || fail "no Japanese name in the menu entry"
grep -qx 'Categories=Education;Math;Qt;' "$WORK/root/usr/share/applications/kazudori.desktop" || fail "menu entry not in Education"

# The unpacked tree stands in for /: the set-up tool writes パスデータ.txt
# beside the program's folder, where the program then finds the school.
"$WORK/root/usr/bin/kazudori-setup" --demo "$WORK/school" >"$WORK/setup.log" || { cat "$WORK/setup.log"; fail "set-up tool failed"; }
[ -f "$WORK/root/usr/lib/kazudori/パスデータ.txt" ] || fail "the set-up tool wrote no パスデータ.txt"

start_private_xvfb
trap 'kill "${PROGRAM_PID:-}" "$XVFB_PID" 2>/dev/null || true; rm -rf "$WORK"' EXIT
unset QT_QPA_PLATFORM
"$WORK/root/usr/bin/kazudori" >"$WORK/program.log" 2>&1 &
PROGRAM_PID=$!
expect_name_screen "$PROGRAM_PID" "$WORK/program.log" "$SHOT" || fail "the unpacked program did not start on the demo school"
echo "check-package: ok ($(basename "$DEB"))"
