# End-to-end helpers: the real quizloom binary in a private X server, driven
# by xdotool. Source this file from a *_e2e.sh script, which ctest runs as
#     bash tests/e2e/<name>_e2e.sh <path of the quizloom binary> <output dir>
#
# Everything a script touches lives in E2E_DIR, a fresh folder inside the
# output dir: removed when the script succeeds, kept (with the logs) when it
# fails. The binary is copied into E2E_DIR/bin; XDG_CONFIG_HOME points into
# E2E_DIR, so the settings file is the user's own there, E2E_SETTINGS, and the
# real user's folder is never touched.
#
# Functions (each fails the script with a message on error):
#   e2e_init BINARY OUTDIR    set up E2E_DIR, E2E_BIN, E2E_SETTINGS; start Xvfb
#                             on a free display (DISPLAY, XAUTHORITY exported);
#                             cleanup is automatic at exit
#   e2e_start DIR             start the binary with DIR as current directory
#                             (E2E_APP_PID)
#   e2e_wait_window [TITLE]   wait for the visible window TITLE (default
#                             "Квизлум"), give it the keyboard focus; sets E2E_WID
#   e2e_key KEY...            press keys, xdotool names: Escape Return Tab ctrl+a
#   e2e_type TEXT             type TEXT (UTF-8; Cyrillic works)
#   e2e_click X Y             click at X,Y of the window E2E_WID
#   e2e_open_file_menu        click the menu bar's first menu, "Файл", and let it open
#   e2e_wait_exit [SECONDS]   wait for the program to end (default 20 s);
#                             sets E2E_RC
#   e2e_expect_exit CODE      e2e_wait_exit, then require exit code CODE
#   e2e_write_ini FILE        write stdin (UTF-8, LF) as Windows-1251 with CR LF
#   e2e_read_utf8 FILE        print FILE converted from Windows-1251 to UTF-8
#   e2e_wait_file FILE        wait up to E2E_TIMEOUT s for FILE to exist
#   e2e_expect_same_bytes A B require files A and B to be byte-identical
#   e2e_expect_contains FILE TEXT   require the UTF-8 view of FILE to hold TEXT
#                             (waits up to E2E_TIMEOUT s for it to appear)
#   e2e_fail MESSAGE          fail the script
#   e2e_pass                  report success (call last)
#
# Window coordinates of control centres, for e2e_click: the form places its
# controls at fixed positions below the menu bar.
#   E2E_AT_BOX_SUBJECT  E2E_AT_RADIO_EDIT  E2E_AT_QUESTION  E2E_AT_NEXT_QUESTION
set -uo pipefail

E2E_AT_FILE_MENU="16 10"
E2E_AT_BOX_SUBJECT="480 88"
E2E_AT_RADIO_EDIT="594 114"
E2E_AT_QUESTION="344 164"
E2E_AT_NEXT_QUESTION="624 438"

E2E_TIMEOUT=${E2E_TIMEOUT:-30}

e2e_fail() {
    echo "FAIL: $*" >&2
    if [ -n "${E2E_DIR:-}" ]; then
        echo "(files and logs kept in $E2E_DIR)" >&2
        [ -f "$E2E_DIR/app.log" ] && { echo "--- program output:" >&2; cat "$E2E_DIR/app.log" >&2; }
    fi
    E2E_KEEP=1
    exit 1
}

_e2e_cleanup() {
    local rc=$?
    [ -n "${E2E_APP_PID:-}" ] && kill "$E2E_APP_PID" 2>/dev/null
    [ -n "${E2E_XVFB_PID:-}" ] && kill "$E2E_XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    if [ "$rc" -eq 0 ] && [ -z "${E2E_KEEP:-}" ] && [ -n "${E2E_DIR:-}" ]; then
        rm -rf "$E2E_DIR"
    fi
}

_e2e_require() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || e2e_fail "$tool is not installed"
    done
}

_e2e_start_xvfb() {
    export XAUTHORITY="$E2E_DIR/xauthority"
    local cookie displayfile="$E2E_DIR/display" waited=0
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    : >"$XAUTHORITY"
    # The server takes every cookie of the file; the display number is only
    # known once it has picked a free one.
    xauth -q -f "$XAUTHORITY" add :0 . "$cookie"
    Xvfb -displayfd 3 -auth "$XAUTHORITY" -nolisten tcp -screen 0 1280x1024x24 \
        3>"$displayfile" >"$E2E_DIR/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    while [ ! -s "$displayfile" ]; do
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_fail "Xvfb did not start: $(cat "$E2E_DIR/xvfb.log")"
        sleep 0.1
        waited=$((waited + 1))
        [ "$waited" -gt $((E2E_TIMEOUT * 10)) ] && e2e_fail "Xvfb gave no display"
    done
    export DISPLAY=":$(head -n1 "$displayfile" | tr -d ' \n')"
    xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$cookie"
    timeout "$E2E_TIMEOUT" bash -c 'until xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.1; done' ||
        e2e_fail "display $DISPLAY does not answer"
    _e2e_cyrillic_keys
}

# xdotool types a character that has no key by remapping a spare key for
# that one press; a busy program may read the press after the mapping is gone
# and lose the character. So the Cyrillic letters and "№" get keys of their
# own (the media keys 200 and up, which no test presses) before the program
# starts.
_e2e_cyrillic_keys() {
    local letter code=200 map="$E2E_DIR/cyrillic.xmodmap"
    : >"$map"
    for letter in a be ve ghe de ie io zhe ze i shorti ka el em en o pe er es te u ef ha \
                  tse che sha shcha hardsign yeru softsign e yu ya; do
        echo "keycode $code = Cyrillic_$letter Cyrillic_${letter^^}" >>"$map"
        code=$((code + 1))
    done
    echo "keycode $code = numerosign numerosign" >>"$map"
    xmodmap "$map" || e2e_fail "cannot load the Cyrillic keys"
}

e2e_init() {
    local binary=$1 outdir=$2
    _e2e_require Xvfb xauth xdotool xmodmap iconv od
    [ -x "$binary" ] || e2e_fail "no binary at $binary"
    mkdir -p "$outdir" || e2e_fail "cannot create $outdir"
    E2E_DIR=$(mktemp -d "$outdir/run.XXXXXX") || e2e_fail "cannot create a folder in $outdir"
    E2E_DIR=$(cd "$E2E_DIR" && pwd -P)
    trap _e2e_cleanup EXIT
    mkdir -p "$E2E_DIR/bin"
    E2E_BIN="$E2E_DIR/bin/quizloom"
    cp "$binary" "$E2E_BIN" || e2e_fail "cannot copy $binary"
    export XDG_CONFIG_HOME="$E2E_DIR/config"
    E2E_SETTINGS="$XDG_CONFIG_HOME/quizloom/quizloom.ini"
    unset WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
    _e2e_start_xvfb
}

e2e_start() {
    local dir=$1
    [ -d "$dir" ] || e2e_fail "no folder $dir"
    (cd "$dir" && exec "$E2E_BIN") >>"$E2E_DIR/app.log" 2>&1 &
    E2E_APP_PID=$!
}

e2e_wait_window() {
    local title=${1:-Квизлум}
    E2E_WID=$(timeout "$E2E_TIMEOUT" xdotool search --sync --onlyvisible --name "^${title}\$" | head -n1)
    [ -n "$E2E_WID" ] || e2e_fail "window \"$title\" did not appear"
    # No window manager runs: the window gets the focus directly.
    timeout "$E2E_TIMEOUT" xdotool windowfocus --sync "$E2E_WID" ||
        e2e_fail "window \"$title\" does not take the focus"
    sleep 0.3 # let the start-up sequence and the first paint finish
}

e2e_key() {
    xdotool key --delay 50 "$@" || e2e_fail "xdotool key $*"
    sleep 0.2
}

e2e_type() {
    xdotool type --delay 30 -- "$1" || e2e_fail "xdotool type $1"
    sleep 0.2
}

e2e_click() {
    xdotool mousemove --window "$E2E_WID" "$1" "$2" click 1 || e2e_fail "click at $1,$2"
    sleep 0.3
}

# The program's visible top-level windows, its open menus included.
_e2e_visible_windows() {
    xdotool search --onlyvisible --class quizloom 2>/dev/null | wc -l
}

e2e_open_file_menu() {
    local before i
    before=$(_e2e_visible_windows)
    e2e_click $E2E_AT_FILE_MENU
    # The menu is a window of its own: wait until it is up before typing.
    for i in $(seq $((E2E_TIMEOUT * 10))); do
        [ "$(_e2e_visible_windows)" -gt "$before" ] && { sleep 0.2; return 0; }
        sleep 0.1
    done
    e2e_fail "the menu \"Файл\" did not open"
}

e2e_wait_exit() {
    local seconds=${1:-20} i=0
    while kill -0 "$E2E_APP_PID" 2>/dev/null; do
        sleep 0.1
        i=$((i + 1))
        [ "$i" -gt $((seconds * 10)) ] && e2e_fail "the program did not end within $seconds s"
    done
    wait "$E2E_APP_PID"
    E2E_RC=$?
    E2E_APP_PID=
}

e2e_expect_exit() {
    e2e_wait_exit
    [ "$E2E_RC" -eq "$1" ] || e2e_fail "exit code $E2E_RC, expected $1"
}

e2e_write_ini() {
    mkdir -p "$(dirname "$1")"
    sed 's/$/\r/' | iconv -f UTF-8 -t CP1251 >"$1" || e2e_fail "cannot write $1"
}

e2e_read_utf8() {
    iconv -f CP1251 -t UTF-8 "$1" || e2e_fail "$1 is not Windows-1251 text"
}

e2e_expect_same_bytes() {
    cmp -s "$1" "$2" || e2e_fail "$1 and $2 differ: $(cmp "$1" "$2" 2>&1)"
}

e2e_wait_file() {
    local i
    for i in $(seq $((E2E_TIMEOUT * 10))); do
        [ -f "$1" ] && return 0
        sleep 0.1
    done
    e2e_fail "no file $1"
}

# The program writes in its own time: a text still missing is waited for.
e2e_expect_contains() {
    local i
    for i in $(seq $((E2E_TIMEOUT * 10))); do
        [ -f "$1" ] && iconv -f CP1251 -t UTF-8 "$1" 2>/dev/null | grep -qF -- "$2" && return 0
        sleep 0.1
    done
    e2e_fail "$1 does not hold \"$2\""
}

e2e_pass() {
    echo "PASS: $(basename "$0")"
}
