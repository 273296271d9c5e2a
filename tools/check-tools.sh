#!/usr/bin/env bash
# Says which Debian package to install when a build tool or library is missing.
missing=()
command -v cmake >/dev/null 2>&1 || missing+=(cmake)
command -v g++ >/dev/null 2>&1 || missing+=(g++)
command -v make >/dev/null 2>&1 || missing+=(make)
[ -f /usr/include/gtest/gtest.h ] || missing+=(libgtest-dev)
[ -f /usr/include/nlohmann/json.hpp ] || missing+=(nlohmann-json3-dev)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Missing build packages: ${missing[*]}" >&2
  echo "Install them with: apt-get install ${missing[*]}" >&2
  exit 1
fi
