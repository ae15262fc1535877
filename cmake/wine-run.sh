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
# Wine names the files on Linux in the locale's character set: without UTF-8
# (LANG unset, as in a bare root) no Japanese file name can be made at all.
export LC_ALL=C.UTF-8
exec "$wine" "$program" "${args[@]}"
