#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those still missing.
# Sourced by run.sh and test.sh; nothing is downloaded outside apt.
tervalo_packages=(
    cmake g++ ninja-build pkg-config
    qt6-base-dev libgl-dev libchm-dev libbenchmark-dev
    fp-utils fonts-dejavu-core fonts-liberation2 qt6-svg-dev
    librsvg2-bin desktop-file-utils appstream shared-mime-info dpkg-dev file strace
    poppler-utils python3-debian
)

tervalo_missing=()
for package in "${tervalo_packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        tervalo_missing+=("$package")
    fi
done

if [ ${#tervalo_missing[@]} -gt 0 ]; then
    echo "Installing missing packages: ${tervalo_missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo_cmd=(sudo)
    fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${tervalo_missing[@]}"
fi
