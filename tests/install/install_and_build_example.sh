#!/bin/sh
# Installs the build into a scratch prefix, builds two examples against
# nothing but the installed files, each once with the CMake package and once
# with pkg-config: sketch in C++, and traffic_light in C, by a project that
# enables no C++, as a program of one's own in C would. Replays each build
# headlessly with the installed qz370-replay to the picture and the log kept
# for it.
# Usage: install_and_build_example.sh BUILD_DIR SOURCE_DIR
set -u
build=$1
source=$2
examples=$source/examples
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix

fail() {
    echo "install test: $1" >&2
    exit 1
}

# Configures and builds a CMake project against the installed package.
cmake_build() {
    project=$1
    target=$2
    cmake -S "$project" -B "$scratch/$target-with-cmake" -DCMAKE_PREFIX_PATH="$prefix" >"$scratch/configure.txt" ||
        fail "find_package(QZ370) failed for $target: $(tail -n 5 "$scratch/configure.txt")"
    cmake --build "$scratch/$target-with-cmake" --target "$target" >"$scratch/build.txt" ||
        fail "the CMake build of $target failed: $(tail -n 5 "$scratch/build.txt")"
}

replay() {
    program=$1
    example=$2
    expected=$source/tests/data/examples/$example
    rm -f "$scratch/log.txt" "$scratch/hashes.txt"
    "$prefix/bin/qz370-replay" --program "$program" --script "$examples/$example.scr" \
        --log "$scratch/log.txt" --hashes "$scratch/hashes.txt" --quiet || fail "replaying $program failed"
    cmp -s "$scratch/log.txt" "$expected.log" || fail "$program printed another log"
    [ "$(tail -n 1 "$scratch/hashes.txt")" = "$(cat "$expected.hash")" ] || fail "$program ended with another picture"
}

cmake --install "$build" --prefix "$prefix" >"$scratch/install.txt" || fail "cmake --install failed"

cmake_build "$examples" sketch
mkdir "$scratch/c-project"
cat >"$scratch/c-project/CMakeLists.txt" <<END
cmake_minimum_required(VERSION 3.20)
project(InC LANGUAGES C)
find_package(QZ370 CONFIG REQUIRED)
add_executable(traffic_light WIN32 $examples/traffic_light.c)
target_link_libraries(traffic_light PRIVATE QZ370::qz370)
END
cmake_build "$scratch/c-project" traffic_light

flags=$(PKG_CONFIG_PATH=$prefix/lib/pkgconfig pkg-config --cflags --libs qz370) || fail "pkg-config knows no qz370"
# shellcheck disable=SC2086 # the flags are words
g++ -std=c++20 "$examples/sketch.cpp" -o "$scratch/sketch-with-pkg-config" $flags ||
    fail "the pkg-config build of sketch failed"
# shellcheck disable=SC2086
gcc -std=c11 "$examples/traffic_light.c" -o "$scratch/traffic_light-with-pkg-config" $flags ||
    fail "the pkg-config build of traffic_light failed"

for example in sketch traffic_light; do
    replay "$scratch/$example-with-cmake/$example" "$example"
    replay "$scratch/$example-with-pkg-config" "$example"
done

# Text is drawn with the faces the library carries: nothing looks for fonts.
for program in "$scratch/sketch-with-cmake/sketch" "$scratch/traffic_light-with-pkg-config" "$prefix/bin/qz370-replay"; do
    ldd "$program" >"$scratch/ldd.txt" || fail "ldd cannot read $program"
    ! grep -q fontconfig "$scratch/ldd.txt" || fail "$program links fontconfig"
done
! grep -rq -i fontconfig "$prefix/lib/pkgconfig" "$prefix/lib/cmake" || fail "the installed package names fontconfig"
for licence in LICENSE-DejaVu.txt LICENSE-Liberation.txt; do
    [ -s "$prefix/share/doc/qz370/fonts/$licence" ] || fail "the carried faces' $licence is not installed"
done
