#include "gui/print/paper_document.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>

#include "core/print/paper_texts.h"

namespace quizloom::print {

namespace {

QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Writes the paper's parts into a document through one cursor; a part after
// the first starts on a new page.
class PaperWriter {
public:
    PaperWriter(QTextDocument& document, const PaperChoices& choices, double devicePixelsPerPixel)
        : cursor_(&document), fontSize_(choices.fontSize), deviceScale_(devicePixelsPerPixel) {
        document.setUndoRedoEnabled(false);
        // The margins are the page's; the document adds none of its own.
        document.setDocumentMargin(0);
        QFont font = document.defaultFont();
        font.setPointSize(fontSize_);
        document.setDefaultFont(font);
    }

    void variant(const PaperTest& test, const PaperVariant& variant, const PaperChoices& choices,
                 std::vector<BlockSpan>* spans) {
        heading(test.name, 4);
        line(subjectLine(test.subject));
        heading(variantTitle(variant.number), 2);
        if (choices.studentLine)
            line(kStudentLine, {}, 0.6);
        for (const PaperQuestion& question : variant.questions) {
            BlockSpan span;
            span.first = writeQuestion(test, question);
            span.last = cursor_.blockNumber();
            if (spans)
                spans->push_back(span);
        }
    }

    void key(const PaperTest& test, const PaperChoices& choices) {
        heading(kKeyTitle, 4);
        line(test.name);
        if (choices.shuffleQuestions || choices.shuffleOptions)
            line("Ключ перемешивания: " + std::to_string(choices.key));
        for (const PaperVariant& variant : test.variants) {
            heading(variantTitle(variant.number), 2);
            keyTable(test, variant);
        }
    }

    // The next part starts on a new page.
    void nextPart() { partStart_ = true; }

private:
    // A new block (the document's first is there already); the first block
    // of a part after the first starts a new page.
    int block(double topLines, double indent = 0) {
        QTextBlockFormat format;
        format.setTopMargin(topLines * lineHeight());
        // Qt takes a block's top margin in pixels of the screen and scales
        // it to the device (a cell's padding too), but its left margin in
        // pixels of the device.
        format.setLeftMargin(indent * lineHeight() * deviceScale_);
        if (partStart_ && started_)
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        if (started_)
            cursor_.insertBlock(format, QTextCharFormat());
        else
            cursor_.setBlockFormat(format);
        started_ = true;
        partStart_ = false;
        return cursor_.blockNumber();
    }

    double lineHeight() const { return fontSize_ * 1.4; }

    void heading(std::string_view text, int larger) {
        QTextCharFormat format;
        format.setFontWeight(QFont::Bold);
        format.setFontPointSize(fontSize_ + larger);
        block(larger > 2 ? 0 : 0.4);
        cursor_.insertText(qs(text), format);
    }

    void line(std::string_view text, const QTextCharFormat& format = {}, double topLines = 0) {
        block(topLines);
        cursor_.insertText(qs(text), format);
    }

    int writeQuestion(const PaperTest& test, const PaperQuestion& question) {
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        const int first = block(0.8);
        cursor_.insertText(QString::number(question.number) + QStringLiteral(". "), bold);
        cursor_.insertText(qs(question.text), QTextCharFormat());
        if (test.level == 1) {
            QTextCharFormat italic;
            italic.setFontItalic(true);
            block(0.1, 1);
            cursor_.insertText(qs(instruction(test.singleAnswer)), italic);
            for (const PaperOption& option : question.options) {
                block(0.1, 1);
                cursor_.insertText(qs(kOptionBox) + QLatin1Char(' ') + qs(option.letter) +
                                   QStringLiteral(") ") + qs(option.text));
            }
        } else {
            block(0.3, 1);
            cursor_.insertText(qs(kAnswerPrompt) + qs(kAnswerLine));
        }
        return first;
    }

    void keyTable(const PaperTest& test, const PaperVariant& variant) {
        block(0.2);
        QTextTableFormat format;
        format.setBorder(0.5);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setCellPadding(3);
        format.setCellSpacing(0);
        format.setHeaderRowCount(1);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setColumnWidthConstraints(
            {QTextLength(QTextLength::PercentageLength, 15), QTextLength(QTextLength::PercentageLength, 85)});
        const int rows = static_cast<int>(variant.questions.size()) + 1;
        QTextTable* table = cursor_.insertTable(rows, 2, format);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("№"), bold);
        table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("Ответ"), bold);
        for (int row = 1; row < rows; ++row) {
            const PaperQuestion& question = variant.questions[row - 1];
            table->cellAt(row, 0).firstCursorPosition().insertText(QString::number(question.number));
            table->cellAt(row, 1).firstCursorPosition().insertText(qs(keyText(question.key, test.level)));
        }
        cursor_.movePosition(QTextCursor::End);
    }

    QTextCursor cursor_;
    int fontSize_;
    double deviceScale_;
    bool started_ = false;
    bool partStart_ = false;
};

} // namespace

PaperPart variantPart(const PaperTest& test, const PaperVariant& variant, const PaperChoices& choices,
                      double devicePixelsPerPixel) {
    PaperPart part;
    part.document = std::make_unique<QTextDocument>();
    part.footerPart = qs(variantTitle(variant.number));
    PaperWriter(*part.document, choices, devicePixelsPerPixel)
        .variant(test, variant, choices, &part.questions);
    return part;
}

PaperPart keyPart(const PaperTest& test, const PaperChoices& choices, double devicePixelsPerPixel) {
    PaperPart part;
    part.document = std::make_unique<QTextDocument>();
    part.footerPart = qs(kKeyTitle);
    PaperWriter(*part.document, choices, devicePixelsPerPixel).key(test, choices);
    return part;
}

std::unique_ptr<QTextDocument> wholePaper(const PaperTest& test, const PaperChoices& choices,
                                          const std::function<bool(const QString&)>& step) {
    auto document = std::make_unique<QTextDocument>();
    PaperWriter writer(*document, choices, 1);
    for (const PaperVariant& variant : test.variants) {
        writer.variant(test, variant, choices, nullptr);
        writer.nextPart();
        if (!step(qs(variantTitle(variant.number))))
            return nullptr;
    }
    if (choices.answerKey) {
        writer.key(test, choices);
        if (!step(qs(kKeyTitle)))
            return nullptr;
    }
    return document;
}

} // namespace quizloom::print
