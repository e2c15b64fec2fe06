#pragma once
#include <QList>
#include <QSizeF>
#include <QString>

namespace opusteca::test {

// What poppler's tools read back from a PDF the program printed: the words with
// their boxes (pdftotext -bbox), the plain text of a page, the page count and
// size (pdfinfo). Positions are in millimetres from the page's top-left corner.
struct PdfWord {
    QString text;
    int page = 0; // 1-based
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

QList<PdfWord> pdfWords(const QString &pdf);
// The words of one page, in reading order, joined by single blanks per line;
// lines separated by '\n' (pdftotext -layout, runs of blanks squeezed).
QString pdfPageText(const QString &pdf, int page);
int pdfPageCount(const QString &pdf);
// Page size in millimetres (of the first page).
QSizeF pdfPageSizeMm(const QString &pdf);
// The words of `page` equal to text.
QList<PdfWord> findWords(const QList<PdfWord> &words, const QString &text, int page = 0);

} // namespace opusteca::test
