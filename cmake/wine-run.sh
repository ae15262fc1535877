#!/usr/bin/env bash
# Runs a Windows program under wine64: the test command of the Windows build
# (CMAKE_CROSSCOMPILING_EMULATOR). Every argument after the program that
# names an existing Linux file or folder is given as its Windows path on
# drive Z:, which Wine maps to /. Wine's own messages stay off unless
# WINEDEBUG asks for them; they go to standard error, never to the output.
#
#   cmake/wine-run.sh PROGRAM.exe [ARGUMENT...]
set -euo pipefail
wine=${YASERUNBA_WINE:-}
if [ -z "$wine" ]; then
  wine=$(command -v wine64 || true)
  [ -n "$wine" ] || wine=/usr/lib/wine/wine64  # where Debian 12 keeps it
fi
program=$1
shift
args=()
for arg in "$@"; do
  if [[ $arg == /* && -e $arg ]]; then arg="Z:${arg//\//\\}"; fi
  args+=("$arg")
done
export WINEDEBUG=${WINEDEBUG:--all}
exec "$wine" "$program" "${args[@]}"
