#include "lookup/core/CatalogueReply.h"

#include "store/BookLists.h"
#include "store/BookRecord.h"
#include "store/Cp1252.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

#include <algorithm>

namespace opusteca::catalogue {
namespace {

using namespace libro;

// The object of a JSON text, or false when the text is not a JSON object.
bool parseObject(const QString &text, QJsonObject &out)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return false;
    out = doc.object();
    return true;
}

// A value as one line of text: a text, a number, or the first text of a list.
QString textOf(const QJsonValue &v)
{
    if (v.isString()) return v.toString().simplified();
    if (v.isDouble()) {
        const double d = v.toDouble();
        return d >= 0 && d < 1e9 && d == double(qint64(d)) ? QString::number(qint64(d)) : QString();
    }
    if (v.isArray()) {
        for (const QJsonValue &item : v.toArray())
            if (item.isString()) return item.toString().simplified();
    }
    return {};
}

// The last number of exactly four digits in the text.
QString lastYear(const QString &text)
{
    static const QRegularExpression year(QStringLiteral("(?<![0-9])[0-9]{4}(?![0-9])"));
    QString found;
    for (auto it = year.globalMatch(text); it.hasNext();) found = it.next().captured();
    return found;
}

// Brackets the catalogues put round a supplied place or name go; so does a stray
// punctuation mark at either end.
QString cleanPart(QString s)
{
    s = s.simplified();
    static const QRegularExpression ends(QStringLiteral("^[\\s,;:.]+|[\\s,;:]+$"));
    s.remove(ends);
    if (s.startsWith(u'[') && s.endsWith(u']') && s.count(u'[') == 1) s = s.mid(1, s.size() - 2).trimmed();
    if (s.startsWith(u'(') && s.endsWith(u')') && s.count(u'(') == 1) s = s.mid(1, s.size() - 2).trimmed();
    return s;
}

class Values {
public:
    void add(int field, const QString &value)
    {
        const QString v = value.simplified();
        if (v.isEmpty()) return;
        for (const FoundValue &f : std::as_const(m_values))
            if (f.field == field) return;
        m_values.append({field, v});
    }
    QList<FoundValue> inCardOrder() const
    {
        QList<FoundValue> out = m_values;
        std::stable_sort(out.begin(), out.end(),
                         [](const FoundValue &a, const FoundValue &b) { return a.field < b.field; });
        return out;
    }
    bool isEmpty() const { return m_values.isEmpty(); }

private:
    QList<FoundValue> m_values;
};

// "Title / responsibility": the title alone, without the marks that set its sort word.
QString sbnTitle(const QString &titolo)
{
    QString t = titolo;
    const qsizetype slash = t.indexOf(QStringLiteral(" / "));
    if (slash >= 0) t.truncate(slash);
    static const QRegularExpression sortMark(QStringLiteral("(^|(?<=[\\s'’]))\\*(?=\\w)"),
                                             QRegularExpression::UseUnicodePropertiesOption);
    t.remove(sortMark);
    return t.simplified();
}

QString sbnAuthor(QString name)
{
    static const QRegularExpression dates(QStringLiteral("<[^>]*>"));
    name.remove(dates);
    return cleanPart(name);
}

// "Place : Publisher, Year" with the parts the catalogue has.
void addSbnPublication(Values &values, const QString &text)
{
    const QString year = lastYear(text);
    qsizetype colon = text.indexOf(QStringLiteral(" : "));
    qsizetype after = colon + 3;
    if (colon < 0) {
        colon = text.indexOf(u':');
        after = colon + 1;
    }
    if (colon >= 0) {
        values.add(Citta, cleanPart(text.left(colon)));
        QString rest = text.mid(after);
        if (!year.isEmpty()) {
            const qsizetype y = rest.lastIndexOf(year);
            if (y >= 0) {
                const qsizetype comma = rest.lastIndexOf(u',', y);
                rest.truncate(comma >= 0 ? comma : y);
            }
        }
        values.add(Editore, cleanPart(rest));
    }
    values.add(Anno, year);
}

// "LXXIII, 62 p. ; 21 cm.": the pages and the size.
void addSbnPhysical(Values &values, const QString &text)
{
    static const QRegularExpression pages(QStringLiteral("(?<![0-9])([0-9]+)\\s*p\\."));
    const auto m = pages.match(text);
    if (m.hasMatch()) values.add(Pagine, m.captured(1));
    static const QRegularExpression cm(QStringLiteral("\\bcm\\b"));
    for (const QString &part : text.split(u';')) {
        if (part.contains(cm)) {
            QString size = part.simplified();
            while (size.endsWith(u'.')) size.chop(1);
            values.add(Formato, size);
            break;
        }
    }
}

// The card's name for a language, from its name in any case or its three-letter code.
QString cardLanguage(const QString &text)
{
    const QString t = text.simplified();
    for (const QString &name : booklists::languages())
        if (name.compare(t, Qt::CaseInsensitive) == 0) return name;
    static const QList<std::pair<const char *, const char *>> codes = {
        {"ita", "Italiano"}, {"eng", "Inglese"},  {"fre", "Francese"},   {"fra", "Francese"},   {"ger", "Tedesco"},
        {"deu", "Tedesco"},  {"spa", "Spagnolo"}, {"por", "Portoghese"}, {"lat", "Latino"},     {"grc", "Greco antico"},
        {"gre", "Greco"},    {"ell", "Greco"},    {"rus", "Russo"},      {"dut", "Olandese"},   {"nld", "Olandese"},
        {"ara", "Arabo"},    {"chi", "Cinese"},   {"zho", "Cinese"},     {"jpn", "Giapponese"}, {"pol", "Polacco"},
    };
    for (const auto &[code, name] : codes)
        if (t.compare(QLatin1String(code), Qt::CaseInsensitive) == 0) return QString::fromUtf8(name);
    return {};
}

bool isWebAddress(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty() && (url.scheme() == u"http" || url.scheme() == u"https");
}

} // namespace

QString replyText(const QByteArray &body, const QByteArray &contentType)
{
    static const QRegularExpression charsetParam(QStringLiteral("charset\\s*=\\s*\"?([A-Za-z0-9_.:-]+)"),
                                                 QRegularExpression::CaseInsensitiveOption);
    const QString charset = charsetParam.match(QString::fromLatin1(contentType)).captured(1).toLower();
    static const QStringList singleByte = {QStringLiteral("iso-8859-1"), QStringLiteral("iso8859-1"),
                                           QStringLiteral("latin1"),     QStringLiteral("latin-1"),
                                           QStringLiteral("l1"),         QStringLiteral("windows-1252"),
                                           QStringLiteral("cp1252"),     QStringLiteral("us-ascii")};
    if (singleByte.contains(charset)) return cp1252::decode(body);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (utf8.hasError() && charset != u"utf-8" && charset != u"utf8") return cp1252::decode(body);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
}

SbnSearchReply readSbnSearch(const QString &reply)
{
    QJsonObject root;
    if (!parseObject(reply, root)) return {};
    const QJsonValue records = root.value(QStringLiteral("briefRecords"));
    if (!records.isArray() && !records.isUndefined() && !records.isNull()) return {};
    for (const QJsonValue &r : records.toArray()) {
        const QString bid = r.toObject().value(QStringLiteral("codiceIdentificativo")).toString().trimmed();
        if (!bid.isEmpty()) return {Outcome::Found, bid};
    }
    return {Outcome::NotFound, {}};
}

BookReply readSbnRecord(const QString &reply)
{
    QJsonObject root;
    if (!parseObject(reply, root)) return {};
    Values values;
    values.add(Titolo, sbnTitle(textOf(root.value(QStringLiteral("titolo")))));
    values.add(Autore, sbnAuthor(textOf(root.value(QStringLiteral("autorePrincipale")))));
    addSbnPublication(values, textOf(root.value(QStringLiteral("pubblicazione"))));
    addSbnPhysical(values, textOf(root.value(QStringLiteral("descrizioneFisica"))));
    values.add(Collana, cleanPart(textOf(root.value(QStringLiteral("collezione")))));
    values.add(Lingua, cardLanguage(textOf(root.value(QStringLiteral("linguaPubblicazione")))));
    if (values.isEmpty()) return {Outcome::NotFound, {}, {}};
    return {Outcome::Found, values.inCardOrder(), {}};
}

BookReply readOpenLibrary(const QString &reply, const QString &key)
{
    QJsonObject root;
    if (!parseObject(reply, root)) return {};
    const QJsonObject book = root.value(key).toObject();
    Values values;
    QString title = textOf(book.value(QStringLiteral("title")));
    const QString subtitle = textOf(book.value(QStringLiteral("subtitle")));
    if (!title.isEmpty() && !subtitle.isEmpty()) title += QStringLiteral(": ") + subtitle;
    values.add(Titolo, title);
    QStringList authors;
    for (const QJsonValue &a : book.value(QStringLiteral("authors")).toArray()) {
        const QString name = textOf(a.toObject().value(QStringLiteral("name")));
        if (!name.isEmpty()) authors.append(name);
    }
    values.add(Autore, authors.join(QStringLiteral(", ")));
    const auto firstName = [&book](const char *list) {
        return textOf(book.value(QLatin1String(list)).toArray().at(0).toObject().value(QStringLiteral("name")));
    };
    values.add(Editore, firstName("publishers"));
    values.add(Citta, firstName("publish_places"));
    values.add(Anno, lastYear(textOf(book.value(QStringLiteral("publish_date")))));
    const QString pages = textOf(book.value(QStringLiteral("number_of_pages")));
    static const QRegularExpression number(QStringLiteral("^[0-9]+$"));
    if (number.match(pages).hasMatch()) values.add(Pagine, pages);
    const QString dewey =
        textOf(book.value(QStringLiteral("classifications")).toObject().value(QStringLiteral("dewey_decimal_class")));
    static const QRegularExpression deweyClass(QStringLiteral("^[0-9]{3}"));
    values.add(Dewey, deweyClass.match(dewey).captured());
    if (values.isEmpty()) return {Outcome::NotFound, {}, {}};
    const QString cover = textOf(book.value(QStringLiteral("cover")).toObject().value(QStringLiteral("large")));
    return {Outcome::Found, values.inCardOrder(), isWebAddress(cover) ? cover : QString()};
}

QString forField(int field, const QString &value)
{
    if (field < 0 || field >= FieldCount) return {};
    return cp1252::fit(value.simplified()).left(kFields[field].capacity).trimmed();
}

} // namespace opusteca::catalogue
