#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Gibomer needs.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config clang-format ccache
  qt6-base-dev libqt6sql6-sqlite libqt6svg6-dev qt6-translations-l10n
  libsqlite3-dev sqlite3
  libqcustomplot-dev
  libzip-dev zip p7zip-full
  libxlsxwriter-dev libfreexl-dev
  libgtest-dev googletest
  xvfb xauth poppler-utils
  fonts-dejavu-core fonts-liberation2
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
