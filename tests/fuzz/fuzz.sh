#!/bin/sh
# The fuzz target's build and run, in a clang build folder of its own.
#
#   fuzz.sh build <dir>                        configure and build with clang
#   fuzz.sh run <dir> <seconds> [option...]    fuzz for that long
#
# A run reads the committed seeds (tests/fuzz/corpus) and <dir>/corpus, which
# keeps what it finds between runs; a failing input lands in <dir>/crashes/
# and the run exits non-zero. Further options go to libFuzzer (-runs=N, ...).
# OVRIX_FUZZ_CC / OVRIX_FUZZ_CXX name the compilers (default clang, clang++).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
what=${1:-}
dir=${2:-}
if [ -z "$what" ] || [ -z "$dir" ]; then
  echo "usage: $0 build <dir> | run <dir> <seconds> [libFuzzer option...]" >&2
  exit 2
fi

case $what in
build)
  CC=${OVRIX_FUZZ_CC:-clang} CXX=${OVRIX_FUZZ_CXX:-clang++} \
    cmake -S "$here" -B "$dir" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
  ;;
run)
  seconds=${3:?seconds}
  shift 3
  mkdir -p "$dir/corpus" "$dir/crashes"
  # Leaks, out-of-bounds accesses and undefined behaviour all end the run.
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1} \
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1} \
    "$dir/ovrix_fuzz" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$dir/crashes/" "$@" \
      "$dir/corpus" "$here/corpus"
  ;;
*)
  echo "usage: $0 build <dir> | run <dir> <seconds> [libFuzzer option...]" >&2
  exit 2
  ;;
esac
