#!/usr/bin/env bash
# Builds Quizloom in Release and starts it on the bundled sample bank.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure_packages.sh cmake ninja-build g++ qt6-base-dev libjpeg62-turbo-dev libgl-dev
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQUIZLOOM_BUILD_TESTS=OFF -DQUIZLOOM_BUILD_BENCH=OFF >/dev/null
if ! cmake --build build-release --target quizloom quizloom-check >"build-release.log" 2>&1; then cat "build-release.log" >&2; echo "Build failed" >&2; exit 1; fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Quizloom is a desktop program and needs a graphical display (DISPLAY is not set)." >&2
  echo "Start it from a desktop session, or under a virtual one: xvfb-run ./run.sh" >&2
  exit 1
fi
cd examples
exec ../build-release/quizloom
