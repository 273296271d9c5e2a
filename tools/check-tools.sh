#!/usr/bin/env bash
# Checks the build tools and libraries, and installs the missing Debian
# packages when run as root (otherwise says which to install and fails).
#
#   tools/check-tools.sh [COMMAND=PACKAGE | /path/file=PACKAGE ...]
#
# Each extra argument names one more thing a caller needs: a command looked up
# on PATH, or a file (an argument starting with "/"), and the package that
# brings it, e.g. valgrind=valgrind.
missing=()
need() {  # need COMMAND-OR-/PATH PACKAGE
  case "$1" in
    /*) [ -e "$1" ] ;;
    *) command -v "$1" >/dev/null 2>&1 ;;
  esac || missing+=("$2")
}
need cmake cmake
need g++ g++
need make make
need /usr/include/gtest/gtest.h libgtest-dev
need /usr/include/nlohmann/json.hpp nlohmann-json3-dev
for arg in "$@"; do
  case "$arg" in
    ?*=?*) need "${arg%%=*}" "${arg#*=}" ;;
    *) echo "check-tools.sh: expected COMMAND=PACKAGE or /path/file=PACKAGE, got '$arg'" >&2; exit 2 ;;
  esac
done
[ ${#missing[@]} -eq 0 ] && exit 0
# The same package may be named twice.
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | sort -u)
if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null 2>&1; then
  echo "Installing missing build packages: ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update -qq &&
    apt-get -o DPkg::Lock::Timeout=600 install -y -qq "${missing[@]}" && exit 0
  echo "Could not install: ${missing[*]}" >&2
  exit 1
fi
echo "Missing build packages: ${missing[*]}" >&2
echo "Install them with: apt-get install ${missing[*]}" >&2
exit 1
