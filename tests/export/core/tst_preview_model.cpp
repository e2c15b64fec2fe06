// The export preview grid's model: one row per stored record, cells as the
// archive holds them, typed cells beside the stored bytes.
#include "export/core/ExportKinds.h"
#include "export/core/PreviewModel.h"
#include "export/core/SpreadsheetWriter.h"
#include "store/AuthorRecord.h"
#include "store/BookRecord.h"
#include "store/Record.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;

namespace {

Record book(const QString &title, const QString &author, const QString &note, bool cancelled)
{
    Record r(bookLayout());
    r.setText(libro::Titolo, title);
    r.setText(libro::Codice, QStringLiteral("C-") + title.left(3));
    r.setText(libro::Autore, author);
    r.setText(libro::Note, note);
    r.setText(libro::Annullata, cancelled ? libro::yes() : libro::no());
    r.setText(libro::Prestato, QStringLiteral("never shown"));
    return r;
}

void writeArchive(const QString &folder, const char *name, const QByteArray &bytes)
{
    QFile f(QDir(folder).filePath(QString::fromLatin1(name)));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

int column(const ExportKind &kind, int field)
{
    for (size_t i = 0; i < kind.columns.size(); ++i)
        if (kind.columns[i].field == field) return int(i) + 1;
    return -1;
}

QByteArray body(const PreviewModel &model)
{
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    SpreadsheetWriter w(b);
    model.writeRows(w);
    w.finish();
    return b.data().chopped(int(qstrlen("</table></body></html>")));
}

} // namespace

class TestPreviewModel : public QObject {
    Q_OBJECT

private slots:
    void oneNumberedRowPerRecord();
    void emptyOrMissingArchive_data();
    void emptyOrMissingArchive();
    void damagedArchive();
    void rowsChangeOnlyOnceReadWhole_data();
    void rowsChangeOnlyOnceReadWhole();
    void authorFields();
    void typedCellsStayBesideTheArchive();
    void headers();
    void everyHeaderText_data();
    void everyHeaderText();
};

void TestPreviewModel::oneNumberedRowPerRecord()
{
    QTemporaryDir dir;
    const QByteArray file =
        book(QStringLiteral("Il Gattopardo"), QStringLiteral("  Tomasi di Lampedusa  "),
             QStringLiteral("Prima edizione"), false)
            .bytes() +
        book(QStringLiteral("Fiori & <spine>"), QStringLiteral("Anonimo"), QString(), true).bytes() +
        book(QStringLiteral("Città   vuote"), QStringLiteral("B"), QStringLiteral("x"), false).bytes();
    // Stored blanks around the author, as an older writer may have left them.
    QByteArray padded = file;
    const char raw[] = "\x0C  Tomasi d  ";
    padded.replace(330, 13, raw, 13);
    writeArchive(dir.path(), "Libri.pro", padded);

    PreviewModel model(exportKind(ExportArchive::Books));
    QVERIFY(model.fill(dir.path()));
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.columnCount(), 26);
    const ExportKind &k = model.kind();
    for (int r = 0; r < 3; ++r) QCOMPARE(model.text(r, 0), QString::number(r + 1));
    QCOMPARE(model.text(0, column(k, libro::Titolo)), QStringLiteral("Il Gattopardo"));
    QCOMPARE(model.text(0, column(k, libro::Autore)), QStringLiteral("Tomasi d"));
    QCOMPARE(model.text(1, column(k, libro::Titolo)), QStringLiteral("Fiori & <spine>"));
    QCOMPARE(model.text(1, column(k, libro::Annullata)), QStringLiteral("S\u00EC"));
    QCOMPARE(model.text(2, column(k, libro::Annullata)), QStringLiteral("No"));
    QCOMPARE(model.text(2, column(k, libro::Titolo)), QStringLiteral("Citt\u00E0   vuote"));
    QCOMPARE(model.data(model.index(2, 0)).toString(), QStringLiteral("3"));

    const QByteArray rows = body(model);
    QCOMPARE(rows.count("<tr>"), 3);
    QCOMPARE(rows.count("<td "), 3 * 25);
    QVERIFY(rows.contains(">Fiori &amp; &lt;spine&gt;<"));
    QVERIFY(rows.contains(">S\xEC<"));
    QVERIFY(!rows.contains("never shown"));
}

void TestPreviewModel::emptyOrMissingArchive_data()
{
    QTest::addColumn<bool>("exists");
    QTest::newRow("empty file") << true;
    QTest::newRow("no file") << false;
}

void TestPreviewModel::emptyOrMissingArchive()
{
    QFETCH(bool, exists);
    QTemporaryDir dir;
    if (exists) writeArchive(dir.path(), "Bibliografie.pro", QByteArray(100, 'x')); // less than one record
    PreviewModel model(exportKind(ExportArchive::Bibliographies));
    QVERIFY(model.fill(dir.path()));
    const QFileInfo archive(dir.filePath(QStringLiteral("Bibliografie.pro")));
    QVERIFY(archive.isFile());
    QCOMPARE(archive.size(), exists ? 100 : 0);
    QCOMPARE(model.rowCount(), PreviewModel::kInitialRows);
    QCOMPARE(model.text(0, 0), QString());
    const QByteArray rows = body(model);
    QCOMPARE(rows.count("<tr>"), 10);
    QCOMPARE(rows.count("<td style=\"text-align: left;\" sdnum=\"1040;0;@\"></td>"), 10 * 9);
}

void TestPreviewModel::damagedArchive()
{
    QTemporaryDir dir;
    QByteArray file = book(QStringLiteral("Uno"), QStringLiteral("A"), QString(), false).bytes() +
                      book(QStringLiteral("Due"), QStringLiteral("B"), QString(), false).bytes();
    // A length byte beyond the field's capacity, and half a record at the end.
    file.replace(3237 + 330, 51, QByteArray(1, char(200)) + QByteArray(50, 'x'));
    file += book(QStringLiteral("Tre"), QStringLiteral("C"), QString(), false).bytes().left(1000);
    writeArchive(dir.path(), "Libri.pro", file);
    PreviewModel model(exportKind(ExportArchive::Books));
    QVERIFY(model.fill(dir.path()));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.text(1, column(model.kind(), libro::Titolo)), QStringLiteral("Due"));
    QCOMPARE(model.text(1, column(model.kind(), libro::Autore)), QString(50, QLatin1Char('x')));
    QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("Libri.pro"))).size(), file.size());
}

void TestPreviewModel::rowsChangeOnlyOnceReadWhole_data()
{
    QTest::addColumn<int>("threads");
    QTest::newRow("one reading") << 1;
    QTest::newRow("two threads") << 2;
    QTest::newRow("three threads") << 3;
}

void TestPreviewModel::rowsChangeOnlyOnceReadWhole()
{
    // Several read blocks' worth of books: the grid goes on showing what it
    // showed while each block is read, and then shows them all at once.
    QFETCH(int, threads);
    QTemporaryDir dir;
    const int perBlock = (2 << 20) / bookLayout().recordSize;
    const int count = PreviewModel::kRowsPerTurn + 5;
    QByteArray file;
    for (int i = 0; i < count; ++i)
        file += book(QStringLiteral("T%1").arg(i), QStringLiteral("A%1").arg(i % 7), {}, false).bytes();
    writeArchive(dir.path(), "Libri.pro", file);
    PreviewModel model(exportKind(ExportArchive::Books));
    int resets = 0;
    QList<int> rowsSeen;
    connect(&model, &QAbstractItemModel::modelReset, this, [&] { ++resets; });
    QVERIFY(model.fill(
        dir.path(),
        [&] {
            rowsSeen << model.rowCount();
            QCOMPARE(model.text(0, 1), QString());
        },
        threads));
    // One reading lets the caller in after each block; several, while they read.
    if (threads == 1) {
        const int blocks = (count + perBlock - 1) / perBlock;
        QCOMPARE(rowsSeen, QList<int>(blocks, PreviewModel::kInitialRows));
    } else {
        QVERIFY(!rowsSeen.isEmpty());
        QCOMPARE(rowsSeen, QList<int>(rowsSeen.size(), PreviewModel::kInitialRows));
    }
    // Every cell as one reading gives it, in file order.
    PreviewModel one(exportKind(ExportArchive::Books));
    QVERIFY(one.fill(dir.path(), {}, 1));
    QCOMPARE(model.storedTextBytes(), one.storedTextBytes());
    for (int r = 0; r < count; ++r)
        for (int c = 0; c < model.columnCount(); ++c)
            if (model.text(r, c) != one.text(r, c))
                QFAIL(qPrintable(QStringLiteral("row %1, column %2: %3 instead of %4")
                                     .arg(r)
                                     .arg(c)
                                     .arg(model.text(r, c), one.text(r, c))));
    QCOMPARE(resets, 1);
    QCOMPARE(model.rowCount(), count);
    const int title = column(exportKind(ExportArchive::Books), libro::Titolo);
    QCOMPARE(model.text(count - 1, title), QStringLiteral("T%1").arg(count - 1));
    QCOMPARE(model.text(perBlock, title), QStringLiteral("T%1").arg(perBlock));

    // The document is the same when the writing lets the caller in, once per
    // kRowsPerTurn rows.
    QBuffer plain, turns;
    plain.open(QIODevice::WriteOnly);
    turns.open(QIODevice::WriteOnly);
    SpreadsheetWriter a(plain), b(turns);
    model.writeRows(a);
    int calls = 0;
    model.writeRows(b, [&] { ++calls; });
    a.finish();
    b.finish();
    QCOMPARE(calls, 1);
    QCOMPARE(turns.data(), plain.data());
    QVERIFY(plain.data().contains("T4100"));
}

void TestPreviewModel::authorFields()
{
    QTemporaryDir dir;
    Record a(authorLayout());
    a.setText(autore::Autore, QStringLiteral("  Grazia Deledda "));
    a.setText(autore::Nazione, QStringLiteral("Italiana"));
    a.setText(autore::Biografia, QStringLiteral("not in the grid"));
    QByteArray bytes = a.bytes();
    // A name of 50 bytes with no zero after it: read up to the capacity.
    bytes.replace(0, 51, QByteArray(51, 'N'));
    writeArchive(dir.path(), "Autori.pro", a.bytes() + bytes);
    PreviewModel model(exportKind(ExportArchive::Authors));
    QVERIFY(model.fill(dir.path()));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 8);
    QCOMPARE(model.text(0, 1), QStringLiteral("Grazia Deledda"));
    QCOMPARE(model.text(0, 2), QStringLiteral("Italiana"));
    QCOMPARE(model.text(1, 1), QString(50, QLatin1Char('N')));
    QCOMPARE(model.text(1, 2), QStringLiteral("Italiana"));
    QVERIFY(!body(model).contains("not in the grid"));
}

void TestPreviewModel::typedCellsStayBesideTheArchive()
{
    QTemporaryDir dir;
    const QByteArray file =
        book(QStringLiteral("Uno"), QStringLiteral("A"), QStringLiteral("stored note"), false).bytes();
    writeArchive(dir.path(), "Libri.pro", file);
    PreviewModel model(exportKind(ExportArchive::Books));
    QVERIFY(model.fill(dir.path()));
    const int note = column(model.kind(), libro::Note);
    const int title = column(model.kind(), libro::Titolo);

    QVERIFY(model.flags(model.index(0, note)) & Qt::ItemIsEditable);
    QVERIFY(!(model.flags(model.index(0, title)) & Qt::ItemIsEditable));
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(!model.setData(model.index(0, title), QStringLiteral("changed")));
    QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("9")));
    QVERIFY(model.setData(model.index(0, note), QStringLiteral("  typed & kept ")));

    QCOMPARE(model.text(0, note), QStringLiteral("  typed & kept "));
    QCOMPARE(model.text(0, title), QStringLiteral("Uno"));
    const QByteArray rows = body(model);
    QVERIFY(rows.contains(">typed &amp; kept<"));
    QVERIFY(!rows.contains("stored note"));

    // The archive is never written, and a new filling shows the stored value.
    QFile f(dir.filePath(QStringLiteral("Libri.pro")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), file);
    PreviewModel again(exportKind(ExportArchive::Books));
    QVERIFY(again.fill(dir.path()));
    QCOMPARE(again.text(0, note), QStringLiteral("stored note"));
}

void TestPreviewModel::headers()
{
    PreviewModel model(exportKind(ExportArchive::Books));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("N."));
    QCOMPARE(model.headerData(13, Qt::Horizontal).toString(), QStringLiteral("Citt\u00E0 pubblicazione"));
    QCOMPARE(model.headerData(25, Qt::Horizontal).toString(), QStringLiteral("Scheda annullata"));
    const QList<SheetColumn> sheet = model.kind().sheetColumns();
    QCOMPARE(sheet.size(), 25);
    QCOMPARE(sheet[1].width, 250);
    QCOMPARE(sheet[23].width, 350);
}

// The grid and the document head every column with the same text, as users of
// earlier exports know them.
void TestPreviewModel::everyHeaderText_data()
{
    QTest::addColumn<int>("archive");
    QTest::addColumn<QString>("headers");
    QTest::newRow("books") << int(ExportArchive::Books)
                           << QStringLiteral("Titolo libro|Codice identificativo|Scaffale|Autore|Nazione|Curatore|"
                                             "Codice Dewey|Pagine|Genere|Giudizio|Casa editrice|ISBN|"
                                             "Citt\u00E0 pubblicazione|Anno pubblicazione|Volumi|Prezzo|Collana|"
                                             "Formato|Titolo originale|Lingua|Prima pubblicazione|Traduttore|"
                                             "Versione|Note|Scheda annullata");
    QTest::newRow("authors") << int(ExportArchive::Authors)
                             << QStringLiteral("Nome autore|Nazionalit\u00E0|Periodo storico|Corrente letteraria|"
                                               "Generi trattati|Capolavoro|Giudizio personale");
    QTest::newRow("bibliographies") << int(ExportArchive::Bibliographies)
                                    << QStringLiteral("Titolo ricerca|Data inizio|Data fine|Argomento trattato|"
                                                      "Scopo della ricerca|Ricercatori|Data e luogo presentazione|"
                                                      "Relatori|Destinatari");
}

void TestPreviewModel::everyHeaderText()
{
    QFETCH(int, archive);
    QFETCH(QString, headers);
    const QStringList expected = headers.split(u'|');
    PreviewModel model(exportKind(ExportArchive(archive)));
    const QList<SheetColumn> sheet = model.kind().sheetColumns();
    QCOMPARE(sheet.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QCOMPARE(model.headerData(int(i) + 1, Qt::Horizontal).toString(), expected[i]);
        QCOMPARE(sheet[i].header, expected[i]);
    }
}

QTEST_GUILESS_MAIN(TestPreviewModel)
#include "tst_preview_model.moc"
