#!/usr/bin/env bash
# Installs what a fresh machine lacks for building and testing. Safe to run
# again: it asks apt only for packages that are missing.
set -euo pipefail

want=(cmake g++ make libgtest-dev googletest libbenchmark-dev clang libclang-rt-14-dev
  libgettextpo-dev gettext nlohmann-json3-dev)
if [ "${TRALVEX_WINDOWS:-1}" = 1 ]; then
  want+=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wine)
fi

missing=()
for package in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
$sudo_cmd apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
