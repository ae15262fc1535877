# Shared by the scripts: installs what the build needs on Debian, when missing.
# Sourced, not run.

PACKAGES=(
  g++ cmake ninja-build pkg-config clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
  qt6-translations-l10n fonts-noto-cjk xvfb xauth
  clang libclang-rt-14-dev
  # ./scripts/tidy: clang-tidy and run-clang-tidy
  clang-tidy
  appstream desktop-file-utils librsvg2-bin
  # ./scripts/package: CPack's Debian generator tells the programs from the
  # other files with `file`, and dpkg-shlibdeps (dpkg-dev) names the
  # libraries they need
  dpkg-dev file
)

# What ./scripts/windows-check needs besides: the mingw-w64 cross compiler,
# GoogleTest's sources and Wine. Installed by that script alone.
WINDOWS_PACKAGES=(
  cmake ninja-build
  g++-mingw-w64-x86-64-posix googletest
  wine64
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# The packages of PACKAGES that are not installed, one per line.
missing_packages() {
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

install_dependencies() {
  local missing
  mapfile -t missing < <(missing_packages)
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
  mapfile -t missing < <(missing_packages)
  if [ ${#missing[@]} -gt 0 ]; then
    echo "error: these packages could not be installed: ${missing[*]}" >&2
    exit 1
  fi
}

# Configures with a preset of CMakePresets.json and builds into its folder,
# build/PRESET; further arguments go to the configuring (-DNAME=VALUE). What
# configuring prints is kept in build/PRESET/configure.log.
build_into() {
  local preset=$1
  shift
  local dir=build/$preset
  mkdir -p "$dir"
  if ! cmake --preset "$preset" "$@" >"$dir/configure.log" 2>&1; then
    grep -E 'Could NOT find|could not be found|not found' "$dir/configure.log" | head -n 1 >&2
    echo "error: configuring failed; the whole output is in $dir/configure.log" >&2
    exit 1
  fi
  cmake --build "$dir"
}
