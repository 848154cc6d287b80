// The controls of the form: names, kinds, captions, initial state, tab order.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
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

// objectName, widget kind, caption or initial text: the form's glossary.
struct Captioned {
    const char* name;
    const char* kind;
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
    if (auto* dock = qobject_cast<QDockWidget*>(object))
        return dock->windowTitle();
    return "<no caption>";
}

TEST_F(Controls, CaptionsAndInitialTextsAreTheForms) {
    const Captioned expected[] = {
        {"Label13", "QLabel", "Дисциплина"},
        {"EditDSubject", "QLineEdit", "физиология"},
        {"Label14", "QLabel", "Тип"},
        {"EditType", "QComboBox", "много вариантов ответа"},
        {"Label7", "QLabel", "Оценка"},
        {"Label16", "QLabel", "5"},
        {"Label17", "QLabel", "4"},
        {"Label18", "QLabel", "3"},
        {"Label15", "QLabel", "Правильных ответов, (%)"},
        {"Edit_5", "QLineEdit", "95"},
        {"Edit_4", "QLineEdit", "85"},
        {"Edit_3", "QLineEdit", "75"},
        {"Label10", "QLabel", "Всего вариантов"},
        {"EditMaxVar", "QLineEdit", "5"},
        {"Label11", "QLabel", "Всего вопросов"},
        {"EditMaxQue", "QLineEdit", "5"},
        {"Label12", "QLabel", "Название теста"},
        {"Label6", "QLabel", "Уровень"},
        {"EditNumLevel", "QLineEdit", "1"},
        {"Label8", "QLabel", "Вариант"},
        {"EditNumVar", "QLineEdit", "1"},
        {"Label9", "QLabel", "Номер вопроса"},
        {"EditNumQue", "QLineEdit", "1"},
        {"BoxSubject", "QComboBox", ""},
        {"LabelQue", "QLabel", "Номер вопроса в тесте:"},
        {"RadioButtonRead", "QRadioButton", "Режим чтения"},
        {"RadioButtonEdit", "QRadioButton", "Режим редактирования"},
        {"LabelQwe", "QLabel", "Вопрос"},
        {"EditQue", "QLineEdit", ""},
        {"GroupVar", "QGroupBox", "Варианты ответа"},
        {"LabelRigth", "QLabel", "Правильный"},
        {"Label1", "QLabel", "№1"},
        {"Label5", "QLabel", "№5"},
        {"Edit1", "QLineEdit", ""},
        {"CheckBox1", "QCheckBox", ""},
        {"BtnSave", "QPushButton", "Сохранить"},
        {"CancelBtn", "QPushButton", "Выход"},
        {"BtnPlus", "QPushButton", "Вариант +"},
        {"BtnMinus", "QPushButton", "Вариант -"},
        {"BtnPlusQ", "QPushButton", "Номер вопроса +"},
        {"BtnMinusQ", "QPushButton", "Номер вопроса -"},
        {"NF", "QMenu", "&Файл"},
        {"NewTest", "QAction", "&Новый"},
        {"MenuSave", "QAction", "&Сохранить"},
        {"MenuChangeDir", "QAction", "&Изменить рабочий каталог (Выберите файл)"},
        {"NTesting", "QAction", "&Проверить структуру теста на ошибки"},
        {"NClearStat", "QAction", "&Очистить статистику"},
        {"N3", "QAction", "&Выход"},
        {"N6", "QMenu", "&Опции"},
        {"CopyToBuf", "QAction", "&Копировать всё в буфер"},
        {"InsFromBuf", "QAction", "&Вставить из буфера"},
        {"InsertCancel", "QAction", "&Отменить вставку"},
        {"NBoolOneTest", "QAction", "&Проверять структуру только одного (текущего) теста"},
        {"NPrintStatMin", "QAction", "Выводить &статистику только для файлов с поврежденной структурой"},
        {"NSimple", "QAction", "&Упрощенный режим проверки и корректировки тестов"},
        {"NPsiTest", "QAction", "Создавать &только вопросы (психотесты)"},
        {"NView", "QMenu", "&Вид"},
        {"MenuOverview", "QAction", "&Обзор вопросов"},
        {"MenuFind", "QAction", "&Найти в тестах…"},
        {"OverviewDock", "QDockWidget", "Обзор вопросов"},
        {"About", "QMenu", "&Справка"},
        {"N2", "QAction", "&О программе"},
        {"StatusPanel1", "QLabel", "Статус"},
        {"StatusPanel2", "QLabel", "Файл:"},
        {"StatusPanel3", "QLabel", ""},
    };
    for (const Captioned& c : expected) {
        QObject* object = window().findChild<QObject*>(c.name);
        ASSERT_NE(object, nullptr) << c.name;
        EXPECT_TRUE(object->inherits(c.kind)) << c.name << " is a " << object->metaObject()->className();
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
    for (QAction* item :
         {form().NBoolOneTest, form().NPrintStatMin, form().NSimple, form().NPsiTest, form().MenuOverview})
        EXPECT_TRUE(item->isCheckable()) << item->objectName().toStdString();
    for (QAction* item : {form().NewTest, form().MenuSave, form().N3, form().N2, form().MenuFind})
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
