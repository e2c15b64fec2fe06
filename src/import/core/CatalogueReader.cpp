#include "import/core/CatalogueReader.h"

#include "store/Cp1252.h"
#include "store/Text.h"

#include <QFile>

#include <cstring>
#include <initializer_list>

namespace opusteca {
namespace {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool isUtf8(const QByteArray &b)
{
    const auto *p = reinterpret_cast<const unsigned char *>(b.constData());
    const auto *end = p + b.size();
    while (p < end) {
        const unsigned c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more;
        unsigned min;
        unsigned cp;
        if ((c & 0xE0) == 0xC0) {
            more = 1;
            min = 0x80;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2;
            min = 0x800;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3;
            min = 0x10000;
            cp = c & 0x07;
        } else
            return false;
        if (end - p <= more) return false;
        for (int i = 1; i <= more; ++i) {
            if ((p[i] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        p += more + 1;
    }
    return true;
}

QByteArray utf16ToUtf8(const QByteArray &b, bool bigEndian)
{
    QString s(b.size() / 2, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(s.data());
    const auto *in = reinterpret_cast<const unsigned char *>(b.constData());
    for (qsizetype i = 0; i + 1 < b.size(); i += 2)
        out[i / 2] = bigEndian ? char16_t(in[i] << 8 | in[i + 1]) : char16_t(in[i + 1] << 8 | in[i]);
    return s.toUtf8();
}

// A file with a zero byte, or with many control characters, is not a text.
bool looksLikeText(const QByteArray &b)
{
    if (std::memchr(b.constData(), 0, size_t(b.size()))) return false;
    const qsizetype n = std::min<qsizetype>(b.size(), 64 * 1024);
    qsizetype controls = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(b[i]);
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') || c == 0x7F) ++controls;
    }
    return controls * 20 <= n;
}

bool isBlank(const QByteArray &b)
{
    for (const char c : b)
        if (static_cast<unsigned char>(c) > 32) return false;
    return true;
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

// Where the first tag `<name` of any of `names` (ignoring case, followed by
// '>', '/' or a blank) starts at or after `from`; -1 when none does before `until`.
qsizetype findTag(const QByteArray &b, std::initializer_list<const char *> names, qsizetype from, qsizetype until = -1)
{
    const qsizetype end = until < 0 ? b.size() : std::min(until, b.size());
    const char *base = b.constData();
    for (qsizetype at = std::max<qsizetype>(from, 0); at < end;) {
        const void *lt = std::memchr(base + at, '<', size_t(end - at));
        if (!lt) return -1;
        at = static_cast<const char *>(lt) - base;
        for (const char *name : names) {
            const qsizetype n = qsizetype(std::strlen(name));
            if (at + 1 + n >= b.size()) continue;
            bool same = true;
            for (qsizetype i = 0; i < n && same; ++i) same = lowerAscii(base[at + 1 + i]) == name[i];
            const char after = base[at + 1 + n];
            if (same && (after == '>' || after == '/' || static_cast<unsigned char>(after) <= 32)) return at;
        }
        ++at;
    }
    return -1;
}

bool looksLikeSheet(const QByteArray &b)
{
    qsizetype i = 0;
    while (i < b.size() && static_cast<unsigned char>(b[i]) <= 32) ++i;
    return i < b.size() && b[i] == '<' && findTag(b, {"table"}, i, 64 * 1024) >= 0;
}

// The separator the header line uses most, outside quotes: tab before
// semicolon before comma when they tie; a comma when it uses none.
char findSeparator(const QByteArray &b)
{
    int tabs = 0, semicolons = 0, commas = 0;
    bool quoted = false;
    for (const char c : b) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted && c == '\t')
            ++tabs;
        else if (!quoted && c == ';')
            ++semicolons;
        else if (!quoted && c == ',')
            ++commas;
    }
    if (tabs > 0 && tabs >= semicolons && tabs >= commas) return '\t';
    if (semicolons > 0 && semicolons >= commas) return ';';
    return ',';
}

// Blank as text, read on the bytes: a code of 32 or below is the same byte in
// UTF-8 and in the code page, and no other character has such a byte.
bool allBlank(const RawRow &row)
{
    for (const char c : row.bytes)
        if (static_cast<unsigned char>(c) > 32) return false;
    return true;
}

} // namespace

ReadError CatalogueReader::load(const QString &path, CatalogueFormat requested)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return ReadError::CannotOpen;
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return ReadError::CannotOpen;
    return load(std::move(bytes), requested);
}

ReadError CatalogueReader::load(QByteArray bytes, CatalogueFormat requested)
{
    m_headers.clear();
    m_bytes.clear();
    m_format = requested;
    m_pos = m_firstRow = 0;
    m_line = m_firstLine = 1;
    bool bom = false;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
        bom = true;
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool bigEndian = bytes.startsWith("\xFE\xFF");
        bytes = utf16ToUtf8(QByteArray::fromRawData(bytes.constData() + 2, bytes.size() - 2), bigEndian);
        bom = true;
    }
    if (isBlank(bytes)) return ReadError::Empty;
    if (!looksLikeText(bytes)) return ReadError::NotText;
    m_utf8 = bom || isUtf8(bytes);
    m_bytes = std::move(bytes);

    const bool sheet = looksLikeSheet(m_bytes);
    // A document says its code page; ours say windows-1252, whatever bytes
    // their cells happen to hold.
    if (sheet && !bom) {
        const QByteArray head = m_bytes.left(4096).toLower();
        const qsizetype at = head.indexOf("charset=");
        if (at >= 0) {
            const QByteArray name = head.mid(at + 8, 12);
            if (name.startsWith("utf-8") || name.startsWith("utf8"))
                m_utf8 = true;
            else if (name.startsWith("windows-1252") || name.startsWith("iso-8859-1"))
                m_utf8 = false;
        }
    }
    if (requested == CatalogueFormat::Spreadsheet && !sheet) {
        m_bytes.clear();
        return ReadError::NotSpreadsheet;
    }
    RawRow &header = m_raw;
    if (sheet && (requested == CatalogueFormat::Auto || requested == CatalogueFormat::Spreadsheet)) {
        m_format = CatalogueFormat::Spreadsheet;
        m_pos = findTag(m_bytes, {"table"}, 0);
        m_tableEnd = findTag(m_bytes, {"/table"}, m_pos);
        if (m_tableEnd < 0) m_tableEnd = m_bytes.size();
        m_line = 0;
        while (nextSheetRow(header) && allBlank(header)) {
        }
    } else {
        m_separator = findSeparator(m_bytes);
        while (nextDelimited(header) && allBlank(header)) {
        }
    }
    for (qsizetype i = 0; i < header.size(); ++i) {
        const QByteArrayView h = header.cell(i);
        m_headers << text::trimmed(header.utf8 ? QString::fromUtf8(h) : cp1252::decode(h.data(), h.size()));
    }
    m_firstRow = m_pos;
    m_firstLine = m_line;

    if (m_format == CatalogueFormat::Auto) {
        const bool goodreads = m_separator == ',' && m_headers.size() >= 3 && m_headers[0] == u"Book Id" &&
                               m_headers[1] == u"Title" && m_headers[2] == u"Author";
        const bool libraryThing = m_separator == '\t' && m_headers.contains(QStringLiteral("Book Id")) &&
                                  m_headers.contains(QStringLiteral("Primary Author"));
        m_format = goodreads      ? CatalogueFormat::Goodreads
                   : libraryThing ? CatalogueFormat::LibraryThing
                                  : CatalogueFormat::Delimited;
    }
    const bool any = next(m_raw);
    rewind();
    return any ? ReadError::None : ReadError::NoRows;
}

void CatalogueReader::rewind()
{
    m_pos = m_firstRow;
    m_line = m_firstLine;
}

bool CatalogueReader::nextAny(RawRow &row)
{
    return m_format == CatalogueFormat::Spreadsheet ? nextSheetRow(row) : nextDelimited(row);
}

bool CatalogueReader::next(RawRow &row)
{
    for (;;) {
        if (!nextAny(row)) return false;
        if (!allBlank(row)) return true;
    }
}

bool CatalogueReader::next(CatalogueRow &row)
{
    row.cells.clear();
    if (!next(m_raw)) return false;
    row.line = m_raw.line;
    for (qsizetype i = 0; i < m_raw.size(); ++i) {
        const QByteArrayView c = m_raw.cell(i);
        row.cells.append(m_raw.utf8 ? QString::fromUtf8(c) : cp1252::decode(c.data(), c.size()));
    }
    return true;
}

QString CatalogueReader::decodeCell(const char *data, qsizetype size) const
{
    return m_utf8 ? QString::fromUtf8(data, size) : cp1252::decode(data, size);
}

bool CatalogueReader::nextDelimited(RawRow &row)
{
    row.clear();
    if (m_pos >= m_bytes.size()) return false;
    row.line = m_line;
    row.utf8 = m_utf8;
    const char *b = m_bytes.constData();
    const qsizetype n = m_bytes.size();
    qsizetype p = m_pos;
    std::string &cell = row.bytes;
    for (;;) {
        if (p < n && b[p] == '"') {
            ++p;
            for (;;) {
                const qsizetype start = p;
                while (p < n && b[p] != '"' && b[p] != '\r' && b[p] != '\n') ++p;
                cell.append(b + start, size_t(p - start));
                if (p >= n) break;
                if (b[p] == '"') {
                    if (p + 1 < n && b[p + 1] == '"') {
                        cell.push_back('"');
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                // A line break inside quotes is kept, as the archives keep one.
                p += (b[p] == '\r' && p + 1 < n && b[p + 1] == '\n') ? 2 : 1;
                cell.append("\r\n");
                ++m_line;
            }
        }
        // Unquoted text, or text after a closing quote, up to the separator.
        const qsizetype start = p;
        while (p < n && b[p] != m_separator && b[p] != '\r' && b[p] != '\n') ++p;
        cell.append(b + start, size_t(p - start));
        row.ends.push_back(qsizetype(cell.size()));
        if (p < n && b[p] == m_separator) {
            ++p;
            continue;
        }
        if (p < n) {
            p += (b[p] == '\r' && p + 1 < n && b[p + 1] == '\n') ? 2 : 1;
            ++m_line;
        }
        break;
    }
    m_pos = p;
    return true;
}

bool CatalogueReader::nextSheetRow(RawRow &row)
{
    row.clear();
    // The cells need their markup read as text; they are handed on in UTF-8.
    row.utf8 = true;
    if (m_pos < 0 || m_pos >= m_tableEnd) return false;
    const qsizetype tr = findTag(m_bytes, {"tr"}, m_pos, m_tableEnd);
    if (tr < 0) {
        m_pos = m_tableEnd;
        return false;
    }
    // A row ends at its end tag, or where the next row or the table ends.
    qsizetype rowEnd = findTag(m_bytes, {"/tr", "tr"}, tr + 3, m_tableEnd);
    if (rowEnd < 0) rowEnd = m_tableEnd;
    row.line = ++m_line;
    qsizetype at = tr + 3;
    for (;;) {
        const qsizetype td = findTag(m_bytes, {"td", "th"}, at, rowEnd);
        if (td < 0) break;
        const qsizetype open = m_bytes.indexOf('>', td);
        if (open < 0 || open >= rowEnd) break;
        // A cell left open ends where the next one starts.
        qsizetype close = findTag(m_bytes, {"/td", "/th", "td", "th"}, open, rowEnd);
        if (close < 0) close = rowEnd;
        const QByteArray cell = decodeSheetCell(decodeCell(m_bytes.constData() + open + 1, close - open - 1)).toUtf8();
        row.bytes.append(cell.constData(), size_t(cell.size()));
        row.ends.push_back(qsizetype(row.bytes.size()));
        at = close;
    }
    m_pos = rowEnd < m_tableEnd ? rowEnd + 1 : m_tableEnd;
    return true;
}

QString decodeSheetCell(QStringView html)
{
    QString out;
    out.reserve(html.size());
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html[i];
        if (c == u'<') {
            const qsizetype close = html.indexOf(u'>', i);
            if (close < 0) {
                out += html.mid(i);
                break;
            }
            QString tag = html.mid(i + 1, close - i - 1).trimmed().toString().toLower();
            if (tag.endsWith(u'/')) tag.chop(1);
            if (tag.trimmed() == u"br") out += QStringLiteral("\r\n");
            i = close;
        } else if (c == u'&') {
            const qsizetype semi = html.indexOf(u';', i);
            if (semi < 0 || semi - i > 10) {
                out += c;
                continue;
            }
            const QStringView name = html.mid(i + 1, semi - i - 1);
            char32_t code = 0;
            if (name.startsWith(u'#')) {
                bool ok = false;
                const uint v = (name.size() > 1 && (name[1] == u'x' || name[1] == u'X')) ? name.mid(2).toUInt(&ok, 16)
                                                                                         : name.mid(1).toUInt(&ok, 10);
                if (ok && v > 0 && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF)) code = v;
            } else if (name == u"amp")
                code = '&';
            else if (name == u"lt")
                code = '<';
            else if (name == u"gt")
                code = '>';
            else if (name == u"quot")
                code = '"';
            else if (name == u"apos")
                code = '\'';
            else if (name == u"nbsp")
                code = 0xA0;
            if (code == 0) {
                out += c;
                continue;
            }
            out += QString::fromUcs4(&code, 1);
            i = semi;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace opusteca
