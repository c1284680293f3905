#!/usr/bin/env bash
# Installs the Debian packages Vireo needs to build, test and run, but only those missing.
set -euo pipefail
packages=(g++ cmake make libgtest-dev libgmock-dev libmotif-dev libxt-dev libxpm-dev libxmu-dev
          libxtst-dev xvfb xfonts-base xdotool imagemagick x11-utils clang openbox)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
