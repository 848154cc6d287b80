#!/usr/bin/env bash
# quizloom --help and --version answer in a terminal without any display
# and exit 0; other arguments are ignored, so they start the window (which
# fails here for want of a display).
source "$(dirname "$0")/lib.sh"
inst_init "$1" "$2"
program="$INST_BUILD/bin/quizloom"
no_display() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" "$@"; }

out=$(no_display --version) || inst_fail "--version exit status $?"
[ "$out" = "quizloom 1.2" ] || inst_fail "--version printed: $out"
[ "$(no_display -v)" = "quizloom 1.2" ] || inst_fail "-v"
for help in --help -h; do
    out=$(no_display "$help" some.ini) || inst_fail "$help exit status $?"
    grep -q -- '--version' <<<"$out" && grep -q 'Использование:' <<<"$out" || inst_fail "$help printed: $out"
done
# The toolkit's own one-dash options are not read as clusters of letters:
# "-reverse" holds a "v" but asks for no version.
if out=$(no_display -reverse 2>/dev/null); then inst_fail "-reverse ran without a display"; fi
[ -z "$out" ] || inst_fail "-reverse printed: $out"
[ ! -e "$XDG_CONFIG_HOME/quizloom" ] || inst_fail "a settings folder was made"
inst_pass
