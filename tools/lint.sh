#!/usr/bin/env bash
# The project's lint: the layers of src/, the house format (clang-format, in
# check mode) and clang-tidy's checks (.clang-tidy). Any finding fails it.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}

./tools/check-tools.sh clang-format=clang-format clang-tidy=clang-tidy python3=python3

status=0
python3 tools/check-layers.py || status=1

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${sources[@]}"; then
  echo "lint: files differ from the house format (clang-format -i FILE... rewrites them)" >&2
  status=1
fi

# clang-tidy reads the compile commands of the build.
cmake -S . -B "$BUILD" >/dev/null
# The Windows platform file is checked by the Windows build (make windows).
# The compile commands are GCC's: clang-tidy passes over the GCC-only warning
# flags it does not know instead of failing on them.
mapfile -t units < <(git ls-files 'src/*.cpp' 'tools/bench/*.cpp' | grep -v 'src/core/platform_win32.cpp')
if ! printf '%s\n' "${units[@]}" | xargs -P "${JOBS:-2}" -n 4 clang-tidy -p "$BUILD" --quiet --extra-arg=-Wno-unknown-warning-option; then
  echo "lint: clang-tidy found something" >&2
  status=1
fi
[ $status = 0 ] && echo "lint: clean"
exit $status
