#include "import/core/ImportRows.h"

#include "store/Cp1252.h"
#include "store/Record.h"
#include "store/RecordFile.h"
#include "store/Text.h"

#include <algorithm>
#include <memory>

namespace opusteca {
namespace {

// Code page bytes folded as the program folds: A-Z only.
QByteArray foldAZ(QByteArrayView b)
{
    QByteArray out(b.data(), b.size());
    for (char &c : out) c = char(text::lowerAZByte(static_cast<unsigned char>(c)));
    return out;
}

// "IMP-000123" -> prefix "imp" and 123; false for any other code.
bool numberedCode(QByteArrayView code, QByteArray &prefix, qint64 &number)
{
    const qsizetype dash = code.lastIndexOf('-');
    if (dash < 0 || dash + 1 >= code.size() || code.size() - dash - 1 > 18) return false;
    number = 0;
    for (qsizetype i = dash + 1; i < code.size(); ++i) {
        if (code[i] < '0' || code[i] > '9') return false;
        number = number * 10 + (code[i] - '0');
    }
    prefix = foldAZ(code.first(dash));
    return true;
}

} // namespace

QByteArray codeKey(QByteArrayView code) { return foldAZ(text::trimmed(code)); }

QByteArray isbnKey(QByteArrayView isbn)
{
    QByteArray k;
    for (const char c : isbn) {
        if (c >= '0' && c <= '9')
            k += c;
        else if (c == 'x' || c == 'X')
            k += 'X';
    }
    bool nineDigits = k.size() == 10;
    for (qsizetype i = 0; nineDigits && i < 9; ++i) nineDigits = k[i] != 'X';
    if (nineDigits) {
        k = "978" + k.left(9);
        int sum = 0;
        for (int i = 0; i < 12; ++i) sum += (k[i] - '0') * (i % 2 ? 3 : 1);
        k += char('0' + (10 - sum % 10) % 10);
    }
    return k;
}

QString generatedCode(const QString &prefix, qint64 number)
{
    return prefix + QLatin1Char('-') + QStringLiteral("%1").arg(number, 6, 10, QLatin1Char('0'));
}

QString usablePrefix(const QString &typed)
{
    constexpr int room = 24 - 7; // the code's capacity less "-000001"
    const QString p = text::trimmed(cp1252::fit(typed).left(room));
    return p.isEmpty() ? QStringLiteral("IMP") : p;
}

bool ArchiveKeys::scan(const QString &programFolder)
{
    const RecordLayout &layout = bookLayout();
    RecordFile file(layout.recordSize);
    if (!file.openIn(programFolder, layout.fileName)) return false;
    const qint64 count = file.count();
    if (count < 0) return false;
    constexpr qint64 kBlock = 512;
    std::unique_ptr<char[]> buffer(new char[size_t(kBlock * layout.recordSize)]);
    const FieldDef &code = layout.fields[libro::Codice];
    const FieldDef &isbn = layout.fields[libro::Isbn];
    const FieldDef &cancelled = layout.fields[libro::Annullata];
    for (qint64 done = 0; done < count;) {
        qint64 got = 0;
        if (!file.readBlock(buffer.get(), std::min(kBlock, count - done), got) || got == 0) return false;
        for (qint64 r = 0; r < got; ++r) {
            const char *rec = buffer.get() + r * layout.recordSize;
            const QByteArrayView c = field::rawText(rec + code.offset, layout.kind, code.capacity);
            noteCode(c);
            // Only current books count: a cancelled one is no longer on the shelves.
            if (text::trimmed(field::rawText(rec + cancelled.offset, layout.kind, cancelled.capacity)) != "No")
                continue;
            addBook(c, field::rawText(rec + isbn.offset, layout.kind, isbn.capacity));
        }
        done += got;
    }
    return file.close();
}

void ArchiveKeys::addBook(QByteArrayView code, QByteArrayView isbn)
{
    const QByteArray c = codeKey(code);
    if (!c.isEmpty()) m_codes.insert(c);
    const QByteArray i = isbnKey(isbn);
    if (!i.isEmpty()) m_isbns.insert(i);
}

void ArchiveKeys::noteCode(QByteArrayView code)
{
    QByteArray prefix;
    qint64 number = 0;
    if (!numberedCode(text::trimmed(code), prefix, number)) return;
    qint64 &highest = m_highest[prefix];
    highest = std::max(highest, number);
}

bool ArchiveKeys::hasCode(QByteArrayView code) const
{
    const QByteArray c = codeKey(code);
    return !c.isEmpty() && m_codes.contains(c);
}

bool ArchiveKeys::hasIsbn(QByteArrayView isbn) const
{
    const QByteArray i = isbnKey(isbn);
    return !i.isEmpty() && m_isbns.contains(i);
}

qint64 ArchiveKeys::highestNumber(const QString &prefix) const
{
    return m_highest.value(foldAZ(cp1252::encode(prefix)), 0);
}

bool BookRow::hasTitle() const { return !text::isBlank(values[libro::Titolo]); }
bool BookRow::hasAuthor() const { return !text::isBlank(values[libro::Autore]); }

bool saysYes(const QString &cell)
{
    const QString s = text::trimmed(cell).toLower();
    return s == u"s\u00EC" || s == u"si" || s == u"yes" || s == u"true" || s == u"1";
}

RowBuilder::RowBuilder(const QList<ColumnTarget> &columns) : m_columns(columns)
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].field >= 0 && columns[i].field < libro::FieldCount) m_order << i;
    std::stable_sort(m_order.begin(), m_order.end(),
                     [&](int a, int b) { return columns[a].priority < columns[b].priority; });
}

void RowBuilder::build(const CatalogueRow &row, BookRow &out) const
{
    for (QString &v : out.values) v.clear();
    out.cut.clear();
    for (const int c : m_order) {
        if (c >= row.cells.size()) continue;
        QString &v = out.values[size_t(m_columns[c].field)];
        if (!v.isEmpty()) continue;
        v = text::trimmed(cp1252::fit(applyRule(m_columns[c].rule, row.cells[c])));
    }
    out.values[libro::Convalida] = libro::no();
    out.values[libro::Annullata] = saysYes(out.values[libro::Annullata]) ? libro::yes() : libro::no();
    for (int f = 0; f < libro::FieldCount; ++f) {
        QString &v = out.values[size_t(f)];
        const int capacity = libro::kFields[f].capacity;
        if (v.size() > capacity) {
            v = text::trimmed(v.left(capacity));
            out.cut << f;
        }
    }
}

} // namespace opusteca
