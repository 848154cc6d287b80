#!/usr/bin/env bash
# Builds one fuzzer with clang and runs it briefly.
# Usage: run_fuzz.sh <clang++> <source dir> <output dir> [profile_file|quiz_search|variant_choice]
set -euo pipefail

clangxx=$1
src=$2
out=$3
target=${4:-profile_file}
seconds=${QUIZLOOM_FUZZ_SECONDS:-20}

case $target in
  profile_file)
    # The profile engine alone, with the text helpers it needs.
    text=(error cp1251 case_fold int_conv)
    sources=("${text[@]/#/$src/src/core/text/}")
    sources=("${sources[@]/%/.cpp}" "$src"/src/core/ini/profile_*.cpp)
    seeds=("$src/tests/data/profile/read" "$src/tests/data/profile/write")
    corpus=$out/corpus
    ;;
  quiz_search)
    # The whole core but the exchange formats and the session's export and
    # import over them, which the search never reaches.
    mapfile -t sources < <(find "$src/src/core" -name '*.cpp' -not -path '*/exchange/*' \
        -not -name 'session_exchange.cpp' | sort)
    seeds=("$src/tests/data/bank")
    corpus=$out/${target}_corpus
    ;;
  variant_choice)
    # The variants to print, typed or read from the settings file.
    text=(error cp1251 case_fold int_conv)
    sources=("${text[@]/#/$src/src/core/text/}")
    sources=("${sources[@]/%/.cpp}" "$src/src/core/print/variant_choice.cpp")
    seeds=()
    corpus=$out/${target}_corpus
    ;;
  *)
    echo "unknown fuzz target $target" >&2
    exit 2
    ;;
esac
sources+=("$src/tests/fuzz/${target}_fuzz.cpp")
binary=$out/${target}_fuzz
mkdir -p "$corpus"

rebuild=0
[[ -x $binary ]] || rebuild=1
for file in "${sources[@]}" "${sources[@]/%.cpp/.h}" "$src"/tests/support/every_section.h "$src"/tests/fuzz/*.h; do
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
  -artifact_prefix="$out/" "$corpus" "${seeds[@]}"
