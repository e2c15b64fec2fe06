#include "import/core/ImportRows.h"

#include "store/Cp1252.h"
#include "store/Record.h"
#include "store/RecordFile.h"
#include "store/Text.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace opusteca {
namespace {

// "IMP-000123" -> prefix "imp" (in `prefix`) and 123; false for any other code.
bool numberedCode(QByteArrayView code, Key &prefix, qint64 &number)
{
    const qsizetype dash = code.lastIndexOf('-');
    if (dash < 0 || dash + 1 >= code.size() || code.size() - dash - 1 > 18) return false;
    number = 0;
    for (qsizetype i = dash + 1; i < code.size(); ++i) {
        if (code[i] < '0' || code[i] > '9') return false;
        number = number * 10 + (code[i] - '0');
    }
    prefix.size = int(std::min<qsizetype>(dash, qsizetype(prefix.bytes.size())));
    for (int i = 0; i < prefix.size; ++i)
        prefix.bytes[size_t(i)] = char(text::lowerAZByte(static_cast<unsigned char>(code[i])));
    return true;
}

// The UTF-8 cell in the code page when each of its characters is ASCII or
// Latin-1 from U+00A0 on, which the code page holds as the same byte: the
// cell itself when it is all ASCII, else its bytes in `out`. False when any
// other character (or a malformed sequence) is there.
bool latin1FromUtf8(QByteArrayView cell, std::string &out, QByteArrayView &bytes)
{
    const auto *s = reinterpret_cast<const unsigned char *>(cell.data());
    const qsizetype n = cell.size();
    unsigned high = 0;
    for (qsizetype i = 0; i < n; ++i) high |= s[i];
    if (high < 0x80) {
        bytes = cell;
        return true;
    }
    out.clear();
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned c = s[i];
        if (c < 0x80) {
            out.push_back(char(c));
            continue;
        }
        if (i + 1 >= n) return false;
        const unsigned next = s[i + 1];
        if (c == 0xC2 && next >= 0xA0 && next <= 0xBF)
            out.push_back(char(next));
        else if (c == 0xC3 && next >= 0x80 && next <= 0xBF)
            out.push_back(char(next + 0x40));
        else
            return false;
        ++i;
    }
    bytes = QByteArrayView(out.data(), qsizetype(out.size()));
    return true;
}

// applyRule() on text held one byte a character, for every rule but the date.
QByteArrayView ruleOnBytes(CellRule rule, QByteArrayView s)
{
    s = text::trimmed(s);
    const auto unwrap = [&s](QByteArrayView open, QByteArrayView close) {
        if (s.size() >= open.size() + close.size() && s.startsWith(open) && s.endsWith(close))
            s = text::trimmed(s.sliced(open.size(), s.size() - open.size() - close.size()));
    };
    switch (rule) {
    case CellRule::AsIs:
    case CellRule::IsoDate:
        break;
    case CellRule::FormulaQuotes:
        unwrap("=\"", "\"");
        break;
    case CellRule::Brackets:
        unwrap("[", "]");
        break;
    case CellRule::UpToParenthesis: {
        const qsizetype at = s.indexOf(" (");
        if (at >= 0) s = text::trimmed(s.first(at));
        break;
    }
    case CellRule::FirstThree:
        s = s.first(std::min<qsizetype>(s.size(), 3));
        break;
    }
    return s;
}

void storeField(char *record, int field, QByteArrayView bytes)
{
    char *p = record + libro::kFields[field].offset;
    p[0] = char(bytes.size());
    std::memcpy(p + 1, bytes.data(), size_t(bytes.size()));
}

} // namespace

void codeKey(QByteArrayView code, Key &out)
{
    code = text::trimmed(code);
    out.size = int(std::min<qsizetype>(code.size(), qsizetype(out.bytes.size())));
    for (int i = 0; i < out.size; ++i)
        out.bytes[size_t(i)] = char(text::lowerAZByte(static_cast<unsigned char>(code[i])));
}

void isbnKey(QByteArrayView isbn, Key &out)
{
    qsizetype length = 0; // of the whole key, beyond what `out` keeps
    out.size = 0;
    for (const char c : isbn) {
        const char k = (c >= '0' && c <= '9') ? c : (c == 'x' || c == 'X') ? 'X' : 0;
        if (k == 0) continue;
        if (out.size < int(out.bytes.size())) out.bytes[size_t(out.size++)] = k;
        ++length;
    }
    bool nineDigits = length == 10;
    for (int i = 0; nineDigits && i < 9; ++i) nineDigits = out.bytes[size_t(i)] != 'X';
    if (nineDigits) {
        char *k = out.bytes.data();
        std::memmove(k + 3, k, 9);
        std::memcpy(k, "978", 3);
        int sum = 0;
        for (int i = 0; i < 12; ++i) sum += (k[i] - '0') * (i % 2 ? 3 : 1);
        k[12] = char('0' + (10 - sum % 10) % 10);
        out.size = 13;
    }
}

QString generatedCode(const QString &prefix, qint64 number)
{
    return prefix + QLatin1Char('-') + QStringLiteral("%1").arg(number, 6, 10, QLatin1Char('0'));
}

void storeGeneratedCode(char *field, QByteArrayView prefix, qint64 number)
{
    char digits[24];
    int n = 0;
    for (qint64 v = std::max<qint64>(number, 0); v > 0 || n < 6; v /= 10) digits[n++] = char('0' + v % 10);
    std::string code(prefix.data(), size_t(prefix.size()));
    code.push_back('-');
    while (n > 0) code.push_back(digits[--n]);
    const int capacity = libro::kFields[libro::Codice].capacity;
    const int len = std::min(int(code.size()), capacity);
    std::memset(field, 0, size_t(capacity) + 1);
    field[0] = char(len);
    std::memcpy(field + 1, code.data(), size_t(len));
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
    Key codeK, isbnK;
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
            codeKey(c, codeK);
            isbnKey(field::rawText(rec + isbn.offset, layout.kind, isbn.capacity), isbnK);
            addBook(codeK, isbnK);
        }
        done += got;
    }
    return file.close();
}

void ArchiveKeys::addBook(const Key &code, const Key &isbn)
{
    if (code.size > 0) m_codes.insert(code.view());
    if (isbn.size > 0) m_isbns.insert(isbn.view());
}

bool ArchiveKeys::hasBook(const Key &code, const Key &isbn) const
{
    return (code.size > 0 && m_codes.contains(code.view())) || (isbn.size > 0 && m_isbns.contains(isbn.view()));
}

void ArchiveKeys::noteCode(QByteArrayView code)
{
    Key prefix;
    qint64 number = 0;
    if (!numberedCode(text::trimmed(code), prefix, number)) return;
    // Looked up without a copy; most codes of a file share their prefix.
    const QByteArray found = QByteArray::fromRawData(prefix.bytes.data(), prefix.size);
    const auto at = m_highest.find(found);
    if (at == m_highest.end())
        m_highest.insert(QByteArray(prefix.bytes.data(), prefix.size), number);
    else
        *at = std::max(*at, number);
}

qint64 ArchiveKeys::highestNumber(const QString &prefix) const
{
    QByteArray folded = cp1252::encode(prefix);
    for (char &c : folded) c = char(text::lowerAZByte(static_cast<unsigned char>(c)));
    return m_highest.value(folded, 0);
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

QByteArrayView RowBuilder::value(const RawRow &row, qsizetype column) const
{
    const CellRule rule = m_columns[column].rule;
    const QByteArrayView cell = row.cell(column);
    QByteArrayView bytes = cell;
    // Such text fits the code page as it is, a character a byte.
    if (rule != CellRule::IsoDate && (!row.utf8 || latin1FromUtf8(cell, m_value, bytes)))
        return text::trimmed(ruleOnBytes(rule, bytes));
    const QString t = row.utf8 ? QString::fromUtf8(cell) : cp1252::decode(cell.data(), cell.size());
    // Fitted text has a byte for each of its characters.
    m_encoded = cp1252::encode(text::trimmed(cp1252::fit(applyRule(rule, t))));
    return m_encoded;
}

void RowBuilder::buildRecord(const RawRow &row, char *record, RowFacts &facts) const
{
    std::memset(record, 0, size_t(bookLayout().recordSize));
    facts = RowFacts();
    int cancelled = -1; // what the first Annullata text says, once found
    for (const int c : m_order) {
        if (c >= row.size()) continue;
        const int f = m_columns[c].field;
        if (f == libro::Convalida) continue; // always "No"
        if (f == libro::Annullata) {
            if (cancelled >= 0) continue;
            const QByteArrayView v = value(row, c);
            if (!v.isEmpty()) cancelled = saysYes(cp1252::decode(v.data(), v.size())) ? 1 : 0;
            continue;
        }
        // Stored text is never empty: it is trimmed and starts with its first character.
        if (record[libro::kFields[f].offset] != 0) continue;
        QByteArrayView v = value(row, c);
        if (v.isEmpty()) continue;
        const int capacity = libro::kFields[f].capacity;
        if (v.size() > capacity) {
            v = text::trimmed(v.first(capacity));
            facts.cut |= quint64(1) << f;
        }
        storeField(record, f, v);
    }
    storeField(record, libro::Convalida, "No");
    storeField(record, libro::Annullata, cancelled == 1 ? QByteArrayView("S\xEC") : QByteArrayView("No"));
    facts.hasTitle = record[libro::kFields[libro::Titolo].offset] != 0;
    facts.hasAuthor = record[libro::kFields[libro::Autore].offset] != 0;
}

} // namespace opusteca
