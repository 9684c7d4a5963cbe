#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and running Quorvanta needs.
# Only what is missing is installed; sudo is used when not running as root.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake pkg-config
  # Qt 6: Core, Gui, Widgets, Network, PrintSupport (in qt6-base-dev), Multimedia
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libgl-dev
  # Qt's offscreen and xcb platform plugins, image formats
  qt6-qpa-plugins libqt6svg6
  # Qt's own dialogs and context menus in German and Polish
  qt6-translations-l10n
  # the stand-in for the maker's web hosts: an HTTP server and reports in SQLite
  qt6-httpserver-dev qt6-websockets-dev libqt6sql6-sqlite
  # picture decoders called directly
  libgif-dev libjpeg-dev
  # tests
  libgtest-dev googletest
  # fuzz targets (`make fuzz`): clang and its libFuzzer runtime (libclang_rt.fuzzer)
  clang libclang-rt-14-dev
  # the code's layout (`make format-check`, .clang-format)
  clang-format
  # the call stack of the error report
  libboost-stacktrace-dev
  # checks of the desktop entry and the AppStream data
  desktop-file-utils appstream
  # fonts the program registers when the system lacks them (Tahoma and Arial metrics), and
  # the font configuration read beside the start
  fonts-wine fonts-liberation fontconfig libfontconfig-dev
  # a virtual display for `make run` on a machine without one
  xvfb xauth
  # `make bench-compare`: the start-up script compiles its X probe (window PID lookup and the
  # first paint) with gcc and runs the programs under a private session bus
  gcc libx11-dev libxres-dev libxdamage-dev dbus dbus-daemon procps
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
