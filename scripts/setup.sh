# Shared by the scripts: installs what the build needs on Debian, when missing.
# Sourced, not run.

PACKAGES=(
  g++ cmake ninja-build pkg-config clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-charts-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
  qt6-translations-l10n fonts-noto-cjk xvfb xauth
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_dependencies() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# Configures and builds into the given folder with extra CMake options.
build_into() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir"
}
