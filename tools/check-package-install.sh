#!/usr/bin/env bash
# Installs the package with apt into a fresh Debian 12 root (debootstrap),
# as on a new classroom PC, lays out the demo school there with the
# installed set-up tool and starts the installed program on it under Xvfb.
# Then it removes the package (the school folder and the path file stay)
# and purges it: nothing of the package may be left in the root.
# Needs root and a Debian mirror; takes a few minutes.
# Usage: tools/check-package-install.sh <kazudori_*.deb | build folder> [screenshot.png]
# (from a build folder the package is made first, with cpack).
# DEBIAN_ROOT=<folder> reuses a root made by an earlier run.
set -euo pipefail
source "$(dirname "$0")/namescreen-check.sh"

cleanup() {
  kill "${PROGRAM_PID:-}" "${XVFB_PID:-}" 2>/dev/null || true
  [ -z "${PACKAGE_OUT:-}" ] || rm -rf "$PACKAGE_OUT"
  [ -n "${ROOT:-}" ] || return 0
  umount "$ROOT/proc" 2>/dev/null || true
  # Never while /proc is still mounted inside it.
  if [ -n "${MADE_ROOT:-}" ] && ! mountpoint -q "$ROOT/proc"; then
    rm -rf --one-file-system "$ROOT" "$ROOT.debootstrap.log"
  fi
}
trap cleanup EXIT

SHOT="${2:-}"
if [ -d "$1" ]; then
  PACKAGE_OUT="$(mktemp -d)"
  (cd "$1" && cpack -G DEB -B "$PACKAGE_OUT" >/dev/null)
  DEB="$(ls "$PACKAGE_OUT"/kazudori_*_amd64.deb)"
else
  DEB="$(realpath "$1")"
fi
# The mirror and proxy this machine's apt already uses, so the root is
# made the way this machine installs its own packages.
host_mirror() {
  grep -hoE '(URIs:|^deb) +https?://[^ ]+/debian/?( |$)' /etc/apt/sources.list /etc/apt/sources.list.d/* 2>/dev/null \
    | head -1 | awk '{print $2}' || true
}
MIRROR="${DEBIAN_MIRROR:-$(host_mirror)}"
MIRROR="${MIRROR:-http://deb.debian.org/debian}"
eval "$(apt-config shell apt_proxy Acquire::http::Proxy 2>/dev/null || true)"
[ -z "${apt_proxy:-}" ] || export http_proxy="${http_proxy:-$apt_proxy}"
fail() { echo "check-package-install: $*" >&2; exit 1; }
# Exit code 77: this machine cannot make a root (CI says so and goes on).
cannot() { echo "check-package-install: cannot run here: $*" >&2; exit 77; }
[ "$(id -u)" -eq 0 ] || cannot "needs root (debootstrap, chroot)"
command -v debootstrap >/dev/null || cannot "debootstrap is not installed"
probe="$(mktemp -d)"
mount -t proc proc "$probe" 2>/dev/null || { rmdir "$probe"; cannot "no permission to mount /proc for a chroot"; }
umount "$probe"; rmdir "$probe"

if [ -n "${DEBIAN_ROOT:-}" ] && [ -x "$DEBIAN_ROOT/usr/bin/apt-get" ]; then
  ROOT="$DEBIAN_ROOT"
else
  ROOT="${DEBIAN_ROOT:-$(mktemp -d /var/tmp/kazudori-root.XXXXXX)}"
  [ -n "${DEBIAN_ROOT:-}" ] || MADE_ROOT=1
  # Without the mirror there is nothing to check the package against.
  debootstrap --variant=minbase bookworm "$ROOT" "$MIRROR" >"$ROOT.debootstrap.log" 2>&1 \
    || { tail -20 "$ROOT.debootstrap.log"; cannot "debootstrap could not make a root from $MIRROR"; }
fi
mount -t proc proc "$ROOT/proc"
in_root() { chroot "$ROOT" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 HOME=/root "$@"; }

cp "$DEB" "$ROOT/tmp/kazudori.deb"
# The font comes from the package's recommendations; the rest of them
# (a sound server and what it pulls in) a PC without speakers can do without.
install_args=(-y -qq --no-install-recommends /tmp/kazudori.deb fonts-ipafont-gothic)
# A download that fails is the network's doing; anything else (a
# dependency no Debian 12 has, say) is the package's.
in_root apt-get update -qq || cannot "apt could not read $MIRROR"
if ! in_root env DEBIAN_FRONTEND=noninteractive apt-get install --download-only "${install_args[@]}" \
    >"$ROOT/tmp/download.log" 2>&1; then
  cat "$ROOT/tmp/download.log"
  grep -qE 'Failed to fetch|Could not resolve|Temporary failure' "$ROOT/tmp/download.log" \
    && cannot "apt could not download what the package needs"
  fail "apt cannot install the package on Debian 12"
fi
in_root env DEBIAN_FRONTEND=noninteractive apt-get install "${install_args[@]}" >/dev/null \
  || fail "apt could not install the package"
in_root dpkg -s kazudori | grep -q '^Status: install ok installed' || fail "the package is not installed"
in_root test -f /usr/share/applications/org.kazudori.kazudori.desktop || fail "no menu entry"

in_root kazudori-setup --demo /srv/kazudori || fail "the installed set-up tool failed"
in_root test -f /usr/lib/kazudori/パスデータ.txt || fail "no パスデータ.txt where the program looks"

start_private_xvfb
# Started without a shell between, so that the process id is the program's.
chroot "$ROOT" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root DISPLAY="127.0.0.1$DISPLAY" LANG=C.UTF-8 \
  kazudori >"$ROOT/tmp/program.log" 2>&1 &
PROGRAM_PID=$!
expect_name_screen "$PROGRAM_PID" "$ROOT/tmp/program.log" "$SHOT" || fail "the installed program did not start on the demo school"
kill "$PROGRAM_PID"
wait "$PROGRAM_PID" 2>/dev/null || true

# What the package put in the root, and the school it set up there.
in_root dpkg-query -L kazudori >"$ROOT/tmp/package.files"
school_sums() { in_root sh -c 'cd /srv/kazudori && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum'; }
school_sums >"$ROOT/tmp/school.before"
in_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq kazudori >/dev/null || fail "apt could not remove the package"
in_root test ! -e /usr/bin/kazudori || fail "remove left the program"
in_root test -f /usr/lib/kazudori/パスデータ.txt || fail "remove deleted the school's path file"
in_root dpkg --purge kazudori >/dev/null || fail "dpkg could not purge the package"
if in_root dpkg-query -W -f='${Status}\n' kazudori 2>/dev/null | grep -qv 'not-installed'; then
  fail "the package is still known to dpkg"
fi
while read -r path; do
  # Folders other packages share (/usr/share/man ...) may stay.
  if in_root test -e "$path" && ! in_root test -d "$path"; then fail "purge left $path"; fi
done <"$ROOT/tmp/package.files"
left="$(cd "$ROOT" && find . -xdev \( -path ./proc -o -path ./tmp -o -path ./srv/kazudori \) -prune \
  -o \( -iname '*kazudori*' -o -name 'パスデータ.txt' \) -print)"
[ -z "$left" ] || fail "purge left: $left"
school_sums | diff -u "$ROOT/tmp/school.before" - || fail "removing the package changed the school's files"
echo "check-package-install: ok (installed, started, removed and purged)"
