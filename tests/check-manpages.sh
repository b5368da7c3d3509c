#!/usr/bin/env bash
# Checks the manual pages against the programs they describe: each page's
# OPTIONS are exactly the options its program's --help lists, every option
# the hand-written sections mention belongs to one of the programs, and man
# has nothing to warn about.
# Usage: tests/check-manpages.sh PROGRAM PAGE [PROGRAM PAGE ...]
set -euo pipefail
[ $# -ge 2 ] && [ $(($# % 2)) -eq 0 ] || { echo "usage: $0 PROGRAM PAGE [PROGRAM PAGE ...]" >&2; exit 2; }

# Option names (-o, --output) in the text read, one a line, sorted.
option_names() {
    grep -oE -- '(^|[[:space:](])--?[A-Za-z][A-Za-z0-9-]*' | sed -E 's/^[[:space:](]//' | sort -u || true
}

# The option column of --help: lines that start with two spaces and a dash;
# the description begins after the next run of spaces.
help_options() {
    "$1" --help | sed -nE 's/^  (-[^ ]*( [^ ]+)*).*/\1/p' | option_names
}

# The page as text with the escapes that hide dashes and fonts removed.
page_text() {
    zcat -f "$1" | grep -v '^\.\\"' | sed -E 's/\\-/-/g; s/\\f[BIRP]//g; s/\\[,/&]//g'
}

# The tags of the OPTIONS section: the line after each .TP.
page_options() {
    page_text "$1" | awk '/^\.SH/ { inside = ($2 == "OPTIONS") } inside && tagged { print } { tagged = ($1 == ".TP") }' |
        option_names
}

failed=0
all_options=$(mktemp)
trap 'rm -f "$all_options"' EXIT
args=("$@")
for ((i = 0; i < ${#args[@]}; i += 2)); do
    program=${args[i]} page=${args[i + 1]}
    name=$(basename "$program")
    help=$(help_options "$program")
    [ -n "$help" ] || { echo "$name: --help lists no options"; failed=1; }
    echo "$help" >> "$all_options"
    if ! differences=$(diff <(echo "$help") <(page_options "$page")); then
        echo "$name: the page's options differ from --help (< help only, > page only):"
        echo "$differences"
        failed=1
    fi
    warnings=$(man --warnings -E UTF-8 -l "$page" 2>&1 > /dev/null)
    if [ -n "$warnings" ]; then
        echo "$name: man warns:"
        echo "$warnings"
        failed=1
    fi
done

for ((i = 1; i < ${#args[@]}; i += 2)); do
    page=${args[i]}
    unknown=$(page_text "$page" | option_names | grep -vxF -f "$all_options" | paste -sd ' ' || true)
    if [ -n "$unknown" ]; then
        echo "$(basename "$page"): mentions options no program has: $unknown"
        failed=1
    fi
done

[ $failed -eq 0 ] && echo "manual pages: options match --help, no warnings"
exit $failed
