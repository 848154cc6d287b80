#!/usr/bin/env bash
# `cpack -G DEB`: the package builds, holds the installed tree under /usr
# with stripped programs, and depends on the shared libraries it links and
# on the toolkit's translations.
source "$(dirname "$0")/lib.sh"
inst_init "$1" "$2"
inst_require cpack dpkg-deb dpkg-shlibdeps file
cpack -G DEB --config "$INST_BUILD/CPackConfig.cmake" -B "$INST_DIR/out" >"$INST_DIR/cpack.log" 2>&1 ||
    inst_fail "cpack failed: $(cat "$INST_DIR/cpack.log")"
debs=("$INST_DIR"/out/*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || inst_fail "no single .deb: ${debs[*]}"
deb=${debs[0]}
[ "$(basename "$deb")" = "quizloom_1.2_$(dpkg --print-architecture).deb" ] ||
    inst_fail "package file named $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quizloom ] || inst_fail "Package: $(field Package)"
[ "$(field Maintainer)" = "Quizloom developers <dev@quizloom.example>" ] ||
    inst_fail "Maintainer: $(field Maintainer)"
depends=$(field Depends)
# The package names alone, one a line, without their versions.
names=$(tr ',' '\n' <<<"$depends" | awk '{print $1}')
for needed in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo qt6-translations-l10n; do
    grep -qxF "$needed" <<<"$names" || inst_fail "Depends lacks $needed: $depends"
done

dpkg-deb -x "$deb" "$INST_DIR/root"
mapfile -t expected < <(inst_expected_tree)
inst_expect_files "$INST_DIR/root/usr" "${expected[@]}"
# Nothing but the installed tree: no file outside /usr.
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/' | grep -v '^\./$' || true)
[ -z "$outside" ] || inst_fail "files outside /usr: $outside"
for program in quizloom quizloom-check quizloom-find; do
    file -b "$INST_DIR/root/usr/bin/$program" | grep -q ', stripped' ||
        inst_fail "$program is not stripped: $(file -b "$INST_DIR/root/usr/bin/$program")"
done
inst_pass
