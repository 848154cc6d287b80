#!/usr/bin/env bash
# The question overview and the search with the real binary: F9 brings up
# the panel, Ctrl+F the search bar; a typed text finds a question, Enter
# goes on to the results and Enter opens the one found. The question shown
# is then edited and saved, which proves which question it was.
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"

start="$E2E_DIR/start"
test="$start/Тесты/algebra.ini"
e2e_write_ini "$test" <<'INI'
[Тест]
Название теста=Ботаника
Дисциплина=биология
Тип=один вариант ответа
Уровень=1
Количество вариантов=2
Количество вопросов=3
[101]
Вопрос=Первый вопрос
[203]
Вопрос=Где растёт ёлка?
INI

e2e_start "$start"
e2e_wait_window
e2e_key F9
e2e_key ctrl+f
e2e_type "елка"
sleep 1.5 # the pause after typing, then the search
e2e_key Return # on to the results
e2e_key Return # open the first
e2e_click $E2E_AT_RADIO_EDIT
e2e_click $E2E_AT_QUESTION
e2e_key ctrl+a
e2e_type "Найденный вопрос"
e2e_key ctrl+s
e2e_key Escape
e2e_expect_exit 0

e2e_expect_contains "$test" "[203]"
sed -n '/^\[203\]/,$p' <(e2e_read_utf8 "$test" | tr -d '\r') | grep -qx "Вопрос=Найденный вопрос" ||
    e2e_fail "question 2.3 was not the one shown"
e2e_expect_contains "$test" "Вопрос=Первый вопрос"
e2e_pass
