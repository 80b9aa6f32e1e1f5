#!/usr/bin/env bash
# Installs everything the build and the tests need from Debian's packages.
# Idempotent: packages already present are skipped, and the MinGW builds of
# GoogleTest and minizip are made once under /opt/pelmo-mingw.
set -euo pipefail

export DEBIAN_FRONTEND=noninteractive
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

PACKAGES=(
  build-essential g++ clang llvm libclang-rt-14-dev cmake ninja-build ccache pkg-config
  mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine64 xvfb xauth x11-utils imagemagick
  zlib1g-dev libminizip-dev libz-mingw-w64-dev
  googletest libgtest-dev libgmock-dev
  dosfstools mtools ntfs-3g ntfs-3g-dev libntfs-3g89 sleuthkit fdisk
  dpkg-dev python3 python3-pil python3-reportlab fonts-dejavu-core fonts-wine zip unzip gcab
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

PREFIX=/opt/pelmo-mingw
MINGW_CXX=x86_64-w64-mingw32-g++-posix
MINGW_CC=x86_64-w64-mingw32-gcc-posix

# GoogleTest for MinGW, built from Debian's googletest source.
if [ ! -f "$PREFIX/lib/libgtest.a" ]; then
  echo "install-deps: building GoogleTest for MinGW"
  tmp=$(mktemp -d)
  cat > "$tmp/toolchain.cmake" <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER $MINGW_CC)
set(CMAKE_CXX_COMPILER $MINGW_CXX)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
TC
  $SUDO cmake -S /usr/src/googletest -B "$tmp/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$tmp/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -Dgtest_disable_pthreads=OFF \
    -DCMAKE_CXX_FLAGS="-static-libgcc -static-libstdc++" >/dev/null
  $SUDO cmake --build "$tmp/build" >/dev/null
  $SUDO cmake --install "$tmp/build" >/dev/null
  rm -rf "$tmp"
fi

# minizip for MinGW: unzip.c and ioapi.c from Debian's zlib source package,
# pinned to the version the main suite carries.
if [ ! -f "$PREFIX/lib/libminizip.a" ]; then
  echo "install-deps: building minizip for MinGW"
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    $SUDO tee /etc/apt/sources.list.d/pelmo-deb-src.sources >/dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    $SUDO apt-get update -qq
  fi
  zver=$(dpkg-query -W -f='${Version}' zlib1g-dev)
  tmp=$(mktemp -d)
  (cd "$tmp" && apt-get source -qq --download-only "zlib=$zver" >/dev/null 2>&1 && dpkg-source -x --no-check ./*.dsc src >/dev/null)
  mz="$tmp/src/contrib/minizip"
  $SUDO mkdir -p "$PREFIX/lib" "$PREFIX/include/minizip"
  for f in unzip.c ioapi.c iowin32.c; do
    [ -f "$mz/$f" ] && $MINGW_CC -O2 -c "$mz/$f" -o "$tmp/${f%.c}.o" -I"$mz" -DNOCRYPT -DUNICODE
  done
  x86_64-w64-mingw32-ar rcs "$tmp/libminizip.a" "$tmp"/*.o
  $SUDO cp "$tmp/libminizip.a" "$PREFIX/lib/"
  $SUDO cp "$mz"/unzip.h "$mz"/ioapi.h "$mz"/iowin32.h "$PREFIX/include/minizip/"
  rm -rf "$tmp"
fi
echo "install-deps: ready"
