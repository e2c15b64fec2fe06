#include "SearchFixtures.h"
#include "search/core/LineSort.h"
#include "search/core/ListLine.h"
#include "search/core/SearchKinds.h"
#include "store/Cp1252.h"

#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace opusteca;
using namespace opusteca::test;

namespace {
QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

// Short random lines over an alphabet full of near-ties (case pairs, accented
// letters, codes past Latin-1, control characters), after a shared prefix.
QStringList randomLines(int seed, int prefix)
{
    const QString alphabet = QStringLiteral("aAbB _[\u00E8\u00C8\u20AC\u0001zZ");
    std::srand(unsigned(seed));
    QStringList lines;
    for (int i = 0; i < 3000; ++i) {
        QString l = QStringLiteral("Cod. prefisso comune").left(prefix);
        const int len = std::rand() % 20;
        for (int c = 0; c < len; ++c) l += alphabet[std::rand() % alphabet.size()];
        lines << l;
    }
    return lines;
}

// The lines sorted as a search sorts them: stored bytes, keys taken as added.
QStringList sortedAsSearched(const QStringList &lines, qsizetype skip = 0)
{
    linesort::SortedLines sorted(skip);
    for (const QString &l : lines) sorted.append(cp1252::encode(l));
    return sorted.take().texts();
}

QStringList stableSorted(QStringList lines)
{
    std::stable_sort(lines.begin(), lines.end(),
                     [](const QString &a, const QString &b) { return linesort::less(a, b); });
    return lines;
}
} // namespace

class TestSearchLines : public QObject {
    Q_OBJECT
private slots:
    void pad_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("padded");
        QTest::newRow("short") << "A12" << 6 << "A12   ";
        QTest::newRow("trimmed first") << "  A12 \t" << 6 << "A12   ";
        QTest::newRow("exact") << "ABCDEF" << 6 << "ABCDEF";
        QTest::newRow("cut") << "ABCDEFGH" << 6 << "ABCDEF";
        QTest::newRow("cut after trimming") << "   ABCDEFGH" << 6 << "ABCDEF";
        QTest::newRow("empty") << "" << 3 << "   ";
        QTest::newRow("inner blanks kept") << "a  b" << 5 << "a  b ";
    }
    void pad()
    {
        QFETCH(QString, value);
        QFETCH(int, width);
        QFETCH(QString, padded);
        QCOMPARE(listline::pad(value, width), padded);
    }

    void workedBookExample()
    {
        const QString title = QStringLiteral("Il nome della rosa"); // 18 characters
        const QString author = QStringLiteral("Umberto Eco");       // 11 characters
        const Record r =
            book("A12", title, author, {{libro::Citta, "Milano"}, {libro::Editore, "Bompiani"}, {libro::Anno, "1980"}});
        const QString expected =
            "Cod. A12" + blanks(21) + "  " + title + blanks(32) + "  " + author + blanks(19) + "  Milano Bompiani 1980";
        QCOMPARE(listline::build(searchKind(SearchKind::Books), r), expected);
        QCOMPARE(expected.size(), 5 + 24 + 2 + 50 + 2 + 30 + 2 + 20);
    }

    void bookLine_data()
    {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QString>("line");
        const QString t60 = QString(60, QLatin1Char('t'));
        const QString a45 = QStringLiteral("Giovanni Francesco Straparola da Caravaggio X"); // 45
        QTest::newRow("empty trailing fields leave blanks")
            << Fields{{libro::Codice, "C1"}, {libro::Titolo, "T"}, {libro::Autore, "A"}}
            << "Cod. C1" + blanks(22) + "  T" + blanks(49) + "  A" + blanks(29) + "  " + " " + " ";
        QTest::newRow("long title and author cut")
            << Fields{{libro::Codice, "C1"}, {libro::Titolo, t60}, {libro::Autore, a45}, {libro::Anno, "1980"}}
            << "Cod. C1" + blanks(22) + "  " + t60.left(50) + "  " + a45.left(30) + "    1980";
        QTest::newRow("24-character code fills its column")
            << Fields{{libro::Codice, "ABCDEFGHIJKLMNOPQRSTUVWX"},
                      {libro::Titolo, "T"},
                      {libro::Autore, "A"},
                      {libro::Citta, QStringLiteral("Citt\u00E0 di Castello")},
                      {libro::Editore, "Lapi"}}
            << "Cod. ABCDEFGHIJKLMNOPQRSTUVWX  T" + blanks(49) + "  A" + blanks(29) + "  " +
                   QStringLiteral("Citt\u00E0 di Castello") + " Lapi ";
        QTest::newRow("city missing, publisher and year kept")
            << Fields{{libro::Codice, "C1"},
                      {libro::Titolo, "T"},
                      {libro::Autore, "A"},
                      {libro::Editore, "Einaudi"},
                      {libro::Anno, "1947"}}
            << "Cod. C1" + blanks(22) + "  T" + blanks(49) + "  A" + blanks(29) + "  " + " Einaudi 1947";
    }
    void bookLine()
    {
        QFETCH(Fields, fields);
        QFETCH(QString, line);
        QCOMPARE(listline::build(searchKind(SearchKind::Books), book(fields)), line);
        QCOMPARE(listline::build(searchKind(SearchKind::AvailableBooks), book(fields)), line);
    }

    void bookLineTrimsValuesLeftUntrimmedByAnotherWriter()
    {
        Record r = book("X", "T", "A");
        putRawBookField(r, libro::Codice, "  A12 ");
        putRawBookField(r, libro::Anno, " 1980\t");
        const QString line = listline::build(searchKind(SearchKind::Books), r);
        QVERIFY2(line.startsWith("Cod. A12" + blanks(21) + "  T"), qPrintable(line));
        QVERIFY2(line.endsWith("  1980"), qPrintable(line));
    }

    void bookLineOfDamagedLength()
    {
        // A length byte above the capacity reads as the whole capacity.
        Record r = book("C", "T", "A");
        putRawBookField(r, libro::Codice, QByteArray(24, 'K'), 255);
        const QString line = listline::build(searchKind(SearchKind::Books), r);
        QCOMPARE(line.mid(5, 24), QString(24, QLatin1Char('K')));
        QCOMPARE(line.mid(29, 3), QStringLiteral("  T"));
    }

    void authorLine()
    {
        const Record r = makeRecord(authorLayout(), {{autore::Autore, "  Dante Alighieri "},
                                                     {autore::Nazione, QStringLiteral("Italia ")},
                                                     {autore::Periodo, QString(40, QLatin1Char('p'))},
                                                     {autore::Corrente, QStringLiteral(" Dolce stil novo ")},
                                                     {autore::Biografia, "Nato a Firenze"}});
        const QString expected = "Dante Alighieri" + blanks(15) + "  Nazione: Italia" + blanks(24) +
                                 "  Periodo: " + QString(30, QLatin1Char('p')) + "  Corrente: Dolce stil novo";
        QCOMPARE(listline::build(searchKind(SearchKind::Authors), r), expected);
    }

    void bibliographyLine()
    {
        const Record r =
            makeRecord(bibliographyLayout(), {{bibliografia::Titolo, QStringLiteral("Il Trecento in Toscana")},
                                              {bibliografia::DataInizio, "marzo 2021"},
                                              {bibliografia::DataFine, "2022"},
                                              {bibliografia::Argomento, "Letteratura"}});
        const QString expected =
            "Il Trecento in Toscana" + blanks(28) + "  Inizio: marzo 2021" + "  Fine: 2022" + blanks(6) + "  Scopo: ";
        QCOMPARE(listline::build(searchKind(SearchKind::Bibliographies), r), expected);
    }

    void lineOfAnotherLayoutIsRefused()
    {
        const Record a = makeRecord(authorLayout(), {{autore::Autore, "Dante"}});
        QCOMPARE(listline::build(searchKind(SearchKind::Books), a), QString());
    }

    void sort_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("a12 and A12 adjacent, stable")
            << QStringList{"Cod. B1", "Cod. A12  x", "Cod. a12  x", "Cod. A120"}
            << QStringList{"Cod. A12  x", "Cod. a12  x", "Cod. A120", "Cod. B1"};
        QTest::newRow("equal lines keep input order") << QStringList{"Cod. a12  x", "Cod. B1", "Cod. A12  x"}
                                                      << QStringList{"Cod. a12  x", "Cod. A12  x", "Cod. B1"};
        QTest::newRow("accented letters not folded, after Z")
            << QStringList{QStringLiteral("\u00C8rba"), "erba", "Zeta", QStringLiteral("\u00E8rba"), "Erba"}
            << QStringList{"erba", "Erba", "Zeta", QStringLiteral("\u00C8rba"), QStringLiteral("\u00E8rba")};
        QTest::newRow("letters fold upwards: a before underscore")
            << QStringList{"_x", "ax", "Zx", "[x"} << QStringList{"ax", "Zx", "[x", "_x"};
        QTest::newRow("code units: euro after y with diaeresis")
            << QStringList{QStringLiteral("\u20AC"), QStringLiteral("\u00FF"), "~"}
            << QStringList{"~", QStringLiteral("\u00FF"), QStringLiteral("\u20AC")};
        QTest::newRow("end of line before a zero byte, decided past the key")
            << QStringList{QStringLiteral("Cod. ABCDEFGHIJKLMNOPQRSTUVWXYZ") + QChar(0),
                           "Cod. abcdefghijklmnopqrstuvwxyz"}
            << QStringList{"Cod. abcdefghijklmnopqrstuvwxyz",
                           QStringLiteral("Cod. ABCDEFGHIJKLMNOPQRSTUVWXYZ") + QChar(0)};
        QTest::newRow("prefix first, blank before letters")
            << QStringList{"abcd", "abc", "ab c"} << QStringList{"ab c", "abc", "abcd"};
        QTest::newRow("empty list") << QStringList{} << QStringList{};
        QTest::newRow("long shared prefix decided late")
            << QStringList{"Cod. ABCDEFGHIJKLMNOPQRSTUVWXYZ2", "Cod. abcdefghijklmnopqrstuvwxyz1",
                           "Cod. ABCDEFGHIJKLMNOPQRSTUVWXYZ"}
            << QStringList{"Cod. ABCDEFGHIJKLMNOPQRSTUVWXYZ", "Cod. abcdefghijklmnopqrstuvwxyz1",
                           "Cod. ABCDEFGHIJKLMNOPQRSTUVWXYZ2"};
    }
    void sort()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, sorted);
        QCOMPARE(sortedAsSearched(lines), sorted);
        QCOMPARE(stableSorted(lines), sorted);
    }

    void sortAgreesWithTheComparison_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("prefix"); // length of a prefix all lines share
        for (int seed : {1, 2, 3})
            for (int prefix : {0, 5, 17}) QTest::addRow("seed %d prefix %d", seed, prefix) << seed << prefix;
    }
    void sortAgreesWithTheComparison()
    {
        // Many short random lines over an alphabet full of near-ties: whatever
        // the sort does to be fast, it must give the stable order of less().
        QFETCH(int, seed);
        QFETCH(int, prefix);
        const QStringList lines = randomLines(seed, prefix);
        QCOMPARE(sortedAsSearched(lines, prefix), stableSorted(lines));
    }

    void partsMergedAgreeWithTheComparison_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("parts");
        QTest::addColumn<int>("prefix"); // 0: empty lines too, and lines of one letter tie across case
        for (int seed : {4, 5})
            for (int parts : {1, 2, 3, 4}) QTest::addRow("seed %d, %d parts", seed, parts) << seed << parts << 5;
        for (int parts : {2, 4}) QTest::addRow("seed 6, %d parts, no prefix", parts) << 6 << parts << 0;
    }
    void partsMergedAgreeWithTheComparison()
    {
        // The lines of a search read by threads: pieces of consecutive lines,
        // each handed to one part, in turn but unevenly, with the piece number
        // as order. Each part is sorted on its own, then all are merged; equal
        // lines must still come in the order of the pieces.
        QFETCH(int, seed);
        QFETCH(int, parts);
        QFETCH(int, prefix);
        const qsizetype skip = prefix;
        const QStringList lines = randomLines(seed, prefix);
        std::vector<linesort::SortedLines> gathered;
        for (int i = 0; i < parts; ++i) gathered.emplace_back(skip);
        const qsizetype piece = 40;
        for (qsizetype p = 0; p * piece < lines.size(); ++p) {
            linesort::SortedLines &to = gathered[size_t((p * 7 + p / 3) % parts)];
            for (qsizetype i = p * piece; i < std::min(lines.size(), (p + 1) * piece); ++i)
                to.append(cp1252::encode(lines[i]), quint32(p));
        }
        for (linesort::SortedLines &g : gathered) g.sort();
        QCOMPARE(linesort::SortedLines::merge(gathered).texts(), stableSorted(lines));
    }
};

QTEST_GUILESS_MAIN(TestSearchLines)
#include "tst_searchlines.moc"
