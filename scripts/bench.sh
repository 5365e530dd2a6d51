#!/usr/bin/env bash
# How fast a scan is, against the cost of reading the files: one run over a
# generated corpus (scripts/bench_corpus.py, fixed seed), warm cache.
#   cat over every file                      (native; the floor for tarvex-scan)
#   tarvex-scan                              (native)
#   tarvex-scan.exe and a minimal reader     (x86_64 under wine64; the reader
#                                            lists the tree twice and reads
#                                            every file once in 1 MB blocks)
#   the window's scan                        (TarvexAV.exe under wine64, Scan
#                                            clicked, the folder browser answered)
#   clamscan                                 (Debian's clamav, the six patterns as
#                                            body signatures, 1 999 MD5 signatures)
# Native figures are the best of three runs. The three wine programs take
# turns for nine rounds and give the median of their nine, so that a swing of
# the machine's speed (wine's figures change two-fold from one minute to the
# next) falls on each of them alike, and one lucky or unlucky run moves no
# ratio.
#
# Then the infested flash disk (scripts/bench_stick.py: hidden folders, a
# worm's program beside each, ten small files in each, EICAR in every tenth),
# at 200 and 2 000 folders: the window's scan against tarvex-scan.exe on the
# same tree, and Karantina's and Hapus's time per row, medians of five rounds
# taken in turns; then the window's peak memory with over 20 000 rows. The
# wine server and every wine program of this case run on one processor: each
# of the thousands of requests a scan makes to the server then wakes it on the
# processor it runs on. Across the processors of a virtual machine such a
# wake-up costs tens of microseconds more, depending on what else the host
# runs, and made the same run take from 4 to 10 s.
#   scripts/bench.sh [corpus|stick]   one of the two; both when not given
# Not part of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
cases=${1:-corpus stick}
scripts/setup.sh
if [[ $cases == *corpus* ]] && ! command -v clamscan >/dev/null; then
  echo "bench: installing clamav"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq --no-install-recommends clamav >/dev/null
fi

# A compiler cache where there is one; without it, a launcher that is not
# there would fail every compile.
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache} CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
fi
cmake --preset native >/dev/null && cmake --build --preset native --target tarvex-scan >/dev/null
cmake --preset win64 >/dev/null && cmake --build --preset win64 --target tarvex-scan minimal_reader window_scan_driver >/dev/null

bench=$root/build/bench
corpus=$bench/corpus

export WINEPREFIX=$bench/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
scripts/wine.sh "$root/build/win64/bin/tarvex-scan.exe" --version >/dev/null  # makes the prefix
if [ -z "${DISPLAY:-}" ]; then
  source scripts/private_display.sh
  start_private_display 1280x1024x24
fi
/usr/lib/wine/wineserver -p  # one wine server for all the Windows runs
finish() {
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  if [ -n "${private_display_pid:-}" ]; then kill "$private_display_pid" 2>/dev/null || true; fi
}
trap finish EXIT
# The host's folders as wine shows them: drive Z:.
windows_path() { echo "Z:${1//\//\\}"; }

now() { date +%s.%N; }
# best CMD...: the shortest wall time of three runs, in seconds.
best() {
  local b="" t s
  for _ in 1 2 3; do
    s=$(now); "$@" >/dev/null 2>&1 || [ $? -eq 1 ]; t=$(awk -v a="$s" -v b="$(now)" 'BEGIN{printf "%.3f", b-a}')
    if [ -z "$b" ] || awk -v a="$t" -v b="$b" 'BEGIN{exit !(a<b)}'; then b=$t; fi
  done
  echo "$b"
}
# reported PATTERN CMD...: the time the program reports itself (wine's own
# start-up, half a second or more, is no part of a scan).
reported() {
  local pattern=$1
  shift
  { "$@" 2>/dev/null || true; } | tr -d '\r' | sed -n "s/$pattern/\1/p" | head -1
}
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", a/b}'; }
per_row() { awk -v t="$1" -v n="$2" 'BEGIN{printf "%.3f", t * 1000 / n}'; }
# The driver without its debug information: wine loads an image's debug
# sections with it or not depending on the image's layout, which moved the
# peak working set by 20 MB from one build to the next.
driver=$bench/window_scan_driver.exe
x86_64-w64-mingw32-strip -o "$driver" "$root/build/win64/bench/window_scan_driver.exe"
exe=$root/build/win64/bin/tarvex-scan.exe
echo
echo "machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p' | head -1)"

corpus_case() {
  local stamp tree wtree wdb
  stamp=$(sha256sum scripts/bench_corpus.py | cut -c1-16)
  if [ "$(cat "$corpus/.stamp" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$corpus" && mkdir -p "$corpus"
    python3 scripts/bench_corpus.py "$corpus"
    echo "$stamp" >"$corpus/.stamp"
  fi
  tree=$corpus/tree wtree=$(windows_path "$corpus/tree") wdb=$(windows_path "$corpus/Tarvex.db")
  find "$tree" -type f -print0 | xargs -0 cat >/dev/null  # warm the cache

  local t_cat t_native t_reader t_exe t_window t_clam found reader=() exes=() window=()
  t_cat=$(best sh -c "find '$tree' -type f -print0 | xargs -0 cat")
  t_native=$(best "$root/build/native/bin/tarvex-scan" --db "$corpus/Tarvex.db" "$tree")
  for _ in 1 2 3 4 5 6 7 8 9; do
    reader+=("$(reported '.*seconds \([0-9.]*\)$' "$wine" "$root/build/win64/bench/minimal_reader.exe" "$wtree")")
    exes+=("$(reported '^Time: *\([0-9.]*\) s$' "$wine" "$exe" --db "$wdb" "$wtree")")
    window+=("$(reported '.*seconds \([0-9.]*\)$' "$wine" "$driver" "$wtree" "$wdb")")
  done
  t_reader=$(median "${reader[@]}") t_exe=$(median "${exes[@]}") t_window=$(median "${window[@]}")
  t_clam=$(best clamscan --no-summary --infected -r -d "$corpus/bench.ndb" -d "$corpus/bench.hdb" "$tree")

  found=$("$root/build/native/bin/tarvex-scan" --no-summary --db "$corpus/Tarvex.db" "$tree" | wc -l || true)
  echo "corpus:  $(find "$tree" -type f | wc -l) files, $(du -sm "$tree" | cut -f1) MB, $(find "$tree" -type d | wc -l) folders; tarvex-scan finds $found"
  printf '%-44s %8s s\n' "cat over every file (native)" "$t_cat" \
    "tarvex-scan (native)" "$t_native" \
    "clamscan (native)" "$t_clam" \
    "minimal reader (wine64)" "$t_reader" \
    "tarvex-scan.exe (wine64)" "$t_exe" \
    "window's scan, TarvexAV.exe (wine64)" "$t_window"
  echo "tarvex-scan / cat:                 $(ratio "$t_native" "$t_cat")   (target at most 1.0)"
  echo "clamscan / tarvex-scan:            $(ratio "$t_clam" "$t_native")   (target at least 5)"
  echo "tarvex-scan.exe / minimal reader:  $(ratio "$t_exe" "$t_reader")"
  echo "window's scan / minimal reader:    $(ratio "$t_window" "$t_reader")   (target at most 1.25)"
}

# The infested flash disk. Karantina and Hapus take the files away, so every
# window run scans a fresh copy of the stick, and the quarantine starts empty.
stick=$bench/stick
wdb_stick=$(windows_path "$stick/Tarvex.db")
quarantine=$WINEPREFIX/drive_c/Karantina
make_stick() {  # make_stick FOLDERS [FILES_PER_FOLDER]: the stick's folder
  local dir=$stick/s$1-${2:-10} stamp
  stamp=$(sha256sum scripts/bench_stick.py | cut -c1-16)
  if [ "$(cat "$dir.stamp" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$dir" && python3 scripts/bench_stick.py "$dir" "$@" && echo "$stamp" >"$dir.stamp"
  fi
  echo "$dir"
}
one_cpu=(taskset -c "$(($(nproc) - 1))")  # see the top
# window_run STICK karantina|hapus: the driver's line for a fresh copy of STICK.
window_run() {
  rm -rf "$stick/run" "$quarantine" && cp -a "$1" "$stick/run"
  { "${one_cpu[@]}" "$wine" "$driver" "$(windows_path "$stick/run")" "$wdb_stick" "$2" 2>/dev/null || true; } | tr -d '\r'
}
field() { sed -n "s/.*[,;] $1 \([0-9.][0-9.]*\).*/\1/p" | head -1; }  # field NAME < driver line

stick_case() {
  mkdir -p "$stick" && cp resources/Tarvex.db "$stick/"
  local n line sizes="200 2000"
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w
  "${one_cpu[@]}" /usr/lib/wine/wineserver -p
  declare -A scan console karantina hapus rows files
  for n in $sizes; do make_stick "$n" >/dev/null; done
  for _ in 1 2 3 4 5; do
    for n in $sizes; do
      local dir
      dir=$(make_stick "$n")
      console[$n]+=" $(reported '^Time: *\([0-9.]*\) s$' "${one_cpu[@]}" "$wine" "$exe" --db "$wdb_stick" "$(windows_path "$dir")")"
      line=$(window_run "$dir" karantina)
      scan[$n]+=" $(field seconds <<<"$line")" karantina[$n]+=" $(field 'karantina seconds' <<<"$line")"
      rows[$n]=$(field rows <<<"$line") files[$n]=$(field files <<<"$line")
      line=$(window_run "$dir" hapus)
      scan[$n]+=" $(field seconds <<<"$line")" hapus[$n]+=" $(field 'hapus seconds' <<<"$line")"
    done
  done
  echo "infested stick (hidden folders, a worm's program beside each, EICAR in every tenth; medians of five):"
  printf '| %-7s | %-6s | %-5s | %-11s | %-15s | %-24s | %-24s |\n' folders files rows "window scan" "tarvex-scan.exe" \
    "Karantina (ms a row)" "Hapus (ms a row)"
  declare -A m_scan m_console m_karantina m_hapus
  for n in $sizes; do
    # shellcheck disable=SC2086  # the samples are words
    m_scan[$n]=$(median ${scan[$n]}) m_console[$n]=$(median ${console[$n]})
    # shellcheck disable=SC2086
    m_karantina[$n]=$(median ${karantina[$n]}) m_hapus[$n]=$(median ${hapus[$n]})
    printf '| %-7s | %-6s | %-5s | %9s s | %13s s | %8s s (%s ms) | %8s s (%s ms) |\n' "$n" "${files[$n]}" "${rows[$n]}" \
      "${m_scan[$n]}" "${m_console[$n]}" "${m_karantina[$n]}" "$(per_row "${m_karantina[$n]}" "${rows[$n]}")" \
      "${m_hapus[$n]}" "$(per_row "${m_hapus[$n]}" "${rows[$n]}")"
  done
  local k200 k2000 h200 h2000
  k200=$(per_row "${m_karantina[200]}" "${rows[200]}") k2000=$(per_row "${m_karantina[2000]}" "${rows[2000]}")
  h200=$(per_row "${m_hapus[200]}" "${rows[200]}") h2000=$(per_row "${m_hapus[2000]}" "${rows[2000]}")
  echo "window's scan / tarvex-scan.exe, 2 000 folders:  $(ratio "${m_scan[2000]}" "${m_console[2000]}")   (target at most 1.3)"
  echo "Karantina a row, 2 000 / 200 folders:           $(ratio "$k2000" "$k200")   (target at most 1.3)"
  echo "Hapus a row, 2 000 / 200 folders:               $(ratio "$h2000" "$h200")"

  # The peak memory with over 20 000 rows (folders with nothing but EICAR in
  # every tenth: the rows, not the files, are what the window holds).
  line=$(window_run "$(make_stick 18182 0)" hapus)
  echo "peak working set of the window with $(field rows <<<"$line") rows: $(field 'peak MB' <<<"$line") MB   (target under 100)"
  rm -rf "$stick/run" "$quarantine"
}

for c in $cases; do "${c}_case"; done
