#!/bin/sh
# Stands in for duplink-speak in the tests: each "say N TEXT" is read at
# once ("done N") and TEXT written down, a line each, in $DUPLINK_SPOKEN;
# "stop" is written down as it is. Having read "exit", it ends, as a speaker
# that goes away while nothing is said.
while IFS= read -r line; do
    case $line in
    "say "*)
        line=${line#say }
        printf '%s\n' "${line#* }" >>"$DUPLINK_SPOKEN"
        printf 'done %s\n' "${line%% *}"
        [ "${line#* }" = exit ] && exit 0
        ;;
    stop) echo stop >>"$DUPLINK_SPOKEN" ;;
    esac
done
