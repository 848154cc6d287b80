#!/usr/bin/env bash
# Builds one fuzzer with clang and runs it briefly (QUIZLOOM_FUZZ_SECONDS,
# 20 s by default).
# Usage: run_fuzz.sh <clang++> <source dir> <output dir> [target]
#        run_fuzz.sh --long [target...]
#   --long runs each target (all by default) for an hour, or
#   QUIZLOOM_FUZZ_SECONDS, with the tree's build/tests/fuzz-out as output.
# Targets: profile_file quiz_search variant_choice gift_round_trip
#          aiken_round_trip moodle_xml_round_trip export_import
set -euo pipefail

all_targets=(profile_file quiz_search variant_choice gift_round_trip aiken_round_trip moodle_xml_round_trip export_import)

if [[ ${1:-} == --long ]]; then
  shift
  here=$(cd "$(dirname "$0")/../.." && pwd)
  clangxx=$(command -v clang++ || command -v clang++-14)
  targets=("$@")
  (( ${#targets[@]} )) || targets=("${all_targets[@]}")
  for target in "${targets[@]}"; do
    QUIZLOOM_FUZZ_SECONDS=${QUIZLOOM_FUZZ_SECONDS:-3600} \
      "$0" "$clangxx" "$here" "$here/build/tests/fuzz-out" "$target"
  done
  exit 0
fi

clangxx=$1
src=$2
out=$3
target=${4:-profile_file}
seconds=${QUIZLOOM_FUZZ_SECONDS:-20}
flags=(-std=c++20 -O1 -g -Wall -Wextra -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
       -I"$src/src" -I"$src/tests")
libraries=()
mkdir -p "$out"

# The whole core compiled once for the exchange fuzzers, which share it;
# the lock keeps two of them started together from building it twice.
core_library() {
  local library=$out/core/libcore.a stale=0 file
  mkdir -p "$out/core"
  exec 9>"$out/core/.lock"
  flock 9
  [[ -f $library ]] || stale=1
  while IFS= read -r file; do
    [[ $file -nt $library ]] && stale=1
  done < <(find "$src/src/core" -name '*.cpp' -o -name '*.h')
  if (( stale )); then
    rm -f "$out"/core/*.o "$library"
    # Each file as the last argument of the compile command: its object's
    # name is its path below src/core with "_" for "/".
    find "$src/src/core" -name '*.cpp' -print0 | sort -z |
      xargs -0 -P2 -n1 bash -c 'f=${!#}; o=${f#"$0"/src/core/}; "${@:2:$#-2}" -c "$f" -o "$1/core/${o//\//_}.o"' \
        "$src" "$out" "$clangxx" "${flags[@]/-fsanitize=fuzzer,/-fsanitize=}" -fsanitize=fuzzer-no-link
    ar rcs "$library" "$out"/core/*.o
  fi
  exec 9>&-
  echo "$library"
}

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
  gift_round_trip|aiken_round_trip|moodle_xml_round_trip|export_import)
    sources=()
    libraries=("$(core_library)" -lpugixml -pthread)
    seeds=("$src/tests/fuzz/corpus/$target")
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
for file in "${sources[@]}" "${sources[@]/%.cpp/.h}" "${libraries[@]}" "$src"/tests/support/every_section.h \
            "$src"/tests/fuzz/*.h; do
  [[ $file -nt $binary ]] && rebuild=1
done
if (( rebuild )); then
  "$clangxx" "${flags[@]}" "${sources[@]}" "${libraries[@]}" -o "$binary.new"
  mv "$binary.new" "$binary"
fi

# New inputs go to the first folder only; the seed files just seed it.
"$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$out/${target}-" "$corpus" "${seeds[@]}"
