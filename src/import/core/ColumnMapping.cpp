#include "import/core/ColumnMapping.h"

#include "export/core/ExportKinds.h"
#include "store/BookRecord.h"
#include "store/Text.h"

#include <QHash>
#include <QRegularExpression>

namespace opusteca {
namespace importfields {

const QList<int> &choosable()
{
    static const QList<int> fields = [] {
        QList<int> out;
        for (int f = 0; f < libro::FieldCount; ++f)
            if (libro::kFields[f].kind != ControlKind::Hidden) out << f;
        return out;
    }();
    return fields;
}

QString caption(int field)
{
    if (field < 0 || field >= libro::FieldCount) return {};
    return QString::fromUtf8(libro::kFields[field].label);
}

QString normalised(const QString &header)
{
    QString h = text::trimmed(header);
    if (h.endsWith(u':')) h.chop(1);
    const QString decomposed = h.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (!c.isMark() && !c.isSpace()) out += c;
    return out.toCaseFolded();
}

int fieldForHeader(const QString &header)
{
    static const QHash<QString, int> names = [] {
        using namespace libro;
        QHash<QString, int> n;
        const auto add = [&n](const QString &name, int field) {
            const QString key = normalised(name);
            if (!key.isEmpty() && !n.contains(key)) n.insert(key, field);
        };
        const ExportKind &sheet = exportKind(ExportArchive::Books);
        for (qsizetype c = 0; c < qsizetype(sheet.columns.size()); ++c)
            add(sheet.header(c), sheet.columns[size_t(c)].field);
        for (const int f : choosable()) {
            add(caption(f), f);
            add(QString::fromLatin1(kFields[f].name), f);
        }
        const std::pair<const char *, int> english[] = {
            {"Title", Titolo},          {"Author", Autore},  {"Editor", Curatore},
            {"Publisher", Editore},     {"Place", Citta},    {"Year", Anno},
            {"Pages", Pagine},          {"ISBN", Isbn},      {"Language", Lingua},
            {"Translator", Traduttore}, {"Series", Collana}, {"Genre", Genere},
            {"Price", Prezzo},          {"Notes", Note},     {"Shelf", Scaffale},
            {"Code", Codice},
        };
        for (const auto &[name, field] : english) add(QString::fromLatin1(name), field);
        return n;
    }();
    return names.value(normalised(header), -1);
}

} // namespace importfields

QList<ColumnTarget> defaultColumns(CatalogueFormat format, const QStringList &headers)
{
    using namespace libro;
    struct Known {
        const char *header;
        ColumnTarget target;
    };
    static const Known goodreads[] = {
        {"Title", {Titolo}},
        {"Author", {Autore}},
        {"ISBN13", {Isbn, CellRule::FormulaQuotes, 0}},
        {"ISBN", {Isbn, CellRule::FormulaQuotes, 1}}, // only when ISBN13 is empty
        {"Publisher", {Editore}},
        {"Number of Pages", {Pagine}},
        {"Year Published", {Anno}},
        {"Original Publication Year", {Prima}},
        {"Binding", {Formato}},
        {"Private Notes", {Note}},
    };
    static const Known libraryThing[] = {
        {"Title", {Titolo}},
        {"Primary Author", {Autore}},
        {"ISBN", {Isbn, CellRule::Brackets}},
        {"Publication", {Editore, CellRule::UpToParenthesis}},
        {"Date", {Anno, CellRule::Brackets}},
        {"Page Count", {Pagine}},
        {"Languages", {Lingua}},
        {"Dewey Decimal", {Dewey, CellRule::FirstThree}},
        {"Comment", {Note}},
        {"Barcode", {Codice}},
        {"Lending Patron", {Prestato}},
        {"Lending Start", {Scadenza, CellRule::IsoDate}},
    };
    QList<ColumnTarget> out;
    for (const QString &h : headers) {
        ColumnTarget t;
        if (format == CatalogueFormat::Goodreads || format == CatalogueFormat::LibraryThing) {
            const bool gr = format == CatalogueFormat::Goodreads;
            const Known *begin = gr ? std::begin(goodreads) : std::begin(libraryThing);
            const Known *end = gr ? std::end(goodreads) : std::end(libraryThing);
            for (const Known *k = begin; k != end; ++k)
                if (importfields::normalised(h) == importfields::normalised(QString::fromLatin1(k->header))) {
                    t = k->target;
                    break;
                }
            // Goodreads writes every identifier as a formula.
            if (gr && t.field < 0) t.rule = CellRule::FormulaQuotes;
        } else {
            t.field = importfields::fieldForHeader(h);
        }
        out << t;
    }
    return out;
}

QString applyRule(CellRule rule, const QString &cell)
{
    QString s = text::trimmed(cell);
    const auto unwrap = [&s](QStringView open, QStringView close) {
        if (s.size() >= open.size() + close.size() && s.startsWith(open) && s.endsWith(close))
            s = text::trimmed(s.mid(open.size(), s.size() - open.size() - close.size()));
    };
    switch (rule) {
    case CellRule::AsIs:
        break;
    case CellRule::FormulaQuotes:
        unwrap(u"=\"", u"\"");
        break;
    case CellRule::Brackets:
        unwrap(u"[", u"]");
        break;
    case CellRule::UpToParenthesis: {
        const qsizetype at = s.indexOf(QStringLiteral(" ("));
        if (at >= 0) s = text::trimmed(s.left(at));
        break;
    }
    case CellRule::FirstThree:
        s = s.left(3);
        break;
    case CellRule::IsoDate: {
        unwrap(u"[", u"]");
        static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
        const QRegularExpressionMatch m = iso.match(s);
        if (m.hasMatch())
            s = QStringLiteral("%1/%2/%3")
                    .arg(m.captured(3).toInt(), 2, 10, QLatin1Char('0'))
                    .arg(m.captured(2).toInt(), 2, 10, QLatin1Char('0'))
                    .arg(m.captured(1));
        break;
    }
    }
    return s;
}

} // namespace opusteca
