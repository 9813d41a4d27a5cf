#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest
# under Xvfb (GUI and video tests need a display with OpenGL).
# LYN_SANITIZER=asan or tsan builds into build-asan / build-tsan instead.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
case "${LYN_SANITIZER:-}" in
  asan) build=build-asan; options+=(-DLYN_ASAN=ON); export LYN_TEST_TIME_SCALE=3 ;;
  tsan) build=build-tsan; options+=(-DLYN_TSAN=ON); export LYN_TEST_TIME_SCALE=4 ;;
  "") ;;
  *) echo "LYN_SANITIZER must be asan or tsan" >&2; exit 2 ;;
esac

# The parser fuzz targets: clang builds them in build-fuzz/, CTest runs each briefly.
if [ -z "${LYN_SANITIZER:-}" ]; then
  cmake -S fuzz -B build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build build-fuzz -j2
  options+=(-DLYN_FUZZ=ON "-DLYN_FUZZ_DIR=$(pwd)/build-fuzz")
fi

cmake -S . -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" -j2

export QTWEBENGINE_DISABLE_SANDBOX=1
export LSAN_OPTIONS="suppressions=$(pwd)/tests/sanitizers/lsan.supp:print_suppressions=0"
export TSAN_OPTIONS="ignore_noninstrumented_modules=1:suppressions=$(pwd)/tests/sanitizers/tsan.supp:second_deadlock_stack=1"
cd "$build"
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure --timeout 300 "$@"
