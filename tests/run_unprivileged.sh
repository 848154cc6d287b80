#!/usr/bin/env bash
# Refusals of read-only files and folders cannot be seen by root, who may
# write anything. When the suite runs as root, this runs the tests that
# depend on them once more as an unprivileged user, from a private copy of
# the test program (the build folder may lie where that user cannot reach).
# Usage: run_unprivileged.sh TEST_PROGRAM GTEST_FILTER
set -euo pipefail
program=$1 filter=$2
if [ "$(id -u)" -ne 0 ]; then
  echo "Not root: the ordinary run already covers these tests."
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$program" "$work/tests"
mkdir "$work/tmp" && chmod 1777 "$work/tmp"
output=$(cd "$work" && setpriv --reuid=65534 --regid=65534 --clear-groups \
  env -i PATH=/usr/bin:/bin HOME="$work/tmp" TMPDIR="$work/tmp" \
  ./tests --gtest_filter="$filter" 2>&1) || { echo "$output"; exit 1; }
echo "$output"
if grep -q '^\[  SKIPPED \]' <<<"$output"; then
  echo "A test still skipped as an unprivileged user." >&2
  exit 1
fi
grep -q '^\[  PASSED  \] [1-9]' <<<"$output"
