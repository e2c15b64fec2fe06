// Reading the catalogues' replies into book fields, and the addresses asked.
#include "lookup/core/CatalogueReply.h"
#include "lookup/core/CatalogueSources.h"
#include "store/BookRecord.h"

#include <QTest>

using namespace opusteca;
using namespace opusteca::catalogue;
using Values = QList<FoundValue>;

Q_DECLARE_METATYPE(opusteca::catalogue::Outcome)
Q_DECLARE_METATYPE(opusteca::catalogue::Source)

namespace QTest {
template <>
char *toString(const FoundValue &v)
{
    return qstrdup(QStringLiteral("%1=%2").arg(libro::kFields[v.field].name, v.value).toUtf8().constData());
}
} // namespace QTest

class TestCatalogueReply : public QObject {
    Q_OBJECT

private slots:
    void sbnRecord_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<Values>("values");
        using namespace libro;
        QTest::newRow("full record")
            << "{\"titolo\":\"Il *nome della rosa / Umberto Eco\",\"autorePrincipale\":\"Eco, Umberto <1932-2016>\","
               "\"pubblicazione\":\"Milano : Bompiani, 1980\",\"descrizioneFisica\":\"503 p. ; 21 cm.\","
               "\"collezione\":\"Portico ; 12\",\"linguaPubblicazione\":\"italiano\"}"
            << Outcome::Found << Values{{Titolo, "Il nome della rosa"},
                                        {Autore, "Eco, Umberto"},
                                        {Editore, "Bompiani"},
                                        {Citta, "Milano"},
                                        {Anno, "1980"},
                                        {Collana, "Portico ; 12"},
                                        {Formato, "21 cm"},
                                        {Lingua, "Italiano"},
                                        {Pagine, "503"}};
        QTest::newRow("two places, roman pages, printing year")
            << "{\"titolo\":\"*Storia d'Italia\",\"pubblicazione\":\"Roma ; Bari : Laterza, stampa 2009\","
               "\"descrizioneFisica\":\"LXXIII, 62 p. : ill. ; 24x17 cm\",\"linguaPubblicazione\":\"ITA\"}"
            << Outcome::Found
            << Values{{Titolo, "Storia d'Italia"}, {Editore, "Laterza"}, {Citta, "Roma ; Bari"}, {Anno, "2009"},
                      {Formato, "24x17 cm"},       {Lingua, "Italiano"}, {Pagine, "62"}};
        QTest::newRow("supplied place, publisher with comma, no language of the list")
            << "{\"titolo\":\"Opere\",\"pubblicazione\":\"[Torino] : Einaudi, Gallimard, c2005\","
               "\"linguaPubblicazione\":\"klingon\",\"autorePrincipale\":[\"Calvino, Italo <1923-1985>\"]}"
            << Outcome::Found
            << Values{{Titolo, "Opere"},
                      {Autore, "Calvino, Italo"},
                      {Editore, "Einaudi, Gallimard"},
                      {Citta, "Torino"},
                      {Anno, "2005"}};
        QTest::newRow("fields of other shapes are left out")
            << "{\"titolo\":{\"a\":1},\"autorePrincipale\":{\"nome\":\"x\"},\"pubblicazione\":null,"
               "\"descrizioneFisica\":true,"
               "\"collezione\":\"Oscar\"}"
            << Outcome::Found << Values{{Collana, "Oscar"}};
        QTest::newRow("no field at all") << "{\"altro\":\"x\"}" << Outcome::NotFound << Values{};
        QTest::newRow("not an object") << "[\"titolo\"]" << Outcome::Unreadable << Values{};
        QTest::newRow("malformed") << "{\"titolo\":\"Il nome" << Outcome::Unreadable << Values{};
        QTest::newRow("empty reply") << "" << Outcome::Unreadable << Values{};
    }
    void sbnRecord()
    {
        QFETCH(QString, reply);
        QFETCH(Outcome, outcome);
        QFETCH(Values, values);
        const BookReply r = readSbnRecord(reply);
        QCOMPARE(r.outcome, outcome);
        Values sorted = values;
        std::sort(sorted.begin(), sorted.end(), [](auto &a, auto &b) { return a.field < b.field; });
        QCOMPARE(r.values, sorted);
        QVERIFY(r.cover.isEmpty());
    }

    void sbnSearch_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("bid");
        QTest::newRow("one record") << "{\"briefRecords\":[{\"codiceIdentificativo\":\"IT\\\\ICCU\\\\RMB\\\\0769708\","
                                       "\"titolo\":\"x\"}]}"
                                    << Outcome::Found << "IT\\ICCU\\RMB\\0769708";
        QTest::newRow("first record without identifier")
            << "{\"briefRecords\":[{\"titolo\":\"x\"},{\"codiceIdentificativo\":\"IT\\\\ICCU\\\\CFI\\\\1\"}]}"
            << Outcome::Found << "IT\\ICCU\\CFI\\1";
        QTest::newRow("empty list") << "{\"briefRecords\":[]}" << Outcome::NotFound << "";
        QTest::newRow("no list") << "{\"numFound\":0}" << Outcome::NotFound << "";
        QTest::newRow("list of another shape") << "{\"briefRecords\":\"none\"}" << Outcome::Unreadable << "";
        QTest::newRow("HTML error page") << "<html><body>Errore</body></html>" << Outcome::Unreadable << "";
    }
    void sbnSearch()
    {
        QFETCH(QString, reply);
        QFETCH(Outcome, outcome);
        QFETCH(QString, bid);
        const SbnSearchReply r = readSbnSearch(reply);
        QCOMPARE(r.outcome, outcome);
        QCOMPARE(r.bid, bid);
    }

    void openLibrary_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<Values>("values");
        QTest::addColumn<QString>("cover");
        using namespace libro;
        QTest::newRow("full")
            << "{\"ISBN:0140449132\":{\"title\":\"Crime and Punishment\",\"subtitle\":\"A Novel\","
               "\"authors\":[{\"name\":\"Fyodor Dostoyevsky\",\"url\":\"u\"},{\"name\":\"David McDuff\"}],"
               "\"publishers\":[{\"name\":\"Penguin\"},{\"name\":\"Other\"}],\"publish_places\":[{\"name\":\"London\"}]"
               ","
               "\"publish_date\":\"November 2003\",\"number_of_pages\":671,"
               "\"classifications\":{\"dewey_decimal_class\":[\"891.73/3\"]},"
               "\"cover\":{\"small\":\"https://covers.example/s.jpg\",\"large\":\"https://covers.example/l.jpg\"}}}"
            << Outcome::Found
            << Values{{Titolo, "Crime and Punishment: A Novel"},
                      {Autore, "Fyodor Dostoyevsky, David McDuff"},
                      {Dewey, "891"},
                      {Pagine, "671"},
                      {Editore, "Penguin"},
                      {Citta, "London"},
                      {Anno, "2003"}}
            << "https://covers.example/l.jpg";
        QTest::newRow("title only, cover that is not a web address")
            << "{\"ISBN:0140449132\":{\"title\":\"Walden\",\"cover\":{\"large\":\"file:///etc/passwd\"},"
               "\"classifications\":{\"dewey_decimal_class\":[\"B\"]},\"number_of_pages\":\"many\"}}"
            << Outcome::Found << Values{{Titolo, "Walden"}} << "";
        QTest::newRow("another key only")
            << "{\"ISBN:9780140449136\":{\"title\":\"Walden\"}}" << Outcome::NotFound << Values{} << "";
        QTest::newRow("nothing found") << "{}" << Outcome::NotFound << Values{} << "";
        QTest::newRow("malformed") << "{\"ISBN:0140449132\":{\"title\":" << Outcome::Unreadable << Values{} << "";
        QTest::newRow("a list") << "[]" << Outcome::Unreadable << Values{} << "";
    }
    void openLibrary()
    {
        QFETCH(QString, reply);
        QFETCH(Outcome, outcome);
        QFETCH(Values, values);
        QFETCH(QString, cover);
        const BookReply r = readOpenLibrary(reply, QStringLiteral("ISBN:0140449132"));
        QCOMPARE(r.outcome, outcome);
        Values sorted = values;
        std::sort(sorted.begin(), sorted.end(), [](auto &a, auto &b) { return a.field < b.field; });
        QCOMPARE(r.values, sorted);
        QCOMPARE(r.cover, cover);
    }

    void replyText_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QString>("text");
        const QString citta = QString::fromUtf8("Citt\u00E0 \u20AC");
        QTest::newRow("UTF-8 named") << citta.toUtf8() << QByteArray("application/json; charset=utf-8") << citta;
        QTest::newRow("UTF-8 unnamed") << citta.toUtf8() << QByteArray("application/json") << citta;
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + citta.toUtf8() << QByteArray() << citta;
        QTest::newRow("Latin-1 named") << QByteArray("Citt\xE0") << QByteArray("text/json;charset=\"ISO-8859-1\"")
                                       << QString::fromUtf8("Citt\u00E0");
        QTest::newRow("Windows-1252 named")
            << QByteArray("Citt\xE0 \x80") << QByteArray("text/json; charset=windows-1252") << citta;
        QTest::newRow("Latin-1 unnamed") << QByteArray("Citt\xE0 perch\xE9") << QByteArray("application/json")
                                         << QString::fromUtf8("Citt\u00E0 perch\u00E9");
        // A server that names the wrong set still gives readable text.
        QTest::newRow("Latin-1 sent as UTF-8")
            << QByteArray("Citt\xE0") << QByteArray("application/json; charset=UTF-8")
            << QString::fromUtf8("Citt\uFFFD");
    }
    void replyText()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        QFETCH(QString, text);
        QCOMPARE(catalogue::replyText(body, contentType), text);
    }

    void accentsThroughJson()
    {
        // An escaped accent and a raw one read the same.
        const BookReply r = readSbnRecord(catalogue::replyText(
            QByteArray("{\"titolo\":\"Perch\\u00e9 / x\",\"pubblicazione\":\"Forl\xEC : Editrice, 1999\"}"),
            QByteArray("application/json; charset=iso-8859-1")));
        QCOMPARE(r.outcome, Outcome::Found);
        QCOMPARE(r.values.at(0).value, QString::fromUtf8("Perch\u00E9"));
        QCOMPARE(r.values.at(2).value, QString::fromUtf8("Forl\u00EC"));
    }

    void forField_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        using namespace libro;
        QTest::newRow("kept") << int(Citta) << QString::fromUtf8("Citt\u00E0") << QString::fromUtf8("Citt\u00E0");
        QTest::newRow("letters the code page lacks") << int(Autore) << QString::fromUtf8("Dostoevskij, Fëdor Łukasz ő")
                                                     << QString::fromUtf8("Dostoevskij, Fëdor Lukasz o");
        QTest::newRow("cut at capacity") << int(Pagine) << "1234567890123456"
                                         << "123456789012";
        QTest::newRow("one line") << int(Titolo) << "Primo\nsecondo\t terzo"
                                  << "Primo secondo terzo";
        QTest::newRow("no blank left at the cut") << int(Dewey) << "12 45"
                                                  << "12";
        QTest::newRow("title at 250") << int(Titolo) << QString(300, u'a') << QString(250, u'a');
    }
    void forField()
    {
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QCOMPARE(catalogue::forField(field, value), expected);
    }

    void sources_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QList<Source>>("sources");
        QTest::newRow("default") << "sbn,openlibrary" << QList<Source>{Source::Sbn, Source::OpenLibrary};
        QTest::newRow("reversed, spaces, case")
            << " OpenLibrary ; SBN " << QList<Source>{Source::OpenLibrary, Source::Sbn};
        QTest::newRow("one") << "openlibrary" << QList<Source>{Source::OpenLibrary};
        QTest::newRow("twice and unknown") << "sbn,worldcat,sbn" << QList<Source>{Source::Sbn};
        QTest::newRow("nothing known") << "worldcat" << QList<Source>{Source::Sbn, Source::OpenLibrary};
        QTest::newRow("empty") << "" << QList<Source>{Source::Sbn, Source::OpenLibrary};
    }
    void sources()
    {
        QFETCH(QString, setting);
        QFETCH(QList<Source>, sources);
        QCOMPARE(sourcesFromSetting(setting), sources);
    }

    void addresses()
    {
        QCOMPARE(sbnSearchUrl("8845292614").toString(QUrl::FullyEncoded),
                 "https://opac.sbn.it/opacmobilegw/search.json?isbn=8845292614&rows=1");
        QCOMPARE(sbnRecordUrl("IT\\ICCU\\RMB\\0769708").toString(QUrl::FullyEncoded),
                 "https://opac.sbn.it/opacmobilegw/full.json?bid=IT%5CICCU%5CRMB%5C0769708");
        QCOMPARE(openLibraryUrl("020161622X").toString(QUrl::FullyEncoded),
                 "https://openlibrary.org/api/books?bibkeys=ISBN:020161622X&format=json&jscmd=data");
        QCOMPARE(throughServer(sbnRecordUrl("IT\\A&B"), "http://127.0.0.1:8765").toString(QUrl::FullyEncoded),
                 "http://127.0.0.1:8765/opacmobilegw/full.json?bid=IT%5CA%26B");
        QCOMPARE(throughServer(QUrl("https://covers.example/b/id/1-L.jpg?default=false"), "http://localhost:9")
                     .toString(QUrl::FullyEncoded),
                 "http://localhost:9/b/id/1-L.jpg?default=false");
        // Anything but a web server leaves the address alone.
        for (const char *server : {"", "ftp://127.0.0.1:21", "127.0.0.1:8765", "file:///tmp"})
            QCOMPARE(throughServer(openLibraryUrl("1"), server), openLibraryUrl("1"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueReply)
#include "tst_catalogue_reply.moc"
