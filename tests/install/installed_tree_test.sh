#!/usr/bin/env bash
# `cmake --install` into a temporary prefix: every file in its place, the
# desktop entry and the metainfo valid, the icon and the programs they name
# present, the man pages free of warnings, the installed program answering.
source "$(dirname "$0")/lib.sh"
inst_init "$1" "$2"
inst_require cmake desktop-file-validate appstreamcli
prefix="$INST_DIR/prefix"
cmake --install "$INST_BUILD" --prefix "$prefix" >"$INST_DIR/install.log" 2>&1 ||
    inst_fail "cmake --install failed: $(cat "$INST_DIR/install.log")"

mapfile -t expected < <(inst_expected_tree)
inst_expect_files "$prefix" "${expected[@]}"
for program in quizloom quizloom-check quizloom-find; do
    [ -x "$prefix/bin/$program" ] || inst_fail "bin/$program is not executable"
done
while read -r png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    [ "$(file -b "$png" | grep -o '[0-9]* x [0-9]*' | tr -d ' ')" = "$size" ] ||
        inst_fail "$png is not $size: $(file -b "$png")"
done < <(find "$prefix/share/icons/hicolor" -name '*.png')

desktop="$prefix/share/applications/org.quizloom.Quizloom.desktop"
desktop-file-validate "$desktop" || inst_fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/org.quizloom.Quizloom.metainfo.xml" >"$INST_DIR/as.log" 2>&1 ||
    inst_fail "appstreamcli validate: $(cat "$INST_DIR/as.log")"
grep -qx 'Icon=org.quizloom.Quizloom' "$desktop" || inst_fail "the desktop entry names another icon"
grep -qx 'Exec=quizloom' "$desktop" || inst_fail "the desktop entry runs another program"
grep -qx 'Name\[ru\]=Квизлум' "$desktop" || inst_fail "no Russian name"
grep -q '^Categories=Education;Qt;' "$desktop" || inst_fail "not filed under Education"

if command -v groff >/dev/null; then
    for page in "$prefix"/share/man/man1/*.1; do
        warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -k -z "$page" 2>&1)
        [ -z "$warnings" ] || inst_fail "$(basename "$page"): $warnings"
    done
fi

[ "$("$prefix/bin/quizloom" --version)" = "quizloom 1.2" ] || inst_fail "installed quizloom --version"
"$prefix/bin/quizloom-check" --help | grep -q 'Код возврата' || inst_fail "installed quizloom-check --help"
"$prefix/bin/quizloom-find" --help | grep -q 'Код возврата' || inst_fail "installed quizloom-find --help"
# The installed search reads a Windows-1251 test and prints UTF-8.
mkdir -p "$INST_DIR/bank"
printf '[\xd2\xe5\xf1\xf2]\r\n\xcd\xe0\xe7\xe2\xe0\xed\xe8\xe5 \xf2\xe5\xf1\xf2\xe0=T\r\n[101]\r\n\xc2\xee\xef\xf0\xee\xf1=\xb8\xeb\xea\xe0\r\n' >"$INST_DIR/bank/t.ini"
[ "$("$prefix/bin/quizloom-find" ёлка "$INST_DIR/bank")" = "t.ini:1:1: ёлка" ] || inst_fail "installed quizloom-find"
inst_pass
