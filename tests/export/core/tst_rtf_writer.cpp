// The RTF card documents, byte for byte, written from plain values.
#include "export/core/RtfCards.h"
#include "export/core/RtfWriter.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTest>

using namespace opusteca;

namespace {

QByteArray head(const QByteArray &title)
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040{\\fonttbl{\\f0\\fnil\\fcharset0 Verdana;}"
           "{\\f1\\fnil Verdana;}}"
           "{\\colortbl ;\\red0\\green0\\blue0;}"
           "\\viewkind4\\uc1\\pard\\qc\\cf1\\b\\f0\\fs24 " +
           title +
           "\\f1\\fs16"
           "\\par \\fs24 ________________________________________________"
           "\\par";
}

// The author card's prefixes as the document must carry them.
const QList<QByteArray> kAuthorPrefixes = {
    "\\par \\pard\\f0\\fs20 Nome:\\b0\\f1  \\f0 ",
    "\\par \\b Nazionalit\\'e0:\\b0\\f1  \\f0 ",
    "\\par \\b Periodo storico:\\b0\\f1  \\f0 ",
    "\\par \\b Corrente letteraria:\\b0\\f1  \\f0 ",
    "\\par \\b Generi trattati:\\b0\\f1  \\f0 ",
    "\\par \\b Biografia:\\b0\\f1  \\f0 ",
    "\\par \\b Opere:\\b0\\f1  \\f0 ",
    "\\par \\b Pensiero:\\b0\\f1  \\f0 ",
    "\\par \\b Capolavoro:\\b0\\f1  \\f0 ",
    "\\par \\b Giudizio personale:\\b0\\f1  \\f0 ",
};

const QList<QByteArray> kBibliographyPrefixes = {
    "\\par \\pard\\f0\\fs20 Titolo ricerca:\\b0\\f1  \\f0 ",
    "\\par \\b Data inizio:\\b0\\f1  \\f0 ",
    "\\par \\b Data fine:\\b0\\f1  \\f0 ",
    "\\par \\b Argomento trattato:\\b0\\f1  \\f0 ",
    "\\par \\b Scopo della ricerca:\\b0\\f1  \\f0 ",
    "\\par \\b Ricercatori:\\b0\\f1  \\f0 ",
    "\\par \\b Bibliografia:\\b0\\f1  \\f0 ",
    "\\par \\b Data e luogo presentazione:\\b0\\f1  \\f0 ",
    "\\par \\b Relatori:\\b0\\f1  \\f0 ",
    "\\par \\b Destinatari:\\b0\\f1  \\f0 ",
};

QByteArray expectedDocument(const QByteArray &title, const QList<QByteArray> &prefixes, const QList<QByteArray> &values)
{
    QByteArray doc = head(title);
    for (qsizetype i = 0; i < prefixes.size(); ++i) {
        doc += prefixes[i] + values.value(i);
        if (i + 1 == prefixes.size()) doc += "\\b";
        doc += "\\par";
    }
    return doc + "\\par }";
}

QList<RtfField> cardFields(const RtfCardKind &kind, const QStringList &values)
{
    QList<RtfField> out;
    for (qsizetype i = 0; i < qsizetype(kind.fields.size()); ++i)
        out.append({QString::fromUtf8(kind.fields[size_t(i)].label), values.value(i)});
    return out;
}

} // namespace

class TestRtfWriter : public QObject {
    Q_OBJECT

private slots:
    void authorCard();
    void emptyCards_data();
    void emptyCards();
    void value_data();
    void value();
    void writesToDevice();
};

void TestRtfWriter::authorCard()
{
    const RtfCardKind &kind = rtfCardKind(RtfCard::Author);
    QCOMPARE(QByteArray(kind.title), QByteArray("SCHEDA AUTORE"));
    QCOMPARE(QByteArray(kind.documentName), QByteArray("Scheda_Autore.rtf"));
    const QStringList values{
        QStringLiteral("  Giovanni Verga "),   QStringLiteral("Italiana"),
        QStringLiteral("Ottocento"),           QStringLiteral("Verismo"),
        QStringLiteral("Romanzi, novelle"),    QStringLiteral("Nato a Catania.\r\nVisse a Milano.\r\nMorì nel 1922."),
        QStringLiteral("I Malavoglia"),        QString(),
        QStringLiteral("Mastro-don Gesualdo"), QStringLiteral("{Ottimo} \\ C:\\Libri")};
    const QByteArray doc = rtfCard(QString::fromLatin1(kind.title), cardFields(kind, values));
    const QList<QByteArray> expectedValues{
        "Giovanni Verga",      "Italiana",
        "Ottocento",           "Verismo",
        "Romanzi, novelle",    "Nato a Catania.\\par Visse a Milano.\\par Mor\xEC nel 1922.",
        "I Malavoglia",        "",
        "Mastro-don Gesualdo", "\\{Ottimo\\} \\\\ C:\\\\Libri"};
    QCOMPARE(doc, expectedDocument("SCHEDA AUTORE", kAuthorPrefixes, expectedValues));
    QVERIFY(!doc.contains('\n') && !doc.contains('\r'));
}

void TestRtfWriter::emptyCards_data()
{
    QTest::addColumn<int>("card");
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QByteArray>("documentName");
    QTest::newRow("author") << int(RtfCard::Author) << QByteArray("SCHEDA AUTORE") << QByteArray("Scheda_Autore.rtf");
    QTest::newRow("bibliography") << int(RtfCard::Bibliography) << QByteArray("SCHEDA RICERCA BIBLIOGRAFICA")
                                  << QByteArray("Scheda_Bibliografia.rtf");
}

void TestRtfWriter::emptyCards()
{
    QFETCH(int, card);
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, documentName);
    const RtfCardKind &kind = rtfCardKind(RtfCard(card));
    QCOMPARE(QByteArray(kind.title), title);
    QCOMPARE(QByteArray(kind.documentName), documentName);
    const QByteArray doc =
        rtfCard(QString::fromLatin1(kind.title), cardFields(kind, QStringList(10, QStringLiteral("  "))));
    const auto &prefixes = RtfCard(card) == RtfCard::Author ? kAuthorPrefixes : kBibliographyPrefixes;
    QCOMPARE(doc, expectedDocument(title, prefixes, {}));
}

void TestRtfWriter::value_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("backslash") << QStringLiteral("C:\\Autori\\Verga") << QByteArray("C:\\\\Autori\\\\Verga");
    QTest::newRow("braces") << QStringLiteral("{titolo}") << QByteArray("\\{titolo\\}");
    QTest::newRow("control word typed") << QStringLiteral("\\par") << QByteArray("\\\\par");
    QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << QByteArray("a\\par b");
    QTest::newRow("LF CR is one break") << QStringLiteral("a\n\rb") << QByteArray("a\\par b");
    QTest::newRow("lone LF") << QStringLiteral("a\nb") << QByteArray("a\\par b");
    QTest::newRow("lone CR") << QStringLiteral("a\rb") << QByteArray("a\\par b");
    QTest::newRow("empty line between") << QStringLiteral("a\r\n\r\nb") << QByteArray("a\\par \\par b");
    QTest::newRow("breaks at the ends trimmed") << QStringLiteral("\r\n a \r\n") << QByteArray("a");
    QTest::newRow("accented letters as bytes") << QStringLiteral("città è") << QByteArray("citt\xE0 \xE8");
    QTest::newRow("euro") << QStringLiteral("\u20AC") << QByteArray("\x80");
    QTest::newRow("outside the code page") << QStringLiteral("\u0391\u03B8\u03AE\u03BD\u03B1") << QByteArray("?????");
    QTest::newRow("outside the plane") << QStringLiteral("\U0001F600") << QByteArray("?");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestRtfWriter::value()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, written);
    const QByteArray doc = rtfCard(QStringLiteral("T"), {{QStringLiteral("L:"), typed}});
    QCOMPARE(doc, head("T") + "\\par \\pard\\f0\\fs20 L:\\b0\\f1  \\f0 " + written + "\\b\\par\\par }");
}

void TestRtfWriter::writesToDevice()
{
    const QList<RtfField> fields{{QStringLiteral("Nome:"), QStringLiteral("x")}};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(writeRtfCard(buffer, QStringLiteral("T"), fields));
    QCOMPARE(buffer.data(), rtfCard(QStringLiteral("T"), fields));

    QBuffer refusing;
    refusing.open(QIODevice::ReadOnly);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
    QVERIFY(!writeRtfCard(refusing, QStringLiteral("T"), fields));
}

QTEST_GUILESS_MAIN(TestRtfWriter)
#include "tst_rtf_writer.moc"
