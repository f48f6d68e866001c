#!/bin/bash
# Builds examples as a Windows user of the zip would, from the zip's files
# alone: traffic_light (C) and sketch (C++) through the zip's CMake package,
# and both again through its qz370.pc, with the MinGW-w64 cross compilers.
# The programs land in OUT as NAME-cmake.exe and NAME-pkg-config.exe.
#   usage: build_from_zip.sh ZIP OUT
set -euo pipefail
if [[ $# -ne 2 ]]; then
  echo "usage: $0 ZIP OUT" >&2
  exit 2
fi
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
zip=$(realpath "$1")
rm -rf "$2"
mkdir -p "$2"
out=$(realpath "$2")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

unzip -q "$zip" -d "$scratch"
kit=$(echo "$scratch"/*)

echo "test-windows: building examples from $(basename "$zip") with its CMake package"
cmake -S "$kit/examples" -B "$scratch/build" -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$kit" >"$scratch/configure.txt"
cmake --build "$scratch/build" --target traffic_light sketch >"$scratch/build.txt"
for example in traffic_light sketch; do
  cp "$scratch/build/$example.exe" "$out/$example-cmake.exe"
done

echo "test-windows: building examples from $(basename "$zip") with its qz370.pc"
flags=$(PKG_CONFIG_PATH="$kit/lib/pkgconfig" pkg-config --cflags --libs qz370)
# shellcheck disable=SC2086 # the flags are words
x86_64-w64-mingw32-gcc-posix -std=c11 -mwindows "$kit/examples/traffic_light.c" $flags \
  -o "$out/traffic_light-pkg-config.exe"
# shellcheck disable=SC2086
x86_64-w64-mingw32-g++-posix -std=c++20 -mwindows "$kit/examples/sketch.cpp" $flags -o "$out/sketch-pkg-config.exe"
