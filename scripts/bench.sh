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
# ratio. Not part of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh
if ! command -v clamscan >/dev/null; then
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
stamp=$(sha256sum scripts/bench_corpus.py | cut -c1-16)
if [ "$(cat "$corpus/.stamp" 2>/dev/null)" != "$stamp" ]; then
  rm -rf "$corpus" && mkdir -p "$corpus"
  python3 scripts/bench_corpus.py "$corpus"
  echo "$stamp" >"$corpus/.stamp"
fi
tree=$corpus/tree

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
wtree="Z:${tree//\//\\}"
wdb="Z:${corpus//\//\\}\\Tarvex.db"

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

find "$tree" -type f -print0 | xargs -0 cat >/dev/null  # warm the cache

t_cat=$(best sh -c "find '$tree' -type f -print0 | xargs -0 cat")
t_native=$(best "$root/build/native/bin/tarvex-scan" --db "$corpus/Tarvex.db" "$tree")
reader=() exe=() window=()
for _ in 1 2 3 4 5 6 7 8 9; do
  reader+=("$(reported '.*seconds \([0-9.]*\)$' "$wine" "$root/build/win64/bench/minimal_reader.exe" "$wtree")")
  exe+=("$(reported '^Time: *\([0-9.]*\) s$' "$wine" "$root/build/win64/bin/tarvex-scan.exe" --db "$wdb" "$wtree")")
  window+=("$(reported '.*seconds \([0-9.]*\)$' "$wine" "$root/build/win64/bench/window_scan_driver.exe" "$wtree" "$wdb")")
done
t_reader=$(median "${reader[@]}") t_exe=$(median "${exe[@]}") t_window=$(median "${window[@]}")
t_clam=$(best clamscan --no-summary --infected -r -d "$corpus/bench.ndb" -d "$corpus/bench.hdb" "$tree")

found=$("$root/build/native/bin/tarvex-scan" --no-summary --db "$corpus/Tarvex.db" "$tree" | wc -l || true)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", a/b}'; }
echo
echo "machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p' | head -1)"
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
