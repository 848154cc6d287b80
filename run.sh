#!/usr/bin/env bash
# Builds Quizloom in Release and starts it on the bundled sample bank; its
# arguments go to the program (./run.sh --version prints the version).
set -euo pipefail
cd "$(dirname "$0")"
# shellcheck disable=SC2046 # one package a word
tools/ensure_packages.sh $(tools/packages.sh run)
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQUIZLOOM_BUILD_TESTS=OFF -DQUIZLOOM_BUILD_BENCH=OFF >/dev/null
if ! cmake --build build-release >"build-release.log" 2>&1; then cat "build-release.log" >&2; echo "Сборка не удалась" >&2; exit 1; fi
program="$PWD/build-release/bin/quizloom"
# Only the window needs a display; --version and --help answer without one.
needs_display=1
for arg in "$@"; do
  case "$arg" in -v | --version | -h | --help) needs_display=0 ;; esac
done
if [ "$needs_display" = 1 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Quizloom — программа для рабочего стола, ей нужен графический дисплей (DISPLAY не задан)." >&2
  echo "Запустите её из графического сеанса или под виртуальным дисплеем: xvfb-run ./run.sh" >&2
  exit 1
fi
cd examples
exec "$program" "$@"
