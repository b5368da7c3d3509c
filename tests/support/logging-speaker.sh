#!/bin/sh
# Stands in for duplink-speak in the tests: each "say N TEXT" is read at
# once ("done N") and TEXT written down, a line each, in $DUPLINK_SPOKEN;
# "stop" is written down as it is.
while IFS= read -r line; do
    case $line in
    "say "*)
        line=${line#say }
        printf '%s\n' "${line#* }" >>"$DUPLINK_SPOKEN"
        printf 'done %s\n' "${line%% *}"
        ;;
    stop) echo stop >>"$DUPLINK_SPOKEN" ;;
    esac
done
