#!/usr/bin/env bash
# tarvex-scan run as a user runs it, natively or (with scripts/wine.sh as the
# second argument) the .exe under wine: exit statuses, the lines it prints,
# and a tree with names in several scripts.
set -uo pipefail
exe=$1
runner=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -z "$runner" ] || /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true' EXIT

if [ -n "$runner" ]; then
  # The first run through the runner makes the prefix; the wine server then
  # stays up for the other runs instead of starting afresh for each.
  "$runner" "$exe" --version >/dev/null
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  /usr/lib/wine/wineserver -p
  run() { "$runner" --bare "$exe" "$@"; }
  # The host's folders as wine shows them: drive Z:.
  native() { local p=${1//\//\\}; printf 'Z:%s\n' "$p"; }
else
  run() { "$exe" "$@"; }
  native() { printf '%s\n' "$1"; }
fi

passed=0 failed=0
# expect NAME STATUS PATTERN ARGS...: the exit status, and a line of standard
# output (or, for a failing status, of standard error) matching PATTERN.
expect() {
  local name=$1 want=$2 pattern=$3
  shift 3
  local out err status
  out=$(run "$@" 2>"$work/err" | tr -d '\r')
  status=${PIPESTATUS[0]}
  err=$(tr -d '\r' <"$work/err")
  local text=$out
  [ "$want" -ne 2 ] || text=$err
  if [ "$status" -eq "$want" ] && grep -qF -- "$pattern" <<<"$text"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED %s: status %s (wanted %s)\n--- stdout\n%s\n--- stderr\n%s\n' "$name" "$status" "$want" "$out" "$err"
  fi
}

eicar='X5O!P%@AP[4\PZX54(P^)7CC)7}$EICAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*'
mkdir -p "$work/clean/sub" "$work/dirty" "$work/скан/病毒" "$work/ιός"
printf 'nothing here' >"$work/clean/sub/readme.txt"
printf '%s' "$eicar" >"$work/dirty/eicar.com"
printf '%s' "$eicar" >"$work/скан/病毒/файл.com"
printf '%s' "$eicar" >"$work/ιός/فيروس 🦠.com"
printf '6851CF3C:EICAR-Test-File\r\n' >"$work/truncated.db"
tab=$'\t'

expect version 0 "tarvex-scan 1.00" --version
expect help 0 "Usage: tarvex-scan [options] PATH..." --help
expect no-path 2 "no folder or file to scan"
expect bad-option 2 "unknown option '--bogus'" --bogus "$(native "$work/clean")"
expect clean 0 "Detections:     0" "$(native "$work/clean")"
expect found 1 "$(native "$work/dirty/eicar.com")${tab}EICAR-Test-File${tab}68${tab}" "$(native "$work/dirty")"
expect missing-path 2 "cannot find" "$(native "$work/nowhere")"
expect missing-db 2 "cannot read the database" --db "$(native "$work/none.db")" "$(native "$work/clean")"
expect mark-zero 2 "would mark every empty" --mark 0 "$(native "$work/clean")"
expect mark-zeros 2 "would mark every empty" --mark 00000000 "$(native "$work/clean")"
expect mark-empty 2 "--mark needs a checksum" --mark "" "$(native "$work/clean")"
expect damaged-db 2 "is damaged" --db "$(native "$work/truncated.db")" "$(native "$work/clean")"
expect scripts-1 1 "$(native "$work/скан/病毒/файл.com")${tab}EICAR-Test-File" "$(native "$work")"
expect scripts-2 1 "$(native "$work/ιός/فيروس 🦠.com")${tab}EICAR-Test-File" "$(native "$work")"
expect scripts-summary 1 "Detections:     3" "$(native "$work")"

# A quarantine whose manifest leads to /dev/zero: refused at once, never read
# (it filled the memory), and a scan trusts nothing from it.
mkdir -p "$work/zero" "$work/worm"
ln -s /dev/zero "$work/zero/karantina.txt"
printf 'MZ%0300d' 0 >"$work/worm/foto.jpg.exe"
expect zero-manifest 2 "is no ordinary file" --list-quarantine --quarantine "$(native "$work/zero")"
expect zero-manifest-trust 1 "${tab}Heur.DoubleExt${tab}" --quarantine "$(native "$work/zero")" "$(native "$work/worm")"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
