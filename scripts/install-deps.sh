#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, and
# any further packages named as arguments. Runs apt-get only when something is
# missing; needs root (or sudo) for that.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev libgtest-dev libbenchmark-dev zlib1g-dev libsqlite3-dev python3 locales
    fonts-liberation poppler-utils
    "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
