#!/usr/bin/env bash
# Installs the Debian packages Duplink needs, skipping those already present.
# Usage: scripts/install-deps.sh [build|demo|test|screenshot|all]   (default: build)
#   build  compiler, CMake, the Qt 6 libraries (with the SQLite driver of the
#          logbook's index), translation tools and Qt's own translations,
#          help2man for the manual pages, dpkg-buildflags for the hardening
#          and the MQTT client library: enough to build and run
#   demo   build, plus the offline voice that speaks the alarms, so that the
#          demo shows all it can
#   test   build, plus what the full test run needs (clang for fuzzing,
#          Google Benchmark, the desktop-file and AppStream validators, man,
#          lintian and hardening-check for the Debian package, the offline
#          speech engine with PulseAudio for a sound server of the tests'
#          own, dbus-run-session for a bus of the tests' own, a virtual X
#          screen with xdotool for the test that kills duplink in flight, and
#          a mosquitto broker with its clients and openssl for the sharing
#          tests)
#   screenshot  a virtual X screen, xdotool and ImageMagick, for
#          scripts/screenshot.sh
set -euo pipefail

# Debian 12's qt6-speech-dev leaves out what its CMake package needs
# (Qt6QmlIntegration, from qt6-declarative-dev).
build_packages=(cmake make g++ pkg-config qt6-base-dev qt6-serialport-dev qt6-speech-dev
    qt6-declarative-dev qt6-l10n-tools qt6-translations-l10n libgl-dev help2man dpkg-dev
    libqt6sql6-sqlite libmosquitto-dev)
# The offline voice: without it "Speak alarms" is disabled.
voice_packages=(qt6-speech-flite-plugin)
test_packages=(clang libclang-rt-dev libbenchmark-dev desktop-file-utils appstream file man-db
    lintian devscripts "${voice_packages[@]}" dbus pulseaudio xvfb xauth xdotool mosquitto
    mosquitto-clients openssl)
screenshot_packages=(xvfb xdotool imagemagick)

case "${1:-build}" in
    build) wanted=("${build_packages[@]}") ;;
    demo) wanted=("${build_packages[@]}" "${voice_packages[@]}") ;;
    test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
    screenshot) wanted=("${screenshot_packages[@]}") ;;
    all) wanted=("${build_packages[@]}" "${test_packages[@]}" "${screenshot_packages[@]}") ;;
    *) echo "usage: $0 [build|demo|test|screenshot|all]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
install_command="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sh -c "$install_command"
elif command -v sudo >/dev/null 2>&1 && { sudo -n true 2>/dev/null || [ -t 0 ]; }; then
    sudo sh -c "$install_command"
else
    echo "Cannot install packages without root. Run this, then try again:" >&2
    echo "  sudo sh -c '$install_command'" >&2
    exit 1
fi
