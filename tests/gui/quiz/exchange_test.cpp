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
        writeIni(algebra(), fullHeader("Алгебра", "математика", "1", "1", "1") +
                                optionQuestion("101", "Сколько будет 2+2?", {"3", "4", "5", "6", "7"}, {"4"}));
        writeIni(testsDir() + "/b.ini", fullHeader("Биология", "биология", "1", "1", "1") +
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

} // namespace
} // namespace quizloom::testing
