// The whole import without a window: the rows of our fixture files as Save
// would store them, the checks against the archive, the round trip through
// the spreadsheet export, and an archive left byte for byte as it was when
// the import is stopped or a write fails half way.
#include "export/core/PreviewModel.h"
#include "export/core/SpreadsheetWriter.h"
#include "import/core/CatalogueImport.h"
#include "store/BookRecord.h"
#include "store/Cp1252.h"
#include "store/FileAccess.h"
#include "store/RecordFile.h"
#include "support/Files.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;
using namespace opusteca::libro;

namespace {

const QString kData = QStringLiteral(OPUSTECA_SOURCE_DIR "/tests/data/import/");

QString archivePath(const QTemporaryDir &dir) { return dir.filePath(QStringLiteral("Libri.pro")); }

Record book(const QList<QPair<int, QString>> &fields)
{
    Record r(bookLayout());
    r.setText(Convalida, no());
    r.setText(Annullata, no());
    for (const auto &[f, text] : fields) r.setText(f, text);
    return r;
}

void writeArchive(const QTemporaryDir &dir, const QList<Record> &records, const QByteArray &tail = {})
{
    QByteArray bytes;
    for (const Record &r : records) bytes += r.bytes();
    test::writeAll(archivePath(dir), bytes + tail);
}

QByteArray raw(const Record &r, int field) { return r.rawText(field).toByteArray(); }

QList<Record> readArchive(const QTemporaryDir &dir)
{
    const QByteArray bytes = test::readAll(archivePath(dir));
    QList<Record> out;
    for (qsizetype at = 0; at + 3237 <= bytes.size(); at += 3237) out << Record(bookLayout(), bytes.mid(at, 3237));
    return out;
}

struct Run {
    ImportCheck check;
    CatalogueImport::Outcome outcome = CatalogueImport::Outcome::Failed;
    QStringList notes;
};

Run importFile(CatalogueImport &imp, const QTemporaryDir &dir)
{
    Run run;
    if (!imp.scanArchive(dir.path())) return run;
    run.check = imp.check();
    for (const ImportNote &n : run.check.notes) run.notes << noteText(n);
    run.outcome = imp.write(dir.path(), run.check);
    return run;
}

// A CSV of `rows` books, each with a title, an author and an ISBN of its own.
QByteArray manyBooks(int rows)
{
    QByteArray csv = "Titolo;Autore;ISBN;Note\r\n";
    for (int i = 0; i < rows; ++i)
        csv += "Libro " + QByteArray::number(i) + ";Autore " + QByteArray::number(i % 97) + ";97800000" +
               QByteArray::number(10000 + i) + ";nota\r\n";
    return csv;
}

RawRow rawRow(const QList<QByteArray> &cells, bool utf8)
{
    RawRow row;
    row.line = 2;
    row.utf8 = utf8;
    for (const QByteArray &c : cells) {
        row.bytes.append(c.constData(), size_t(c.size()));
        row.ends.push_back(qsizetype(row.bytes.size()));
    }
    return row;
}

} // namespace

class TestCatalogueImport : public QObject {
    Q_OBJECT
private slots:
    void goodreadsRowsAsSaveStoresThem_data();
    void goodreadsRowsAsSaveStoresThem();
    void libraryThingColumns();
    void plainCsvByHeaders();
    void checkedAgainstTheArchive_data();
    void checkedAgainstTheArchive();
    void codesContinueAfterTheArchive();
    void charactersOutsideTheCodePageFitted();
    void roundTripThroughTheExport_data();
    void roundTripThroughTheExport();
    void stoppedOrFailedLeavesTheArchive_data();
    void stoppedOrFailedLeavesTheArchive();
    void noColumnChosenImportsNothing();
    void recordBytesFollowTheTextRule_data();
    void recordBytesFollowTheTextRule();
};

void TestCatalogueImport::goodreadsRowsAsSaveStoresThem_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("utf-8") << "goodreads_utf8.csv";
    QTest::newRow("windows-1252") << "goodreads_cp1252.csv";
}

void TestCatalogueImport::goodreadsRowsAsSaveStoresThem()
{
    QFETCH(QString, file);
    QTemporaryDir dir;
    CatalogueImport imp;
    QCOMPARE(imp.load(kData + file, CatalogueFormat::Auto), ReadError::None);
    QCOMPARE(imp.format(), CatalogueFormat::Goodreads);
    const Run run = importFile(imp, dir);
    QCOMPARE(run.outcome, CatalogueImport::Outcome::Written);
    QCOMPARE(run.check.imported, 4);
    QCOMPARE(run.check.alreadyThere, 1);
    QCOMPARE(run.check.rejected, 1);
    QCOMPARE(run.notes, (QStringList{
                            QStringLiteral("Riga 3: manca l'autore, libro scartato."),
                            // the 10-digit ISBN of row 6 is the 13-digit one of row 4
                            QStringLiteral("Riga 6: libro già presente, non importato."),
                            QStringLiteral("Riga 7: campo \"Titolo libro\" tagliato a 250 caratteri."),
                        }));

    const QList<Record> books = readArchive(dir);
    QCOMPARE(books.size(), 4);
    QCOMPARE(test::readAll(archivePath(dir)).size(), 4 * 3237);
    // Row 2: the formula quotes gone, ISBN13 before ISBN; every mapped column.
    const Record &calvino = books[0];
    QCOMPARE(calvino.text(Titolo), QStringLiteral("Il barone rampante"));
    QCOMPARE(calvino.text(Autore), QStringLiteral("Italo Calvino"));
    QCOMPARE(calvino.text(Isbn), QStringLiteral("9788804668237"));
    QCOMPARE(calvino.text(Editore), QStringLiteral("Mondadori"));
    QCOMPARE(calvino.text(Formato), QStringLiteral("Paperback"));
    QCOMPARE(calvino.text(Pagine), QStringLiteral("285"));
    QCOMPARE(calvino.text(Anno), QStringLiteral("2016"));
    QCOMPARE(calvino.text(Prima), QStringLiteral("1957"));
    QCOMPARE(raw(calvino, Note), QByteArray("Letto in vacanza, a Cefal\xF9"));
    QCOMPARE(raw(calvino, Codice), QByteArray("IMP-000001"));
    QCOMPARE(raw(calvino, Convalida), QByteArray("No"));
    QCOMPARE(raw(calvino, Annullata), QByteArray("No"));
    QCOMPARE(raw(calvino, File01), QByteArray(""));
    // Row 4: the quoted line break stored as CR LF.
    QCOMPARE(raw(books[1], Autore), QByteArray("F\xEB"
                                               "dor Dostoevskij"));
    QCOMPARE(raw(books[1], Note), QByteArray("Due righe:\r\nseconda riga"));
    QCOMPARE(raw(books[1], Codice), QByteArray("IMP-000002"));
    // Row 7: cut at the title's 250 characters, then trimmed as Save trims:
    // the 250th is a blank.
    QCOMPARE(books[2].rawText(Titolo).size(), 249);
    QVERIFY(books[2].rawText(Titolo).startsWith("Storia della citt\xE0 di Forl\xEC e dei suoi"));
    QCOMPARE(raw(books[2], Codice), QByteArray("IMP-000003"));
    // Row 8: doubled quotes.
    QCOMPARE(books[3].text(Titolo), QStringLiteral("Il \"Gattopardo\""));
    QCOMPARE(books[3].text(Isbn), QStringLiteral("8845292614"));
    // Each record byte for byte what Save builds from the same texts.
    Record saved = book({{Titolo, "Il \"Gattopardo\""},
                         {Codice, "IMP-000004"},
                         {Autore, "Giuseppe Tomasi di Lampedusa"},
                         {Editore, "Feltrinelli"},
                         {Isbn, "8845292614"},
                         {Formato, "Paperback"},
                         {Pagine, "330"},
                         {Anno, "2002"},
                         {Prima, "1958"}});
    QCOMPARE(books[3].bytes(), saved.bytes());
}

void TestCatalogueImport::libraryThingColumns()
{
    QTemporaryDir dir;
    CatalogueImport imp;
    QCOMPARE(imp.load(kData + "librarything.tsv", CatalogueFormat::Auto), ReadError::None);
    QCOMPARE(imp.format(), CatalogueFormat::LibraryThing);
    const Run run = importFile(imp, dir);
    QCOMPARE(run.outcome, CatalogueImport::Outcome::Written);
    QCOMPARE(run.notes, QStringList{QStringLiteral("Riga 4: manca il titolo, libro scartato.")});
    const QList<Record> books = readArchive(dir);
    QCOMPARE(books.size(), 2);
    const Record &camus = books[0];
    QCOMPARE(camus.text(Titolo), QStringLiteral("L'étranger"));
    QCOMPARE(camus.text(Autore), QStringLiteral("Camus, Albert"));
    QCOMPARE(camus.text(Editore), QStringLiteral("Gallimard"));
    QCOMPARE(camus.text(Anno), QStringLiteral("1979"));
    QCOMPARE(camus.text(Pagine), QStringLiteral("186"));
    QCOMPARE(camus.text(Lingua), QStringLiteral("French"));
    QCOMPARE(camus.text(Isbn), QStringLiteral("2070360024"));
    QCOMPARE(camus.text(Dewey), QStringLiteral("843"));
    QCOMPARE(camus.text(Note), QStringLiteral("Prima lettura"));
    QCOMPARE(camus.text(Codice), QStringLiteral("LT-0001"));
    QCOMPARE(camus.text(Prestato), QStringLiteral("Maria Rossi"));
    QCOMPARE(camus.text(Scadenza), QStringLiteral("05/03/2024"));
    QCOMPARE(books[1].text(Anno), QStringLiteral("2012"));
    QCOMPARE(books[1].text(Editore), QStringLiteral("Bompiani"));
    QCOMPARE(books[1].text(Codice), QStringLiteral("IMP-000001"));
}

void TestCatalogueImport::plainCsvByHeaders()
{
    QTemporaryDir dir;
    CatalogueImport imp;
    QCOMPARE(imp.load(kData + "generico_cp1252.csv", CatalogueFormat::Auto), ReadError::None);
    QCOMPARE(imp.format(), CatalogueFormat::Delimited);
    QCOMPARE(imp.headers().size(), 7);
    QList<int> fields;
    for (const ColumnTarget &c : imp.columns()) fields << c.field;
    QCOMPARE(fields, (QList<int>{Titolo, Autore, Citta, Anno, Codice, Prezzo, -1}));
    // The user may send a column elsewhere, or nowhere.
    imp.columns()[2].field = Collana;
    imp.columns()[5].field = -1;
    const Run run = importFile(imp, dir);
    QCOMPARE(run.outcome, CatalogueImport::Outcome::Written);
    const QList<Record> books = readArchive(dir);
    QCOMPARE(books.size(), 2);
    QCOMPARE(books[0].text(Codice), QStringLiteral("VER-001"));
    QCOMPARE(books[0].text(Collana), QStringLiteral("Milano"));
    QCOMPARE(books[0].text(Citta), QString());
    QCOMPARE(books[0].text(Prezzo), QString());
    QCOMPARE(books[1].text(Titolo), QStringLiteral("Mastro-don Gesualdo"));
    QCOMPARE(books[1].text(Codice), QStringLiteral("IMP-000001"));
}

void TestCatalogueImport::checkedAgainstTheArchive_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<bool>("present");
    QTest::newRow("same code, other case and blanks") << QByteArray("T;A;  abc-7 ;") << true;
    QTest::newRow("10-digit ISBN of a 13-digit one") << QByteArray("T;A;;88-452-9261-4") << true;
    QTest::newRow("13-digit ISBN of a 10-digit one") << QByteArray("T;A;;978-0-14-044913-6") << true;
    QTest::newRow("ISBN with x of one with X") << QByteArray("T;A;;0-8044-2957-x") << true;
    QTest::newRow("cancelled book's code") << QByteArray("T;A;OLD-1;") << false;
    QTest::newRow("cancelled book's ISBN") << QByteArray("T;A;;1111111111") << false;
    QTest::newRow("another code") << QByteArray("T;A;ABC-77;") << false;
    QTest::newRow("no code, no ISBN") << QByteArray("T;A;;") << false;
}

void TestCatalogueImport::checkedAgainstTheArchive()
{
    QFETCH(QByteArray, row);
    QFETCH(bool, present);
    QTemporaryDir dir;
    writeArchive(dir,
                 {book({{Titolo, "x"}, {Codice, "ABC-7"}, {Autore, "y"}, {Isbn, "9788845292613"}}),
                  book({{Titolo, "x"}, {Codice, "P-1"}, {Autore, "y"}, {Isbn, "0140449132"}}),
                  book({{Titolo, "x"}, {Codice, "P-2"}, {Autore, "y"}, {Isbn, "080442957X"}}),
                  book({{Titolo, "x"}, {Codice, "OLD-1"}, {Autore, "y"}, {Isbn, "1111111111"}, {Annullata, yes()}})});
    const QByteArray before = test::readAll(archivePath(dir));
    for (const bool duplicatesToo : {false, true}) {
        CatalogueImport imp;
        QCOMPARE(imp.load("Titolo;Autore;Codice;ISBN\r\n" + row + "\r\n", CatalogueFormat::Auto), ReadError::None);
        imp.setImportDuplicates(duplicatesToo);
        test::writeAll(archivePath(dir), before);
        const Run run = importFile(imp, dir);
        QCOMPARE(run.outcome, CatalogueImport::Outcome::Written);
        const bool leftOut = present && !duplicatesToo;
        QCOMPARE(run.check.alreadyThere, leftOut ? 1 : 0);
        QCOMPARE(readArchive(dir).size(), leftOut ? 4 : 5);
    }
}

void TestCatalogueImport::codesContinueAfterTheArchive()
{
    QTemporaryDir dir;
    // A cancelled book keeps its number taken; another prefix is another series.
    writeArchive(dir, {book({{Titolo, "x"}, {Codice, "imp-000041"}, {Autore, "y"}, {Annullata, yes()}}),
                       book({{Titolo, "x"}, {Codice, "IMP-000007"}, {Autore, "y"}}),
                       book({{Titolo, "x"}, {Codice, "LIB-000900"}, {Autore, "y"}})});
    CatalogueImport imp;
    QCOMPARE(imp.load(QByteArray("Titolo;Autore;Codice\r\nA;B;\r\nC;;\r\nD;E;\r\nF;G;OWN\r\nH;I;\r\n"),
                      CatalogueFormat::Auto),
             ReadError::None);
    QVERIFY(imp.scanArchive(dir.path()));
    QCOMPARE(imp.preview(2).size(), 2);
    QCOMPARE(imp.preview(2)[1].text(Codice), QStringLiteral("IMP-000043"));
    const Run run = importFile(imp, dir);
    QCOMPARE(run.outcome, CatalogueImport::Outcome::Written);
    QStringList codes;
    for (const Record &r : readArchive(dir).mid(3)) codes << r.text(Codice);
    // Numbers go to imported rows only, in file order.
    QCOMPARE(codes, (QStringList{"IMP-000042", "IMP-000043", "OWN", "IMP-000044"}));

    imp.setPrefix(QStringLiteral("  lib "));
    const Run again = importFile(imp, dir);
    QCOMPARE(again.check.alreadyThere, 1); // OWN is in the archive now
    QCOMPARE(readArchive(dir).last().text(Codice), QStringLiteral("lib-000903"));
}

void TestCatalogueImport::charactersOutsideTheCodePageFitted()
{
    QTemporaryDir dir;
    CatalogueImport imp;
    QCOMPARE(imp.load(QStringLiteral("Titolo,Autore\nZażółć – “gęślą”,Łukasz 𝔸\n").toUtf8(), CatalogueFormat::Auto),
             ReadError::None);
    QCOMPARE(importFile(imp, dir).outcome, CatalogueImport::Outcome::Written);
    const Record r = readArchive(dir).value(0, Record(bookLayout()));
    QCOMPARE(r.text(Titolo), QStringLiteral("Zazólc – “gesla”")); // ó is in the code page
    QCOMPARE(r.text(Autore), QStringLiteral("Lukasz ?"));
}

void TestCatalogueImport::roundTripThroughTheExport_data()
{
    QTest::addColumn<QByteArray>("bodyCell");
    QTest::newRow("cells as exported") << QByteArray("<td style=\"text-align: left;\">");
    QTest::newRow("text-format cells") << QByteArray("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">");
}

void TestCatalogueImport::roundTripThroughTheExport()
{
    QFETCH(QByteArray, bodyCell);
    QTemporaryDir from, to;
    QList<Record> books;
    books << book({{Titolo, QStringLiteral("Però <l'ultima> & la prima")},
                   {Codice, "A&B-1"},
                   {Autore, QStringLiteral("Cesare Pavese")},
                   {Nazione, QStringLiteral("Italia")},
                   {Citta, QStringLiteral("Città di Castello")},
                   {Isbn, "978-88-06-21914-2"},
                   {Note, "prima riga\r\nseconda <riga>\r\nterza & ultima"},
                   {Prezzo, QStringLiteral("€ 12,50")},
                   {Prima, "1950"},
                   {Annullata, yes()}});
    Record full = book({});
    for (int f :
         {Titolo, Codice, Scaffale, Autore, Nazione, Curatore, Dewey,     Pagine, Genere, Giudizio,   Editore,  Isbn,
          Citta,  Anno,   Volumi,   Prezzo, Collana, Formato,  Originale, Lingua, Prima,  Traduttore, Versione, Note})
        full.setText(f, QStringLiteral("%1 \"àèìòù\" %2").arg(QString::fromLatin1(kFields[f].name)).arg(f));
    books << full << book({{Titolo, "Solo titolo"}, {Codice, "C-3"}, {Autore, "Qualcuno"}});
    writeArchive(from, books);

    PreviewModel model(exportKind(ExportArchive::Books));
    QVERIFY(model.fill(from.path()));
    QByteArray doc;
    QBuffer out(&doc);
    out.open(QIODevice::WriteOnly);
    SpreadsheetWriter w(out);
    w.begin(QStringLiteral("Riepilogo Libri"), exportKind(ExportArchive::Books).sheetColumns());
    model.writeRows(w);
    QVERIFY(w.finish());
    doc.replace("<td style=\"text-align: left;\">", bodyCell);

    CatalogueImport imp;
    QCOMPARE(imp.load(doc, CatalogueFormat::Auto), ReadError::None);
    QCOMPARE(imp.format(), CatalogueFormat::Spreadsheet);
    const Run run = importFile(imp, to);
    QCOMPARE(run.outcome, CatalogueImport::Outcome::Written);
    QCOMPARE(run.notes, QStringList());
    const QList<Record> back = readArchive(to);
    QCOMPARE(back.size(), books.size());
    const ExportKind &kind = exportKind(ExportArchive::Books);
    for (int i = 0; i < books.size(); ++i)
        for (const ExportColumn &c : kind.columns) {
            const QByteArray was = books[i].rawText(c.field).toByteArray(), is = back[i].rawText(c.field).toByteArray();
            if (was != is) qWarning() << "book" << i << kFields[c.field].name;
            QCOMPARE(is, was);
        }
}

void TestCatalogueImport::stoppedOrFailedLeavesTheArchive_data()
{
    QTest::addColumn<bool>("stop");
    QTest::addColumn<qint64>("freeSpace");
    QTest::newRow("Annulla after the first block") << true << qint64(-1);
    QTest::newRow("disk full half way") << false << qint64(600 * 3237 + 100);
    QTest::newRow("disk full at once") << false << qint64(0);
}

void TestCatalogueImport::stoppedOrFailedLeavesTheArchive()
{
    QFETCH(bool, stop);
    QFETCH(qint64, freeSpace);
    QTemporaryDir dir;
    // Two books and the start of a third another program was cut off writing.
    writeArchive(
        dir,
        {book({{Titolo, "x"}, {Codice, "C-1"}, {Autore, "y"}}), book({{Titolo, "z"}, {Codice, "C-2"}, {Autore, "w"}})},
        QByteArray("\x05partial record", 15));
    const QByteArray before = test::readAll(archivePath(dir));

    CatalogueImport imp;
    QCOMPARE(imp.load(manyBooks(1200), CatalogueFormat::Auto), ReadError::None);
    QVERIFY(imp.scanArchive(dir.path()));
    const ImportCheck check = imp.check();
    QCOMPARE(check.imported, 1200);
    qint64 seen = 0;
    const auto progress = [&](qint64 done, qint64 total) {
        seen = done;
        return !(stop && done > 0 && done < total);
    };
    fileaccess::setFreeSpaceForTesting(freeSpace);
    const CatalogueImport::Outcome outcome = imp.write(dir.path(), check, progress);
    fileaccess::setFreeSpaceForTesting(-1);
    QCOMPARE(outcome, stop ? CatalogueImport::Outcome::Cancelled : CatalogueImport::Outcome::Failed);
    if (stop) QVERIFY(seen > 0 && seen < 1200);
    QCOMPARE(test::readAll(archivePath(dir)), before);

    // The same import then goes through whole, over the partial record.
    QCOMPARE(imp.write(dir.path(), check), CatalogueImport::Outcome::Written);
    const QList<Record> books = readArchive(dir);
    QCOMPARE(books.size(), 1202);
    QCOMPARE(books[2].text(Titolo), QStringLiteral("Libro 0"));
    QCOMPARE(books.last().text(Titolo), QStringLiteral("Libro 1199"));
}

void TestCatalogueImport::noColumnChosenImportsNothing()
{
    QTemporaryDir dir;
    CatalogueImport imp;
    QCOMPARE(imp.load(QByteArray("Foo,Bar\nx,y\n"), CatalogueFormat::Auto), ReadError::None);
    QVERIFY(!imp.anyColumnMapped());
    imp.columns()[0].field = Titolo;
    QVERIFY(imp.anyColumnMapped());
    const Run run = importFile(imp, dir);
    QCOMPARE(run.check.rejected, 1);
    QCOMPARE(run.notes, QStringList{QStringLiteral("Riga 2: manca l'autore, libro scartato.")});
    QCOMPARE(run.outcome, CatalogueImport::Outcome::Written);
    QCOMPARE(test::readAll(archivePath(dir)), QByteArray());
}

// The records are built from the cells' bytes, a short way for text the code
// page holds; they must be exactly what storing the texts of the rule gives.
void TestCatalogueImport::recordBytesFollowTheTextRule_data()
{
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<bool>("utf8");
    const auto u = [](const char16_t *t) { return QString::fromUtf16(t).toUtf8(); };
    QTest::newRow("ascii") << QByteArray("  Il nome della rosa  ") << true;
    QTest::newRow("latin-1 in UTF-8") << u(u"Citt\u00E0 \u00E8 perch\u00E9 \u00A9 \u00FF") << true;
    QTest::newRow("no-break spaces") << u(u"\u00A0x\u00A0") << true;
    QTest::newRow("code page letters beyond latin-1") << u(u"\u20AC \u201Cquoted\u201D \u2014 \u0160") << true;
    QTest::newRow("letters fitted") << u(u"\u0141\u00F3d\u017A \u0151 \u01D6 Za\u017C\u00F3\u0142\u0107") << true;
    QTest::newRow("outside the basic plane") << u(u"\U0001D538 \U0001F600 x") << true;
    QTest::newRow("C1 controls") << u(u"\u0081a\u0085\u0090") << true;
    QTest::newRow("malformed UTF-8") << QByteArray("\xC3(\xE2\x82 ok \xC2\x41\xF0") << true;
    QTest::newRow("windows-1252") << QByteArray("\x80\x93x\x94 \xE8 \x81\x8D\x9F") << false;
    QTest::newRow("windows-1252 controls") << QByteArray("\t\x01 a \x1F\r\n") << false;
    QTest::newRow("formula quotes") << QByteArray(" =\"9788804668237\" ") << true;
    QTest::newRow("brackets") << QByteArray(" [ 2070291340 ] ") << true;
    QTest::newRow("publisher and year") << u(u"Citt\u00E0 Nuova (1979), Poche") << true;
    QTest::newRow("ISO date") << QByteArray("2007-04-16") << true;
    QTest::newRow("bracketed date") << QByteArray("[2007-4-6]") << false;
    QTest::newRow("date in other digits") << u(u"\u0662\u0660\u0660\u0667-04-16") << true;
    QTest::newRow("yes") << u(u"S\u00EC") << true;
    QTest::newRow("yes, windows-1252") << QByteArray(" S\xEC ") << false;
    QTest::newRow("yes in English") << QByteArray(" YES ") << true;
    QTest::newRow("long latin-1") << u(u"\u00E8").repeated(300) << true;
    QTest::newRow("cut before a blank") << QByteArray(249, 'a') + " b c" << true;
    QTest::newRow("cut in a code page letter") << QByteArray(249, 'a') + "\x80\x80" << false;
    QTest::newRow("long with pairs") << QByteArray(249, 'x') + u(u"\U0001F600\U0001F600") << true;
    QTest::newRow("numbered code") << QByteArray("LIB-000123") << true;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("blank") << QByteArray(" \t \r\n ") << false;
}

void TestCatalogueImport::recordBytesFollowTheTextRule()
{
    QFETCH(QByteArray, cell);
    QFETCH(bool, utf8);
    const auto decoded = [utf8](const QByteArray &b) { return utf8 ? QString::fromUtf8(b) : cp1252::decode(b); };
    const RawRow raw = rawRow({cell, "Autore " + cell, "riserva"}, utf8);
    const CatalogueRow row{2, {decoded(cell), decoded("Autore " + cell), decoded("riserva")}};
    for (const CellRule rule : {CellRule::AsIs, CellRule::FormulaQuotes, CellRule::Brackets, CellRule::UpToParenthesis,
                                CellRule::FirstThree, CellRule::IsoDate}) {
        for (const int field : {int(Titolo), int(Codice), int(Dewey), int(Annullata), int(Convalida), int(Note)}) {
            // The third column fills the field when the first leaves it empty.
            const RowBuilder builder({{field, rule, 0}, {Autore, CellRule::AsIs, 0}, {field, CellRule::AsIs, 1}});
            BookRow book;
            builder.build(row, book);
            Record expected(bookLayout());
            for (int f = 0; f < FieldCount; ++f) expected.setText(f, book.values[size_t(f)]);
            QByteArray got(bookLayout().recordSize, '\x55');
            RowFacts facts;
            builder.buildRecord(raw, got.data(), facts);
            const QByteArray where = "rule " + QByteArray::number(int(rule)) + ", field " + kFields[field].name;
            QVERIFY2(got == expected.bytes(), where.constData());
            quint64 cut = 0;
            for (const int f : book.cut) cut |= quint64(1) << f;
            QVERIFY2(facts.cut == cut, where.constData());
            QVERIFY2(facts.hasTitle == book.hasTitle() && facts.hasAuthor == book.hasAuthor(), where.constData());
        }
    }
}

QTEST_GUILESS_MAIN(TestCatalogueImport)
#include "tst_catalogue_import.moc"
