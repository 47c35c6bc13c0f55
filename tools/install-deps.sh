#!/usr/bin/env bash
# Installs the Debian packages that building, running, testing, benchmarking or packaging Kestrel
# needs, on Debian 12 or 13. Usage: install-deps.sh run|test|bench|package. As root it uses
# apt-get; otherwise it prints the command. Where the releases name a package differently the
# name is chosen by what this system has, never by release: of "new|old", the one installed,
# else the first that apt can install.
set -euo pipefail

as_root() { [ "$(id -u)" -eq 0 ]; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
installable() { apt-cache policy "$1" 2>/dev/null | grep -q 'Candidate: [^(]'; }

# Reads apt's package lists once, as root, where they are missing (as in a fresh container).
lists_read=
read_lists() {
  if [ -z "$lists_read" ] && as_root && ! installable apt; then apt-get update -q >&2; fi
  lists_read=yes
}

# The major version of the clang the fuzz build uses: the one on PATH, else the one that the
# clang package installs.
clang_major() {
  local version
  if command -v clang >/dev/null; then
    version=$(clang -dumpversion 2>/dev/null || true)
  else
    read_lists
    version=$(apt-cache show --no-all-versions clang 2>/dev/null |
                sed -n 's/^Depends:.*\bclang-\([0-9][0-9]*\).*/\1/p' | head -n 1)
  fi
  echo "${version%%.*}"
}

# clang's sanitizer and libFuzzer runtimes, of its own version (clang only recommends them).
clang_runtime() {
  local major
  major=$(clang_major)
  [ -n "$major" ] || { echo "$0: cannot tell which clang apt installs" >&2; exit 1; }
  echo "libclang-rt-$major-dev"
}

packages=(cmake g++ make pkg-config "libglut-dev|freeglut3-dev" libglu1-mesa-dev
          libgl1-mesa-dev libgl1-mesa-dri libegl-dev libegl-mesa0 libpng-dev zlib1g-dev
          libx11-dev libvulkan-dev glslang-tools)
case "${1:-run}" in
  run) packages+=(xvfb mesa-vulkan-drivers) ;;
  test) packages+=(libgtest-dev xvfb xdotool clang "$(clang_runtime)" python3 chromium
                   mesa-vulkan-drivers vulkan-validationlayers) ;;
  bench) packages+=(libbenchmark-dev xvfb) ;;
  package) packages+=(dpkg-dev file lintian) ;;  # dpkg-shlibdeps, what CPack runs it on, the check
  *) echo "usage: $0 run|test|bench|package" >&2; exit 2 ;;
esac

# Prints the name to install of the choice "a|b|...", or nothing where one is installed; the
# last name where apt knows none of them.
to_install() {
  local names name
  IFS='|' read -r -a names <<<"$1"
  for name in "${names[@]}"; do installed "$name" && return 0; done
  [ ${#names[@]} -eq 1 ] && { echo "$1"; return 0; }
  read_lists
  for name in "${names[@]}"; do installable "$name" && { echo "$name"; return 0; }; done
  echo "${names[-1]}"
}

missing=()
for choice in "${packages[@]}"; do
  name=$(to_install "$choice")
  [ -z "$name" ] || missing+=("$name")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! as_root; then
  echo "Kestrel needs these Debian packages; install them with:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -q >&2
apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
