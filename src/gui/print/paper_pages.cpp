#include "gui/print/paper_pages.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPrinter>
#include <QTextBlock>
#include <QTextLayout>
#include <cmath>

#include "core/print/paper_texts.h"
#include "core/text/error.h"

namespace quizloom::print {

namespace {

constexpr double kMarginCm = 2.0;

double pixelsPerCm(const QPagedPaintDevice& device) {
    return device.logicalDpiY() / 2.54;
}

QRectF paperRect(const QPagedPaintDevice& device) {
    return QRectF(device.pageLayout().fullRectPixels(device.logicalDpiX()));
}

QRectF bodyRect(const QPagedPaintDevice& device) {
    const double margin = kMarginCm * pixelsPerCm(device);
    return paperRect(device).adjusted(margin, margin, -margin, -margin);
}

// The top of a block's first line and the bottom of its last, in document
// coordinates: where its text really is once lines have moved to a page.
double linesTop(QAbstractTextDocumentLayout& layout, const QTextBlock& block) {
    const QTextLayout* lines = block.layout();
    const double top = layout.blockBoundingRect(block).top();
    return lines->lineCount() > 0 ? top + lines->lineAt(0).rect().top() : top;
}

double linesBottom(QAbstractTextDocumentLayout& layout, const QTextBlock& block) {
    const QTextLayout* lines = block.layout();
    const QRectF rect = layout.blockBoundingRect(block);
    return lines->lineCount() > 0 ? rect.top() + lines->lineAt(lines->lineCount() - 1).rect().bottom()
                                  : rect.bottom();
}

} // namespace

void useA4(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

QSizeF bodySize(QPagedPaintDevice& device) {
    return bodyRect(device).size();
}

void layOutOnPages(PaperPart& part, QPagedPaintDevice& device) {
    QTextDocument& document = *part.document;
    document.documentLayout()->setPaintDevice(&device);
    const QSizeF body = bodySize(device);
    document.setPageSize(body);
    // Qt's layout keeps no block or table together across a page's end, so
    // a question that would run over one is given a page break before it.
    // Positions are known only once laid out, and each break moves what
    // follows, so the questions are taken in order.
    QAbstractTextDocumentLayout& layout = *document.documentLayout();
    const double page = body.height();
    const double slack = page * 1e-6;
    for (const BlockSpan& span : part.questions) {
        layout.documentSize(); // finishes the layout up to the end
        const QTextBlock first = document.findBlockByNumber(span.first);
        const double top = linesTop(layout, first);
        const double bottom = linesBottom(layout, document.findBlockByNumber(span.last));
        if (bottom - top > page || std::floor((top + slack) / page) == std::floor((bottom - slack) / page))
            continue;
        QTextBlockFormat format = first.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(first).setBlockFormat(format);
    }
}

PagePainter::PagePainter(QPagedPaintDevice& device, QString testName)
    : device_(device), testName_(std::move(testName)) {
    if (!painter_.begin(&device_))
        throw Error("Не удалось начать печать");
}

void PagePainter::paint(PaperPart& part) {
    QTextDocument& document = *part.document;
    const QRectF body = bodyRect(device_);
    const QRectF paper = paperRect(device_);
    const double cm = pixelsPerCm(device_);
    QFont footerFont = document.defaultFont();
    footerFont.setPointSize(std::max(8, footerFont.pointSize() - 2));
    const int pages = document.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (!first_)
            device_.newPage();
        first_ = false;
        painter_.save();
        painter_.translate(body.left(), body.top() - page * body.height());
        document.drawContents(&painter_, QRectF(0, page * body.height(), body.width(), body.height()));
        painter_.restore();
        const QString footer = QString::fromStdString(
            footerText(testName_.toStdString(), part.footerPart.toStdString(), page + 1, pages));
        painter_.setFont(footerFont);
        painter_.setPen(Qt::black);
        painter_.drawText(QRectF(body.left(), paper.bottom() - kMarginCm * cm + 0.6 * cm, body.width(), cm),
                          Qt::AlignHCenter | Qt::AlignTop, footer);
    }
}

bool PagePainter::finish() {
    return painter_.end();
}

bool paintPaper(const PaperTest& test, const PaperChoices& choices, QPagedPaintDevice& device,
                const std::function<bool(const QString&)>& step) {
    PagePainter painter(device, QString::fromStdString(test.name));
    const auto paintPart = [&](PaperPart part) {
        layOutOnPages(part, device);
        painter.paint(part);
        if (step(part.footerPart))
            return true;
        // A stopped printout is taken back from the printer, not sent in part.
        if (auto* printer = dynamic_cast<QPrinter*>(&device))
            printer->abort();
        return false;
    };
    const double scale = device.logicalDpiY() / 96.0;
    for (const PaperVariant& variant : test.variants)
        if (!paintPart(variantPart(test, variant, choices, scale)))
            return false;
    if (choices.answerKey && !paintPart(keyPart(test, choices, scale)))
        return false;
    if (!painter.finish())
        throw Error("Не удалось завершить печать");
    return true;
}

} // namespace quizloom::print
