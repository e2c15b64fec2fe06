// The spreadsheet document, byte for byte, written from plain values.
#include "export/core/SpreadsheetWriter.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTest>

using namespace opusteca;

namespace {

// The fixed text before the header row, written out here from the document's
// layout rather than taken from the writer.
QByteArray prologue(const QByteArray &sheet)
{
    return "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
           "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
           "xmlns=\"http://www.w3.org/TR/REC-html40\">"
           "<head>"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
           "<!--[if gte mso 9]><xml>"
           "<x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
           "<x:Name>" +
           sheet +
           "</x:Name>"
           "<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
           "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow>"
           "</x:Pane></x:Panes>"
           "<x:ProtectContents>False</x:ProtectContents>"
           "<x:ProtectObjects>False</x:ProtectObjects>"
           "<x:ProtectScenarios>False</x:ProtectScenarios>"
           "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook>"
           "</xml><![endif]--></head><body><table x:str>";
}

const QByteArray kEpilogue = "</table></body></html>";

QByteArray headerCell(int width, const QByteArray &text)
{
    return "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) + ">" + text +
           "</td>";
}

QByteArray dataCell(const QByteArray &text)
{
    return "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">" + text + "</td>";
}

QByteArray write(const QString &sheet, const QList<SheetColumn> &columns, const QList<QStringList> &rows)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!writeSpreadsheet(buffer, sheet, columns, rows)) return "<write failed>";
    return buffer.data();
}

} // namespace

class TestSpreadsheetWriter : public QObject {
    Q_OBJECT

private slots:
    void wholeDocument();
    void cellText_data();
    void cellText();
    void fragmentCount_data();
    void fragmentCount();
    void storedBytesAreTrimmedAndEscapedAlike();
    void refusedWriteIsReported();
};

void TestSpreadsheetWriter::wholeDocument()
{
    const QList<SheetColumn> columns{{QStringLiteral("Titolo libro"), 350},
                                     {QStringLiteral("Citt\u00E0 pubblicazione"), 250}};
    const QList<QStringList> rows{{QStringLiteral("Il Gattopardo"), QStringLiteral("Milano")},
                                  {QStringLiteral("  I Malavoglia "), QString()}};
    const QByteArray expected = prologue("Riepilogo Libri") + "<tr>" + headerCell(350, "Titolo libro") +
                                headerCell(250, "Citt\xE0 pubblicazione") + "</tr>" + "<tr>" +
                                dataCell("Il Gattopardo") + dataCell("Milano") + "</tr>" + "<tr>" +
                                dataCell("I Malavoglia") + dataCell("") + "</tr>" + kEpilogue;
    const QByteArray doc = write(QStringLiteral("Riepilogo Libri"), columns, rows);
    QCOMPARE(doc, expected);
    QVERIFY(!doc.contains('\n') && !doc.contains('\r'));
    QVERIFY(!doc.startsWith("\xEF\xBB\xBF"));
}

void TestSpreadsheetWriter::cellText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("plain") << QStringLiteral("Dante") << QByteArray("Dante");
    QTest::newRow("ampersand") << QStringLiteral("Fratelli & figli") << QByteArray("Fratelli &amp; figli");
    QTest::newRow("angle brackets") << QStringLiteral("<Note> a>b") << QByteArray("&lt;Note&gt; a&gt;b");
    QTest::newRow("reference typed") << QStringLiteral("&amp;") << QByteArray("&amp;amp;");
    QTest::newRow("quotes unchanged") << QStringLiteral("\"Il nome\" 'rosa'") << QByteArray("\"Il nome\" 'rosa'");
    QTest::newRow("blanks at both ends") << QStringLiteral("   Verga  ") << QByteArray("Verga");
    QTest::newRow("control characters at ends") << QStringLiteral("\t\r\n x \x01") << QByteArray("x");
    QTest::newRow("inner blanks kept") << QStringLiteral(" a  b ") << QByteArray("a  b");
    QTest::newRow("blanks only") << QStringLiteral("    ") << QByteArray("");
    QTest::newRow("empty") << QString() << QByteArray("");
    QTest::newRow("accented") << QStringLiteral("Sì, perché è così") << QByteArray("S\xEC, perch\xE9 \xE8 cos\xEC");
    QTest::newRow("euro and dash") << QStringLiteral("10 \u20AC \u2013 ok") << QByteArray("10 \x80 \x96 ok");
    QTest::newRow("greek") << QStringLiteral("\u039F\u03BC\u03B7\u03C1\u03BF\u03C2") << QByteArray("??????");
    QTest::newRow("outside the plane") << QStringLiteral("a\U0001F4D6b") << QByteArray("a?b");
    QTest::newRow("no-break space kept") << QStringLiteral("\u00A0x\u00A0") << QByteArray("\xA0x\xA0");
}

void TestSpreadsheetWriter::cellText()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, written);
    const QByteArray doc = write(QStringLiteral("S"), {{QStringLiteral("H"), 10}}, {{typed}});
    const QByteArray body = "<tr>" + headerCell(10, "H") + "</tr><tr>" + dataCell(written) + "</tr>";
    QCOMPARE(doc, prologue("S") + body + kEpilogue);
}

void TestSpreadsheetWriter::fragmentCount_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("books, 3 rows") << 25 << 3;
    QTest::newRow("authors, no rows") << 7 << 0;
    QTest::newRow("bibliographies, 10 empty rows") << 9 << 10;
    QTest::newRow("one by one") << 1 << 1;
}

void TestSpreadsheetWriter::fragmentCount()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    QList<SheetColumn> cols;
    for (int c = 0; c < columns; ++c) cols.append({QStringLiteral("C%1").arg(c), 100 + c});
    QList<QStringList> body;
    for (int r = 0; r < rows; ++r) body.append(QStringList{QStringLiteral("r%1").arg(r)});
    const QByteArray doc = write(QStringLiteral("Riepilogo Autori"), cols, body);

    // Every fragment after the prologue is a <tr>, a </tr>, a cell or one of
    // the three closing tags; the document is nothing but fragments.
    QVERIFY(doc.startsWith(prologue("Riepilogo Autori")));
    QVERIFY(doc.endsWith(kEpilogue));
    const qsizetype fragments = 27 + doc.count("<tr>") + doc.count("</tr>") + doc.count("<td ") + 3;
    QCOMPARE(fragments, 27 + (columns + 2) * (rows + 1) + 3);

    // Its size is the sum of its fragments: rebuilt here piece by piece.
    QByteArray rebuilt = prologue("Riepilogo Autori") + "<tr>";
    for (int c = 0; c < columns; ++c) rebuilt += headerCell(100 + c, "C" + QByteArray::number(c));
    rebuilt += "</tr>";
    for (int r = 0; r < rows; ++r) {
        rebuilt += "<tr>" + dataCell("r" + QByteArray::number(r));
        for (int c = 1; c < columns; ++c) rebuilt += dataCell("");
        rebuilt += "</tr>";
    }
    rebuilt += kEpilogue;
    QCOMPARE(doc.size(), rebuilt.size());
    QCOMPARE(doc, rebuilt);
}

void TestSpreadsheetWriter::storedBytesAreTrimmedAndEscapedAlike()
{
    // Cells straight from an archive arrive as their code-page bytes.
    QBuffer a, b;
    a.open(QIODevice::WriteOnly);
    b.open(QIODevice::WriteOnly);
    SpreadsheetWriter fromBytes(a), fromText(b);
    fromBytes.begin(u"S", {{QStringLiteral("H"), 1}});
    fromText.begin(u"S", {{QStringLiteral("H"), 1}});
    fromBytes.beginRow();
    fromBytes.cellBytes("  Citt\xE0 & <mare> \x80 ");
    fromBytes.endRow();
    fromText.beginRow();
    fromText.cell(u"  Citt\u00E0 & <mare> \u20AC ");
    fromText.endRow();
    QVERIFY(fromBytes.finish());
    QVERIFY(fromText.finish());
    QCOMPARE(a.data(), b.data());
    QVERIFY(a.data().contains(dataCell("Citt\xE0 &amp; &lt;mare&gt; \x80")));
}

void TestSpreadsheetWriter::refusedWriteIsReported()
{
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
    QVERIFY(!writeSpreadsheet(readOnly, QStringLiteral("S"), {{QStringLiteral("H"), 1}}, {{QStringLiteral("x")}}));
}

QTEST_GUILESS_MAIN(TestSpreadsheetWriter)
#include "tst_spreadsheet_writer.moc"
