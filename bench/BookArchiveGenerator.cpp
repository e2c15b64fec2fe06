#include "BookArchiveGenerator.h"

#include "store/BookRecord.h"
#include "store/Record.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <random>

namespace opusteca::bench {
namespace {

const char *const kNouns[] = {
    "rosa",      "vento",   "mare",        "notte",        "giardino", "castello", "fiume",    "silenzio", "memoria",
    "viaggio",   "isola",   "montagna",    "citt\u00E0",   "lettera",  "specchio", "sentiero", "ombra",    "tempesta",
    "libro",     "cuore",   "sogno",       "destino",      "stagione", "lago",     "porta",    "campana",  "finestra",
    "bosco",     "nebbia",  "luna",        "stella",       "pietra",   "fuoco",    "casa",     "strada",   "famiglia",
    "guerra",    "pace",    "verit\u00E0", "libert\u00E0", "voce",     "terra",    "cielo",    "estate",   "inverno",
    "primavera", "autunno", "ritorno",     "partenza",     "confine"};
const char *const kAdjectives[] = {"perduto", "segreto",  "antico",     "lontano", "oscuro", "dorato",   "infinito",
                                   "ultimo",  "nascosto", "silenzioso", "eterno",  "breve",  "nuovo",    "vecchio",
                                   "piccolo", "grande",   "felice",     "amaro",   "dolce",  "selvaggio"};
const char *const kArticles[] = {"Il", "La", "Lo", "I", "Le", "Gli", "Un", "Una", "L'"};
const char *const kLinks[] = {"di", "del", "della", "dei", "delle", "nel", "sul", "tra", "e", "oltre"};
const char *const kFirst[] = {"Giovanni", "Maria",   "Alessandro", "Elsa",       "Italo",        "Natalia", "Cesare",
                              "Grazia",   "Luigi",   "Alda",       "Giuseppe",   "Dacia",        "Primo",   "Anna",
                              "Umberto",  "Oriana",  "Leonardo",   "Carlo",      "Beppe",        "Elena",   "Dino",
                              "Sibilla",  "Giorgio", "Lalla",      "Pier Paolo", "Goliarda",     "Ignazio", "Cristina",
                              "Vasco",    "Matilde", "Federico",   "Clara",      "Niccol\u00F2", "Amelia",  "Mario"};
const char *const kLast[] = {
    "Manzoni",  "Morante",    "Calvino",  "Ginzburg",  "Pavese",   "Deledda",    "Pirandello", "Merini",
    "Verga",    "Maraini",    "Levi",     "Banti",     "Eco",      "Fallaci",    "Sciascia",   "Gadda",
    "Fenoglio", "Buzzati",    "Ferrante", "Svevo",     "Aleramo",  "Bassani",    "Romano",     "Pasolini",
    "Sapienza", "Silone",     "Campo",    "Pratolini", "Serao",    "De Roberto", "Tozzi",      "Rigoni Stern",
    "Tomasi",   "D'Annunzio", "Ortese",   "Bufalino",  "Tabucchi", "Vittorini",  "Landolfi",   "Zanzotto"};
const char *const kCities[] = {"Milano",  "Torino",  "Roma", "Firenze", "Napoli",  "Bologna",
                               "Venezia", "Palermo", "Bari", "Genova",  "Trieste", "Parma"};
const char *const kPublishers[] = {"Mondadori",  "Einaudi",    "Feltrinelli", "Adelphi",     "Bompiani",
                                   "Garzanti",   "Laterza",    "Sellerio",    "Rizzoli",     "Il Mulino",
                                   "Neri Pozza", "Marsilio",   "Guanda",      "Longanesi",   "Mursia",
                                   "Utet",       "Zanichelli", "E/O",         "Minimum Fax", "Donzelli"};
const char *const kGenres[] = {"Romanzo",   "Romanzo", "Romanzo",   "Saggio", "Poesia", "Racconti", "Teatro",
                               "Biografia", "Storia",  "Filosofia", "Arte",   "Giallo", "Ragazzi",  "Scienze"};
const char *const kOtherLanguages[] = {"Inglese", "Francese", "Tedesco", "Spagnolo", "Latino", "Russo"};
const char *const kJudgements[] = {"Ottimo", "Buono", "Discreto", "Mediocre", "Da rileggere"};
const char *const kFormats[] = {"Tascabile", "Rilegato", "Brossura", "Cartonato"};
const char *const kSeries[] = {
    "Oscar", "Supercoralli", "I Narratori", "Biblioteca Adelphi", "Universale Economica", "Gli Elefanti", "La memoria"};
const char *const kCodePrefixes[] = {"NAR", "SAG", "POE", "STO", "FIL", "ART", "RAG", "GIA"};
const char *const kNoteWords[] = {"copia",      "autografata", "prima",      "edizione",  "sottolineature", "a",
                                  "matita",     "dono",        "di",         "un",        "amico",          "pagine",
                                  "ingiallite", "copertina",   "rovinata",   "ottimo",    "stato",          "con",
                                  "dedica",     "dell'autore", "acquistato", "mercatino", "usato",          "Torino"};

class Maker {
public:
    explicit Maker(unsigned seed) : m_rng(seed) {}

    template <std::size_t N>
    QString pick(const char *const (&list)[N])
    {
        return QString::fromUtf8(list[uniform(N)]);
    }
    std::size_t uniform(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_rng); }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

    QString title()
    {
        QString t = pick(kArticles);
        if (!t.endsWith(QLatin1Char('\''))) t += QLatin1Char(' ');
        t += pick(kNouns);
        if (chance(0.5)) t += QLatin1Char(' ') + pick(kAdjectives);
        if (chance(0.6)) t += QLatin1Char(' ') + pick(kLinks) + QLatin1Char(' ') + pick(kNouns);
        if (chance(0.2))
            t += QLatin1Char(' ') + pick(kLinks) + QLatin1Char(' ') + pick(kNouns) + QLatin1Char(' ') +
                 pick(kAdjectives);
        if (chance(0.001)) t += QStringLiteral(" e il Gattopardo");
        t[0] = t[0].toUpper();
        return t;
    }
    QString person() { return pick(kFirst) + QLatin1Char(' ') + pick(kLast); }
    QString note()
    {
        QStringList w;
        const int n = between(4, 30);
        for (int i = 0; i < n; ++i) w << pick(kNoteWords);
        QString s = w.join(QLatin1Char(' ')) + QLatin1Char('.');
        s[0] = s[0].toUpper();
        return s;
    }
    QString digits(int n)
    {
        QString s;
        for (int i = 0; i < n; ++i) s += QChar(u'0' + between(0, 9));
        return s;
    }

private:
    std::mt19937 m_rng;
};

void fill(Record &r, Maker &m, int i)
{
    using namespace libro;
    r.setText(Titolo, m.title());
    r.setText(Codice,
              m.pick(kCodePrefixes) + QLatin1Char('-') + QString::number(i + 1).rightJustified(6, QLatin1Char('0')));
    r.setText(Convalida, no());
    r.setText(Scaffale,
              QStringLiteral("Scaffale ") + QString::number(m.between(1, 40)) + QLatin1Char(m.between('A', 'F')));
    r.setText(Autore, m.person());
    r.setText(Nazione, m.chance(0.7) ? QStringLiteral("Italia") : QStringLiteral("Francia"));
    if (m.chance(0.2)) r.setText(Curatore, m.person());
    r.setText(Dewey, QString::number(m.between(0, 9) * 100 + m.between(0, 9) * 10 + m.between(0, 9))
                         .rightJustified(3, QLatin1Char('0')));
    r.setText(Pagine, QString::number(m.between(64, 1200)));
    r.setText(Genere, m.pick(kGenres));
    r.setText(Giudizio, m.pick(kJudgements));
    r.setText(Editore, m.pick(kPublishers));
    r.setText(Isbn, QStringLiteral("978-88-") + m.digits(2) + QLatin1Char('-') + m.digits(5) + QLatin1Char('-') +
                        m.digits(1));
    r.setText(Citta, m.pick(kCities));
    r.setText(Anno, QString::number(m.between(1900, 2023)));
    r.setText(Volumi, QStringLiteral("1"));
    r.setText(Prezzo, QString::number(m.between(5, 60)) + QStringLiteral(",") + m.digits(2));
    if (m.chance(0.5)) r.setText(Collana, m.pick(kSeries));
    r.setText(Formato, m.pick(kFormats));
    if (m.chance(0.3)) r.setText(Originale, m.title());
    r.setText(Lingua, m.chance(0.6) ? QStringLiteral("Italiano") : m.pick(kOtherLanguages));
    if (m.chance(0.5)) r.setText(Prima, QString::number(m.between(1800, 2023)));
    if (m.chance(0.25)) r.setText(Traduttore, m.person());
    if (m.chance(0.08)) {
        r.setText(Prestato, m.person());
        r.setText(Scadenza, QStringLiteral("%1/%2/2024")
                                .arg(m.between(1, 28), 2, 10, QLatin1Char('0'))
                                .arg(m.between(1, 12), 2, 10, QLatin1Char('0')));
    }
    if (m.chance(0.4)) r.setText(Note, m.note());
    r.setText(Annullata, m.chance(0.03) ? yes() : no());
}

} // namespace

bool writeBookArchive(const QString &path, int count, unsigned seed)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    Maker m(seed);
    const RecordLayout &layout = bookLayout();
    QByteArray block;
    block.reserve(1000 * layout.recordSize);
    for (int i = 0; i < count; ++i) {
        Record r(layout);
        fill(r, m, i);
        block += r.bytes();
        if (block.size() >= 1000 * layout.recordSize) {
            if (f.write(block) != block.size()) return false;
            block.resize(0);
        }
    }
    if (!block.isEmpty() && f.write(block) != block.size()) return false;
    return f.flush();
}

QString cachedBookArchive(int count)
{
    // Named after what decides its bytes: change kGenerator whenever fill() or
    // Maker change what they write.
    constexpr int kGenerator = 1;
    constexpr unsigned kSeed = 20240305;
    const QString folder = qEnvironmentVariableIsEmpty("OPUSTECA_BENCH_ARCHIVES")
                               ? QDir(QDir::tempPath()).filePath(QStringLiteral("opusteca-bench-archives"))
                               : qEnvironmentVariable("OPUSTECA_BENCH_ARCHIVES");
    const QString path =
        QDir(folder).filePath(QStringLiteral("Libri-%1-s%2-g%3.pro").arg(count).arg(kSeed).arg(kGenerator));
    const qint64 bytes = qint64(count) * bookLayout().recordSize;
    if (QFileInfo(path).size() == bytes) {
        std::fprintf(stderr, "reusing %d books, %.1f MB: %s\n", count, double(bytes) / 1e6, qPrintable(path));
        return path;
    }
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(folder));
        return {};
    }
    // Written aside and renamed when whole: a run cut short leaves no archive
    // that a later run would take for a finished one.
    const QString part = path + QStringLiteral(".part");
    QElapsedTimer t;
    t.start();
    if (!writeBookArchive(part, count, kSeed) || (QFile::exists(path) && !QFile::remove(path)) ||
        !QFile::rename(part, path)) {
        QFile::remove(part);
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return {};
    }
    std::fprintf(stderr, "generated %d books, %.1f MB, in %.1f s: %s\n", count, double(bytes) / 1e6,
                 double(t.elapsed()) / 1000.0, qPrintable(path));
    return path;
}

bool generateBookArchive(const QString &path, int count)
{
    const QString cached = cachedBookArchive(count);
    if (cached.isEmpty()) return false;
    QFile::remove(path);
    if (QFile::link(cached, path) || QFile::copy(cached, path)) return true;
    std::fprintf(stderr, "cannot place %s\n", qPrintable(path));
    return false;
}

int benchBooks(int usual)
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("OPUSTECA_BENCH_BOOKS", &ok);
    return ok && n > 0 ? n : usual;
}

} // namespace opusteca::bench
