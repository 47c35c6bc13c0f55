#!/usr/bin/env bash
# Installs the Debian packages that building, running, testing, benchmarking or packaging Kestrel
# needs. Usage: install-deps.sh run|test|bench|package. As root it uses apt-get; otherwise it
# prints the command.
set -euo pipefail

packages=(cmake g++ make pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev
          libgl1-mesa-dri libegl-dev libegl-mesa0 libpng-dev zlib1g-dev libx11-dev libvulkan-dev
          glslang-tools)
case "${1:-run}" in
  run) packages+=(xvfb mesa-vulkan-drivers) ;;
  test) packages+=(libgtest-dev xvfb xdotool clang libclang-rt-14-dev python3 chromium
                   mesa-vulkan-drivers vulkan-validationlayers) ;;
  bench) packages+=(libbenchmark-dev xvfb) ;;
  package) packages+=(dpkg-dev file lintian) ;;  # dpkg-shlibdeps, what CPack runs it on, the check
  *) echo "usage: $0 run|test|bench|package" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Kestrel needs these Debian packages; install them with:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -q >&2
apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
