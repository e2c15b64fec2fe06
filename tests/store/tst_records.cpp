// The three record layouts, byte by byte: where every field lives, how text goes
// into a length-prefixed or zero-terminated field and how it comes back out,
// including bytes this program never writes itself.
#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "store/BookRecord.h"
#include "store/Record.h"

#include <QTest>

using namespace opusteca;

Q_DECLARE_METATYPE(opusteca::FieldKind)

namespace {

const RecordLayout &layoutNamed(const QString &name)
{
    if (name == QLatin1String("libri")) return bookLayout();
    if (name == QLatin1String("autori")) return authorLayout();
    return bibliographyLayout();
}

// A record whose every byte is 0xEE, so that whatever the writer leaves alone shows.
Record filled(const RecordLayout &layout) { return Record(layout, QByteArray(layout.recordSize, '\xEE')); }

QByteArray zeros(int n) { return QByteArray(n, '\0'); }

QString digits(int n)
{
    QString s;
    s.reserve(n);
    for (int i = 0; i < n; ++i) s.append(QChar(u'0' + i % 10));
    return s;
}

QByteArray latin(const QString &s) { return s.toLatin1(); }

} // namespace

class TestRecords : public QObject {
    Q_OBJECT

private slots:
    void recordTypes_data();
    void recordTypes();
    void fieldTable_data();
    void fieldTable();
    void lengthPrefixedStore_data();
    void lengthPrefixedStore();
    void lengthByteNeverCountsMoreThan255();
    void zeroTerminatedStore_data();
    void zeroTerminatedStore();
    void damagedBytesLoad_data();
    void damagedBytesLoad();
    void writerZeroesWhatFollowsTheText();
    void windows1252RoundTrip_data();
    void windows1252RoundTrip();
};

void TestRecords::recordTypes_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("recordSize");
    QTest::addColumn<int>("fieldCount");
    QTest::addColumn<FieldKind>("kind");
    QTest::addColumn<bool>("trimmed");
    QTest::newRow("libri") << "libri"
                           << "Libri.pro" << 3237 << 34 << FieldKind::LengthPrefixed << true;
    QTest::newRow("autori") << "autori"
                            << "Autori.pro" << 15960 << 10 << FieldKind::ZeroTerminated << false;
    QTest::newRow("bibliografie") << "bibliografie"
                                  << "Bibliografie.pro" << 8286 << 16 << FieldKind::ZeroTerminated << false;
}

void TestRecords::recordTypes()
{
    QFETCH(QString, layout);
    QFETCH(QString, fileName);
    QFETCH(int, recordSize);
    QFETCH(int, fieldCount);
    QFETCH(FieldKind, kind);
    QFETCH(bool, trimmed);
    const RecordLayout &l = layoutNamed(layout);
    QCOMPARE(QString::fromLatin1(l.fileName), fileName);
    QCOMPARE(l.recordSize, recordSize);
    QCOMPARE(l.fieldCount(), fieldCount);
    QVERIFY(l.kind == kind);
    QCOMPARE(l.trimming == Trimming::Trimmed, trimmed);
    QCOMPARE(Record(l).bytes().size(), recordSize);
}

void TestRecords::fieldTable_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("label");

    struct Row {
        const char *name;
        int offset;
        int capacity;
        const char *control;
        const char *label;
    };
    const auto add = [](const char *layout, std::initializer_list<Row> rows) {
        int i = 0;
        for (const Row &r : rows) {
            QTest::addRow("%s/%s", layout, r.name)
                << QString::fromLatin1(layout) << i++ << QString::fromLatin1(r.name) << r.offset << r.capacity
                << QString::fromLatin1(r.control) << QString::fromUtf8(r.label);
        }
    };
    add("libri", {
                     {"Titolo", 0, 250, "txtTitolo", "Titolo libro:"},
                     {"Codice", 251, 24, "txtCodice", "Codice:"},
                     {"Convalida", 276, 2, "txtConvalida", ""},
                     {"Scaffale", 279, 50, "txtScaffale", "Scaffale:"},
                     {"Autore", 330, 50, "txtAutore", "Autore:"},
                     {"Nazione", 381, 50, "txtNazione", "Nazione:"},
                     {"Curatore", 432, 50, "txtCuratore", "Curatore:"},
                     {"Dewey", 483, 3, "txtDewey", "Dewey:"},
                     {"Pagine", 487, 12, "txtPagine", "Pagine:"},
                     {"Genere", 500, 50, "txtGenere", "Genere:"},
                     {"Giudizio", 551, 50, "txtGiudizio", "Giudizio:"},
                     {"Editore", 602, 50, "txtEditore", "Casa editrice:"},
                     {"Isbn", 653, 50, "txtIsbn", "ISBN:"},
                     {"Citta", 704, 50, "txtCitta", "Citt\xC3\xA0:"},
                     {"Anno", 755, 30, "txtAnno", "Anno:"},
                     {"Volumi", 786, 30, "txtVolumi", "Volumi:"},
                     {"Prezzo", 817, 30, "txtPrezzo", "Prezzo:"},
                     {"Collana", 848, 50, "txtCollana", "Collana:"},
                     {"Formato", 899, 50, "txtFormato", "Formato:"},
                     {"Originale", 950, 250, "txtOriginale", "Titolo originale:"},
                     {"Lingua", 1201, 30, "txtLingua", "Lingua:"},
                     {"Prima", 1232, 30, "txtPrima", "1^ pubbl."},
                     {"Traduttore", 1263, 50, "txtTraduttore", "Traduttore:"},
                     {"Versione", 1314, 30, "txtVersione", "Versione:"},
                     {"Prestato", 1345, 120, "txtPrestato", "Prestato a:"},
                     {"Scadenza", 1466, 10, "txtScadenza", "Data prestito:"},
                     {"Note", 1477, 250, "txtNote", "Note:"},
                     {"Annullata", 1728, 2, "chkAnnullata", "Annullata"},
                     {"File01", 1731, 250, "lblFile01", ""},
                     {"File02", 1982, 250, "lblFile02", ""},
                     {"File03", 2233, 250, "lblFile03", ""},
                     {"Desc01", 2484, 250, "lblDesc01", ""},
                     {"Desc02", 2735, 250, "lblDesc02", ""},
                     {"Desc03", 2986, 250, "lblDesc03", ""},
                 });
    add("autori", {
                      {"Autore", 0, 50, "txtAutore", "Nome autore:"},
                      {"Nazione", 51, 50, "txtNazione", "Nazionalit\xC3\xA0:"},
                      {"Periodo", 102, 50, "txtPeriodo", "Periodo storico:"},
                      {"Corrente", 153, 50, "txtCorrente", "Corrente letteraria:"},
                      {"Generi", 204, 250, "txtGeneri", "Generi trattati:"},
                      {"Biografia", 455, 5000, "txtBiografia", "Biografia:"},
                      {"Opere", 5456, 5000, "txtOpere", "Opere:"},
                      {"Pensiero", 10457, 5000, "txtPensiero", "Pensiero:"},
                      {"Capolavoro", 15458, 250, "txtCapolavoro", "Capolavoro:"},
                      {"Giudizio", 15709, 250, "txtGiudizio", "Giudizio personale:"},
                  });
    add("bibliografie", {
                            {"Titolo", 0, 250, "txtTitolo", "Titolo ricerca:"},
                            {"DataInizio", 251, 10, "txtDataInizio", "Data inizio:"},
                            {"DataFine", 262, 10, "txtDataFine", "Data fine:"},
                            {"Argomento", 273, 250, "txtArgomento", "Argomento trattato:"},
                            {"Scopo", 524, 250, "txtScopo", "Scopo della ricerca:"},
                            {"Ricercatori", 775, 250, "txtRicercatori", "Ricercatori:"},
                            {"Bibliografia", 1026, 5000, "txtBibliografia", "Bibliografia:"},
                            {"Presentazione", 6027, 250, "txtPresentazione", "Data e luogo presentazione:"},
                            {"Relatori", 6278, 250, "txtRelatori", "Relatori:"},
                            {"Destinatari", 6529, 250, "txtDestinatari", "Destinatari:"},
                            {"File01", 6780, 250, "lblFile01", ""},
                            {"File02", 7031, 250, "lblFile02", ""},
                            {"File03", 7282, 250, "lblFile03", ""},
                            {"Desc01", 7533, 250, "lblDesc01", ""},
                            {"Desc02", 7784, 250, "lblDesc02", ""},
                            {"Desc03", 8035, 250, "lblDesc03", ""},
                        });
}

void TestRecords::fieldTable()
{
    QFETCH(QString, layout);
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(int, offset);
    QFETCH(int, capacity);
    QFETCH(QString, control);
    QFETCH(QString, label);
    const RecordLayout &l = layoutNamed(layout);
    QVERIFY(index < l.fieldCount());
    const FieldDef &f = l.fields[index];
    QCOMPARE(QString::fromLatin1(f.name), name);
    QCOMPARE(f.offset, offset);
    QCOMPARE(f.capacity, capacity);
    QCOMPARE(QString::fromLatin1(f.control), control);
    QCOMPARE(QString::fromUtf8(f.label), label);
    QCOMPARE(l.indexOf(name), index);
    QCOMPARE(l.indexOfControl(control), index);

    // Storing a full field touches exactly bytes offset .. offset + capacity.
    Record r = filled(l);
    const QString full(capacity, QLatin1Char('w'));
    r.setText(index, full);
    const QByteArray &b = r.bytes();
    if (offset > 0) QCOMPARE(b.at(offset - 1), '\xEE');
    if (offset + capacity + 1 < l.recordSize) QCOMPARE(b.at(offset + capacity + 1), '\xEE');
    if (l.kind == FieldKind::LengthPrefixed) {
        QCOMPARE(uchar(b.at(offset)), uchar(capacity));
        QCOMPARE(b.mid(offset + 1, capacity), QByteArray(capacity, 'w'));
    } else {
        QCOMPARE(b.mid(offset, capacity), QByteArray(capacity, 'w'));
        QCOMPARE(b.at(offset + capacity), '\0');
    }
    QCOMPARE(r.text(index), full);
}

// ---- length-prefixed fields (book record) ------------------------------------

void TestRecords::lengthPrefixedStore_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("stored"); // length byte and text; the rest of the field must be zero
    QTest::addColumn<QString>("loaded");

    const QString a300(300, QLatin1Char('a'));
    QTest::newRow("300 characters into 250")
        << "Titolo" << a300 << (char(250) + QByteArray(250, 'a')) << QString(250, QLatin1Char('a'));
    QTest::newRow("exactly 250") << "Originale" << QString(250, QLatin1Char('t')) << (char(250) + QByteArray(250, 't'))
                                 << QString(250, QLatin1Char('t'));
    QTest::newRow("author between blanks") << "Autore"
                                           << "  Dante Alighieri  "
                                           << QByteArray("\x0F"
                                                         "Dante Alighieri")
                                           << "Dante Alighieri";
    QTest::newRow("control characters trimmed") << "Autore"
                                                << QString::fromLatin1("\t\r\n\x01"
                                                                       "Dante\x1F ")
                                                << QByteArray("\x05"
                                                              "Dante")
                                                << "Dante";
    QTest::newRow("DEL is no blank") << "Autore" << QString::fromLatin1("Dante\x7F")
                                     << QByteArray("\x06"
                                                   "Dante\x7F")
                                     << QString::fromLatin1("Dante\x7F");
    QTest::newRow("inner controls kept") << "Note" << QString::fromLatin1(" a\tb\r\nc ")
                                         << QByteArray("\x06"
                                                       "a\tb\r\nc")
                                         << QString::fromLatin1("a\tb\r\nc");
    QTest::newRow("blanks only become empty") << "Scaffale"
                                              << "   \t " << QByteArray(1, '\0') << "";
    QTest::newRow("empty") << "Curatore"
                           << "" << QByteArray(1, '\0') << "";
    QTest::newRow("no-break space is not trimmed") << "Genere" << QStringLiteral("\u00A0x\u00A0")
                                                   << QByteArray("\x03\xA0x\xA0") << QStringLiteral("\u00A0x\u00A0");
    QTest::newRow("S\u00EC") << "Convalida" << QStringLiteral("S\u00EC") << QByteArray("\x02\x53\xEC")
                             << QStringLiteral("S\u00EC");
    QTest::newRow("No") << "Annullata"
                        << "No" << QByteArray("\x02\x4E\x6F") << "No";
    QTest::newRow("trimmed before cut") << "Codice"
                                        << QStringLiteral("  ") + QString(24, QLatin1Char('c')) + QStringLiteral("  ")
                                        << (char(24) + QByteArray(24, 'c')) << QString(24, QLatin1Char('c'));
    QTest::newRow("cut keeps an inner blank") << "Dewey"
                                              << "12 45"
                                              << QByteArray("\x03"
                                                            "12 ")
                                              << "12";
    QTest::newRow("accented") << "Citta" << QStringLiteral("Forl\u00EC")
                              << QByteArray("\x05"
                                            "Forl\xEC")
                              << QStringLiteral("Forl\u00EC");
    QTest::newRow("euro") << "Prezzo" << QStringLiteral("\u20AC 12,50") << QByteArray("\x07\x80 12,50")
                          << QStringLiteral("\u20AC 12,50");
    QTest::newRow("greek becomes ?") << "Titolo" << QStringLiteral("\u03A9mega") << QByteArray("\x05?mega") << "?mega";
}

void TestRecords::lengthPrefixedStore()
{
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(QByteArray, stored);
    QFETCH(QString, loaded);
    const RecordLayout &l = bookLayout();
    const int i = l.indexOf(field);
    QVERIFY(i >= 0);
    const FieldDef &f = l.fields[i];
    Record r = filled(l);
    r.setText(i, input);
    const QByteArray bytes = r.bytes().mid(f.offset, f.size());
    QCOMPARE(bytes, stored + zeros(f.size() - int(stored.size())));
    QCOMPARE(r.rawText(i).toByteArray(), stored.mid(1));
    QCOMPARE(r.text(i), loaded);
}

void TestRecords::lengthByteNeverCountsMoreThan255()
{
    // No book field is that wide, but the length byte is one byte whatever the capacity:
    // a wider field must not wrap the count round (300 would read back as 44).
    QByteArray buffer(301, '\xEE');
    field::store(buffer.data(), FieldKind::LengthPrefixed, 300, QString(300, QLatin1Char('x')));
    QCOMPARE(uchar(buffer.at(0)), uchar(255));
    QCOMPARE(buffer.mid(1, 255), QByteArray(255, 'x'));
    QCOMPARE(buffer.mid(256), zeros(45));
    QCOMPARE(field::load(buffer.constData(), FieldKind::LengthPrefixed, 300), QString(255, QLatin1Char('x')));
}

// ---- zero-terminated fields (author and bibliography records) ----------------

void TestRecords::zeroTerminatedStore_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("text"); // the bytes before the zero

    QTest::newRow("author name of exactly 50") << "autori"
                                               << "Autore" << QString(50, QLatin1Char('x')) << QByteArray(50, 'x');
    QTest::newRow("author name of 60 cut to 50") << "autori"
                                                 << "Autore" << digits(60) << latin(digits(50));
    QTest::newRow("blanks kept") << "autori"
                                 << "Autore"
                                 << "  Rossi  " << QByteArray("  Rossi  ");
    QTest::newRow("trailing blank kept") << "autori"
                                         << "Nazione"
                                         << "Italiana " << QByteArray("Italiana ");
    QTest::newRow("blanks only kept") << "autori"
                                      << "Generi"
                                      << "   " << QByteArray("   ");
    QTest::newRow("tabs kept") << "autori"
                               << "Periodo"
                               << "\tOttocento\t" << QByteArray("\tOttocento\t");
    QTest::newRow("line breaks are 13 10")
        << "autori"
        << "Biografia"
        << "Nato a Firenze.\r\nMorto a Ravenna." << QByteArray("Nato a Firenze.\x0D\x0AMorto a Ravenna.");
    QTest::newRow("biography of 5200 stored as 5000") << "autori"
                                                      << "Biografia" << digits(5200) << latin(digits(5000));
    QTest::newRow("line breaks count towards capacity")
        << "autori"
        << "Opere" << QString(4998, QLatin1Char('o')) + QStringLiteral("\r\nX")
        << QByteArray(4998, 'o') + QByteArray("\r\n");
    QTest::newRow("accented") << "autori"
                              << "Corrente" << QStringLiteral("Verismo \u00E8 realt\u00E0")
                              << QByteArray("Verismo \xE8 realt\xE0");
    QTest::newRow("date of exactly 10") << "bibliografie"
                                        << "DataInizio"
                                        << "07/03/2024" << QByteArray("07/03/2024");
    QTest::newRow("a year alone") << "bibliografie"
                                  << "DataInizio"
                                  << "1999" << QByteArray("1999");
    QTest::newRow("month and year") << "bibliografie"
                                    << "DataFine"
                                    << "marzo 2024" << QByteArray("marzo 2024");
    QTest::newRow("longer date cut to 10") << "bibliografie"
                                           << "DataFine"
                                           << "primavera 2024" << QByteArray("primavera ");
    QTest::newRow("bibliography of 6000 stored as 5000") << "bibliografie"
                                                         << "Bibliografia" << digits(6000) << latin(digits(5000));
    QTest::newRow("empty attachment") << "bibliografie"
                                      << "File01"
                                      << "" << QByteArray();
    QTest::newRow("last field") << "bibliografie"
                                << "Desc03"
                                << "Verbale" << QByteArray("Verbale");
}

void TestRecords::zeroTerminatedStore()
{
    QFETCH(QString, layout);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(QByteArray, text);
    const RecordLayout &l = layoutNamed(layout);
    const int i = l.indexOf(field);
    QVERIFY(i >= 0);
    const FieldDef &f = l.fields[i];
    Record r = filled(l);
    r.setText(i, input);
    const QByteArray bytes = r.bytes().mid(f.offset, f.size());
    QCOMPARE(bytes, text + zeros(f.size() - int(text.size())));
    QCOMPARE(r.rawText(i).toByteArray(), text);
    // Read back untrimmed, exactly the bytes that were kept.
    QCOMPARE(r.text(i), QString::fromLatin1(text));
}

// ---- what a reader does with bytes this program never writes ---------------

void TestRecords::damagedBytesLoad_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QByteArray>("fieldBytes"); // written from the field's first byte on
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QString>("loaded");

    QTest::newRow("length byte above capacity") << "libri"
                                                << "Dewey"
                                                << QByteArray("\xFF"
                                                              "123"
                                                              "\x05"
                                                              "4567")
                                                << QByteArray("123") << "123";
    QTest::newRow("length one above capacity") << "libri"
                                               << "Dewey"
                                               << QByteArray("\x04"
                                                             "853"
                                                             "Z")
                                               << QByteArray("853") << "853";
    QTest::newRow("junk after the text") << "libri"
                                         << "Codice"
                                         << QByteArray("\x02"
                                                       "ABjunk")
                                         << QByteArray("AB") << "AB";
    QTest::newRow("book text loaded trimmed")
        << "libri"
        << "Autore" << QByteArray("\x08  Dante\t") << QByteArray("  Dante\t") << "Dante";
    QTest::newRow("no zero byte: read up to capacity")
        << "autori"
        << "Autore" << QByteArray(51, 'x') + "NEXT" << QByteArray(50, 'x') << QString(50, QLatin1Char('x'));
    QTest::newRow("junk after the zero") << "autori"
                                         << "Nazione" << QByteArray("ab\0junk", 7) << QByteArray("ab") << "ab";
    QTest::newRow("date without zero") << "bibliografie"
                                       << "DataInizio" << QByteArray("2024-03-07Xnext") << QByteArray("2024-03-07")
                                       << "2024-03-07";
    QTest::newRow("author text loaded untrimmed")
        << "autori"
        << "Giudizio" << QByteArray(" ok \0", 5) << QByteArray(" ok ") << " ok ";
}

void TestRecords::damagedBytesLoad()
{
    QFETCH(QString, layout);
    QFETCH(QString, field);
    QFETCH(QByteArray, fieldBytes);
    QFETCH(QByteArray, raw);
    QFETCH(QString, loaded);
    const RecordLayout &l = layoutNamed(layout);
    const int i = l.indexOf(field);
    QVERIFY(i >= 0);
    QByteArray bytes(l.recordSize, 'Q');
    bytes.replace(l.fields[i].offset, fieldBytes.size(), fieldBytes);
    const Record r(l, bytes);
    QCOMPARE(r.rawText(i).toByteArray(), raw);
    QCOMPARE(r.text(i), loaded);
}

void TestRecords::writerZeroesWhatFollowsTheText()
{
    // A short text written over a long one leaves nothing of the old one behind.
    for (const RecordLayout *l : {&bookLayout(), &authorLayout(), &bibliographyLayout()}) {
        Record r(*l);
        for (int i = 0; i < l->fieldCount(); ++i) r.setText(i, QString(l->fields[i].capacity, QLatin1Char('L')));
        for (int i = 0; i < l->fieldCount(); ++i) r.setText(i, QStringLiteral("ab"));
        for (int i = 0; i < l->fieldCount(); ++i) {
            const FieldDef &f = l->fields[i];
            const QByteArray expected = l->kind == FieldKind::LengthPrefixed ? QByteArray("\x02"
                                                                                          "ab") +
                                                                                   zeros(f.size() - 3)
                                                                             : QByteArray("ab") + zeros(f.size() - 2);
            QCOMPARE(r.bytes().mid(f.offset, f.size()), expected);
        }
    }
}

void TestRecords::windows1252RoundTrip_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("loaded");

    const QString accented = QStringLiteral("Perch\u00E9 \u00E8 cos\u00EC: \u201Cvirgolette\u201D \u2013 "
                                            "\u0152uvre, \u0160, \u017D, \u2026 \u20AC 5 \u2122 \u00FF\u00C0");
    QTest::newRow("book") << "libri"
                          << "Note" << accented << accented;
    QTest::newRow("author") << "autori"
                            << "Pensiero" << accented << accented;
    QTest::newRow("bibliography") << "bibliografie"
                                  << "Scopo" << accented << accented;
    QTest::newRow("greek lost") << "autori"
                                << "Autore" << QStringLiteral("\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC")
                                << "????????";
    QTest::newRow("emoji is one ?") << "libri"
                                    << "Titolo" << QStringLiteral("Libro \U0001F4DA!") << "Libro ?!";
    QTest::newRow("japanese lost") << "bibliografie"
                                   << "Titolo" << QStringLiteral("\u65E5\u672C") << "??";
}

void TestRecords::windows1252RoundTrip()
{
    QFETCH(QString, layout);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(QString, loaded);
    const RecordLayout &l = layoutNamed(layout);
    const int i = l.indexOf(field);
    Record r(l);
    r.setText(i, input);
    // Through a copy of the raw bytes, as a reader of the file would get them.
    const Record again(l, r.bytes());
    QCOMPARE(again.text(i), loaded);
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
