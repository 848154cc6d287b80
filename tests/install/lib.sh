# Helpers of the installation tests, which ctest runs as
#     bash tests/install/<name>_test.sh <build dir> <output dir>
# Everything a script makes lives in a fresh folder of the output dir,
# removed when the script ends.
set -euo pipefail

inst_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# inst_init BUILD OUTDIR: sets INST_BUILD and INST_DIR (empty, absolute).
inst_init() {
    INST_BUILD=$(cd "$1" && pwd -P)
    mkdir -p "$2"
    INST_DIR=$(mktemp -d "$(cd "$2" && pwd -P)/run.XXXXXX")
    trap 'rm -rf "$INST_DIR"' EXIT
    # Nothing run here may reach the real user's folders.
    export HOME="$INST_DIR/home" XDG_CONFIG_HOME="$INST_DIR/config"
    mkdir -p "$HOME"
}

inst_require() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || inst_fail "$tool is not installed"
    done
}

# inst_expect_files ROOT PATH...: every PATH (relative to ROOT) is a file.
inst_expect_files() {
    local root=$1 path
    shift
    for path in "$@"; do
        [ -f "$root/$path" ] || inst_fail "missing $path under $root"
    done
}

# The files of the installed tree that a package or an install must hold,
# relative to the prefix; the source's man pages, whichever there are.
inst_expected_tree() {
    local size page source_dir
    source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd -P)
    echo bin/quizloom
    echo bin/quizloom-check
    echo bin/quizloom-find
    echo share/applications/org.quizloom.Quizloom.desktop
    echo share/metainfo/org.quizloom.Quizloom.metainfo.xml
    echo share/icons/hicolor/scalable/apps/org.quizloom.Quizloom.svg
    for size in 16 22 24 32 48 64 128 256; do
        echo "share/icons/hicolor/${size}x${size}/apps/org.quizloom.Quizloom.png"
    done
    for page in "$source_dir"/data/man/*.1; do
        echo "share/man/man1/$(basename "$page")"
    done
    echo share/doc/quizloom/LICENSE
}

inst_pass() {
    echo "PASS: $(basename "$0")"
}
