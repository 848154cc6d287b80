// Export and import from the window's File menu, answered through the
// dialog interface.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "support/gui/test_bank.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class ExchangeTest : public GuiWindowTest {
protected:
    std::string algebra() { return testsDir() + "/a.ini"; }
    void SetUp() override {
        writeIni(algebra(),
                 fullHeader("Алгебра", "математика", "1", "1", "1") +
                     optionQuestion("101", "Сколько будет 2+2?", {"3", "4", "5", "6", "7"}, {"4"}));
        writeIni(testsDir() + "/b.ini",
                 fullHeader("Биология", "биология", "1", "1", "1") +
                     optionQuestion("101", "Кто летает?", {"кит", "птица", "", "", ""}, {"птица"}));
        open();
    }
};

TEST_F(ExchangeTest, ExportWritesTheChosenScopeInTheChosenFormatAndSaysWhatWent) {
    dialogs.chooseOneAnswers = {0};
    dialogs.chooseFileAnswers = {ChosenFile{QString::fromStdString(temp.file("one")), 1}};
    form().MenuExport->trigger();
    const std::string gift = readFileBytes(temp.file("one.gift"));
    EXPECT_NE(gift.find("$CATEGORY: Алгебра/Вариант 1"), std::string::npos);
    EXPECT_EQ(gift.find("Биология"), std::string::npos) << "the current test only";
    EXPECT_EQ(dialogs.count(DialogKind::Message), 1);

    dialogs.chooseOneAnswers = {1};
    dialogs.chooseFileAnswers = {ChosenFile{QString::fromStdString(temp.file("all.xml")), 0}};
    form().MenuExport->trigger();
    const std::string xml = readFileBytes(temp.file("all.xml"));
    EXPECT_NE(xml.find("<quiz>"), std::string::npos);
    EXPECT_NE(xml.find("Биология"), std::string::npos);

    dialogs.chooseOneAnswers = {std::nullopt};
    form().MenuExport->trigger();
    EXPECT_EQ(dialogs.count(DialogKind::ChooseFile), 2) << "called off at the scope question";
    EXPECT_TRUE(dialogs.errorTexts().empty());
}

TEST_F(ExchangeTest, ImportAsksTheNamesWritesANewTestAndMakesItCurrent) {
    const std::string source = temp.file("source.txt");
    writeFileBytes(source, "Столица Франции?\nA) Берлин\nB) Париж\nC) Рим\nANSWER: B\n");
    dialogs.chooseFileAnswers = {ChosenFile{QString::fromStdString(source), 2}};
    dialogs.inputAnswers = {QString("География"), QString("география"), QString("geo")};
    form().MenuImport->trigger();
    ASSERT_TRUE(dialogs.errorTexts().empty()) << dialogs.errorTexts().front().toStdString();
    const std::string written = readFileUtf8(testsDir() + "/geo.ini");
    EXPECT_NE(written.find("Название теста=География"), std::string::npos);
    EXPECT_NE(written.find("Дисциплина=география"), std::string::npos);
    EXPECT_EQ(form().BoxSubject->currentText(), "География");
    EXPECT_EQ(form().EditQue->text(), "Столица Франции?");
    EXPECT_EQ(window().testCount(), 3);
    EXPECT_EQ(dialogs.count(DialogKind::Message), 1) << "the summary";
}

TEST_F(ExchangeTest, ImportAsksAboutUnsavedEditsAfterItsDialogsAndMalformedInputWritesNothing) {
    form().RadioButtonEdit->click();
    form().EditQue->setText("изменён");
    const std::string source = temp.file("source.txt");
    writeFileBytes(source, "Вопрос?\nA) да\nB) нет\nANSWER: A\n");
    dialogs.chooseFileAnswers = {ChosenFile{QString::fromStdString(source), 2}};
    dialogs.inputAnswers = {QString("Новый"), QString("новый"), QString("n")};
    dialogs.saveAnswers = {SaveChoice::Cancel};
    form().MenuImport->trigger();
    EXPECT_EQ(dialogs.count(DialogKind::AskSave), 1);
    EXPECT_FALSE(fileExists(testsDir() + "/n.ini"));
    EXPECT_EQ(form().EditQue->text(), "изменён");

    writeFileBytes(source, "<quiz><question type=\"multichoice\">");
    dialogs.chooseFileAnswers = {ChosenFile{QString::fromStdString(source), 0}};
    form().MenuImport->trigger();
    EXPECT_EQ(dialogs.errorTexts().size(), 1u);
    EXPECT_EQ(dialogs.count(DialogKind::Input), 3) << "no name is asked for malformed input";
}

// After every malformed question is named, the window asks whether the
// others go in: "Нет" writes nothing and asks no name, "Да" imports them.
TEST_F(ExchangeTest, MalformedQuestionsAreNamedThenTheRestImportedOnlyWhenConfirmed) {
    const std::string source = temp.file("source.txt");
    writeFileBytes(source, "Один вариант\nA) только\nANSWER: A\n\nA) без вопроса\nANSWER: A\n\n"
                           "Хороший?\nA) да\nB) нет\nANSWER: A\n");
    const QString expected = QStringLiteral("Ошибки в файле Aiken (2):\n"
                                            "строки 1–3: меньше двух вариантов ответа\n"
                                            "строки 5–6: вариант ответа или ответ без вопроса\n\n"
                                            "Импортировать остальные 1 вопрос(ов)?");
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Да" : "Нет");
        dialogs.clear();
        dialogs.chooseFileAnswers = {ChosenFile{QString::fromStdString(source), 2}};
        dialogs.confirmAnswers = {yes};
        dialogs.inputAnswers = {QString("Остальные"), QString("разное"), QString("rest")};
        form().MenuImport->trigger();
        EXPECT_EQ(dialogs.last(DialogKind::Confirm).text, expected);
        EXPECT_EQ(dialogs.count(DialogKind::Input), yes ? 3 : 0);
        EXPECT_EQ(fileExists(testsDir() + "/rest.ini"), yes);
        EXPECT_TRUE(dialogs.errorTexts().empty());
    }
    EXPECT_EQ(form().EditQue->text(), "Хороший?");
    EXPECT_NE(dialogs.last(DialogKind::Message).text.indexOf(QStringLiteral("Ошибки в файле Aiken (2):")), -1)
        << "the summary names them again";

    writeFileBytes(source, "A) без вопроса\nANSWER: A\n");
    dialogs.clear();
    dialogs.chooseFileAnswers = {ChosenFile{QString::fromStdString(source), 2}};
    form().MenuImport->trigger();
    EXPECT_EQ(dialogs.count(DialogKind::Confirm), 0) << "nothing is left to import";
    ASSERT_EQ(dialogs.errorTexts().size(), 1u);
    EXPECT_EQ(dialogs.errorTexts().front(),
              QStringLiteral("Ошибки в файле Aiken (1):\n"
                             "строки 1–2: вариант ответа или ответ без вопроса\n"
                             "Нет ни одного вопроса, который можно импортировать."));
}

// The carried name and subject are what the dialogs offer; a name the test
// list would hide is refused with the new-test dialog's message.
TEST_F(ExchangeTest, ImportOffersTheCarriedHeaderAndRefusesAHiddenName) {
    const std::string source = temp.file("source.gift");
    writeFileBytes(source, "// [Тест]\n// Название теста=Error\n// Дисциплина=химия\n\n"
                           "$CATEGORY: Error/Вариант 1\n\n::101::H2O?{=вода ~соль}\n");
    dialogs.chooseFileAnswers = {ChosenFile{QString::fromStdString(source), 1}};
    dialogs.inputAnswers = {std::nullopt};
    form().MenuImport->trigger();
    EXPECT_EQ(dialogs.last(DialogKind::Input).detail, "Error");

    dialogs.chooseFileAnswers = {ChosenFile{QString::fromStdString(source), 1}};
    dialogs.inputAnswers = {QString("Error")};
    form().MenuImport->trigger();
    EXPECT_EQ(dialogs.last(DialogKind::Message).text, "Ошибка ввода названия теста!");
    EXPECT_EQ(window().testCount(), 2);

    dialogs.chooseFileAnswers = {ChosenFile{QString::fromStdString(source), 1}};
    dialogs.inputAnswers = {QString("Химия"), std::nullopt};
    form().MenuImport->trigger();
    EXPECT_EQ(dialogs.last(DialogKind::Input).detail, "химия") << "the carried subject";
}

TEST_F(ExchangeTest, ExportWithNothingToExportWritesNoFile) {
    writeIni(algebra(), fullHeader("Алгебра", "математика", "1", "1", "1") +
                            optionQuestion("101", "Настроение?", {"хорошее", "плохое", "", "", ""}, {}));
    dialogs.chooseOneAnswers = {0};
    dialogs.chooseFileAnswers = {ChosenFile{QString::fromStdString(temp.file("none.xml")), 0}};
    form().MenuExport->trigger();
    EXPECT_FALSE(fileExists(temp.file("none.xml")));
    EXPECT_EQ(dialogs.last(DialogKind::Message).text,
              "Экспортировано вопросов: 0 (тестов: 0)\nНе экспортировано (1):\n"
              "«Алгебра»: психотест: ни в одном вопросе нет правильного ответа\n"
              "Нет ни одного вопроса, который можно экспортировать: файл не записан");
}

} // namespace
} // namespace quizloom::testing
