#!/usr/bin/env bash
# The structure check from the menu on a small bank: the report file appears
# in the current directory with the summary on top and without the line that
# announces it, and holds what quizloom-check prints for the same folder.
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"

start="$E2E_DIR/start"
bank="$start/Тесты"
e2e_write_ini "$bank/a.ini" <<'INI'
[Тест]
Название теста=Алгебра
Дисциплина=математика
Тип=один вариант ответа
Уровень=1
Количество вариантов=1
Количество вопросов=1
Оценка 5=95
Оценка 4=85
Оценка 3=75
[101]
Вопрос=2+2?
Вариант №1=3
Вариант №2=4
Вариант №3=5
Вариант №4=6
Вариант №5=7
Правильный ответ №1=4
INI
e2e_write_ini "$bank/b.ini" <<'INI'
[Тест]
Название теста=Биология
Уровень=3
Количество вариантов=1
Количество вопросов=2
Оценка 5=95
Оценка 4=85
Оценка 3=75
INI
report="$start/Результаты проверки тестов.txt"

e2e_start "$start"
e2e_wait_window
normal_size=$(xdotool getwindowgeometry "$E2E_WID" | sed -n 's/.*Geometry: //p')
# "Файл", then the access letter of "&Проверить структуру теста на ошибки".
e2e_open_file_menu
e2e_type "п"
e2e_wait_file "$report"
sleep 0.3

e2e_expect_contains "$report" "Проверено 2 файл(ов) с тестами, найдено ошибок структур: 1"
e2e_expect_contains "$report" "Проверяем на ошибки структуру файла теста \"$bank/b.ini\" ..."
e2e_expect_contains "$report" "Не указана дисциплина (предмет)..."
e2e_read_utf8 "$report" | grep -qF "Результаты проверки файлов записаны" &&
    e2e_fail "the report file holds the line that announces it"
e2e_read_utf8 "$report" | grep -qF "\"$bank/a.ini\"" && e2e_fail "a passing test is in the report"
lines=$(wc -l <"$report")
crlf=$(grep -c $'\r$' "$report")
[ "$lines" -eq "$crlf" ] || e2e_fail "not every line of the report ends in CR LF"

# The command-line check prints the same lines.
tool="$(dirname "$1")/quizloom-check"
if [ -x "$tool" ]; then
    "$tool" "$bank/" >"$E2E_DIR/tool.txt"
    [ $? -eq 1 ] || e2e_fail "quizloom-check should report a damaged test"
    e2e_read_utf8 "$report" | tr -d '\r' | cmp -s - "$E2E_DIR/tool.txt" ||
        e2e_fail "quizloom-check prints other lines than the report file"
fi

# The report fills the maximized window; "&Очистить статистику" brings the
# editor back at its earlier size.
window_size() { xdotool getwindowgeometry "$E2E_WID" | sed -n 's/.*Geometry: //p'; }
# Waits until the window has that size; fails naming what it is instead.
expect_size() {
    for _ in $(seq $((E2E_TIMEOUT * 10))); do [ "$(window_size)" = "$1" ] && return 0; sleep 0.1; done
    e2e_fail "$2: the window is $(window_size), not $1"
}
expect_size "$(xdotool getdisplaygeometry | tr ' ' x)" "the report view is not maximized"
e2e_open_file_menu
e2e_type "о"
expect_size "$normal_size" "the editor view did not come back at its size"

# "Файл" > "&Выход" ends the program.
e2e_open_file_menu
e2e_type "в"
e2e_expect_exit 0
e2e_pass
