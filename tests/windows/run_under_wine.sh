#!/bin/bash
# Runs the cross-built checks on the real USER32 and GDI32 under Wine, in a
# private Wine prefix that is thrown away afterwards, and leaves what they
# gave in RESULTS for test_windows to compare with our platform:
#   RESULTS/corpus/NAME/*.ppm, NAME.out   qz370-render.exe over tests/data/gdi
#   RESULTS/game/log.txt, final.ppm       the game playing the demo script
# The library's tests run there too, each in a process of its own, as ctest
# runs them here, and each PROGRAM (built from the Windows zip) is started,
# left to run, and closed as a user closes its window: it must end with 0.
#   usage: run_under_wine.sh BUILD_MINGW RESULTS [PROGRAM.exe...]
set -euo pipefail
if [[ $# -lt 2 ]]; then
  echo "usage: $0 BUILD_MINGW RESULTS [PROGRAM.exe...]" >&2
  exit 2
fi
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "$1")
rm -rf "$2"
mkdir -p "$2"
results=$(realpath "$2")
shift 2
programs=("$@")
# How long a program runs before it is closed, and how many times it is
# asked to close, a few seconds apart (a loaded machine may be slow to give
# it its windows), before it counts as never ending.
PROGRAM_RUN_SECONDS=3
PROGRAM_CLOSE_TRIES=10
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

WINEPREFIX=$(mktemp -d /tmp/qz370-wine-XXXXXX)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
# No X server: Wine's own display driver without a screen still keeps real
# windows with real pixels.
unset DISPLAY

run() { "$wine" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# Whether process PID ends within SECONDS.
ends_within() {
  local pid=$1 tenths=$(($2 * 10))
  while ((tenths-- > 0)); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# Starts a program, lets it run, closes its windows as taskkill without /F
# does (WM_CLOSE), and says whether it was still running then and ended with 0.
start_and_close() {
  local program=$1 name pid status=0
  name=$(basename "$program")
  "$wine" "$program" >"$results/$name.out" 2>&1 &
  pid=$!
  if ends_within "$pid" "$PROGRAM_RUN_SECONDS"; then
    wait "$pid" || status=$?
    echo "$name ended by itself, with $status, before it was closed"
    return 1
  fi
  local tries=$PROGRAM_CLOSE_TRIES
  until ((tries-- == 0)) || { "$wine" taskkill /im "$name" >/dev/null 2>&1; ends_within "$pid" 3; }; do :; done
  if kill -0 "$pid" 2>/dev/null; then
    kill -9 "$pid" 2>/dev/null || true
    echo "$name did not end when closed $PROGRAM_CLOSE_TRIES times"
    return 1
  fi
  wait "$pid" || status=$?
  if [[ $status -ne 0 ]]; then
    echo "$name ended with $status when closed"
    return 1
  fi
}

# The display driver is chosen when the prefix's desktop starts: make the
# prefix, set the driver, and let Wine's processes end before the first check.
echo "test-windows: making a Wine prefix (about half a minute)"
"$wine" wineboot -u 2>/dev/null
"$wineserver" -w
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
"$wineserver" -w

echo "test-windows: qz370-render.exe over the GDI corpus"
for commands in "$source_dir"/tests/data/gdi/*.txt; do
  name=$(basename "$commands" .txt)
  mkdir -p "$results/corpus/$name"
  run "$build/tools/qz370-render/qz370-render.exe" "Z:$commands" "Z:$results/corpus/$name" \
    >"$results/corpus/$name.out"
done

echo "test-windows: vortaline-playback.exe playing demo/vortaline.scr"
mkdir -p "$results/game/scratch"
cp "$source_dir/demo/vortaline.scr" "$results/game/scratch/QZ370.SCR"
(cd "$results/game/scratch" && run "$build/tests/windows/vortaline-playback.exe" ../log.txt ../final.ppm)

failed=()
for program in "${programs[@]}"; do
  echo "test-windows: $(basename "$program"), built from the zip, started and closed"
  start_and_close "$program" || failed+=("$(basename "$program")")
done
echo "test-windows: programs built from the zip: $((${#programs[@]} - ${#failed[@]})) of ${#programs[@]} ran and ended with 0"

# Faults of Wine itself, where Windows does what our platform does: not run
# here, and named in the report.
wine_faults=(
  # Wine's word breaking moves a label's last word to a new line when blanks
  # follow it past the right edge; Windows breaks only before a word that
  # would cross the edge.
  GetsResults.ABlankPaddedPromptShowsOnOneLine
)

echo "test-windows: the library's tests on Win32"
tests_exe=$build/tests/windows/test_library_windows.exe
mapfile -t tests < <(run "$tests_exe" --gtest_list_tests | awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }')
passed=0
skipped=()
for test in "${tests[@]}"; do
  if [[ " ${wine_faults[*]} " == *" $test "* ]]; then
    continue
  fi
  if ! run "$tests_exe" --gtest_filter="$test" >"$results/test.out" 2>&1; then
    cat "$results/test.out"
    failed+=("$test")
  elif grep -q '^\[  SKIPPED \]' "$results/test.out"; then
    skipped+=("$test")
  else
    passed=$((passed + 1))
  fi
done
echo "test-windows: library tests on Win32: $passed passed, ${#skipped[@]} skipped (${skipped[*]:-none})," \
  "${#wine_faults[@]} not run for faults of Wine (${wine_faults[*]}), ${#failed[@]} failed ${failed[*]:-}"
[[ ${#failed[@]} -eq 0 ]]
