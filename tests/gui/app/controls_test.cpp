// The controls of the form: names, kinds, captions, initial state, tab order.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

using Controls = GuiWindowTest;

struct Captioned {
    const char* name;
    const char* text;
};

QString captionOf(QObject* object) {
    if (auto* label = qobject_cast<QLabel*>(object))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(object))
        return edit->text();
    if (auto* box = qobject_cast<QComboBox*>(object))
        return box->currentText();
    if (auto* group = qobject_cast<QGroupBox*>(object))
        return group->title();
    if (auto* action = qobject_cast<QAction*>(object))
        return action->text();
    if (auto* menu = qobject_cast<QMenu*>(object))
        return menu->title();
    return "<no caption>";
}

TEST_F(Controls, CaptionsAndInitialTextsAreTheForms) {
    const Captioned expected[] = {
        {"Label13", "Дисциплина"},
        {"EditDSubject", "физиология"},
        {"Label14", "Тип"},
        {"EditType", "много вариантов ответа"},
        {"Label7", "Оценка"},
        {"Label16", "5"},
        {"Label17", "4"},
        {"Label18", "3"},
        {"Label15", "Правильных ответов, (%)"},
        {"Edit_5", "95"},
        {"Edit_4", "85"},
        {"Edit_3", "75"},
        {"Label10", "Всего вариантов"},
        {"EditMaxVar", "5"},
        {"Label11", "Всего вопросов"},
        {"EditMaxQue", "5"},
        {"Label12", "Название теста"},
        {"Label6", "Уровень"},
        {"EditNumLevel", "1"},
        {"Label8", "Вариант"},
        {"EditNumVar", "1"},
        {"Label9", "Номер вопроса"},
        {"EditNumQue", "1"},
        {"BoxSubject", ""},
        {"LabelQue", "Номер вопроса в тесте:"},
        {"RadioButtonRead", "Режим чтения"},
        {"RadioButtonEdit", "Режим редактирования"},
        {"LabelQwe", "Вопрос"},
        {"EditQue", ""},
        {"GroupVar", "Варианты ответа"},
        {"LabelRigth", "Правильный"},
        {"Label1", "№1"},
        {"Label5", "№5"},
        {"Edit1", ""},
        {"CheckBox1", ""},
        {"BtnSave", "Сохранить"},
        {"CancelBtn", "Выход"},
        {"BtnPlus", "Вариант +"},
        {"BtnMinus", "Вариант -"},
        {"BtnPlusQ", "Номер вопроса +"},
        {"BtnMinusQ", "Номер вопроса -"},
        {"NF", "&Файл"},
        {"NewTest", "&Новый"},
        {"MenuSave", "&Сохранить"},
        {"MenuChangeDir", "&Изменить рабочий каталог (Выберите файл)"},
        {"NTesting", "&Проверить структуру теста на ошибки"},
        {"NClearStat", "&Очистить статистику"},
        {"N3", "&Выход"},
        {"N6", "&Опции"},
        {"CopyToBuf", "&Копировать всё в буфер"},
        {"InsFromBuf", "&Вставить из буфера"},
        {"InsertCancel", "&Отменить вставку"},
        {"NBoolOneTest", "&Проверять структуру только одного (текущего) теста"},
        {"NPrintStatMin", "Выводить &статистику только для файлов с поврежденной структурой"},
        {"NSimple", "&Упрощенный режим проверки и корректировки тестов"},
        {"NPsiTest", "Создавать &только вопросы (психотесты)"},
        {"About", "&Справка"},
        {"N2", "&О программе"},
        {"StatusPanel1", "Статус"},
        {"StatusPanel2", "Файл:"},
        {"StatusPanel3", ""},
    };
    for (const Captioned& c : expected) {
        QObject* object = window().findChild<QObject*>(c.name);
        ASSERT_NE(object, nullptr) << c.name;
        EXPECT_EQ(captionOf(object).toStdString(), c.text) << c.name;
    }
    EXPECT_EQ(window().objectName().toStdString(), "FormQuizloom");
    EXPECT_EQ(form().EditType->count(), 2);
    EXPECT_EQ(form().BoxSubject->count(), 0);
    for (QComboBox* box : {form().EditType, form().BoxSubject}) {
        EXPECT_TRUE(box->isEditable());
        EXPECT_EQ(box->insertPolicy(), QComboBox::NoInsert);
        EXPECT_EQ(box->completer(), nullptr) << "a typed text is never completed";
    }
    EXPECT_TRUE(form().LabelQue->font().italic());
    EXPECT_EQ(form().Memo1->toPlainText().toStdString(), "Memo1");
    EXPECT_FALSE(form().Memo1->isEnabled());
    EXPECT_TRUE(form().Memo1->isHidden());
    EXPECT_EQ(form().N4->isSeparator(), true);
}

TEST_F(Controls, OptionItemsToggleAndStatusPanelsHaveTheirWidths) {
    for (QAction* item : {form().NBoolOneTest, form().NPrintStatMin, form().NSimple, form().NPsiTest})
        EXPECT_TRUE(item->isCheckable()) << item->objectName().toStdString();
    for (QAction* item : {form().NewTest, form().MenuSave, form().N3, form().N2})
        EXPECT_FALSE(item->isCheckable()) << item->objectName().toStdString();
    EXPECT_TRUE(form().NPrintStatMin->isChecked());
    EXPECT_FALSE(form().NBoolOneTest->isChecked());
    open();
    EXPECT_GE(window().statusPanel(0)->width(), 45);
    EXPECT_GE(window().statusPanel(1)->width(), 42);
    EXPECT_GT(window().statusPanel(2)->width(), 300) << "the third panel takes the rest";
    EXPECT_EQ(window().statusPanel(0)->objectName().toStdString(), "StatusPanel1");
}

TEST_F(Controls, TabOrderFollowsTheForm) {
    const char* order[] = {"EditQue",    "CheckBox1",    "Edit1",           "Edit2",           "CheckBox2",
                           "Edit3",      "CheckBox3",    "Edit4",           "CheckBox4",       "Edit5",
                           "CheckBox5",  "BoxSubject",   "EditNumVar",      "EditNumQue",      "EditMaxVar",
                           "EditMaxQue", "EditDSubject", "EditNumLevel",    "Edit_5",          "Edit_4",
                           "Edit_3",     "EditType",     "RadioButtonRead", "RadioButtonEdit", "BtnSave",
                           "CancelBtn",  "BtnPlus",      "BtnMinus",        "BtnPlusQ",        "BtnMinusQ",
                           "Memo1"};
    std::vector<std::string> expected(std::begin(order), std::end(order));
    std::vector<std::string> chain;
    QWidget* w = form().EditQue;
    do {
        const std::string name = w->objectName().toStdString();
        if (std::find(expected.begin(), expected.end(), name) != expected.end())
            chain.push_back(name);
        w = w->nextInFocusChain();
    } while (w != form().EditQue);
    EXPECT_EQ(chain, expected);
}

} // namespace
} // namespace quizloom::testing
