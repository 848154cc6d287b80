#!/usr/bin/env bash
# A new test through the real input dialogs, typed with xdotool, and a
# question saved into it; then the About dialog opened and closed twice,
# with screenshots of both windows left in the output folder.
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
_e2e_require import
shots="$2"

start="$E2E_DIR/start"
bank="$start/Тесты"
e2e_write_ini "$bank/a.ini" <<'INI'
[Тест]
Название теста=Алгебра
INI

# Waits until no visible window has that title.
wait_gone() {
    local i
    for i in $(seq $((E2E_TIMEOUT * 10))); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    e2e_fail "window \"$1\" did not close"
}

e2e_start "$start"
e2e_wait_window
main_wid=$E2E_WID

# "Файл" > "&Новый": the test name, then the file name.
e2e_open_file_menu
e2e_type "н"
e2e_wait_window "Введите"
first=$E2E_WID
e2e_key ctrl+a
e2e_type "Физика"
e2e_key Return
for _ in $(seq $((E2E_TIMEOUT * 10))); do
    E2E_WID=$(xdotool search --onlyvisible --name "^Введите\$" | grep -vx "$first" | head -n1)
    [ -n "$E2E_WID" ] && break
    sleep 0.1
done
[ -n "$E2E_WID" ] || e2e_fail "no file-name dialog"
xdotool windowfocus --sync "$E2E_WID"
sleep 0.3
e2e_key ctrl+a
e2e_type "physics"
e2e_key Return
wait_gone "Введите"
file="$bank/physics.ini"
[ -f "$file" ] || e2e_fail "no new test file"
e2e_expect_contains "$file" "Название теста=Физика"

# Edit mode is on: type the question into its field and press Enter, which
# presses "Сохранить".
E2E_WID=$main_wid
xdotool windowfocus --sync "$E2E_WID"
e2e_click $E2E_AT_QUESTION
e2e_type "Первый вопрос физики"
e2e_key Return
sleep 0.5
e2e_expect_contains "$file" "[Тест]"
e2e_expect_contains "$file" "Название теста=Физика"
e2e_expect_contains "$file" "Дисциплина=физиология"
e2e_expect_contains "$file" "[101]"
e2e_expect_contains "$file" "Вопрос=Первый вопрос физики"

import -window "$main_wid" "$shots/main_window.png" || e2e_fail "no screenshot of the main window"

# "Справка" > "О программе": Left from "Файл" wraps round to the last menu.
for round in 1 2; do
    E2E_WID=$main_wid
    xdotool windowfocus --sync "$E2E_WID"
    e2e_open_file_menu
    e2e_key Left
    e2e_key Return
    e2e_wait_window "О программе"
    about_wid=$E2E_WID
    if [ "$round" -eq 1 ]; then
        import -window "$about_wid" "$shots/about_dialog.png" || e2e_fail "no screenshot of the About dialog"
        e2e_key Return # OK is the default button
    else
        e2e_key Escape
    fi
    wait_gone "О программе"
done
[ -s "$shots/main_window.png" ] && [ -s "$shots/about_dialog.png" ] || e2e_fail "screenshots missing"

# The program still runs on the same test and ends normally.
E2E_WID=$main_wid
xdotool windowfocus --sync "$E2E_WID"
e2e_key Escape
e2e_expect_exit 0
e2e_pass
