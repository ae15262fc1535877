#!/usr/bin/env bash
# Runs one scenario through yaserunba-script and compares what it prints with
# the expected output beside it.
#
#   run_scenario.sh DRIVER SCENARIO.txt
#   run_scenario.sh RUNNER... DRIVER SCENARIO.txt
#
# Every argument before the scenario makes up the command that runs the
# driver: for the Windows build, cmake/wine-run.sh and the driver's .exe. The
# files are laid out here, on this system, and the driver is given the folder.
#
# The scenario may lay out data files before it runs: a block
#   #file NAME
#   #| first line
#   #| second line
#   #end
# becomes the file NAME, Shift-JIS with CR LF line ends; a block that begins
# "#utf8file NAME" instead becomes a UTF-8 file (no byte-order mark), CR LF
# line ends as well; "#folder NAME" makes a folder of that name instead (a
# file that cannot be read). "#datadir NAME" makes the data folder itself a
# folder of that name (a Japanese one, say) inside the temporary one. "#exit
# N" gives the expected exit status (0 when absent). The expected output is
# SCENARIO.out; in it the data folder's path reads DATA.
# With BLESS=1 the output is written there instead, to be read and checked.
set -euo pipefail
driver=("${@:1:$#-1}")
scenario=${!#}
expected=${scenario%.txt}.out
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
datadir=$(sed -n 's/^#datadir \(.*\)$/\1/p' "$scenario" | head -n 1)
folder=$top${datadir:+/$datadir}
mkdir -p "$folder"

name=""
content=""
encoding=CP932
while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in
    "#file "*) name=${line#\#file }; content=""; encoding=CP932 ;;
    "#utf8file "*) name=${line#\#utf8file }; content=""; encoding=UTF-8 ;;
    "#folder "*) mkdir -p "$folder/${line#\#folder }" ;;
    "#| "*|"#|") text=${line#\#|}; content+="${text# }"$'\r\n' ;;
    "#end")
      printf '%s' "$content" | iconv -f UTF-8 -t "$encoding" > "$folder/$name"
      name="" ;;
  esac
done < "$scenario"

want_exit=$(sed -n 's/^#exit \([0-9]\+\)$/\1/p' "$scenario" | head -n 1)
want_exit=${want_exit:-0}

set +e
"${driver[@]}" --data-dir "$folder" "$scenario" >"$top.out" 2>"$top.err"
status=$?
set -e
errors=$(cat "$top.err")
trap 'rm -rf "$top" "$top.out" "$top.err"' EXIT
# The data folder's own path is a temporary one: the output names it DATA,
# with the separator after it as on POSIX. Under Wine the program sees it as
# Z:\tmp\..., which a dump's quoted text writes with each \ doubled.
windows='Z:'"${folder//\//\\}"
quoted=${windows//\\/\\\\}
if grep -qF -e "$folder" -e "$windows" -e "$quoted" "$top.out"; then
  output=$(cat "$top.out")
  for path in "$quoted" "$windows" "$folder"; do
    output=${output//"$path\\\\"/DATA/}
    output=${output//"$path\\"/DATA/}
    output=${output//"$path"/DATA}
  done
  printf '%s\n' "$output" > "$top.out"
fi

if [ "${BLESS:-0}" = 1 ]; then cp "$top.out" "$expected"; fi

if [ "$status" -ne "$want_exit" ]; then
  echo "exit status $status, expected $want_exit"
  [ -n "$errors" ] && echo "$errors"
  exit 1
fi
if ! diff -u "$expected" "$top.out"; then
  [ -n "$errors" ] && echo "$errors"
  exit 1
fi
