#!/usr/bin/env bash
# The Debian package as a Linux user gets it: the files it installs, its
# dependencies read from the program, no lintian error, the program and
# database unpacked from it scanning with the package's own database, the
# manual page rendering and the completion completing.
#   check_deb.sh BUILD_DIR VERSION
set -uo pipefail
build=$1 version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; exit 1; }
deb=$out/tarvex-scan_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "no $deb:"; ls "$out"; exit 1; }

listed=$(dpkg-deb --contents "$deb" | awk '$6 !~ /\/$/ {print $6}' | sort | tr '\n' ' ')
want="./usr/bin/tarvex-scan ./usr/share/bash-completion/completions/tarvex-scan \
./usr/share/doc/tarvex-scan/changelog.gz ./usr/share/doc/tarvex-scan/copyright \
./usr/share/man/man1/tarvex-scan.1.gz ./usr/share/tarvex/Tarvex.db "
[ "$listed" = "$want" ] || fail "the package holds: $listed"
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libc6* ]] || fail "Depends is not read from the program: '$depends'"
dpkg-deb -x "$deb" "$out/root"
zcat "$out/root/usr/share/doc/tarvex-scan/changelog.gz" >"$out/changelog"
[ "$(dpkg-parsechangelog -l "$out/changelog" -S Version)" = "$version" ] || fail "the changelog's last entry is not $version"
cmp -s "$out/root/usr/share/tarvex/Tarvex.db" "$(dirname "$0")/../resources/Tarvex.db" || fail "Tarvex.db is not the shipped database"

# Errors fail; warnings are shown. (It warns of being run as root, as the tests are here.)
lintian --fail-on error "$deb" 2>&1 | grep -v 'root privileges' >"$out/lintian"
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian: $(cat "$out/lintian")"
[ ! -s "$out/lintian" ] || echo "lintian says: $(cat "$out/lintian")"

# The program from the package, with the database from the package's own
# path below the scratch root.
exe=$out/root/usr/bin/tarvex-scan
mkdir -p "$out/tree/sub"
printf '%s' 'X5O!P%@AP[4\PZX54(P^)7CC)7}$EICAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*' >"$out/tree/sub/eicar.com"
db=$out/root/usr/share/tarvex/Tarvex.db
lines=$(TARVEX_ROOT=$out/root "$exe" --no-summary "$out/tree")
[ $? -eq 1 ] && [ "$lines" = "$out/tree/sub/eicar.com"$'\tEICAR-Test-File\t68\t' ] || fail "the scan printed: $lines"
TARVEX_ROOT=$out/root "$exe" --help | grep -qxF "                    $db" || fail "--help does not name $db"
err=$(TARVEX_ROOT=$out/nowhere "$exe" "$out/tree" 2>&1 >/dev/null)
[ $? -eq 2 ] && [[ $err == *"looked for $out/root/usr/bin/Tarvex.db, $out/nowhere/usr/share/tarvex/Tarvex.db;"* ]] ||
  fail "a missing database: $err"

MANWIDTH=80 man --warnings -l "$out/root/usr/share/man/man1/tarvex-scan.1.gz" >"$out/man" 2>"$out/man.err"
grep -q -- '--move DIR' "$out/man" && [ ! -s "$out/man.err" ] || fail "man: $(cat "$out/man.err")"

completion=$out/root/usr/share/bash-completion/completions/tarvex-scan
offers() {  # offers WORD...: what the completion offers for the last word
  (cd "$out/tree" && bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _tarvex_scan
                             printf "%s " "${COMPREPLY[@]}"' sh "$completion" "$@")
}
[ "$(offers tarvex-scan --mo)" = "--move " ] || fail "after --mo the completion offers: $(offers tarvex-scan --mo)"
[ "$(offers tarvex-scan --move '')" = "sub " ] || fail "after --move it offers: $(offers tarvex-scan --move '')"
[ "$(offers tarvex-scan --db = s)" = "sub " ] || fail "after --db= it offers: $(offers tarvex-scan --db = s)"

[ $failed -eq 0 ] && echo "debian package: $(basename "$deb"), Depends: $depends"
exit $failed
