# Shared by the scripts: where things are, what the machine needs, how Wine runs.
# Sourced, not run.

TARNOVA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TARNOVA_BUILD=${TARNOVA_BUILD:-$TARNOVA_ROOT/build}

# Debian packages the build and the tests use.
TARNOVA_PACKAGES=(
  cmake ninja-build g++ clang pkg-config
  googletest libgtest-dev libbenchmark-dev libjpeg62-turbo-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix nasm dpkg-dev
  wine wine64 xvfb xauth xdotool x11-utils imagemagick fonts-wqy-microhei
)

log() { printf '== %s\n' "$*" >&2; }

# Installs, with apt-get, those packages that are not installed yet.
install_missing_packages() {
  local missing=() pkg
  for pkg in "${TARNOVA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  local sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures (once) and builds one build folder: name, then extra cmake args.
build_tree() {
  local name=$1; shift
  local dir=$TARNOVA_BUILD/$name
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$TARNOVA_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  fi
  log "building $name"
  cmake --build "$dir" -- -j"$(nproc)" | grep -v '^\[' || true
  test "${PIPESTATUS[0]}" -eq 0
}

build_all() {
  # Debian's libjpeg-turbo source, cross-built by the Windows builds.
  "$TARNOVA_ROOT/scripts/fetch-libjpeg-source" >/dev/null || return 1
  build_tree native -DTARNOVA_SANITIZE=ON
  build_tree win64 -DCMAKE_TOOLCHAIN_FILE="$TARNOVA_ROOT/cmake/mingw-x86_64.cmake"
  # The 32-bit program must compile too; its tests are not run.
  build_tree win32 -DCMAKE_TOOLCHAIN_FILE="$TARNOVA_ROOT/cmake/mingw-i686.cmake" -DTARNOVA_TESTS=OFF
}

# Starts an Xvfb of our own and exports DISPLAY; stopped by stop_display.
start_display() {
  local n
  for n in $(seq 91 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    TARNOVA_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 50); do
      [ -e /tmp/.X11-unix/X$n ] && return 0
      sleep 0.1
    done
    kill "$TARNOVA_XVFB_PID" 2>/dev/null
  done
  echo "no free X display for Xvfb" >&2
  return 1
}

stop_display() {
  [ -n "${TARNOVA_XVFB_PID:-}" ] && kill "$TARNOVA_XVFB_PID" 2>/dev/null
  TARNOVA_XVFB_PID=
}
