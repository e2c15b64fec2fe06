#pragma once
#include <QList>
#include <QString>
#include <QUrl>

// The catalogues asked for a book's data by its ISBN, the addresses asked and the
// limits put on their replies.
namespace opusteca::catalogue {

enum class Source { Sbn, OpenLibrary };

// Opusteca.ini: [ISBN] Fonti lists the sources in the order they are asked;
// [ISBN] Attesa is the time given to each request, in seconds.
inline constexpr const char *kSettingsSection = "ISBN";
inline constexpr const char *kSourcesKey = "Fonti";
inline constexpr const char *kDefaultSources = "sbn,openlibrary";
inline constexpr const char *kWaitKey = "Attesa";
inline constexpr int kDefaultWaitSeconds = 10;
inline constexpr int kMaxWaitSeconds = 120;

// A reply larger than this is refused: no book needs more.
inline constexpr qint64 kMaxReplyBytes = 2 * 1024 * 1024;

// The environment variable naming a server (scheme, host and port) that stands in
// for every catalogue and cover host, for trying the program without the network.
inline constexpr const char *kServerVariable = "OPUSTECA_ISBN_SERVER";

// The sources named in the setting, in its order, each once; names are the words
// "sbn" and "openlibrary" in any case, separated by commas, semicolons or blanks.
// A setting naming no known source gives the default.
QList<Source> sourcesFromSetting(const QString &setting);

// The catalogue's name as the result screen shows it.
QString sourceName(Source source);

QUrl sbnSearchUrl(const QString &isbn);
// bid is the record's identifier as the search gave it (it holds backslashes).
QUrl sbnRecordUrl(const QString &bid);
QUrl openLibraryUrl(const QString &isbn);
// The key Open Library files its answer under: "ISBN:" and the ISBN as sent.
QString openLibraryKey(const QString &isbn);

// `url` with its scheme, host and port taken from `server` when that is an http or
// https address; path and query are kept. Otherwise `url` unchanged.
QUrl throughServer(const QUrl &url, const QString &server);

// The name the cover is kept under in the attachments folder.
QString coverFileName(const QString &isbn13);

} // namespace opusteca::catalogue
