#!/usr/bin/env bash
# Checks the packages of make package without installing anything: the .deb
# unpacked with dpkg-deb -x and the .zip unpacked into a fresh folder each
# check the example in a folder without fips.lst (the list installed with the
# program serves) and must write the reports of the Linux program run with
# that list (the Windows ones with CR LF line ends); lintian must report no
# error for the .deb (warnings allowed).
#
#   tools/check-packages.sh LINUX_PROGRAM PACKAGE_FOLDER
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "$1")
packages=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEDLLOVERRIDES=mscoree,mshtml= WINEDEBUG=-all
args=(-q --data example.dat --foster-care-report f.txt --adoption-report a.txt --state 01 --as-of "2026-12-08 09:00")

mkdir "$work/ref" && cp examples/example.dat "$work/ref/"
(cd "$work/ref" && "$program" "${args[@]}" --fips "$OLDPWD/data/fips.lst")

deb=$(ls "$packages"/vortel-dq_*_amd64.deb)
lintian --fail-on error "$deb" || { echo "check-packages: lintian found an error in $deb" >&2; exit 1; }
dpkg-deb -x "$deb" "$work/deb"
for f in usr/bin/vortel-dq usr/share/vortel-dq/fips.lst usr/share/vortel-dq/example.dat \
         usr/share/vortel-dq/README.md usr/share/man/man1/vortel-dq.1.gz usr/share/doc/vortel-dq/copyright; do
  [ -e "$work/deb/$f" ] || { echo "check-packages: $f is not in $deb" >&2; exit 1; }
done
mkdir "$work/deb-run" && cp "$work/deb/usr/share/vortel-dq/example.dat" "$work/deb-run/"
(cd "$work/deb-run" && "$work/deb/usr/bin/vortel-dq" "${args[@]}" 2> err.txt)
grep -qx "Local agency list: $work/deb/usr/share/vortel-dq/fips.lst (installed with the program)" "$work/deb-run/err.txt"
cmp "$work/ref/f.txt" "$work/deb-run/f.txt" && cmp "$work/ref/a.txt" "$work/deb-run/a.txt"

zip=$(ls "$packages"/vortel-dq-*-windows-x64.zip)
mkdir "$work/zip" && (cd "$work/zip" && cmake -E tar xf "$zip")
exe=$(ls "$work"/zip/*/vortel-dq.exe)
readme=$(dirname "$exe")/README.txt
[ -s "$readme" ] && ! sed 's/\r$//' "$readme" | grep -q $'\r' && [ "$(grep -c $'\r$' "$readme")" = "$(wc -l < "$readme")" ] ||
  { echo "check-packages: README.txt does not end its lines with CR LF" >&2; exit 1; }
mkdir "$work/zip-run" && cp "$(dirname "$exe")/example.dat" "$work/zip-run/"
(cd "$work/zip-run" && wine "$exe" "${args[@]}" 2> err.txt)
grep -q "fips.lst (installed with the program)" "$work/zip-run/err.txt"
crlf_equal='import sys; a, b = (open(n, "rb").read() for n in sys.argv[1:]); sys.exit(a.replace(b"\n", b"\r\n") != b)'
for r in f.txt a.txt; do
  python3 -c "$crlf_equal" "$work/ref/$r" "$work/zip-run/$r" ||
    { echo "check-packages: the .zip's $r is not the Linux report with CR LF" >&2; exit 1; }
done
echo "check-packages: the .deb and the .zip check the example with the list installed with them"
