#!/usr/bin/env bash
# Makes sure the build tools and libraries are on the machine. What is missing
# is installed from Debian's packages when this user may do so (root, or sudo
# without a password); otherwise the command to install it is printed.
# Extra package names (for optional tools) may be given as arguments, each as
# COMMAND_OR_FILE=PACKAGE.
set -u
missing=()
need_cmd() { command -v "$1" >/dev/null 2>&1 || missing+=("$2"); }
need_file() { [ -e "$1" ] || missing+=("$2"); }
need_cmd cmake cmake
need_cmd g++ g++
need_cmd make make
need_file /usr/include/nlohmann/json.hpp nlohmann-json3-dev
# The tests need GoogleTest and Python (the data generator); the program does not.
if [ "${VORTEL_NO_TESTS:-}" != 1 ]; then
  need_file /usr/include/gtest/gtest.h libgtest-dev
  need_cmd python3 python3
fi
for extra in "$@"; do
  what=${extra%%=*} package=${extra#*=}
  case $what in
    /*) need_file "$what" "$package" ;;
    *) need_cmd "$what" "$package" ;;
  esac
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" = 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  as_root=(sudo -n)
else
  echo "Missing build packages: ${missing[*]}" >&2
  echo "Install them with: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi

echo "Installing missing build packages: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
# Another apt or dpkg may hold the package lock: wait for it instead of failing.
lock=(-o DPkg::Lock::Timeout=600)
for try in 1 2 3 4 5 6 7 8 9 10; do
  "${as_root[@]}" apt-get "${lock[@]}" update -qq && break
  echo "apt-get update failed (try $try); waiting for the package lists" >&2
  sleep 30
done
if ! "${as_root[@]}" apt-get "${lock[@]}" install -y -qq "${missing[@]}" >&2; then
  echo "Could not install: ${missing[*]}" >&2
  exit 1
fi
