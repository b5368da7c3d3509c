#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what lands there.
# Usage: scripts/check-install.sh BUILD_DIR [--no-manpages]
#   --no-manpages  the build was configured without help2man: expect no pages
set -euo pipefail
build_dir=$(cd "${1:?usage: $0 BUILD_DIR [--no-manpages]}" && pwd)
manpages=yes
[ "${2:-}" = --no-manpages ] && manpages=no
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" > /dev/null

failed=0
expect() {
    if [ ! -e "$prefix/$1" ]; then
        echo "missing: $1"
        failed=1
    fi
}
for program in duplink duplink-sim duplink-record; do
    expect "bin/$program"
    [ -x "$prefix/bin/$program" ] || { echo "not executable: bin/$program"; failed=1; }
    if [ $manpages = yes ]; then
        expect "share/man/man1/$program.1.gz"
    elif [ -e "$prefix/share/man/man1/$program.1.gz" ]; then
        echo "unexpected: share/man/man1/$program.1.gz"
        failed=1
    fi
done
expect lib/duplink/duplink-speak
[ -x "$prefix/lib/duplink/duplink-speak" ] || { echo "not executable: lib/duplink/duplink-speak"; failed=1; }
expect share/doc/duplink/copyright
expect share/doc/duplink/changelog.gz
expect share/applications/example.duplink.Duplink.desktop
expect share/metainfo/example.duplink.Duplink.metainfo.xml
for size in 16 24 32 48 64 96 128; do
    icon="share/icons/hicolor/${size}x${size}/apps/duplink.png"
    expect "$icon"
    if [ -e "$prefix/$icon" ] && ! file "$prefix/$icon" | grep -q "$size x $size"; then
        echo "wrong size: $icon"
        failed=1
    fi
done

desktop-file-validate "$prefix/share/applications/example.duplink.Duplink.desktop" || failed=1
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/example.duplink.Duplink.metainfo.xml" \
    > /dev/null || failed=1
QT_QPA_PLATFORM=offscreen "$prefix/bin/duplink" --version | grep -q '^duplink ' || failed=1

[ $failed -eq 0 ] && echo "install: all files in place and valid"
exit $failed
