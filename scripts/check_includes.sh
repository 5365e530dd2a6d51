#!/bin/sh
# Fails on an include that runs upward. The folders of src/, top first: a
# file may include its own folder and the folders below it, never one above.
# Tests (tests/<folder>/ and tests/support/) stand above every folder of src/
# and may include any of it and the shared helpers of tests/support/;
# nothing in src/ includes a test's file, and tests/support/ includes no
# folder's own tests.
set -eu
root=${1:-$(dirname "$0")/..}
cd "$root"
order="app windows ui widgets console remedy scan signatures system base"

rank() {
  i=0
  for f in $order; do
    [ "$f" = "$1" ] && { echo $i; return; }
    i=$((i + 1))
  done
  echo -1
}

status=0
for dir in src/*/; do
  [ "$(rank "$(basename "$dir")")" -ge 0 ] || { echo "src/$(basename "$dir"): a folder not in the include order"; status=1; }
done

# Every quoted include with a folder: "file: folder/name.h".
includes() { grep -rHoE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"/]+/[^"]+"' "$@" | sed -E 's/:[^"]*"([^"]+)"/ \1/'; }

for pair in $(includes src | tr ' ' '|'); do
  file=${pair%%|*}
  target=${pair#*|}
  from=$(echo "$file" | cut -d/ -f2)
  to=${target%%/*}
  from_rank=$(rank "$from")
  to_rank=$(rank "$to")
  if [ "$to_rank" -lt 0 ] || [ "$to_rank" -lt "$from_rank" ]; then
    echo "$file includes $target: $to is not below $from"
    status=1
  fi
done

for pair in $(includes tests/support | tr ' ' '|'); do
  target=${pair#*|}
  to=${target%%/*}
  if [ "$to" != support ] && [ "$(rank "$to")" -lt 0 ]; then
    echo "${pair%%|*} includes $target: a helper of tests/support depends on one folder's tests"
    status=1
  fi
done

[ $status -eq 0 ] && echo "includes run one way: $order"
exit $status
