#!/usr/bin/env bash
# Start and quit: the first run takes the start folder's "Тесты" and shows the
# first test in name order; Enter saves only in edit mode; Escape quits and
# creates the user's settings file, folder and all, with its five keys in
# Windows-1251. A prepared settings file survives a run unchanged. A writable
# "quizloom.INI" beside the executable is used instead of the user's file.
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"

start="$E2E_DIR/start"
e2e_write_ini "$start/Тесты/algebra.ini" <<'INI'
[Тест]
Название теста=Алгебра
Дисциплина=математика
INI
# Scanned first, listed second.
e2e_write_ini "$start/Тесты/aa_physics.ini" <<'INI'
[Тест]
Название теста=Физика
INI
cp "$start/Тесты/aa_physics.ini" "$E2E_DIR/physics.ini"
cp "$start/Тесты/algebra.ini" "$E2E_DIR/algebra.ini"

# First run: no settings file.
e2e_start "$start"
e2e_wait_window
e2e_click $E2E_AT_QUESTION
e2e_key ctrl+a
e2e_type "Read mode"
e2e_key Return
e2e_expect_same_bytes "$start/Тесты/algebra.ini" "$E2E_DIR/algebra.ini"
e2e_click $E2E_AT_RADIO_EDIT
e2e_click $E2E_AT_QUESTION
e2e_key ctrl+a
e2e_type "Сколько будет два плюс два"
e2e_key Return
sleep 0.3
e2e_expect_contains "$start/Тесты/algebra.ini" "Вопрос=Сколько будет два плюс два"
e2e_expect_same_bytes "$start/Тесты/aa_physics.ini" "$E2E_DIR/physics.ini"
# Escape quits from a combo box too, asking nothing.
e2e_click $E2E_AT_BOX_SUBJECT
e2e_key Escape
e2e_expect_exit 0
[ -f "$E2E_SETTINGS" ] || e2e_fail "no settings file after the first run"
e2e_write_ini "$E2E_DIR/expected.INI" <<INI
[Тест]
Рабочий каталог=$start/Тесты/
NBoolOneTest=0
NPrintStatMin=1
NSimple=0
NPsiTest=0
INI
e2e_expect_same_bytes "$E2E_SETTINGS" "$E2E_DIR/expected.INI"

# Prepared values: a working directory that exists and every option flipped.
bank="$E2E_DIR/Банк тестов"
e2e_write_ini "$bank/biology.ini" <<'INI'
[Тест]
Название теста=Биология
INI
e2e_write_ini "$E2E_SETTINGS" <<INI
[Тест]
Рабочий каталог=$bank/
NBoolOneTest=1
NPrintStatMin=0
NSimple=1
NPsiTest=1
INI
cp "$E2E_SETTINGS" "$E2E_DIR/prepared.INI"
e2e_start "$start"
e2e_wait_window
e2e_key Escape
e2e_expect_exit 0
e2e_expect_same_bytes "$E2E_SETTINGS" "$E2E_DIR/prepared.INI"

# Portable: an empty file beside the executable takes the settings.
portable="$(dirname "$E2E_BIN")/quizloom.INI"
: >"$portable"
e2e_start "$start"
e2e_wait_window
e2e_key Escape
e2e_expect_exit 0
e2e_expect_same_bytes "$portable" "$E2E_DIR/expected.INI"
e2e_expect_same_bytes "$E2E_SETTINGS" "$E2E_DIR/prepared.INI"

e2e_pass
