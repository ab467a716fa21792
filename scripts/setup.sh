#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing; the Vulkan loader,
# lavapipe (Vulkan on the CPU) and vulkaninfo are for the runs on DXVK.
set -euo pipefail

Packages=(
    cmake
    g++-mingw-w64-x86-64
    mingw-w64-tools
    googletest
    wine64
    xvfb
    xauth
    xdotool
    imagemagick
    x11-apps
    x11-utils
    glslang-tools
    fontconfig
    fonts-liberation
    python3
    python3-matplotlib
    libvulkan1
    mesa-vulkan-drivers
    vulkan-tools
)

Missing=()
for Package in "${Packages[@]}"; do
    dpkg-query -W -f='${Status}' "$Package" 2>/dev/null | grep -q "install ok installed" || Missing+=("$Package")
done

if [ ${#Missing[@]} -gt 0 ]; then
    echo "Installing: ${Missing[*]}"
    Sudo=""
    [ "$(id -u)" -eq 0 ] || Sudo="sudo"
    $Sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $Sudo apt-get install -y -qq --no-install-recommends "${Missing[@]}"
fi
