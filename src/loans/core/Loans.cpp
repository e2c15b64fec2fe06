#include "loans/core/Loans.h"

#include "kit/core/RegionalSettings.h"
#include "loans/core/LoanDate.h"
#include "loans/core/RecordScan.h"
#include "search/core/RawFields.h"
#include "store/BookRecord.h"
#include "store/Cp1252.h"
#include "store/Text.h"

#include <algorithm>
#include <iterator>

namespace opusteca::loans {
namespace {

using namespace libro;

QString fieldText(const char *record, int field)
{
    const QByteArrayView v = rawfield::value(bookLayout(), record, field);
    return cp1252::decode(v.data(), v.size());
}

// v trimmed, padded with blanks or cut to exactly n characters.
QString pad(const QString &v, int n) { return text::trimmed(v).leftJustified(n, QLatin1Char(' '), true); }

} // namespace

std::optional<qint64> daysOnLoan(const LoanRow &row, const QDate &today)
{
    if (!row.date.isValid()) return std::nullopt;
    return row.date.daysTo(today);
}

LoanState stateOf(const LoanRow &row, const QDate &today, int periodDays)
{
    if (text::isBlank(row.dateText)) return LoanState::NoDate;
    const std::optional<qint64> days = daysOnLoan(row, today);
    if (!days) return LoanState::BadDate;
    return *days > periodDays ? LoanState::Overdue : LoanState::Running;
}

QString stateText(LoanState state)
{
    static constexpr const char *kTexts[] = {"In corso", "Scaduto", "Senza data", "Data non valida"}; // in order
    static_assert(std::size(kTexts) == size_t(LoanState::BadDate) + 1);
    return QString::fromLatin1(kTexts[size_t(state)]);
}

QString daysText(const LoanRow &row, const QDate &today)
{
    const std::optional<qint64> days = daysOnLoan(row, today);
    return days ? QString::number(*days) : QString();
}

QString dateShown(const LoanRow &row)
{
    return row.date.isValid() ? RegionalSettings::instance().formatDate(row.date) : row.dateText;
}

bool isCurrentBook(const char *record)
{
    return rawfield::trimmed(rawfield::text(bookLayout(), record, Annullata)) == QByteArrayView("No");
}

bool isLent(const char *record)
{
    const RecordLayout &layout = bookLayout();
    return !rawfield::isBlank(rawfield::text(layout, record, Prestato)) ||
           !rawfield::isBlank(rawfield::text(layout, record, Scadenza));
}

LoanRow loanRow(const char *record, qint64 number)
{
    LoanRow row;
    row.number = number;
    row.reader = fieldText(record, Prestato);
    row.title = fieldText(record, Titolo);
    row.code = fieldText(record, Codice);
    row.dateText = fieldText(record, Scadenza);
    if (const std::optional<QDate> d = readLoanDate(row.dateText)) row.date = *d;
    return row;
}

void sortLoans(QList<LoanRow> &rows)
{
    // A stable sort keeps the file order among equal dates and among the rows
    // without a date read, which all go last.
    std::stable_sort(rows.begin(), rows.end(), [](const LoanRow &a, const LoanRow &b) {
        if (a.date.isValid() != b.date.isValid()) return a.date.isValid();
        return a.date.isValid() && a.date < b.date;
    });
}

LoanList readLoans(const QString &archivePath)
{
    LoanList list;
    RecordFile file(bookLayout().recordSize);
    if (!file.open(archivePath)) return list;
    const bool read = passOver(file, [&](const char *record, qint64 index) {
        if (isCurrentBook(record) && isLent(record)) list.rows.append(loanRow(record, index + 1));
    });
    const bool closed = file.close();
    sortLoans(list.rows);
    list.ok = read && closed;
    return list;
}

QList<int> filterLoans(const QList<LoanRow> &rows, const QString &filter)
{
    const QString key = text::trimmed(filter);
    QList<int> shown;
    shown.reserve(rows.size());
    for (int i = 0; i < rows.size(); ++i)
        if (key.isEmpty() || rows[i].reader.contains(key, Qt::CaseInsensitive)) shown.append(i);
    return shown;
}

QString summaryText(int shown, int overdue)
{
    return QStringLiteral("%1 libri in prestito, di cui %2 scaduti.").arg(shown).arg(overdue);
}

QList<LoanRow> rowsOfReader(const QList<LoanRow> &rows, const QString &reader)
{
    const QString name = text::trimmed(reader);
    QList<LoanRow> out;
    for (const LoanRow &r : rows)
        if (QString::compare(text::trimmed(r.reader), name, Qt::CaseInsensitive) == 0) out.append(r);
    return out;
}

QStringList printedLines(const QList<LoanRow> &rows, const QDate &today, int periodDays)
{
    const auto line = [](const QString &reader, const QString &title, const QString &code, const QString &date,
                         const QString &days, const QString &state) {
        const QString gap(2, QLatin1Char(' '));
        return pad(reader, 30) + gap + pad(title, 50) + gap + pad(code, 24) + gap + pad(date, 13) + gap +
               days.rightJustified(6, QLatin1Char(' '), true) + gap + state;
    };
    QStringList out;
    out.reserve(rows.size() + 3);
    out << line(QStringLiteral("Lettore"), QStringLiteral("Titolo libro"), QStringLiteral("Codice"),
                QStringLiteral("Data prestito"), QStringLiteral("Giorni"), QStringLiteral("Stato"));
    int overdue = 0;
    for (const LoanRow &r : rows) {
        const LoanState state = stateOf(r, today, periodDays);
        if (state == LoanState::Overdue) ++overdue;
        out << line(r.reader, r.title, r.code, dateShown(r), daysText(r, today), stateText(state));
    }
    out << QString() << summaryText(int(rows.size()), overdue);
    return out;
}

} // namespace opusteca::loans
