#!/usr/bin/env bash
# make package: the Debian package (vortel-dq_VERSION_amd64.deb) from a
# Release build of the program, and the Windows .zip
# (vortel-dq-VERSION-windows-x64.zip) from the Windows build, both written to
# OUT.
#
#   tools/package.sh WINDOWS_BUILD OUT
set -euo pipefail
cd "$(dirname "$0")/.."
WIN=${1:-build-windows}
OUT=${2:-build-package}
LIN=$OUT/linux

cmake -S . -B "$LIN" -DCMAKE_BUILD_TYPE=Release -DVORTEL_TESTS=OFF >/dev/null
cmake --build "$LIN" -j "${JOBS:-2}" --target vortel-dq

# The manual page (from the option table, through --help), the copyright
# file and the changelog the Debian package carries.
mkdir -p "$LIN/package"
python3 tools/manpage.py "$LIN/vortel-dq" "$LIN/package/vortel-dq.1"
gzip -9nf "$LIN/package/vortel-dq.1"
version=$("$LIN/vortel-dq" --version | awk '{print $NF}')
{
  echo "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
  echo "Upstream-Name: vortel-dq"
  echo
  echo "Files: *"
  echo "Copyright: 2026 the vortel-dq authors"
  echo "License: MIT"
  sed -n '/^Permission/,$p' LICENSE | sed 's/^$/./; s/^/ /'
} > "$LIN/package/copyright"
{
  echo "vortel-dq ($version) unstable; urgency=medium"
  echo
  echo "  * Release $version."
  echo
  echo " -- The vortel-dq project <vortel-dq@users.noreply.github.com>  $(date -R -d @"${SOURCE_DATE_EPOCH:-1796688000}")"
} > "$LIN/package/changelog"
gzip -9nf "$LIN/package/changelog"

out=$(realpath "$OUT")
(cd "$LIN" && cpack -G DEB -B "$out/cpack" >/dev/null)
(cd "$WIN" && cpack -G ZIP -B "$out/cpack" >/dev/null)
mv -f "$out"/cpack/*.deb "$out"/cpack/*.zip "$out"/
rm -rf "$out/cpack"
ls -l "$out"/*.deb "$out"/*.zip
