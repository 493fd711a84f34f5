#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, test and run the QV3380 tool.
# Safe to run again: packages already present are skipped.
set -euo pipefail

packages=(
  # build tools, and the style checks CI runs
  g++ cmake ninja-build pkg-config git clang-format clang-tidy
  # GUI: Qt 6 Widgets, the fixed font it is drawn with, and its Wayland platform;
  # Qt SVG renders the icon at every size when building
  qt6-base-dev fonts-dejavu-core qt6-wayland qt6-svg-dev
  # the command line's parser (its JSON comes from nlohmann-json3-dev below)
  libcli11-dev
  # adapter access and its mock
  libhidapi-dev libudev-dev umockdev libumockdev-dev
  # the Python module (import qv3380) and its tests
  pybind11-dev python3-dev python3-pytest
  # tests, benchmarks, JSON checks in tests (and the plan document against its schema), fuzzing
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev clang libclang-rt-14-dev
  python3-jsonschema
  # reading the PDF report back in tests (pdftotext, pdftoppm)
  poppler-utils
  # the firmware file's CRC-32; the exports' consumers in tests (dtc, mkimage, shellcheck, xxd)
  zlib1g-dev device-tree-compiler u-boot-tools shellcheck xxd
  # the Debian packages (cpack: dpkg-shlibdeps, file) and their checks: lintian,
  # the desktop entry and AppStream validators, man; the completions in bash,
  # zsh and fish
  dpkg-dev file lintian desktop-file-utils appstream man-db zsh fish
  # looking at the GUI on a virtual X server (with a window manager, and a
  # dark desktop style to look at), and on a headless Wayland compositor
  xvfb xauth xdotool imagemagick x11-utils openbox adwaita-qt6 weston
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: every package is already installed."
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  run=()
elif command -v sudo >/dev/null 2>&1; then
  run=(sudo)
else
  echo "install-deps: cannot install packages: not root and sudo is not available." >&2
  echo "install-deps: as root, run: apt-get install ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${run[@]}" apt-get update -qq
"${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
