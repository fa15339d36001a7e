#!/bin/sh
# Installs the Debian packages named as arguments that are not installed yet.
missing=""
for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
        missing="$missing $package"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "These Debian packages are missing:$missing" >&2
    echo "Install them with: sudo apt-get install$missing" >&2
    exit 1
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q && apt-get install -y -q $missing
