#pragma once
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace opusteca::loans {

// A current book whose stored card holds a borrower or a loan date.
struct LoanRow {
    qint64 number = 0; // 1-based record number in Libri.pro
    QString reader;    // Prestato
    QString title;     // Titolo
    QString code;      // Codice
    QString dateText;  // Scadenza as stored (trimmed, like every book field)
    QDate date;        // the loan date read from dateText; null when blank or unreadable
};

enum class LoanState { Running, Overdue, NoDate, BadDate };

// Days from the loan date to today; none without a readable date. A date
// typed in the future gives a negative count.
std::optional<qint64> daysOnLoan(const LoanRow &row, const QDate &today);
// Overdue once the days exceed the loan period.
LoanState stateOf(const LoanRow &row, const QDate &today, int periodDays);
QString stateText(LoanState state);
// "Giorni" as the list shows it: the count, or empty without a readable date.
QString daysText(const LoanRow &row, const QDate &today);
// "Data prestito" as the list shows it: a date read is written in the regional
// short date format; anything else as stored.
QString dateShown(const LoanRow &row);

// The raw rules on a record of Libri.pro: a current book has Annullata, trimmed,
// exactly "No"; it is lent when Prestato or Scadenza is not blank.
bool isCurrentBook(const char *record);
bool isLent(const char *record);
// The row of a lent book's record.
LoanRow loanRow(const char *record, qint64 number);

// List order: rows with a loan date read, oldest first; then the rows without
// a date or with one that cannot be read, in file order. Rows of the same
// date keep their file order.
void sortLoans(QList<LoanRow> &rows);

struct LoanList {
    bool ok = false;     // false: the archive could not be opened or read
    QList<LoanRow> rows; // in list order; on failure, what was read before it
};
// Every lent current book of the archive file, in one pass, in list order.
LoanList readLoans(const QString &archivePath);

// The rows whose borrower contains the filter, in any case; a blank filter
// keeps every row. Indexes into rows, in their order.
QList<int> filterLoans(const QList<LoanRow> &rows, const QString &filter);
// The summary of the rows shown: "N libri in prestito, di cui M scaduti."
QString summaryText(int shown, int overdue);

// The rows of one borrower (the same name, trimmed, in any case), in list order.
QList<LoanRow> rowsOfReader(const QList<LoanRow> &rows, const QString &reader);

// The printed list: a heading line, one padded line per row, in the order
// given, and the summary after an empty line. Columns line up in a fixed-width
// font.
QStringList printedLines(const QList<LoanRow> &rows, const QDate &today, int periodDays);

} // namespace opusteca::loans
