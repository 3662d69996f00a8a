#!/usr/bin/env bash
# Makes sure the Debian packages that the build needs are installed. Run as root it installs
# what is missing with apt-get; otherwise it names what is missing and fails.
set -euo pipefail

packages=(cmake g++ make libgtest-dev libbenchmark-dev pkg-config libical-dev libcli11-dev dpkg-dev
  file libcurl4-openssl-dev libxml2-dev libasio-dev radicale openssl
  nlohmann-json3-dev python3 tzdata libicu-dev python3-icalendar python3-dateutil python3-tz "$@")
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "dayweave: missing packages: ${missing[*]} (install them, or run this as root)" >&2
  exit 1
fi
echo "dayweave: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
