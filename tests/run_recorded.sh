#!/usr/bin/env bash
# Runs every recorded run under tests/fixtures/runs with the given program
# command (for instance "wine build/windows/zelvane.exe") and compares the
# exit status, standard output and output files byte for byte with the
# recordings. Prints "N passed, N failed".
set -u
fixtures="$(cd "$(dirname "$0")" && pwd)/fixtures/runs"
passed=0
failed=0
for case in "$fixtures"/*/; do
  name=$(basename "$case")
  work=$(mktemp -d)
  find "$case" -maxdepth 1 -type f -exec cp {} "$work/" \;
  (cd "$work" && "$@" < answers > .stdout 2> /dev/null; echo $? > .status)
  ok=1
  cmp -s "$work/.status" "$case/expected/status" || { echo "$name: exit status $(cat "$work/.status")"; ok=0; }
  cmp -s "$work/.stdout" "$case/expected/stdout" || { echo "$name: standard output differs"; ok=0; }
  for file in fourier_response.txt inv_fourier.out real_inv.out; do
    if [ -f "$case/expected/$file" ]; then
      cmp -s "$work/$file" "$case/expected/$file" || { echo "$name: $file differs"; ok=0; }
    elif [ -e "$work/$file" ]; then
      echo "$name: $file written"; ok=0
    fi
  done
  rm -rf "$work"
  if [ $ok = 1 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done
echo "$passed passed, $failed failed"
[ $failed = 0 ]
