#!/usr/bin/env bash
# Builds Globbet and runs every test: the unit tests, the fuzz targets and the end-to-end smoke in the
# normal build (build/release), then the unit tests and a short fuzzing run of every fuzz target in the
# ASan+UBSan build (build/asan, with clang). Installs what it needs first.
# Safe to run again: builds are incremental.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=$(nproc 2>/dev/null || echo 2)

bash scripts/build.sh

echo "== tests in the normal build"
(cd build/release && ctest --output-on-failure -j"$JOBS" --timeout 900)

echo "== sanitizer build (build/asan, clang)"
# deps.sh installed clang with its sanitizer and libFuzzer runtime; a build that could not use them
# would test less than it says, so a missing piece stops here with its reason.
probe=$(mktemp -d)
printf '%s\n' '#include <sanitizer/lsan_interface.h>' \
  'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$probe/probe.cpp"
if ! clang++ -fsanitize=address,undefined,fuzzer "$probe/probe.cpp" -o "$probe/probe" 2>"$probe/log"; then
  cat "$probe/log" >&2
  echo "test.sh: clang cannot build with its sanitizers and libFuzzer; scripts/deps.sh should have" \
    "installed them (libclang-rt-dev)" >&2
  exit 1
fi
rm -rf "$probe"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLOBBET_SANITIZE=ON -DGLOBBET_BENCH=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build/asan -j"$JOBS"

echo "== tests in the sanitizer build (unit tests and fuzzing)"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
(cd build/asan && ctest --output-on-failure -j"$JOBS" --timeout 900 -LE e2e)
