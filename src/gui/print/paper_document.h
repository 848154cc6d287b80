#pragma once
// A test on paper as rich text: the variants and the answer key written
// into QTextDocuments, which Qt lays out and prints.
#include <QString>
#include <QTextDocument>
#include <functional>
#include <memory>
#include <vector>

#include "core/print/paper_test.h"

namespace quizloom::print {

// The first and last block of a question: what must stay on one page.
struct BlockSpan {
    int first = 0;
    int last = 0;
};

// One part of the paper, begun on a page of its own: a variant or the key.
struct PaperPart {
    std::unique_ptr<QTextDocument> document;
    QString footerPart; // "Вариант N" or "Лист ответов", for the footer
    std::vector<BlockSpan> questions;
};

// devicePixelsPerPixel: the pixels of the device the part is laid out for
// in one pixel of the screen (96 dpi).
PaperPart variantPart(const PaperTest& test, const PaperVariant& variant, const PaperChoices& choices,
                      double devicePixelsPerPixel);
PaperPart keyPart(const PaperTest& test, const PaperChoices& choices, double devicePixelsPerPixel);

// Every part of the paper in one document, each from a new page: for the
// ODF file, which a word processor lays out itself. step is called after
// each part with its footer text; false ends the writing early (nullptr
// is returned then).
std::unique_ptr<QTextDocument> wholePaper(const PaperTest& test, const PaperChoices& choices,
                                          const std::function<bool(const QString&)>& step);

} // namespace quizloom::print
