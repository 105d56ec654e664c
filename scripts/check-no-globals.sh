#!/usr/bin/env bash
# Fails when a converter library holds writable data of its own (a global, a static member or a
# function-local static): conversions run on several threads at once and must share nothing.
# Usage: check-no-globals.sh LIBRARY.a...
set -euo pipefail
status=0
for lib in "$@"; do
  # sysv format: name | value | class | type | size | line | section
  found=$(nm -C --format=sysv "$lib" 2>/dev/null |
    awk -F'|' '{ s = $7; gsub(/ /, "", s); n = $1; sub(/ +$/, "", n) }
      s ~ /^\.(bss|data|tbss|tdata)($|\.)/ && s !~ /^\.data\.rel\.ro/ && n !~ /^DW\.ref\./ { print "  " n " (" s ")" }' |
    sort -u)
  if [ -n "$found" ]; then
    echo "$lib: writable data:"
    echo "$found"
    status=1
  fi
done
[ $status -eq 0 ] && echo "no writable data in: $*"
exit $status
