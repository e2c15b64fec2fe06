// The documents as a real office suite reads them: the spreadsheet of a
// seeded archive converted to CSV, the author card's RTF converted to text.
#include "export/core/DocumentFile.h"
#include "export/core/ExportKinds.h"
#include "export/core/PreviewModel.h"
#include "export/core/RtfCards.h"
#include "export/core/RtfWriter.h"
#include "export/core/SpreadsheetWriter.h"
#include "store/BookRecord.h"
#include "store/Record.h"
#include "support/Office.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace opusteca;

namespace {

// Splits CSV text (comma, double quotes doubled inside quoted cells) into rows.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << cell;
            cell.clear();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            row << cell;
            rows << row;
            row.clear();
            cell.clear();
        } else {
            cell += c;
        }
    }
    if (!cell.isEmpty() || !row.isEmpty()) rows << (row << cell);
    return rows;
}

struct Book {
    QString title, author, publisher, note;
    bool cancelled;
};

const QList<Book> kBooks = {
    {QStringLiteral("Il Gattopardo"), QStringLiteral("Giuseppe Tomasi di Lampedusa"), QStringLiteral("Feltrinelli"),
     QStringLiteral("Prima edizione, copertina rigida"), false},
    {QStringLiteral("Perché leggere i classici"), QStringLiteral("Italo Calvino"), QStringLiteral("Mondadori"),
     QStringLiteral("Citazione: \"leggere è ascoltare\""), true},
    {QStringLiteral("Fratelli & <sorelle>"), QStringLiteral("Anonimo"), QStringLiteral("Città Nuova"),
     QStringLiteral("a < b & c > d"), false},
    {QStringLiteral("Coscienza di Zeno"), QStringLiteral("Italo Svevo"), QStringLiteral("Dall'Oglio"),
     QStringLiteral("Trieste, caffè, sigarette"), false},
};

struct TextLike {
    QString code, isbn, price, note;
};

const QList<TextLike> kTextLike = {
    {QStringLiteral("0012"), QStringLiteral("0140449132"), QStringLiteral("12,50"), QStringLiteral("=1+1")},
    {QStringLiteral("0140"), QStringLiteral("9788845292613"), QStringLiteral("7"), QStringLiteral("1/2")},
};

// The 25 columns of the book sheet, left to right: heading and the field each
// shows. Every field of the fixture holds a value of its own (Annullata aside),
// so a column showing another field's value is caught.
struct BookColumn {
    const char *heading;
    int field;
};
const BookColumn kBookSheet[] = {
    {"Titolo libro", libro::Titolo},
    {"Codice identificativo", libro::Codice},
    {"Scaffale", libro::Scaffale},
    {"Autore", libro::Autore},
    {"Nazione", libro::Nazione},
    {"Curatore", libro::Curatore},
    {"Codice Dewey", libro::Dewey},
    {"Pagine", libro::Pagine},
    {"Genere", libro::Genere},
    {"Giudizio", libro::Giudizio},
    {"Casa editrice", libro::Editore},
    {"ISBN", libro::Isbn},
    {"Città pubblicazione", libro::Citta},
    {"Anno pubblicazione", libro::Anno},
    {"Volumi", libro::Volumi},
    {"Prezzo", libro::Prezzo},
    {"Collana", libro::Collana},
    {"Formato", libro::Formato},
    {"Titolo originale", libro::Originale},
    {"Lingua", libro::Lingua},
    {"Prima pubblicazione", libro::Prima},
    {"Traduttore", libro::Traduttore},
    {"Versione", libro::Versione},
    {"Note", libro::Note},
    {"Scheda annullata", libro::Annullata},
};

// What book `i` of the fixture holds in `field`.
QString bookValue(int i, int field)
{
    const Book &b = kBooks[i];
    const QString n = QString::number(i + 1);
    switch (field) {
    case libro::Titolo:
        return b.title;
    case libro::Codice:
        return QStringLiteral("LIB-") + n;
    case libro::Scaffale:
        return QStringLiteral("Scaffale B") + n;
    case libro::Autore:
        return b.author;
    case libro::Nazione:
        return QStringLiteral("Nazione ") + n;
    case libro::Curatore:
        return QStringLiteral("Curatore ") + n;
    case libro::Dewey:
        return QStringLiteral("85") + n;
    case libro::Pagine:
        return QStringLiteral("50") + n;
    case libro::Genere:
        return QStringLiteral("Genere ") + n;
    case libro::Giudizio:
        return QStringLiteral("Giudizio ") + n;
    case libro::Editore:
        return b.publisher;
    case libro::Isbn:
        return QStringLiteral("88-452-073") + n;
    case libro::Citta:
        return QStringLiteral("Città ") + n;
    case libro::Anno:
        return QStringLiteral("198") + n;
    case libro::Volumi:
        return QStringLiteral("Volumi ") + n;
    case libro::Prezzo:
        return QStringLiteral("12,5") + n;
    case libro::Collana:
        return QStringLiteral("Collana ") + n;
    case libro::Formato:
        return QStringLiteral("Formato ") + n;
    case libro::Originale:
        return QStringLiteral("Originale ") + n;
    case libro::Lingua:
        return QStringLiteral("Lingua ") + n;
    case libro::Prima:
        return QStringLiteral("197") + n;
    case libro::Traduttore:
        return QStringLiteral("Traduttore ") + n;
    case libro::Versione:
        return QStringLiteral("Versione ") + n;
    case libro::Note:
        return b.note;
    case libro::Annullata:
        return b.cancelled ? QStringLiteral("Sì") : QStringLiteral("No");
    default:
        return QString();
    }
}

} // namespace

class TestOfficeDocuments : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void spreadsheetOpensAsTyped();
    void rtfCardReadsAsTyped();

private:
    // Converts `input` with the office suite into `filter`; the converted file's text.
    QString convert(const QString &input, const QString &filter, const QString &extension);

    QTemporaryDir m_dir;
};

void TestOfficeDocuments::initTestCase()
{
    if (test::officeProgram().isEmpty())
        QFAIL("soffice not found: these checks need LibreOffice (Debian packages libreoffice-calc-nogui and "
              "libreoffice-writer-nogui, which ./scripts/test.sh installs).");
    QVERIFY(m_dir.isValid());
}

QString TestOfficeDocuments::convert(const QString &input, const QString &filter, const QString &extension)
{
    const QString text = test::officeConvert(input, filter, extension, m_dir.path());
    if (text.isEmpty()) qWarning("soffice gave no %s of %s", qPrintable(extension), qPrintable(input));
    return text;
}

void TestOfficeDocuments::spreadsheetOpensAsTyped()
{
    const QString folder = m_dir.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(folder));
    QByteArray archive;
    for (int i = 0; i < kBooks.size(); ++i) {
        Record r(bookLayout());
        for (const BookColumn &c : kBookSheet) r.setText(c.field, bookValue(i, c.field));
        r.setText(libro::Annullata, kBooks[i].cancelled ? libro::yes() : libro::no());
        archive += r.bytes();
    }
    // Texts a spreadsheet program would take for numbers or a formula.
    for (const TextLike &t : kTextLike) {
        Record r(bookLayout());
        r.setText(libro::Titolo, QStringLiteral("Cifre"));
        r.setText(libro::Codice, t.code);
        r.setText(libro::Autore, QStringLiteral("Anonimo"));
        r.setText(libro::Isbn, t.isbn);
        r.setText(libro::Prezzo, t.price);
        r.setText(libro::Note, t.note);
        archive += r.bytes();
    }
    QFile f(QDir(folder).filePath(QStringLiteral("Libri.pro")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(archive);
    f.close();

    const ExportKind &kind = exportKind(ExportArchive::Books);
    PreviewModel model(kind);
    QVERIFY(model.fill(folder));
    const QString doc = QDir(folder).filePath(QString::fromLatin1(kind.documentName));
    QVERIFY(saveDocument(doc, [&](QIODevice &out) {
        SpreadsheetWriter w(out);
        w.begin(QString::fromLatin1(kind.sheetName), kind.sheetColumns());
        model.writeRows(w);
        return w.finish();
    }));

    // Comma-separated, cells in double quotes, UTF-8, from the first sheet.
    const QString csv =
        convert(doc, QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"), QStringLiteral("csv"));
    QVERIFY2(!csv.isEmpty(), "no CSV came back");
    const QList<QStringList> rows = parseCsv(csv);
    QCOMPARE(rows.size(), 1 + kBooks.size() + kTextLike.size());
    QStringList headings;
    for (const BookColumn &c : kBookSheet) headings << QString::fromUtf8(c.heading);
    QCOMPARE(rows[0], headings);
    for (int i = 0; i < kBooks.size(); ++i) {
        QStringList expected;
        for (const BookColumn &c : kBookSheet) expected << bookValue(i, c.field);
        QCOMPARE(rows[i + 1], expected);
    }
    const auto columnOf = [](int field) {
        for (size_t c = 0; c < std::size(kBookSheet); ++c)
            if (kBookSheet[c].field == field) return int(c);
        return -1;
    };
    const int code = columnOf(libro::Codice), isbn = columnOf(libro::Isbn), price = columnOf(libro::Prezzo),
              note = columnOf(libro::Note);
    QVERIFY(code >= 0 && isbn >= 0 && price >= 0 && note >= 0);
    for (qsizetype i = 0; i < kTextLike.size(); ++i) {
        const QStringList &row = rows[1 + kBooks.size() + i];
        QCOMPARE(row.value(code), kTextLike[i].code);
        QCOMPARE(row.value(isbn), kTextLike[i].isbn);
        QCOMPARE(row.value(price), kTextLike[i].price);
        QCOMPARE(row.value(note), kTextLike[i].note);
    }

    // Read as a sheet, every cell is text: no number, no formula.
    const QString sheet = convert(doc, QStringLiteral("fods"), QStringLiteral("fods"));
    QVERIFY2(!sheet.isEmpty(), "no sheet came back");
    const QString body = sheet.mid(sheet.indexOf(QStringLiteral("<office:body>")));
    QVERIFY(!body.contains(QStringLiteral("table:formula")));
    QVERIFY(!body.contains(QStringLiteral("office:value-type=\"float\"")));
    for (const TextLike &t : kTextLike)
        for (const QString &value : {t.code, t.isbn, t.price, t.note})
            QVERIFY2(body.contains(QRegularExpression(QStringLiteral("office:value-type=\"string\"[^>]*>\\s*<text:p>") +
                                                      QRegularExpression::escape(value) + QStringLiteral("</text:p>"))),
                     qPrintable(value));
}

void TestOfficeDocuments::rtfCardReadsAsTyped()
{
    const RtfCardKind &kind = rtfCardKind(RtfCard::Author);
    const QStringList values{QStringLiteral("Giovanni Verga"),
                             QStringLiteral("Italiana"),
                             QStringLiteral("Ottocento"),
                             QStringLiteral("Verismo"),
                             QStringLiteral("Romanzi, novelle {brevi}"),
                             QStringLiteral("Nacque a Catania.\r\nVisse a Firenze e Milano.\r\nMorì nel 1922."),
                             QStringLiteral("I Malavoglia"),
                             QStringLiteral("Il \"vinto\" e la fiumana del progresso"),
                             QStringLiteral("Mastro-don Gesualdo"),
                             QStringLiteral("C:\\Letture\\Verga {da rileggere}")};
    QList<RtfField> fields;
    for (size_t i = 0; i < kind.fields.size(); ++i)
        fields.append({QString::fromUtf8(kind.fields[i].label), values[qsizetype(i)]});
    const QString doc = m_dir.filePath(QString::fromLatin1(kind.documentName));
    QVERIFY(
        saveDocument(doc, [&](QIODevice &out) { return writeRtfCard(out, QString::fromLatin1(kind.title), fields); }));

    const QStringList paragraphs = test::officeParagraphs(doc, m_dir.path());
    QVERIFY2(!paragraphs.isEmpty(), "no text came back");

    const QStringList expected{QStringLiteral("SCHEDA AUTORE"),
                               QString(48, QLatin1Char('_')),
                               QString(),
                               QStringLiteral("Nome: Giovanni Verga"),
                               QString(),
                               QStringLiteral("Nazionalità: Italiana"),
                               QString(),
                               QStringLiteral("Periodo storico: Ottocento"),
                               QString(),
                               QStringLiteral("Corrente letteraria: Verismo"),
                               QString(),
                               QStringLiteral("Generi trattati: Romanzi, novelle {brevi}"),
                               QString(),
                               QStringLiteral("Biografia: Nacque a Catania."),
                               QStringLiteral("Visse a Firenze e Milano."),
                               QStringLiteral("Morì nel 1922."),
                               QString(),
                               QStringLiteral("Opere: I Malavoglia"),
                               QString(),
                               QStringLiteral("Pensiero: Il \"vinto\" e la fiumana del progresso"),
                               QString(),
                               QStringLiteral("Capolavoro: Mastro-don Gesualdo"),
                               QString(),
                               QStringLiteral("Giudizio personale: C:\\Letture\\Verga {da rileggere}")};
    QCOMPARE(paragraphs, expected);
}

QTEST_GUILESS_MAIN(TestOfficeDocuments)
#include "tst_office_documents.moc"
