#include "loans/core/ArchiveFigures.h"

#include "loans/core/LoanDate.h"
#include "loans/core/Loans.h"
#include "loans/core/RecordScan.h"
#include "search/core/RawFields.h"
#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"
#include "store/Cp1252.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <map>

namespace opusteca::loans {
namespace {

using namespace libro;

// Counts per stored text, keyed by the raw bytes: a record adds to a count
// without a copy of its text unless the text is new.
class RawCounts {
public:
    void add(QByteArrayView bytes)
    {
        const QByteArray probe = QByteArray::fromRawData(bytes.data(), bytes.size());
        auto it = m_counts.find(probe);
        if (it == m_counts.end())
            m_counts.insert(QByteArray(bytes.data(), bytes.size()), 1);
        else
            ++*it;
    }
    // Groups of the same text in any case, named as most of their books spell
    // it; the largest `kept` groups, largest first (equal ones by name), then
    // "Altri" for the rest. A blank text is named `blank`.
    QList<ChartEntry> largest(int kept, const QString &blank) const
    {
        struct Group {
            qint64 count = 0;
            QString name;
            qint64 nameCount = 0;
        };
        QHash<QString, Group> groups;
        for (auto it = m_counts.cbegin(); it != m_counts.cend(); ++it) {
            const QString text = cp1252::decode(it.key());
            Group &g = groups[text.toCaseFolded()];
            g.count += *it;
            if (*it > g.nameCount || (*it == g.nameCount && text < g.name)) {
                g.name = text;
                g.nameCount = *it;
            }
        }
        QList<ChartEntry> all;
        for (const Group &g : std::as_const(groups)) all.append({g.name.isEmpty() ? blank : g.name, g.count});
        std::sort(all.begin(), all.end(), [](const ChartEntry &a, const ChartEntry &b) {
            if (a.count != b.count) return a.count > b.count;
            return QString::compare(a.label, b.label, Qt::CaseInsensitive) < 0;
        });
        if (all.size() <= kept) return all;
        qint64 rest = 0;
        for (qsizetype i = kept; i < all.size(); ++i) rest += all[i].count;
        all.resize(kept);
        all.append({QStringLiteral("Altri"), rest});
        return all;
    }

private:
    QHash<QByteArray, qint64> m_counts;
};

// The year of a four-digit Anno, or -1.
int fourDigitYear(QByteArrayView v)
{
    if (v.size() != 4) return -1;
    int year = 0;
    for (const char c : v) {
        if (c < '0' || c > '9') return -1;
        year = year * 10 + (c - '0');
    }
    return year;
}

qint64 recordCount(const QString &path, int recordSize, bool &read)
{
    RecordFile file(recordSize);
    read = file.open(path);
    const qint64 n = read ? file.count() : 0;
    read = file.close() && read && n >= 0;
    return std::max<qint64>(0, n);
}

} // namespace

void countBooks(const QString &booksPath, const QDate &today, int periodDays, ArchiveFigures &f)
{
    const RecordLayout &layout = bookLayout();
    RawCounts genres, languages;
    std::array<qint64, 1000> decades{};
    qint64 noYear = 0;

    RecordFile file(layout.recordSize);
    bool ok = file.open(booksPath);
    if (ok) {
        ok = passOver(file, [&](const char *record, qint64) {
            ++f.books;
            if (!isCurrentBook(record)) {
                ++f.cancelled;
                return;
            }
            ++f.current;
            if (isLent(record)) {
                ++f.lent;
                // Only a lent book's date is ever decoded.
                const QByteArrayView d = rawfield::value(layout, record, Scadenza);
                const std::optional<QDate> date = readLoanDate(cp1252::decode(d.data(), d.size()));
                if (date && date->daysTo(today) > periodDays) ++f.overdue;
            } else {
                ++f.available;
            }
            genres.add(rawfield::value(layout, record, Genere));
            languages.add(rawfield::value(layout, record, Lingua));
            const int year = fourDigitYear(rawfield::value(layout, record, Anno));
            if (year < 0)
                ++noYear;
            else
                ++decades[size_t(year / 10)];
        });
    }
    ok = file.close() && ok;
    f.booksRead = ok;

    f.byGenre = genres.largest(kLargestGroups, QStringLiteral("Senza genere"));
    f.byLanguage = languages.largest(kLargestGroups, QStringLiteral("Senza lingua"));
    f.byDecade.clear();
    for (int d = 0; d < int(decades.size()); ++d) {
        if (decades[size_t(d)] == 0) continue;
        const QString label =
            QStringLiteral("%1-%2").arg(d * 10, 4, 10, QLatin1Char('0')).arg(d * 10 + 9, 4, 10, QLatin1Char('0'));
        f.byDecade.append({label, decades[size_t(d)]});
    }
    if (noYear > 0) f.byDecade.append({QStringLiteral("Senza anno"), noYear});
}

ArchiveFigures readArchiveFigures(const QString &programFolder, const QDate &today, int periodDays)
{
    ArchiveFigures f;
    countBooks(RecordFile::pathIn(programFolder, bookLayout().fileName), today, periodDays, f);
    f.authors = recordCount(RecordFile::pathIn(programFolder, authorLayout().fileName), authorLayout().recordSize,
                            f.authorsRead);
    f.bibliographies = recordCount(RecordFile::pathIn(programFolder, bibliographyLayout().fileName),
                                   bibliographyLayout().recordSize, f.bibliographiesRead);
    return f;
}

} // namespace opusteca::loans
