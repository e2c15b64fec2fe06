#include "SearchFixtures.h"
#include "search/core/SearchKinds.h"
#include "search/core/SearchMatch.h"

#include <QTest>

using namespace opusteca;
using namespace opusteca::test;

namespace {

// The ten filter texts with one filter set.
QStringList oneFilter(const SearchKindDef &kind, const char *control, const QString &text)
{
    QStringList texts(kSearchFilterCount);
    texts[kind.filterIndexOf(QString::fromLatin1(control))] = text;
    return texts;
}

const SearchKindDef &books() { return searchKind(SearchKind::Books); }
const SearchKindDef &available() { return searchKind(SearchKind::AvailableBooks); }
const SearchKindDef &authors() { return searchKind(SearchKind::Authors); }

} // namespace

class TestSearchMatch : public QObject {
    Q_OBJECT
private slots:
    void kindsAreConsistent()
    {
        for (const SearchKindDef &k : searchKinds()) {
            const RecordLayout &layout = k.layout();
            for (const SearchFilter &f : k.filters) {
                // Each filter field is named after the record field it compares.
                QCOMPARE(QString::fromLatin1(f.control),
                         QStringLiteral("txt") + QLatin1String(layout.fields[f.field].name));
            }
            QVERIFY(k.filterIndexOf(QString::fromLatin1(k.focusControl)) >= 0);
            QCOMPARE(searchKindOfScreen(QString::fromLatin1(k.screenClass)), &k);
        }
        QCOMPARE(searchKindOfScreen(u"TfrmLibri"), nullptr);
    }

    void filtersInUse_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("inUse");
        QTest::newRow("none") << QStringList(10) << 0;
        QTest::newRow("blanks and controls only")
            << QStringList{"   ", "\t", " \r\n ", "", "", "", "", "", "", ""} << 0;
        QTest::newRow("one word") << QStringList{"", "", "eco", "", "", "", "", "", "", ""} << 1;
        QTest::newRow("word with blanks") << QStringList{" rosa ", "", "eco", "", "", "", "", "", "", "x"} << 3;
        QTest::newRow("non-code-page text is in use")
            << QStringList{QStringLiteral("\u03B1"), "", "", "", "", "", "", "", "", ""} << 1;
    }
    void filtersInUse()
    {
        QFETCH(QStringList, texts);
        QFETCH(int, inUse);
        QCOMPARE(FilterSet(books(), texts).inUse(), inUse);
    }

    void bookMatch_data()
    {
        QTest::addColumn<QString>("control"); // the filter, and the field holding the value
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("matches");
        const QString rosa = QStringLiteral("Il nome della rosa");
        QTest::newRow("blank filter not in use") << "txtTitolo" << rosa << "   " << true;
        QTest::newRow("substring inside a word") << "txtTitolo" << rosa << "om" << true;
        QTest::newRow("substring across words") << "txtTitolo" << rosa << "nome della" << true;
        QTest::newRow("words not consecutive") << "txtTitolo" << rosa << "nome rosa" << false;
        QTest::newRow("trailing blank in filter") << "txtTitolo" << rosa << "rosa " << false;
        QTest::newRow("leading blank inside value") << "txtTitolo" << rosa << " rosa" << true;
        QTest::newRow("whole value") << "txtTitolo" << rosa << "IL NOME DELLA ROSA" << true;
        QTest::newRow("upper-case filter ECO finds Eco") << "txtAutore"
                                                         << "Umberto Eco"
                                                         << "ECO" << true;
        QTest::newRow("lower-case value found by mixed filter") << "txtAutore"
                                                                << "umberto eco"
                                                                << "Umberto" << true;
        QTest::newRow("\u00E8 does not find \u00C8")
            << "txtTitolo" << QStringLiteral("\u00C8 primavera") << QStringLiteral("\u00E8") << false;
        QTest::newRow("\u00C8 finds \u00C8")
            << "txtTitolo" << QStringLiteral("\u00C8 primavera") << QStringLiteral("\u00C8") << true;
        QTest::newRow("filter longer than value") << "txtDewey"
                                                  << "853"
                                                  << "8530" << false;
        QTest::newRow("empty value") << "txtCuratore"
                                     << ""
                                     << "a" << false;
        QTest::newRow("euro sign (byte 0x80)")
            << "txtNote" << QStringLiteral("Costo \u20AC 12") << QStringLiteral("\u20AC 1") << true;
        QTest::newRow("question mark finds stored question mark") << "txtNote"
                                                                  << "Chi? Dove?"
                                                                  << "?" << true;
        QTest::newRow("non-code-page filter never matches a stored ?")
            << "txtNote"
            << "Chi? Dove?" << QStringLiteral("\u03B1") << false;
        QTest::newRow("Greek stored as ? and filter Greek")
            << "txtNote" << QStringLiteral("\u03B1\u03B2") << QStringLiteral("\u03B1") << false;
        QTest::newRow("non-code-page char beside good text") << "txtNote"
                                                             << "Chi? Dove?" << QStringLiteral("Chi\u03B1") << false;
    }
    void bookMatch()
    {
        QFETCH(QString, control);
        QFETCH(QString, stored);
        QFETCH(QString, filter);
        QFETCH(bool, matches);
        const int field = bookLayout().indexOfControl(control);
        const Record r = book("A1", "T", "A", {{field, stored}});
        const FilterSet filters(books(), oneFilter(books(), qPrintable(control), filter));
        QCOMPARE(filters.matches(r.bytes().constData()), matches);
    }

    void onlyTheFilterFieldIsCompared()
    {
        // The title holds the key; the publisher filter looks at the publisher only.
        const Record r = book("A1", "La rosa", "A", {{libro::Editore, "Bompiani"}});
        QVERIFY(!FilterSet(books(), oneFilter(books(), "txtEditore", "rosa")).matches(r.bytes().constData()));
        QVERIFY(FilterSet(books(), oneFilter(books(), "txtEditore", "bomp")).matches(r.bytes().constData()));
    }

    void everyFilterInUseMustMatch_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("author");
        QTest::addColumn<bool>("matches");
        QTest::newRow("both") << "Il nome della rosa"
                              << "Umberto Eco" << true;
        QTest::newRow("author only") << "Il pendolo di Foucault"
                                     << "Umberto Eco" << false;
        QTest::newRow("title only") << "Il nome della rosa"
                                    << "Anonimo" << false;
    }
    void everyFilterInUseMustMatch()
    {
        QFETCH(QString, title);
        QFETCH(QString, author);
        QFETCH(bool, matches);
        QStringList texts(kSearchFilterCount);
        texts[books().filterIndexOf(u"txtAutore")] = "eco";
        texts[books().filterIndexOf(u"txtTitolo")] = "rosa";
        texts[books().filterIndexOf(u"txtNote")] = "  "; // not in use
        const FilterSet filters(books(), texts);
        QCOMPARE(filters.inUse(), 2);
        QCOMPARE(filters.matches(book("A1", title, author).bytes().constData()), matches);
    }

    void bookValuesAreTrimmedAuthorValuesAreNot_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("bookMatches");
        QTest::addColumn<bool>("authorMatches");
        QTest::newRow("leading blank") << " italia" << false << true;
        QTest::newRow("trailing blank") << "italia " << false << true;
        QTest::newRow("word") << "italia" << true << true;
    }
    void bookValuesAreTrimmedAuthorValuesAreNot()
    {
        QFETCH(QString, filter);
        QFETCH(bool, bookMatches);
        QFETCH(bool, authorMatches);
        // A book record left by another writer with blanks around the value: the
        // program reads book values trimmed, so the blanks are not there to find.
        Record b = book("A1", "T", "A");
        putRawBookField(b, libro::Curatore, " Italia ");
        QCOMPARE(FilterSet(books(), oneFilter(books(), "txtCuratore", filter)).matches(b.bytes().constData()),
                 bookMatches);
        // Author values are kept as typed, blanks included.
        const Record a = makeRecord(authorLayout(), {{autore::Autore, "Dante"}, {autore::Nazione, " Italia "}});
        QCOMPARE(FilterSet(authors(), oneFilter(authors(), "txtNazione", filter)).matches(a.bytes().constData()),
                 authorMatches);
    }

    void multiLineAuthorField()
    {
        // A biography near the full 5000 bytes, with the key at its very end.
        const QString bio = QString(4990, QLatin1Char('x')) + QStringLiteral("\r\nFine.");
        const Record a = makeRecord(authorLayout(), {{autore::Autore, "Dante"}, {autore::Biografia, bio}});
        QVERIFY(FilterSet(authors(), oneFilter(authors(), "txtBiografia", "x\r\nfine")).matches(a.bytes().constData()));
        QVERIFY(!FilterSet(authors(), oneFilter(authors(), "txtBiografia", "fine.!")).matches(a.bytes().constData()));
    }

    void skipRules_data()
    {
        QTest::addColumn<QByteArray>("annullata"); // raw bytes of the flag
        QTest::addColumn<QString>("prestato");     // as the card saves it
        QTest::addColumn<QString>("scadenza");
        QTest::addColumn<bool>("skippedByBooks");
        QTest::addColumn<bool>("skippedByAvailable");
        const QByteArray no("No"), si("S\xEC");
        QTest::newRow("current, not lent") << no << ""
                                           << "" << false << false;
        QTest::newRow("cancelled S\u00EC") << si << ""
                                           << "" << true << true;
        QTest::newRow("cancelled and lent") << si << "Mario"
                                            << "01/02/2024" << true << true;
        QTest::newRow("empty flag") << QByteArray() << ""
                                    << "" << true << true;
        QTest::newRow("blank before N") << QByteArray(" N") << ""
                                        << "" << true << true;
        QTest::newRow("lower-case no") << QByteArray("no") << ""
                                       << "" << true << true;
        QTest::newRow("NO") << QByteArray("NO") << ""
                            << "" << true << true;
        QTest::newRow("borrower only") << no << "Mario Rossi"
                                       << "" << false << true;
        QTest::newRow("date only") << no << ""
                                   << "05/03/2024" << false << true;
        QTest::newRow("blanks-only loan fields saved empty") << no << "   "
                                                             << "  " << false << false;
    }
    void skipRules()
    {
        QFETCH(QByteArray, annullata);
        QFETCH(QString, prestato);
        QFETCH(QString, scadenza);
        QFETCH(bool, skippedByBooks);
        QFETCH(bool, skippedByAvailable);
        Record r = book("A1", "T", "A", {{libro::Prestato, prestato}, {libro::Scadenza, scadenza}});
        putRawBookField(r, libro::Annullata, annullata);
        QCOMPARE(isSkipped(books(), r.bytes().constData()), skippedByBooks);
        QCOMPARE(isSkipped(available(), r.bytes().constData()), skippedByAvailable);
    }

    void blankLoanBytesLeftByAnotherWriterDoNotLend()
    {
        Record r = book("A1", "T", "A");
        putRawBookField(r, libro::Prestato, "   ");
        putRawBookField(r, libro::Scadenza, QByteArray("\t "));
        QVERIFY(!isSkipped(available(), r.bytes().constData()));
    }

    void authorsAndBibliographiesSkipNothing()
    {
        const Record a = makeRecord(authorLayout(), {});
        const Record b = makeRecord(bibliographyLayout(), {});
        QVERIFY(!isSkipped(authors(), a.bytes().constData()));
        QVERIFY(!isSkipped(searchKind(SearchKind::Bibliographies), b.bytes().constData()));
    }
};

QTEST_GUILESS_MAIN(TestSearchMatch)
#include "tst_searchmatch.moc"
