#!/usr/bin/env bash
# Builds the Debian package from a build directory, checks it with lintian,
# installs it with apt, checks that the installed programs run, are hardened
# and have their manual pages, and removes the package again.
# Usage: scripts/check-package.sh [BUILD_DIR]   (needs root, or sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(cd "${1:-build}" && pwd)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
scripts/install-deps.sh test # lintian, hardening-check, man

rm -f "$build_dir"/duplink_*.deb
(cd "$build_dir" && cpack -G DEB > /dev/null)
package=$(ls "$build_dir"/duplink_*.deb)
echo "built $(basename "$package")"
dpkg-deb --field "$package" Depends

# Every tag is shown; errors and warnings fail. (Lintian's advice against
# running as root does not apply to a throw-away check.)
lintian -I --pedantic --fail-on error,warning "$package" \
    2> >(grep -v 'running with root privileges' >&2)
echo "lintian: no errors or warnings"

if dpkg -s duplink > /dev/null 2>&1; then
    echo "duplink is already installed here; not touching it" >&2
    exit 1
fi
trap 'as_root apt-get remove -y -qq duplink > /dev/null 2>&1 || true' EXIT
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$package" > /dev/null

for program in /usr/bin/duplink /usr/bin/duplink-sim /usr/bin/duplink-record /usr/lib/duplink/duplink-speak; do
    [ -x "$program" ] || { echo "missing $program" >&2; exit 1; }
done
QT_QPA_PLATFORM=offscreen /usr/bin/duplink --version
/usr/bin/duplink-sim --version
desktop-file-validate /usr/share/applications/example.duplink.Duplink.desktop
[ -f /usr/share/icons/hicolor/48x48/apps/duplink.png ]
for program in duplink duplink-sim duplink-record; do
    man -w "$program"
done
# Debian 12's default flags have no control-flow protection, and its C start
# files carry no marking for it, so no program linked there can pass that one.
hardening-check --nocfprotection /usr/bin/duplink /usr/bin/duplink-sim /usr/bin/duplink-record \
    /usr/lib/duplink/duplink-speak
echo "package: installs and runs"
