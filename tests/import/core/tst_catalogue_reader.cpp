// The catalogue reader on bytes written in the test: text encodings,
// separators, quoting, our spreadsheet document in both cell markups, and the
// files that give nothing to import.
#include "import/core/CatalogueReader.h"
#include "import/core/ColumnMapping.h"
#include "store/BookRecord.h"

#include <QTest>

using namespace opusteca;

Q_DECLARE_METATYPE(opusteca::ReadError)
Q_DECLARE_METATYPE(opusteca::CatalogueFormat)
Q_DECLARE_METATYPE(opusteca::CellRule)

namespace {

QList<QStringList> rowsOf(CatalogueReader &r, QList<qint64> *lines = nullptr)
{
    QList<QStringList> out;
    CatalogueRow row;
    while (r.next(row)) {
        out << row.cells;
        if (lines) *lines << row.line;
    }
    return out;
}

QByteArray utf16(const QString &s, bool bigEndian)
{
    QByteArray out = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const QChar c : s) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        out += bigEndian ? QByteArray{&hi, 1} + QByteArray{&lo, 1} : QByteArray{&lo, 1} + QByteArray{&hi, 1};
    }
    return out;
}

// A document as the export writes it, with the body cells' markup given.
QByteArray sheet(const char *bodyCell, const QList<QByteArray> &cells)
{
    QByteArray d = "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\"><head><meta http-equiv=\"Content-Type\" "
                   "content=\"text/html; charset=windows-1252\"></head><body><table x:str><tr>"
                   "<td style=\"text-align: left; font-weight: bold;\" width=350>Titolo libro</td>"
                   "<td style=\"text-align: left; font-weight: bold;\" width=280>Autore</td></tr><tr>";
    for (const QByteArray &c : cells) d += bodyCell + c + "</td>";
    return d + "</tr></table></body></html>";
}

} // namespace

class TestCatalogueReader : public QObject {
    Q_OBJECT
private slots:
    void cells_data();
    void cells();
    void lineNumbersFollowTheFile();
    void errors_data();
    void errors();
    void formatFound_data();
    void formatFound();
    void sheetCells_data();
    void sheetCells();
    void headersNamingFields_data();
    void headersNamingFields();
    void rules_data();
    void rules();
};

void TestCatalogueReader::cells_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<QStringList>>("rows");
    const QString a = QStringLiteral("Città"), t = QStringLiteral("Titolo");
    QTest::newRow("comma") << QByteArray("T,A\nx,y\n") << QList<QStringList>{{"x", "y"}};
    QTest::newRow("semicolon, comma inside") << QByteArray("T;A\r\n1,5;y\r\n") << QList<QStringList>{{"1,5", "y"}};
    QTest::newRow("tab") << QByteArray("T\tA\nx, z\ty\n") << QList<QStringList>{{"x, z", "y"}};
    QTest::newRow("doubled quotes") << QByteArray("T,A\n\"Il \"\"Gattopardo\"\"\",\"a,b\"\n")
                                    << QList<QStringList>{{"Il \"Gattopardo\"", "a,b"}};
    QTest::newRow("quoted LF becomes CR LF")
        << QByteArray("T,A\n\"uno\ndue\",y\n") << QList<QStringList>{{"uno\r\ndue", "y"}};
    QTest::newRow("quoted CR LF kept") << QByteArray("T,A\r\n\"uno\r\ndue\r\ntre\",y\r\n")
                                       << QList<QStringList>{{"uno\r\ndue\r\ntre", "y"}};
    QTest::newRow("CR line ends, no last break")
        << QByteArray("T,A\rx,y\rz,w") << QList<QStringList>{{"x", "y"}, {"z", "w"}};
    QTest::newRow("blank lines passed over") << QByteArray("\n\nT,A\n\n , \nx,y\n\n") << QList<QStringList>{{"x", "y"}};
    QTest::newRow("short and long rows") << QByteArray("T,A\nx\nx,y,z\n") << QList<QStringList>{{"x"}, {"x", "y", "z"}};
    QTest::newRow("unterminated quote takes the rest") << QByteArray("T,A\n\"x,y\n") << QList<QStringList>{{"x,y\r\n"}};
    QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBFT,A\nCitt\xC3\xA0,y\n") << QList<QStringList>{{a, "y"}};
    QTest::newRow("utf-8 without mark") << QByteArray("T,A\nCitt\xC3\xA0,y\n") << QList<QStringList>{{a, "y"}};
    QTest::newRow("windows-1252") << QByteArray("T,A\nCitt\xE0,\x80 5\n")
                                  << QList<QStringList>{{a, QStringLiteral("\u20AC 5")}};
    QTest::newRow("utf-16 little end") << utf16(QStringLiteral("T,A\r\nCittà,Łódź\r\n"), false)
                                       << QList<QStringList>{{a, QStringLiteral("Łódź")}};
    QTest::newRow("utf-16 big end") << utf16(QStringLiteral("T;A\n") + t + QStringLiteral(";Città\n"), true)
                                    << QList<QStringList>{{t, a}};
}

void TestCatalogueReader::cells()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<QStringList>, rows);
    CatalogueReader r;
    QCOMPARE(r.load(file, CatalogueFormat::Auto), ReadError::None);
    QCOMPARE(r.headers().size(), 2);
    QCOMPARE(rowsOf(r), rows);
    // A second pass reads the same rows: the import checks, then writes.
    r.rewind();
    QCOMPARE(rowsOf(r), rows);
}

void TestCatalogueReader::lineNumbersFollowTheFile()
{
    CatalogueReader r;
    QCOMPARE(r.load(QByteArray("T,A\na,b\n\"c\nc\",d\n\ne,f\n"), CatalogueFormat::Auto), ReadError::None);
    QList<qint64> lines;
    rowsOf(r, &lines);
    QCOMPARE(lines, (QList<qint64>{2, 3, 6}));

    QCOMPARE(r.load(sheet("<td>", {"a", "b"}), CatalogueFormat::Auto), ReadError::None);
    lines.clear();
    rowsOf(r, &lines);
    QCOMPARE(lines, QList<qint64>{2});
}

void TestCatalogueReader::errors_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<CatalogueFormat>("format");
    QTest::addColumn<ReadError>("error");
    QTest::newRow("empty") << QByteArray() << CatalogueFormat::Auto << ReadError::Empty;
    QTest::newRow("blanks only") << QByteArray(" \r\n\t\n") << CatalogueFormat::Auto << ReadError::Empty;
    QTest::newRow("byte-order mark only") << QByteArray("\xEF\xBB\xBF") << CatalogueFormat::Auto << ReadError::Empty;
    QTest::newRow("zero byte") << QByteArray("T,A\nx\0y,z\n", 10) << CatalogueFormat::Auto << ReadError::NotText;
    QTest::newRow("picture") << QByteArray("\x89PNG\r\n\x1a\n\x01\x02\x03\x04\x05\x06\x07", 15) << CatalogueFormat::Auto
                             << ReadError::NotText;
    QTest::newRow("header only") << QByteArray("Titolo;Autore\r\n") << CatalogueFormat::Auto << ReadError::NoRows;
    QTest::newRow("header and blank rows")
        << QByteArray("Titolo;Autore\r\n;\r\n \r\n") << CatalogueFormat::Auto << ReadError::NoRows;
    QTest::newRow("document with header only")
        << QByteArray("<html><table><tr><td>Titolo libro</td></tr></table></html>") << CatalogueFormat::Auto
        << ReadError::NoRows;
    QTest::newRow("document forced on a csv")
        << QByteArray("T,A\nx,y\n") << CatalogueFormat::Spreadsheet << ReadError::NotSpreadsheet;
}

void TestCatalogueReader::errors()
{
    QFETCH(QByteArray, file);
    QFETCH(CatalogueFormat, format);
    QFETCH(ReadError, error);
    CatalogueReader r;
    QCOMPARE(r.load(file, format), error);
    CatalogueRow row;
    if (error != ReadError::None) QVERIFY(!r.next(row));
}

void TestCatalogueReader::formatFound_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<CatalogueFormat>("requested");
    QTest::addColumn<CatalogueFormat>("found");
    const QByteArray gr = "Book Id,Title,Author,ISBN\n1,T,A,x\n";
    const QByteArray lt = "Book Id\tTitle\tPrimary Author\n1\tT\tA\n";
    const QByteArray doc = sheet("<td style=\"text-align: left;\">", {"T", "A"});
    QTest::newRow("goodreads") << gr << CatalogueFormat::Auto << CatalogueFormat::Goodreads;
    QTest::newRow("librarything") << lt << CatalogueFormat::Auto << CatalogueFormat::LibraryThing;
    QTest::newRow("librarything names with commas")
        << QByteArray("Book Id,Title,Primary Author\n1,T,A\n") << CatalogueFormat::Auto << CatalogueFormat::Delimited;
    QTest::newRow("document") << doc << CatalogueFormat::Auto << CatalogueFormat::Spreadsheet;
    QTest::newRow("plain csv") << QByteArray("Titolo,Autore\nT,A\n") << CatalogueFormat::Auto
                               << CatalogueFormat::Delimited;
    QTest::newRow("goodreads forced on a plain csv")
        << QByteArray("Title,Author\nT,A\n") << CatalogueFormat::Goodreads << CatalogueFormat::Goodreads;
    QTest::newRow("plain forced on goodreads") << gr << CatalogueFormat::Delimited << CatalogueFormat::Delimited;
}

void TestCatalogueReader::formatFound()
{
    QFETCH(QByteArray, file);
    QFETCH(CatalogueFormat, requested);
    QFETCH(CatalogueFormat, found);
    CatalogueReader r;
    QCOMPARE(r.load(file, requested), ReadError::None);
    QCOMPARE(r.format(), found);
}

void TestCatalogueReader::sheetCells_data()
{
    QTest::addColumn<QByteArray>("bodyCell");
    QTest::addColumn<QList<QByteArray>>("cells");
    QTest::addColumn<QStringList>("texts");
    const QList<QByteArray> raw = {"A &amp; B &lt;C&gt; &quot;d&quot;", "Citt\xE0 \x80", "uno\r\ndue\r\ntre"};
    const QStringList texts = {"A & B <C> \"d\"", QStringLiteral("Città €"), "uno\r\ndue\r\ntre"};
    QTest::newRow("as exported") << QByteArray("<td style=\"text-align: left;\">") << raw << texts;
    QTest::newRow("text-format cells") << QByteArray("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">") << raw
                                       << texts;
    QTest::newRow("upper-case tags, numeric references")
        << QByteArray("<TD class=x>") << QList<QByteArray>{"&#233;&#xE8;&#X20AC;", "a<br>b<BR/>c", "<b>x</b> &bogus; &"}
        << QStringList{QStringLiteral("éè€"), "a\r\nb\r\nc", "x &bogus; &"};
}

void TestCatalogueReader::sheetCells()
{
    QFETCH(QByteArray, bodyCell);
    QFETCH(QList<QByteArray>, cells);
    QFETCH(QStringList, texts);
    CatalogueReader r;
    QCOMPARE(r.load(sheet(bodyCell.constData(), cells), CatalogueFormat::Auto), ReadError::None);
    QCOMPARE(r.format(), CatalogueFormat::Spreadsheet);
    QCOMPARE(r.headers(), (QStringList{"Titolo libro", "Autore"}));
    QCOMPARE(rowsOf(r), QList<QStringList>{texts});
}

void TestCatalogueReader::headersNamingFields_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("field");
    using namespace libro;
    QTest::newRow("card caption") << "Titolo libro:" << int(Titolo);
    QTest::newRow("case, blanks, colon") << "  TITOLO   LIBRO : " << int(Titolo);
    QTest::newRow("export heading") << "Codice identificativo" << int(Codice);
    QTest::newRow("accent dropped") << "Citta pubblicazione" << int(Citta);
    QTest::newRow("accent kept") << QStringLiteral("CITTÀ") << int(Citta);
    QTest::newRow("field name") << "Editore" << int(Editore);
    QTest::newRow("caption of the publisher") << "Casa editrice" << int(Editore);
    QTest::newRow("first publication") << "1^ pubbl." << int(Prima);
    QTest::newRow("cancelled") << "Scheda annullata" << int(Annullata);
    QTest::newRow("lent to") << "Prestato a:" << int(Prestato);
    QTest::newRow("english publisher") << "Publisher" << int(Editore);
    QTest::newRow("english editor") << "editor" << int(Curatore);
    QTest::newRow("english place") << "Place" << int(Citta);
    QTest::newRow("english shelf") << "Shelf" << int(Scaffale);
    QTest::newRow("hidden field is not chosen") << "Convalida" << -1;
    QTest::newRow("attachment is not chosen") << "File01" << -1;
    QTest::newRow("unknown") << "Rating" << -1;
}

void TestCatalogueReader::headersNamingFields()
{
    QFETCH(QString, header);
    QFETCH(int, field);
    QCOMPARE(importfields::fieldForHeader(header), field);
}

void TestCatalogueReader::rules_data()
{
    QTest::addColumn<CellRule>("rule");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("text");
    QTest::newRow("formula") << CellRule::FormulaQuotes << "=\"8804668237\""
                             << "8804668237";
    QTest::newRow("empty formula") << CellRule::FormulaQuotes << "=\"\""
                                   << "";
    QTest::newRow("no formula") << CellRule::FormulaQuotes << "8804668237"
                                << "8804668237";
    QTest::newRow("brackets") << CellRule::Brackets << "[2070291340]"
                              << "2070291340";
    QTest::newRow("publication") << CellRule::UpToParenthesis << "Gallimard (1979), Poche"
                                 << "Gallimard";
    QTest::newRow("publication without year") << CellRule::UpToParenthesis << "Gallimard"
                                              << "Gallimard";
    QTest::newRow("dewey") << CellRule::FirstThree << "853.914"
                           << "853";
    QTest::newRow("date in brackets") << CellRule::IsoDate << "[2007-04-16]"
                                      << "16/04/2007";
    QTest::newRow("short date") << CellRule::IsoDate << "2024-3-5"
                                << "05/03/2024";
    QTest::newRow("other date kept") << CellRule::IsoDate << "aprile 2007"
                                     << "aprile 2007";
}

void TestCatalogueReader::rules()
{
    QFETCH(CellRule, rule);
    QFETCH(QString, cell);
    QFETCH(QString, text);
    QCOMPARE(applyRule(rule, cell), text);
}

QTEST_GUILESS_MAIN(TestCatalogueReader)
#include "tst_catalogue_reader.moc"
