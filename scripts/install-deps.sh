#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Idempotent: packages already present are skipped, and apt is not touched
# at all when nothing is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git ccache clang libclang-rt-14-dev libcpp-httplib-dev
  qtbase5-dev qtbase5-dev-tools qtdeclarative5-dev libqt5websockets5-dev
  qtquickcontrols2-5-dev libqt5sql5-sqlite qttools5-dev-tools
  qml-module-qtquick2 qml-module-qtquick-controls2 qml-module-qtquick-layouts
  qml-module-qtquick-window2 qml-module-qtquick-dialogs qml-module-qttest
  qml-module-qtqml-models2 qml-module-qtquick-templates2
  qtwebengine5-dev qml-module-qtwebengine
  qml-module-qt-labs-folderlistmodel
  libvlc-dev vlc-plugin-base vlc-plugin-video-output vlc-bin
  libspdlog-dev libfmt-dev
  xvfb xauth x11-apps libgl1-mesa-dri mesa-utils
  ffmpeg fonts-dejavu-core fonts-roboto-unhinted imagemagick librsvg2-bin x11-utils nftables iproute2
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

echo "install-deps: installing ${#missing[@]} missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
