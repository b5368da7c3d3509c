#!/usr/bin/env bash
# Checks the translations against the sources: lupdate, run as the build's
# update_translations target runs it, finds the texts in the sources and
# writes them into a copy of each .ts file. Fails, saying which text and
# file, when a text is new in the sources, is not translated (unfinished or
# empty), is no longer in the sources, or when the file is otherwise not as
# lupdate writes it.
# Usage: tests/check-translations.sh SOURCE_DIR TS_FILE... -- LUPDATE [ARGUMENTS...]
set -euo pipefail
usage() { echo "usage: $0 SOURCE_DIR TS_FILE... -- LUPDATE [ARGUMENTS...]" >&2; exit 2; }
[ $# -ge 4 ] || usage
source_dir=$1
shift
ts_files=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    ts_files+=("$1")
    shift
done
[ "${1:-}" = -- ] && [ $# -ge 2 ] && [ ${#ts_files[@]} -gt 0 ] || usage
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One line per message: its state (done, unfinished, empty or gone), its
# context and its text, tab-separated, with XML's escapes undone.
messages() {
    awk '
        function unescape(s) {
            gsub(/&lt;/, "<", s); gsub(/&gt;/, ">", s); gsub(/&quot;/, "\"", s)
            gsub(/&apos;/, "\047", s); gsub(/&amp;/, "\\&", s)
            return s
        }
        /<context>/ { context = ""; named = 0 }
        /<name>/ && !named { context = $0; sub(/.*<name>/, "", context); sub(/<\/name>.*/, "", context); named = 1 }
        /<message/ { source = ""; state = "" }
        /<source>/ { reading = 1; source = "" }
        reading {
            line = $0; sub(/.*<source>/, "", line)
            if (line ~ /<\/source>/) { sub(/<\/source>.*/, "", line); reading = 0 } else line = line "\\n"
            source = source line
        }
        /<translation/ {
            if ($0 ~ /type="(vanished|obsolete)"/) state = "gone"
            else if ($0 ~ /type="unfinished"/) state = "unfinished"
            else if ($0 ~ /<translation[^>]*><\/translation>|<numerusform><\/numerusform>/) state = "empty"
            else state = "done"
        }
        /<numerusform><\/numerusform>/ && state == "done" { state = "empty" }
        /<\/message>/ { printf "%s\t%s\t%s\n", state, context, unescape(source) }
    ' "$1"
}

failed=0
for ts in "${ts_files[@]}"; do
    name=$(basename "$ts")
    copy="$work/$name"
    cp "$ts" "$copy"
    if ! (cd "$source_dir" && "$@" -ts "$copy") > "$work/lupdate.log" 2>&1; then
        echo "$name: lupdate failed:"
        cat "$work/lupdate.log"
        failed=1
        continue
    fi
    messages "$ts" > "$work/before"
    messages "$copy" > "$work/after"
    problems=$(awk -F '\t' -v file="$name" '
        NR == FNR { before[$2 "\t" $3] = $1; next }
        {
            key = $2 "\t" $3; seen[key] = 1
            where = "\"" $3 "\" (" $2 ")"
            if (!(key in before)) print file ": new in the sources, not in the file yet: " where
            else if ($1 == "unfinished") print file ": not translated yet: " where
            else if ($1 == "empty") print file ": translated as nothing: " where
            else if ($1 == "gone") print file ": no longer in the sources: " where
        }
        END { for (key in before) if (!(key in seen)) { split(key, part, "\t"); print file ": no longer in the sources: \"" part[2] "\" (" part[1] ")" } }
    ' "$work/before" "$work/after" | sort)
    if [ -n "$problems" ]; then
        echo "$problems"
        failed=1
    elif ! cmp -s "$ts" "$copy"; then
        echo "$name: not as lupdate writes it (a translator's comment or the order changed):"
        diff -u "$ts" "$copy" || true
        failed=1
    fi
done

if [ $failed -ne 0 ]; then
    echo
    echo "Bring the files up to date with: cmake --build BUILD_DIR --target update_translations"
    echo "then translate each text marked unfinished (Qt Linguist, or by hand in the .ts file)."
    exit 1
fi
echo "translations: ${#ts_files[@]} files complete and up to date with the sources"
