#!/bin/sh
# Fails on an include that runs upward. The folders of src/ stand in one
# order, top first, and each may include only the folders its line names,
# all of them below it; inside src/ui the files stand in layers, top first,
# and a file includes only its own layer's group and the layers below.
# Tests (tests/<folder>/ and tests/support/) stand above every folder of src/
# and may include any of it and the shared helpers of tests/support/;
# nothing in src/ includes a test's file, and tests/support/ includes no
# folder's own tests.
set -eu
root=${1:-$(dirname "$0")/..}
cd "$root"
order="app windows ui widgets console remedy scan signatures system base"
allowed="
app: windows ui widgets remedy scan signatures system base
windows: ui widgets remedy scan signatures system base
ui: widgets base
widgets: system base
console: remedy scan signatures system base
remedy: scan signatures system base
scan: signatures system base
signatures: system base
system: base
base:
"
# src/ui, top first: one line a layer, one group of files (a pattern) a word.
ui_layers="
table_window*
change_mirror*
control_kinds*
list_views* message_loop* frame_style*
window_state* list_rows*
control_state*
control_table* shown_list* frame_pacer* activation_rule* required_services* window_messages*
"

rank() {
  i=0
  for f in $order; do
    [ "$f" = "$1" ] && { echo $i; return; }
    i=$((i + 1))
  done
  echo -1
}

may_include() {  # folder: the folders it may include
  echo "$allowed" | sed -n "s/^$1:[[:space:]]*//p"
}

# The layer (line number) and group of a file of src/ui; "-1 -" when none holds it.
ui_place() {
  name=$(basename "$1")
  n=0
  for line in $(echo "$ui_layers" | sed '/^$/d' | tr ' ' ','); do
    n=$((n + 1))
    for group in $(echo "$line" | tr ',' ' '); do
      case $name in $group) echo "$n $group"; return ;; esac
    done
  done
  echo "-1 -"
}

status=0
for dir in src/*/; do
  [ "$(rank "$(basename "$dir")")" -ge 0 ] || { echo "src/$(basename "$dir"): a folder not in the include order"; status=1; }
done
for folder in $order; do
  for to in $(may_include "$folder"); do
    [ "$(rank "$to")" -gt "$(rank "$folder")" ] || { echo "$folder may include $to: $to is not below it"; status=1; }
  done
done
for file in src/ui/*; do
  [ "$(ui_place "$file")" != "-1 -" ] || { echo "$file: a file in no layer of src/ui"; status=1; }
done

# Every quoted include with a folder: "file: folder/name.h".
includes() { grep -rHoE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"/]+/[^"]+"' "$@" | sed -E 's/:[^"]*"([^"]+)"/ \1/'; }

for pair in $(includes src | tr ' ' '|'); do
  file=${pair%%|*}
  target=${pair#*|}
  from=$(echo "$file" | cut -d/ -f2)
  to=${target%%/*}
  if [ "$from" = "$to" ]; then
    [ "$from" = ui ] || continue
    set -- $(ui_place "$file")
    from_layer=$1 from_group=$2
    set -- $(ui_place "$target")
    if [ "$1" -lt "$from_layer" ] || { [ "$1" -eq "$from_layer" ] && [ "$2" != "$from_group" ]; }; then
      echo "$file includes $target: not below it in src/ui"
      status=1
    fi
    continue
  fi
  case " $(may_include "$from") " in
    *" $to "*) ;;
    *) echo "$file includes $target: $from may not include $to"; status=1 ;;
  esac
done

for pair in $(includes tests/support | tr ' ' '|'); do
  target=${pair#*|}
  to=${target%%/*}
  if [ "$to" != support ] && [ "$(rank "$to")" -lt 0 ]; then
    echo "${pair%%|*} includes $target: a helper of tests/support depends on one folder's tests"
    status=1
  fi
done

[ $status -eq 0 ] && echo "includes run one way: $order; src/ui in $(echo "$ui_layers" | sed '/^$/d' | wc -l) layers"
exit $status
