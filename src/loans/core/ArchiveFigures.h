#pragma once
#include <QDate>
#include <QList>
#include <QString>

namespace opusteca::loans {

// One bar or slice of a chart.
struct ChartEntry {
    QString label;
    qint64 count = 0;
    bool operator==(const ChartEntry &) const = default;
};

// What the statistics screen shows, each figure counted from the stored records.
struct ArchiveFigures {
    // Whether each archive could be read; a figure of an archive that could not
    // is what was read before the failure.
    bool booksRead = false;
    bool authorsRead = false;
    bool bibliographiesRead = false;

    qint64 books = 0;          // records of Libri.pro
    qint64 current = 0;        // Annullata "No"
    qint64 cancelled = 0;      // every other book: "Sì", or a flag that is neither
    qint64 lent = 0;           // current books with a borrower or a loan date
    qint64 overdue = 0;        // lent for longer than the loan period
    qint64 available = 0;      // current books not lent
    qint64 authors = 0;        // records of Autori.pro
    qint64 bibliographies = 0; // records of Bibliografie.pro

    // Current books by genre and by language: the twelve largest groups, then
    // "Altri" for the rest; a blank field is a group of its own.
    QList<ChartEntry> byGenre;
    QList<ChartEntry> byLanguage;
    // Current books by decade of Anno, oldest first; a year that is not four
    // digits counts under "Senza anno", last.
    QList<ChartEntry> byDecade;
};

// How many groups a chart shows before "Altri".
inline constexpr int kLargestGroups = 12;

// One pass over each archive of the program folder. Overdue is reckoned on
// `today` with a loan period of `periodDays`.
ArchiveFigures readArchiveFigures(const QString &programFolder, const QDate &today, int periodDays);

// The book part of it, over one book archive file.
void countBooks(const QString &booksPath, const QDate &today, int periodDays, ArchiveFigures &figures);

} // namespace opusteca::loans
