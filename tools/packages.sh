#!/usr/bin/env bash
# The Debian 12 packages Quizloom needs, in one place for run.sh, test.sh and
# the README:
#     tools/packages.sh run    what builds and runs the programs
#     tools/packages.sh test   that, and what the test suite and benchmarks add
set -euo pipefail

run_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libjpeg62-turbo-dev libgl-dev libpugixml-dev
  # The toolkit's own texts (buttons, file dialogs) in Russian.
  qt6-translations-l10n
)
test_packages=(
  git libgtest-dev libgmock-dev libbenchmark-dev
  # The fuzzers need clang's libFuzzer runtime.
  clang libclang-rt-14-dev
  # The real binary in a virtual display, driven by keystrokes.
  xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick
  # The installed tree and the Debian package.
  file dpkg-dev desktop-file-utils appstream
  # The text of printed PDFs, the parts of an ODF package.
  poppler-utils unzip
)

case "${1:-}" in
  run) printf '%s\n' "${run_packages[@]}" ;;
  test) printf '%s\n' "${run_packages[@]}" "${test_packages[@]}" ;;
  *) echo "Использование: $0 run|test" >&2; exit 2 ;;
esac
