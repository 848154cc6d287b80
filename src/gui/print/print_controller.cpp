#include "gui/print/print_controller.h"

#include <QBuffer>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTextDocumentWriter>

#include "core/print/paper_texts.h"
#include "core/print/print_settings.h"
#include "core/text/error.h"
#include "gui/print/paper_pages.h"
#include "gui/print/print_dialog.h"

namespace pr = quizloom::print;

namespace {

using PartStep = std::function<bool(const QString&)>;

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

int partCount(const pr::PaperTest& test, const pr::PaperChoices& choices) {
    return static_cast<int>(test.variants.size()) + (choices.answerKey ? 1 : 0);
}

// Writes through a file that replaces target only once it is complete.
// write returns false when stopped: nothing is replaced then.
bool writeReplacing(const QString& target, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        throw quizloom::Error("Unable to write to " + target.toStdString());
    if (!write(file)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        throw quizloom::Error("Unable to write to " + target.toStdString());
    return true;
}

} // namespace

PrintController::PrintController(QWidget& window, Dialogs& dialogs, QString title, Guard guard)
    : window_(window), dialogs_(dialogs), title_(std::move(title)), guard_(std::move(guard)) {}

QWidget* PrintController::parent() const {
    return dialog_ ? dialog_ : &window_;
}

void PrintController::open(const Source& source, const std::string& settingsPath) {
    PrintDialog dialog(&window_);
    pr::PaperChoices choices = pr::loadPrintChoices(settingsPath);
    choices.key = QRandomGenerator::global()->bounded(1u, pr::kMaxShuffleKey + 1);
    dialog.setChoices(choices);
    using Action = void (PrintController::*)(const Source&, const pr::PaperChoices&);
    const std::pair<QPushButton*, Action> buttons[] = {
        {dialog.previewButton(), &PrintController::preview},
        {dialog.printButton(), &PrintController::print},
        {dialog.pdfButton(), &PrintController::savePdf},
        {dialog.odtButton(), &PrintController::saveOdt},
    };
    for (const auto& [button, action] : buttons)
        QObject::connect(button, &QPushButton::clicked, &dialog, [this, &dialog, &source, action = action] {
            guard_([&] { (this->*action)(source, dialog.choices()); });
        });
    dialog_ = &dialog;
    dialogs_.execDialog(dialog);
    dialog_ = nullptr;
    pr::savePrintChoices(settingsPath, dialog.choices());
}

bool PrintController::withProgress(int parts, const std::function<bool(const PartStep&)>& work) {
    std::atomic_bool stop = false;
    bool finished = false;
    dialogs_.runWithProgress(
        parent(), title_, QStringLiteral("Подготовка страниц…"),
        [&](const ProgressStep& step) {
            int done = 0;
            finished = work([&](const QString& part) {
                ++done;
                return step(QStringLiteral("%1 — готово (%2 из %3)").arg(part).arg(done).arg(parts));
            });
        },
        stop);
    return finished;
}

void PrintController::preview(const Source& source, const pr::PaperChoices& choices) {
    const pr::PaperTest test = pr::buildPaperTest(source.quizPath, choices, source.currentVariant);
    QPrinter printer(QPrinter::HighResolution);
    pr::useA4(printer);
    printer.setFullPage(true);
    QPrintPreviewDialog dialog(&printer, parent());
    dialog.setWindowTitle(QStringLiteral("Предпросмотр: ") + qs(test.name));
    auto* status = new QLabel(qs(pr::paperSummary(static_cast<int>(test.variants.size()),
                                                  test.questionCount(), test.leftOutCount())),
                              &dialog);
    status->setObjectName(QStringLiteral("PreviewStatus"));
    dialog.layout()->addWidget(status);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        guard_([&] {
            withProgress(partCount(test, choices),
                         [&](const PartStep& step) { return pr::paintPaper(test, choices, *target, step); });
        });
    });
    dialogs_.execDialog(dialog);
}

void PrintController::print(const Source& source, const pr::PaperChoices& choices) {
    const pr::PaperTest test = pr::buildPaperTest(source.quizPath, choices, source.currentVariant);
    QPrinter printer(QPrinter::HighResolution);
    pr::useA4(printer);
    printer.setFullPage(true);
    printer.setDocName(qs(test.name));
    QPrintDialog dialog(&printer, parent());
    if (dialogs_.execDialog(dialog) != QDialog::Accepted)
        return;
    withProgress(partCount(test, choices),
                 [&](const PartStep& step) { return pr::paintPaper(test, choices, printer, step); });
}

void PrintController::saveFile(const Source& source, const pr::PaperChoices& choices, const FileKind& kind,
                               const FileWriter& write) {
    const pr::PaperTest test = pr::buildPaperTest(source.quizPath, choices, source.currentVariant);
    const auto chosen = dialogs_.chooseFile(parent(), QString::fromUtf8(kind.title),
                                            {QString::fromUtf8(kind.filter)}, qs(source.workDir), true);
    if (!chosen)
        return;
    QString target = chosen->path;
    if (QFileInfo(target).suffix().isEmpty())
        target += QString::fromUtf8(kind.extension);
    withProgress(partCount(test, choices),
                 [&](const PartStep& step) { return write(test, choices, target, step); });
}

void PrintController::savePdf(const Source& source, const pr::PaperChoices& choices) {
    static constexpr FileKind kPdf{"Сохранить в PDF", "Документ PDF (*.pdf)", ".pdf"};
    saveFile(source, choices, kPdf,
             [](const pr::PaperTest& test, const pr::PaperChoices& chosen, const QString& target,
                const PartStep& step) {
                 return writeReplacing(target, [&](QIODevice& file) {
                     QPdfWriter writer(&file);
                     pr::useA4(writer);
                     writer.setTitle(qs(test.name));
                     writer.setCreator(QStringLiteral("Quizloom"));
                     return pr::paintPaper(test, chosen, writer, step);
                 });
             });
}

void PrintController::saveOdt(const Source& source, const pr::PaperChoices& choices) {
    static constexpr FileKind kOdt{"Сохранить в ODT", "Текст ODF (*.odt)", ".odt"};
    saveFile(source, choices, kOdt,
             [](const pr::PaperTest& test, const pr::PaperChoices& chosen, const QString& target,
                const PartStep& step) {
                 const auto document = pr::wholePaper(test, chosen, step);
                 if (!document)
                     return false;
                 // The zip writer closes its device when done, which a file that
                 // replaces its target must not be: the package is made in memory.
                 QBuffer package;
                 package.open(QIODevice::WriteOnly);
                 if (!QTextDocumentWriter(&package, "odf").write(document.get()))
                     throw quizloom::Error("Unable to write to " + target.toStdString());
                 // A failed write fails the commit.
                 return writeReplacing(target, [&](QIODevice& file) {
                     file.write(package.data());
                     return true;
                 });
             });
}
