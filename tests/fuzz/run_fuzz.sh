#!/usr/bin/env bash
# Builds a fuzzer with clang and runs it briefly.
# Usage: run_fuzz.sh <clang++> <source dir> <output dir> [target]
# target: profile_file (the default) or variant_choice.
set -euo pipefail

clangxx=$1
src=$2
out=$3
target=${4:-profile_file}
seconds=${QUIZLOOM_FUZZ_SECONDS:-20}

text=(error cp1251 case_fold int_conv)
sources=("${text[@]/#/$src/src/core/text/}")
sources=("${sources[@]/%/.cpp}")
case $target in
  profile_file)
    sources+=("$src"/src/core/ini/profile_*.cpp)
    seeds=("$src/tests/data/profile/read" "$src/tests/data/profile/write") ;;
  variant_choice)
    sources+=("$src/src/core/print/variant_choice.cpp")
    seeds=() ;;
  *) echo "unknown fuzz target $target" >&2; exit 2 ;;
esac
sources+=("$src/tests/fuzz/${target}_fuzz.cpp")
binary=$out/${target}_fuzz
mkdir -p "$out/corpus"

rebuild=0
[[ -x $binary ]] || rebuild=1
for file in "${sources[@]}" "${sources[@]/%.cpp/.h}" "$src/tests/support/every_section.h"; do
  [[ $file -nt $binary ]] && rebuild=1
done
if (( rebuild )); then
  "$clangxx" -std=c++20 -O1 -g -Wall -Wextra \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$src/src" -I"$src/tests" "${sources[@]}" -o "$binary.new"
  mv "$binary.new" "$binary"
fi

# New inputs go to the first folder only; the sample files just seed it.
"$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$out/" "$out/corpus" "${seeds[@]}"
