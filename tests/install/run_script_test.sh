#!/usr/bin/env bash
# The README's first command in a fresh clone of the tree: ./run.sh builds
# the programs and hands its arguments to the editor, so --version answers
# without a display. Only what is committed is cloned.
source "$(dirname "$0")/lib.sh"
inst_init "$1" "$2"
inst_require git
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd -P)
git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1 || { echo "SKIP: not a git checkout"; exit 77; }
git clone --quiet "$source_dir" "$INST_DIR/clone" || inst_fail "git clone"
out=$(cd "$INST_DIR/clone" && env -u DISPLAY -u WAYLAND_DISPLAY ./run.sh --version 2>"$INST_DIR/stderr") ||
    inst_fail "./run.sh --version exit status $?: $(cat "$INST_DIR/stderr")"
[ "$out" = "quizloom 1.2" ] || inst_fail "./run.sh --version printed: $out"
for program in quizloom quizloom-check quizloom-convert; do
    [ -x "$INST_DIR/clone/build-release/bin/$program" ] || inst_fail "run.sh did not build $program"
done
inst_pass
