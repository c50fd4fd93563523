# The start every check shares. Source it with the check's name and usage line, then its arguments:
#   . "$(dirname "$0")/common.sh" NAME "BUILD_DIR SOURCE_DIR [MORE]" "$@"
# Sets BUILD and SOURCE (absolute paths) and SANITIZED (1 in the ASan+UBSan build, where it also exports
# the sanitizers' options: a report fails the run, and the system libraries' own leaks are suppressed).
CHECK_NAME="$1"
CHECK_USAGE="usage: check_$1.sh $2"
shift 2
BUILD="${1:?$CHECK_USAGE}"
SOURCE="${2:?$CHECK_USAGE}"
BUILD=$(cd "$BUILD" && pwd) || exit 1
SOURCE=$(cd "$SOURCE" && pwd) || exit 1
SANITIZED=0
if grep -q 'GLOBBET_SANITIZE:BOOL=ON' "$BUILD/CMakeCache.txt" 2>/dev/null; then
  SANITIZED=1
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
  export LSAN_OPTIONS="suppressions=$SOURCE/tests/e2e/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
fi

# check_need WHAT-TO-BUILD FILE...: skips the check (exit 77) when a file it needs is missing.
check_need() {
  local build="$1" file
  shift
  for file in "$@"; do
    [ -e "$file" ] || { echo "$CHECK_NAME: skipped: $file is missing (build $build)"; exit 77; }
  done
}
