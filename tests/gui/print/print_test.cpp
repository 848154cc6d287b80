// Paper tests from "Файл › Печать…": the dialog, its remembered choices,
// and the PDF, ODT, printout and preview it makes, read back as text.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <filesystem>
#include <functional>

#include "core/print/paper_test.h"
#include "core/print/paper_texts.h"
#include "gui/print/print_dialog.h"
#include "support/gui/test_bank.h"
#include "support/gui/window_fixture.h"
#include "support/run_program.h"

namespace quizloom::testing {
namespace {

namespace pr = quizloom::print;

// What pdftotext reads from pages first..last of a PDF (all when 0), with
// runs of blanks made one.
std::string pdfText(const std::string& pdf, int first = 0, int last = 0) {
    std::vector<std::string> args{"-layout"};
    if (first > 0)
        args.insert(args.end(), {"-f", std::to_string(first), "-l", std::to_string(last)});
    args.insert(args.end(), {pdf, "-"});
    const ProgramOutcome outcome = runProgram("pdftotext", ".", args);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    return QString::fromStdString(outcome.out)
        .replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "))
        .toStdString();
}

int pdfPages(const std::string& pdf) {
    const ProgramOutcome outcome = runProgram("pdfinfo", ".", {pdf});
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromStdString(outcome.out));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Each of texts found in text after the one before; the first missing one.
std::optional<std::string> firstOutOfOrder(const std::string& text, const std::vector<std::string>& texts) {
    std::size_t at = 0;
    for (const std::string& expected : texts) {
        const std::size_t found = text.find(expected, at);
        if (found == std::string::npos)
            return expected;
        at = found + expected.size();
    }
    return std::nullopt;
}

class PrintTest : public GuiWindowTest {
protected:
    std::string quiz() { return testsDir() + "/drobi.ini"; }

    void SetUp() override {
        writeIni(
            quiz(),
            fullHeader("Дроби", "математика", "1", "2", "3") +
                optionQuestion("101", "Половина единицы?", {"1/2", "", "1/3", "2", "0,5"}, {"1/2", "0,5"}) +
                optionQuestion("102", "Больше единицы?", {"3/2", "<i>1/4</i> & 2", "", "", ""}, {"3/2"}) +
                optionQuestion("201", "Треть от трёх?", {"1", "3", "9", "", ""}, {"1"}) +
                optionQuestion("203", "Четверть от восьми?", {"2", "4", "", "", "8"}, {"2"}));
        open();
    }

    // Answers the print dialog with act, then closes it; the dialogs its
    // buttons bring up go to the hooks below.
    void inPrintDialog(const std::function<void(PrintDialog&)>& act) {
        dialogs.execHook = [this, act](QDialog& dialog) -> int {
            if (auto* print = dynamic_cast<PrintDialog*>(&dialog)) {
                act(*print);
                return QDialog::Rejected;
            }
            if (auto* preview = dynamic_cast<QPrintPreviewDialog*>(&dialog))
                return previewHook(*preview);
            if (auto* printer = dynamic_cast<QPrintDialog*>(&dialog))
                return printHook(*printer);
            ADD_FAILURE() << "unexpected dialog " << dialog.objectName().toStdString();
            return QDialog::Rejected;
        };
        form().MenuPrint->trigger();
    }

    template <class T> static T* child(QWidget& dialog, const char* name) {
        T* found = dialog.findChild<T*>(QString::fromLatin1(name));
        if (!found)
            ADD_FAILURE() << "no " << name;
        return found;
    }

    static void choose(PrintDialog& dialog, const pr::PaperChoices& choices) { dialog.setChoices(choices); }

    // Makes the PDF of choices into path through the "PDF…" button.
    void makePdf(PrintDialog& dialog, const pr::PaperChoices& choices, const std::string& path) {
        choose(dialog, choices);
        dialogs.chooseFileAnswers.push_back(ChosenFile{QString::fromStdString(path), 0});
        child<QPushButton>(dialog, "BtnPdf")->click();
    }

    std::function<int(QPrintPreviewDialog&)> previewHook = [](QPrintPreviewDialog&) { return 0; };
    std::function<int(QPrintDialog&)> printHook = [](QPrintDialog&) { return 0; };
};

// The lines a paper of the test must show, in order: per variant the
// title lines and every question with its lettered options, then the key.
std::vector<std::string> expectedLines(const pr::PaperTest& test) {
    std::vector<std::string> lines;
    for (const pr::PaperVariant& variant : test.variants) {
        lines.push_back(test.name);
        lines.push_back(pr::subjectLine(test.subject));
        lines.push_back(pr::variantTitle(variant.number));
        lines.push_back("Фамилия, имя ____ Класс ____ Дата ____");
        for (const pr::PaperQuestion& question : variant.questions) {
            lines.push_back(std::to_string(question.number) + ". " + question.text);
            for (const pr::PaperOption& option : question.options)
                lines.push_back("☐ " + std::string(option.letter) + ") " + option.text);
        }
    }
    lines.push_back(std::string(pr::kKeyTitle));
    for (const pr::PaperVariant& variant : test.variants) {
        lines.push_back(pr::variantTitle(variant.number));
        for (const pr::PaperQuestion& question : variant.questions)
            lines.push_back(std::to_string(question.number) + " " + pr::keyText(question.key, test.level));
    }
    return lines;
}

TEST_F(PrintTest, ThePdfHoldsEveryKeptQuestionOptionAndKeyRowInOrder) {
    const std::string pdf = temp.file("paper");
    const pr::PaperChoices choices{"все", true, true, 2024, true, true, 12};
    inPrintDialog([&](PrintDialog& dialog) { makePdf(dialog, choices, pdf); });
    ASSERT_TRUE(dialogs.errorTexts().empty()) << dialogs.errorTexts().front().toStdString();
    EXPECT_EQ(dialogs.last(DialogKind::ChooseFile).title, "Сохранить в PDF");
    const std::string text = pdfText(pdf + ".pdf");
    const pr::PaperTest test = pr::buildPaperTest(quiz(), choices, 1);
    ASSERT_EQ(test.questionCount(), 4);
    EXPECT_EQ(firstOutOfOrder(text, expectedLines(test)), std::nullopt) << text;
    // Each variant starts a page, the key after them; every page has its footer.
    EXPECT_EQ(pdfPages(pdf + ".pdf"), 3);
    EXPECT_NE(pdfText(pdf + ".pdf", 2, 2).find("Дроби · Вариант 2 · стр. 1 из 1"), std::string::npos);
    EXPECT_NE(pdfText(pdf + ".pdf", 3, 3).find("Дроби · Лист ответов · стр. 1 из 1"), std::string::npos);
    EXPECT_NE(text.find("Выберите все правильные ответы"), std::string::npos);
    EXPECT_EQ(text.find("Треть от трёх?"), text.rfind("Треть от трёх?")) << "variant 2 printed once";
}

// Markup in a stored text is text: it prints as it stands.
TEST_F(PrintTest, OptionalPartsFollowTheChoicesAndTextsPrintAsStored) {
    const std::string pdf = temp.file("bare.pdf");
    inPrintDialog([&](PrintDialog& dialog) {
        makePdf(dialog, {"1", false, false, 5, false, false, 10}, pdf);
    });
    const std::string text = pdfText(pdf);
    EXPECT_EQ(pdfPages(pdf), 1);
    EXPECT_EQ(text.find("Фамилия, имя"), std::string::npos);
    EXPECT_EQ(text.find("Лист ответов"), std::string::npos);
    EXPECT_EQ(firstOutOfOrder(text, {"1. Половина единицы?", "☐ а) 1/2", "☐ б) 1/3", "☐ в) 2", "☐ г) 0,5",
                                     "2. Больше единицы?", "☐ а) 3/2", "☐ б) <i>1/4</i> & 2"}),
              std::nullopt)
        << text;
}

// The left edge in points of the first word of the PDF's first page that
// starts with word; -1 when there is none.
double leftOf(const std::string& pdf, const std::string& word) {
    const ProgramOutcome outcome = runProgram("pdftotext", ".", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    const QRegularExpression pattern(QStringLiteral("xMin=\"([0-9.]+)\"[^>]*>") +
                                     QRegularExpression::escape(QString::fromStdString(word)));
    const QRegularExpressionMatch match = pattern.match(QString::fromStdString(outcome.out));
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

TEST_F(PrintTest, TheOptionsStandIndentedUnderTheQuestionWithinTheMargins) {
    const std::string pdf = temp.file("indent.pdf");
    inPrintDialog([&](PrintDialog& dialog) {
        makePdf(dialog, {"1", false, false, 1, false, true, 12}, pdf);
    });
    const double question = leftOf(pdf, "1.");
    const double option = leftOf(pdf, "☐");
    // 2 cm margin is 56.7 pt; an indent of a line or so, 12 to 24 pt.
    EXPECT_NEAR(question, 56.7, 1);
    EXPECT_GT(option - question, 12);
    EXPECT_LT(option - question, 24);
}

TEST_F(PrintTest, NoQuestionIsSplitAcrossPagesOfALongTest) {
    std::vector<IniEntry> entries = fullHeader("Длинный", "история", "1", "1", "60");
    for (int q = 1; q <= 60; ++q) {
        // Texts of different lengths so that questions end all over a page.
        std::string text = "Вопрос " + std::to_string(q) + ":";
        for (int w = 0; w < q % 7 * 6; ++w)
            text += " слово";
        std::array<std::string, 5> options;
        for (int k = 0; k < 5; ++k)
            options[k] = "ответ " + std::to_string(q) + "-" + std::to_string(k + 1);
        entries = entries + optionQuestion(std::to_string(100 + q), text, options, {options[0]});
    }
    writeIni(quiz(), entries);
    const std::string pdf = temp.file("long.pdf");
    inPrintDialog([&](PrintDialog& dialog) {
        makePdf(dialog, {"1", false, false, 1, false, true, 16}, pdf);
    });
    const int pages = pdfPages(pdf);
    ASSERT_GT(pages, 5);
    std::vector<std::string> pageTexts;
    for (int page = 1; page <= pages; ++page)
        pageTexts.push_back(pdfText(pdf, page, page));
    const auto pageOf = [&](const std::string& text) {
        for (std::size_t page = 0; page < pageTexts.size(); ++page)
            if (pageTexts[page].find(text) != std::string::npos)
                return static_cast<int>(page);
        return -1;
    };
    for (int q = 1; q <= 60; ++q) {
        const int start = pageOf(std::to_string(q) + ". Вопрос " + std::to_string(q) + ":");
        EXPECT_NE(start, -1) << q;
        EXPECT_EQ(pageOf("ответ " + std::to_string(q) + "-5"), start) << "question " << q;
    }
    EXPECT_NE(pageTexts.back().find("Длинный · Вариант 1 · стр. " + std::to_string(pages) + " из " +
                                    std::to_string(pages)),
              std::string::npos);
}

TEST_F(PrintTest, TheOdtIsAnOdfPackageWhoseContentHoldsTheTexts) {
    const std::string odt = temp.file("paper.odt");
    inPrintDialog([&](PrintDialog& dialog) {
        choose(dialog, {"все", false, false, 1, true, true, 12});
        dialogs.chooseFileAnswers.push_back(ChosenFile{QString::fromStdString(odt), 0});
        child<QPushButton>(dialog, "BtnOdt")->click();
    });
    ASSERT_TRUE(dialogs.errorTexts().empty()) << dialogs.errorTexts().front().toStdString();
    const std::string bytes = readFileBytes(odt);
    // The first entry of the zip is "mimetype", stored, naming the type.
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("PK\x03\x04", 4));
    EXPECT_EQ(bytes.substr(8, 2), std::string("\0\0", 2)) << "stored, not compressed";
    EXPECT_EQ(bytes.substr(30, 8), "mimetype");
    const std::size_t extra = static_cast<unsigned char>(bytes[28]) | static_cast<unsigned char>(bytes[29])
                                                                          << 8;
    EXPECT_EQ(bytes.substr(38 + extra, 39), "application/vnd.oasis.opendocument.text");
    const ProgramOutcome content = runProgram("unzip", ".", {"-p", odt, "content.xml"});
    ASSERT_EQ(content.status, 0) << content.err;
    EXPECT_EQ(firstOutOfOrder(content.out,
                              {"Дроби", "Вариант 1", "Половина единицы?", "1/2", "0,5", "Больше единицы?",
                               "Вариант 2", "Треть от трёх?", "Четверть от восьми?", "Лист ответов", "а, г"}),
              std::nullopt)
        << content.out;
    EXPECT_NE(content.out.find("break-before=\"page\""), std::string::npos)
        << "variants on pages of their own";
    const ProgramOutcome test = runProgram("unzip", ".", {"-tq", odt});
    EXPECT_EQ(test.status, 0) << test.out;
}

TEST_F(PrintTest, ThePreviewPaintsThePagesAndCountsTheLeftOutQuestions) {
    int pages = 0;
    QString status;
    previewHook = [&](QPrintPreviewDialog& preview) {
        auto* widget = preview.findChild<QPrintPreviewWidget*>();
        widget->updatePreview();
        pages = widget->pageCount();
        status = child<QLabel>(preview, "PreviewStatus")->text();
        return 0;
    };
    inPrintDialog([&](PrintDialog& dialog) {
        choose(dialog, {"все", false, false, 1, true, true, 12});
        child<QPushButton>(dialog, "BtnPreview")->click();
    });
    ASSERT_TRUE(dialogs.errorTexts().empty()) << dialogs.errorTexts().front().toStdString();
    EXPECT_EQ(pages, 3);
    EXPECT_EQ(status, "Вариантов: 2, вопросов: 4, пустых вопросов пропущено: 2");
    EXPECT_EQ(dialogs.count(DialogKind::Progress), 1);
}

TEST_F(PrintTest, PrintingGoesToThePrinterTheDialogChoseAndNowhereWhenCancelled) {
    const std::string out = temp.file("printed.pdf");
    printHook = [&](QPrintDialog& dialog) {
        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog.printer()->setOutputFileName(QString::fromStdString(out));
        return static_cast<int>(QDialog::Accepted);
    };
    inPrintDialog([&](PrintDialog& dialog) {
        choose(dialog, {"текущий", false, false, 1, false, true, 12});
        child<QPushButton>(dialog, "BtnPrint")->click();
    });
    ASSERT_TRUE(dialogs.errorTexts().empty()) << dialogs.errorTexts().front().toStdString();
    EXPECT_NE(pdfText(out).find("Половина единицы?"), std::string::npos);

    const std::string cancelled = temp.file("cancelled.pdf");
    printHook = [&](QPrintDialog& dialog) {
        dialog.printer()->setOutputFileName(QString::fromStdString(cancelled));
        return static_cast<int>(QDialog::Rejected);
    };
    inPrintDialog([&](PrintDialog& dialog) { child<QPushButton>(dialog, "BtnPrint")->click(); });
    EXPECT_FALSE(fileExists(cancelled));
}

TEST_F(PrintTest, TheDialogRemembersItsChoicesButDrawsANewKey) {
    pr::PaperChoices shown;
    inPrintDialog([&](PrintDialog& dialog) {
        shown = dialog.choices();
        EXPECT_EQ(dialog.windowTitle(), "Печать теста");
        child<QComboBox>(dialog, "BoxVariants")->setEditText("1-2");
        child<QCheckBox>(dialog, "CheckShuffleQuestions")->setChecked(true);
        child<QCheckBox>(dialog, "CheckAnswerKey")->setChecked(false);
        child<QSpinBox>(dialog, "EditFontSize")->setValue(14);
        child<QSpinBox>(dialog, "EditShuffleKey")->setValue(777777);
    });
    // The first time: the defaults, and a key drawn for this showing.
    EXPECT_EQ(shown.variants, "текущий");
    EXPECT_FALSE(shown.shuffleQuestions || shown.shuffleOptions);
    EXPECT_TRUE(shown.answerKey && shown.studentLine);
    EXPECT_EQ(shown.fontSize, 12);
    EXPECT_GE(shown.key, 1u);
    EXPECT_LE(shown.key, pr::kMaxShuffleKey);

    inPrintDialog([&](PrintDialog& dialog) {
        shown = dialog.choices();
        EXPECT_TRUE(child<QSpinBox>(dialog, "EditShuffleKey")->isEnabled());
    });
    EXPECT_EQ(shown.variants, "1-2");
    EXPECT_TRUE(shown.shuffleQuestions);
    EXPECT_FALSE(shown.answerKey);
    EXPECT_EQ(shown.fontSize, 14);
    EXPECT_EQ(readFileUtf8(settingsFile()).find("777777"), std::string::npos);
    // The window's own settings are written beside them at its close.
    close();
    EXPECT_NE(readFileUtf8(settingsFile()).find("Рабочий каталог="), std::string::npos);
    EXPECT_NE(readFileUtf8(settingsFile()).find("Размер шрифта=14"), std::string::npos);
}

TEST_F(PrintTest, ARefusedVariantListIsShownAndTheDialogStays) {
    const std::string pdf = temp.file("after.pdf");
    inPrintDialog([&](PrintDialog& dialog) {
        choose(dialog, {"2, 5", false, false, 1, true, true, 12});
        child<QPushButton>(dialog, "BtnPdf")->click();
        // Still open: the list corrected, the next try goes through.
        makePdf(dialog, {"2", false, false, 1, true, true, 12}, pdf);
    });
    EXPECT_EQ(dialogs.errorTexts(), std::vector<QString>{"В тесте нет варианта 5: вариантов всего 2."});
    EXPECT_EQ(dialogs.count(DialogKind::ChooseFile), 1) << "refused before a file is asked for";
    EXPECT_NE(pdfText(pdf).find("Треть от трёх?"), std::string::npos);
}

TEST_F(PrintTest, AStoppedPdfLeavesTheFileAsItWas) {
    const std::string pdf = temp.file("kept.pdf");
    writeFileBytes(pdf, "old");
    dialogs.progressHook = [](const QString&) { return false; };
    inPrintDialog([&](PrintDialog& dialog) {
        makePdf(dialog, {"все", false, false, 1, true, true, 12}, pdf);
    });
    EXPECT_EQ(readFileBytes(pdf), "old");
    EXPECT_EQ(dialogs.progressTexts.size(), 2u) << "stopped after the first variant";
    EXPECT_TRUE(dialogs.errorTexts().empty());
}

TEST_F(PrintTest, UnsavedEditsAreAskedAboutAndThePaperIsMadeFromTheFile) {
    form().RadioButtonEdit->click();
    form().EditQue->setText("Исправленный вопрос");
    dialogs.saveAnswers = {SaveChoice::Cancel};
    form().MenuPrint->trigger();
    EXPECT_EQ(dialogs.count(DialogKind::Exec), 0) << "called off";

    dialogs.saveAnswers = {SaveChoice::Save};
    const std::string pdf = temp.file("saved.pdf");
    inPrintDialog([&](PrintDialog& dialog) {
        makePdf(dialog, {"текущий", false, false, 1, true, true, 12}, pdf);
    });
    EXPECT_EQ(dialogs.count(DialogKind::AskSave), 2);
    EXPECT_NE(pdfText(pdf).find("1. Исправленный вопрос"), std::string::npos);
}

TEST_F(PrintTest, TheMenuItemNeedsACurrentTest) {
    EXPECT_TRUE(form().MenuPrint->isEnabled());
    EXPECT_EQ(form().MenuPrint->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_EQ(form().MenuPrint->text(), "Пе&чать…");
    std::filesystem::remove(quiz());
    window().session().fillQuizList();
    window().render();
    EXPECT_FALSE(form().MenuPrint->isEnabled());
}

} // namespace
} // namespace quizloom::testing
