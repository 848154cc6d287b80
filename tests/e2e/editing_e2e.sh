#!/usr/bin/env bash
# A typical edit with the real binary: edit mode, a new question text typed,
# "Номер вопроса +" pressed, the program quit; the text is in the file, in
# Windows-1251, and the rest of the file is as it was.
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"

start="$E2E_DIR/start"
test="$start/Тесты/algebra.ini"
bank=$(cat <<'INI'
[Тест]
Название теста=Алгебра
Дисциплина=математика
Тип=много вариантов ответа
Уровень=1
Количество вариантов=2
Количество вопросов=3
Оценка 5=90
Оценка 4=80
Оценка 3=70
[101]
Вопрос=Старый вопрос
Вариант №1=1
Вариант №2=2
Вариант №3=3
Вариант №4=4
Вариант №5=5
Правильный ответ №1=2
[102]
Вопрос=Второй вопрос
INI
)
printf '%s\n' "$bank" | e2e_write_ini "$test"

e2e_start "$start"
e2e_wait_window
e2e_click $E2E_AT_RADIO_EDIT
e2e_click $E2E_AT_QUESTION
e2e_key ctrl+a
e2e_type "Сколько будет два плюс два"
e2e_click $E2E_AT_NEXT_QUESTION
e2e_key Escape
e2e_expect_exit 0

# The same file with only the typed question changed.
printf '%s\n' "${bank/Вопрос=Старый вопрос/Вопрос=Сколько будет два плюс два}" |
    e2e_write_ini "$E2E_DIR/expected.ini"
e2e_expect_contains "$test" "Вопрос=Сколько будет два плюс два"
e2e_expect_same_bytes "$test" "$E2E_DIR/expected.ini"

e2e_pass
