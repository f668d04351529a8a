#!/bin/sh
# Installs the Debian 12 packages the build needs when some are missing.
set -e
PACKAGES="cmake ninja-build g++ clang pkg-config qt6-base-dev qt6-svg-dev libjsoncpp-dev libudev-dev
 libcurl4-openssl-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth imagemagick libasound2-dev
 fonts-noto-core fonts-noto-cjk"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" = 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends $missing
else
    echo "Missing packages:$missing" >&2
    echo "Install them with: sudo apt-get install$missing" >&2
    exit 1
fi
