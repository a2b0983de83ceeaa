# Sourced by ./run and ./test: installs what is missing, configures, builds.
# With checks=1 set by the caller (./test) the formatter and the linters are
# installed too; the program itself needs none of them.
# With sanitize=1 set by the caller: a separate Debug build under
# AddressSanitizer and UBSan, tests only, compiled by clazy (clang++ with
# Qt's checks) and linted by clang-tidy, every finding an error. With
# package=1: a release build without tests for the Debian package. KAZUDORI_WERROR=1 in the
# environment (CI) makes every warning an error.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ -n "${sanitize:-}" ]; then
  BUILD_DIR="${SANITIZE_BUILD_DIR:-$ROOT/build-asan}"
  # Debug keeps Q_ASSERT's bounds checks in Qt's containers.
  CMAKE_ARGS=(-DCMAKE_BUILD_TYPE=Debug -DKAZUDORI_SANITIZE=ON -DKAZUDORI_LINT=ON
              -DCMAKE_CXX_COMPILER=clazy
              -DKAZUDORI_BUILD_TESTS=ON -DKAZUDORI_BUILD_BENCH=OFF)
  # Global tables of QStrings are built once in an executable, not a
  # library, so non-pod-global-static only reports the style of the code;
  # qstring-ref asks for Qt 5's leftRef() and midRef(), gone in Qt 6.
  export CLAZY_CHECKS="level0,level1,no-non-pod-global-static,no-qstring-ref"
elif [ -n "${package:-}" ]; then
  BUILD_DIR="${PACKAGE_BUILD_DIR:-$ROOT/build-package}"
  CMAKE_ARGS=(-DCMAKE_BUILD_TYPE=Release -DKAZUDORI_BUILD_TESTS=OFF -DKAZUDORI_BUILD_BENCH=OFF)
else
  BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
  CMAKE_ARGS=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev libgl-dev qt6-translations-l10n
  libicu-dev libbenchmark-dev libpulse-dev libxlsxwriter-dev
  fonts-noto-cjk
  xvfb xauth x11-utils desktop-file-utils
  pulseaudio pulseaudio-utils
  python3 debootstrap
  lintian appstream devscripts man-db
  g++-mingw-w64-x86-64
  clang libclang-rt-14-dev
)
CHECK_PACKAGES=(clang-format clang-tidy clazy)
[ -z "${checks:-}" ] || PACKAGES+=("${CHECK_PACKAGES[@]}")

install_missing_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  # Waits for another install (an unattended upgrade) instead of failing.
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}"
}

configure_and_build() {
  if [ -n "${KAZUDORI_WERROR:-}" ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja "${CMAKE_ARGS[@]}" -DKAZUDORI_WERROR=ON
  elif [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja "${CMAKE_ARGS[@]}"
  fi
  cmake --build "$BUILD_DIR"
}

install_missing_packages
# tools/fuzz.sh needs the packages but builds elsewhere.
[ "${SETUP_PACKAGES_ONLY:-}" = 1 ] || configure_and_build
