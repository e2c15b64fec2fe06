#include "lookup/core/CatalogueSources.h"

#include <QRegularExpression>

#include <iterator>

namespace opusteca::catalogue {

QList<Source> sourcesFromSetting(const QString &setting)
{
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    QList<Source> sources;
    for (const QString &word : setting.split(separators, Qt::SkipEmptyParts)) {
        Source s;
        if (word.compare(u"sbn", Qt::CaseInsensitive) == 0)
            s = Source::Sbn;
        else if (word.compare(u"openlibrary", Qt::CaseInsensitive) == 0)
            s = Source::OpenLibrary;
        else
            continue;
        if (!sources.contains(s)) sources.append(s);
    }
    if (sources.isEmpty()) return sourcesFromSetting(QString::fromLatin1(kDefaultSources));
    return sources;
}

QString sourceName(Source source)
{
    static constexpr const char *kNames[] = {"Catalogo del Servizio Bibliotecario Nazionale (SBN)",
                                             "Open Library"}; // in Source's order
    static_assert(std::size(kNames) == size_t(Source::OpenLibrary) + 1);
    return QString::fromLatin1(kNames[size_t(source)]);
}

QUrl sbnSearchUrl(const QString &isbn)
{
    QUrl url(QStringLiteral("https://opac.sbn.it/opacmobilegw/search.json"));
    url.setQuery(QStringLiteral("isbn=") + QString::fromLatin1(QUrl::toPercentEncoding(isbn)) +
                     QStringLiteral("&rows=1"),
                 QUrl::StrictMode);
    return url;
}

QUrl sbnRecordUrl(const QString &bid)
{
    QUrl url(QStringLiteral("https://opac.sbn.it/opacmobilegw/full.json"));
    url.setQuery(QStringLiteral("bid=") + QString::fromLatin1(QUrl::toPercentEncoding(bid)), QUrl::StrictMode);
    return url;
}

QString openLibraryKey(const QString &isbn) { return QStringLiteral("ISBN:") + isbn; }

QUrl openLibraryUrl(const QString &isbn)
{
    QUrl url(QStringLiteral("https://openlibrary.org/api/books"));
    url.setQuery(QStringLiteral("bibkeys=") + QString::fromLatin1(QUrl::toPercentEncoding(openLibraryKey(isbn), ":")) +
                     QStringLiteral("&format=json&jscmd=data"),
                 QUrl::StrictMode);
    return url;
}

QUrl throughServer(const QUrl &url, const QString &server)
{
    const QUrl s(server.trimmed(), QUrl::StrictMode);
    if (!s.isValid() || s.host().isEmpty() || (s.scheme() != u"http" && s.scheme() != u"https")) return url;
    QUrl out = url;
    out.setScheme(s.scheme());
    out.setHost(s.host());
    out.setPort(s.port());
    return out;
}

QString coverFileName(const QString &isbn13) { return isbn13 + QStringLiteral(".jpg"); }

} // namespace opusteca::catalogue
