#pragma once
// The paper's parts on the pages of a printer or a PDF file: A4 portrait
// (or the paper the printer dialog chose) with 2 cm margins and a footer
// "<test name> · Вариант N · стр. X из Y" in the bottom margin.
#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>
#include <functional>

#include "gui/print/paper_document.h"

namespace quizloom::print {

// Sets A4 portrait without margins of the device's own: the page's margins
// are drawn here, with the footer inside the bottom one.
void useA4(QPagedPaintDevice& device);

// Lays part out on pages of device. A question that would run over the end
// of a page begins on the next one, unless it is taller than a page.
void layOutOnPages(PaperPart& part, QPagedPaintDevice& device);

class PagePainter {
public:
    // Paints on device until finish() or destruction.
    PagePainter(QPagedPaintDevice& device, QString testName);
    // The part's pages, after a new page unless it is the first part.
    void paint(PaperPart& part);
    // Ends the painting; false when the device failed.
    bool finish();

private:
    QPagedPaintDevice& device_;
    QString testName_;
    QPainter painter_;
    bool first_ = true;
};

// Builds, lays out and paints every part of test: the variants and, when
// chosen, the key. step is called after each part with the text to show;
// false stops the painting there. Returns false when stopped.
bool paintPaper(const PaperTest& test, const PaperChoices& choices, QPagedPaintDevice& device,
                const std::function<bool(const QString&)>& step);

// The paper's page size without margins, in the device's pixels.
QSizeF bodySize(QPagedPaintDevice& device);

} // namespace quizloom::print
