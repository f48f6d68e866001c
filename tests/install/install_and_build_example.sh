#!/bin/sh
# Installs the build into a scratch prefix, builds an example against nothing
# but the installed files, once with the CMake package and once with
# pkg-config, and replays each build headlessly with the installed
# qz370-replay to the picture and the log kept for it.
# Usage: install_and_build_example.sh BUILD_DIR SOURCE_DIR
set -u
build=$1
source=$2
example=sketch
expected=$source/tests/data/examples/$example
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix

fail() {
    echo "install test: $1" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >"$scratch/install.txt" || fail "cmake --install failed"
cmake -S "$source/examples" -B "$scratch/with-cmake" -DCMAKE_PREFIX_PATH="$prefix" >"$scratch/configure.txt" ||
    fail "find_package(QZ370) failed: $(tail -n 5 "$scratch/configure.txt")"
cmake --build "$scratch/with-cmake" --target $example >"$scratch/build.txt" ||
    fail "the CMake build failed: $(tail -n 5 "$scratch/build.txt")"
flags=$(PKG_CONFIG_PATH=$prefix/lib/pkgconfig pkg-config --cflags --libs qz370) || fail "pkg-config knows no qz370"
# shellcheck disable=SC2086 # the flags are words
g++ -std=c++20 "$source/examples/$example.cpp" -o "$scratch/with-pkg-config" $flags || fail "the pkg-config build failed"

for program in "$scratch/with-cmake/$example" "$scratch/with-pkg-config"; do
    rm -f "$scratch/log.txt" "$scratch/hashes.txt"
    "$prefix/bin/qz370-replay" --program "$program" --script "$source/examples/$example.scr" \
        --log "$scratch/log.txt" --hashes "$scratch/hashes.txt" --quiet || fail "replaying $program failed"
    cmp -s "$scratch/log.txt" "$expected.log" || fail "$program printed another log"
    [ "$(tail -n 1 "$scratch/hashes.txt")" = "$(cat "$expected.hash")" ] || fail "$program ended with another picture"
done

# Text is drawn with the faces the library carries: nothing looks for fonts.
for program in "$scratch/with-cmake/$example" "$scratch/with-pkg-config" "$prefix/bin/qz370-replay"; do
    ! ldd "$program" | grep -q fontconfig || fail "$program links fontconfig"
done
! grep -rq -i fontconfig "$prefix/lib/pkgconfig" "$prefix/lib/cmake" || fail "the installed package names fontconfig"
