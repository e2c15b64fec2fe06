// The ISBN as the book card takes it: check digits of both forms and the move between them.
#include "lookup/core/Isbn.h"

#include <QTest>

using namespace opusteca;

class TestIsbn : public QObject {
    Q_OBJECT

private slots:
    // An empty `expected` means the text is not a valid ISBN.
    void validation_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ISBN-13") << "9788845292613"
                                 << "9788845292613";
        QTest::newRow("ISBN-10") << "8845292614"
                                 << "8845292614";
        QTest::newRow("hyphens") << "978-88-452-9261-3"
                                 << "9788845292613";
        QTest::newRow("blanks and hyphens") << "  88 452-9261 4 "
                                            << "8845292614";
        QTest::newRow("tab around") << "\t0-14-044913-2\t"
                                    << "0140449132";
        QTest::newRow("X check") << "0-201-61622-X"
                                 << "020161622X";
        QTest::newRow("lower-case x check") << "020161622x"
                                            << "020161622X";
        QTest::newRow("979 with a wrong check") << "979-10-00000-00-1"
                                                << "";
        QTest::newRow("979 valid") << "9791000000015"
                                   << "9791000000015";
        QTest::newRow("979 Italian agency") << "979-12-345-6789-6"
                                            << "9791234567896";
        QTest::newRow("wrong ISBN-13 check") << "9788845292614"
                                             << "";
        QTest::newRow("wrong ISBN-10 check") << "8845292613"
                                             << "";
        QTest::newRow("X where a digit belongs") << "9780201616X24"
                                                 << "";
        QTest::newRow("X at the end of 13") << "978020161622X"
                                            << "";
        QTest::newRow("X inside an ISBN-10") << "02016X622X"
                                             << "";
        QTest::newRow("other 13-digit prefix") << "9770201616224"
                                               << "";
        QTest::newRow("12 digits") << "978884529261"
                                   << "";
        QTest::newRow("11 digits") << "88452926140"
                                   << "";
        QTest::newRow("letter inside") << "88452A2614"
                                       << "";
        QTest::newRow("dots are not hyphens") << "88.452.9261.4"
                                              << "";
        QTest::newRow("Arabic-Indic digits")
            << QString::fromUtf8("\u0668\u0668\u0664\u0665\u0662\u0669\u0662\u0666\u0661\u0664") << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("blanks only") << "   "
                                     << "";
    }
    void validation()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QCOMPARE(isbn::valid(typed), expected);
        const QString c = isbn::compact(typed);
        QCOMPARE(isbn::isValid10(c) || isbn::isValid13(c), !expected.isEmpty());
    }

    void conversion_data()
    {
        QTest::addColumn<QString>("isbn10");
        QTest::addColumn<QString>("isbn13");
        QTest::newRow("Italian") << "8845292614"
                                 << "9788845292613";
        QTest::newRow("English") << "0140449132"
                                 << "9780140449136";
        QTest::newRow("same check digit") << "8804668237"
                                          << "9788804668237";
        QTest::newRow("X becomes a digit") << "020161622X"
                                           << "9780201616224";
        QTest::newRow("check 0 in ISBN-10") << "8807000040"
                                            << "9788807000041";
    }
    void conversion()
    {
        QFETCH(QString, isbn10);
        QFETCH(QString, isbn13);
        QCOMPARE(isbn::to13(isbn10), isbn13);
        QCOMPARE(isbn::to10(isbn13), isbn10);
        // Each form converts to itself.
        QCOMPARE(isbn::to13(isbn13), isbn13);
        QCOMPARE(isbn::to10(isbn10), isbn10);
    }

    // Only 978 numbers have a short form; what is not a valid ISBN has neither.
    void noConversion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("isbn13");
        QTest::newRow("979 has no ISBN-10") << "9791000000015"
                                            << "9791000000015";
        QTest::newRow("wrong check") << "8845292613"
                                     << "";
        QTest::newRow("not compact") << "88-452-9261-4"
                                     << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void noConversion()
    {
        QFETCH(QString, text);
        QFETCH(QString, isbn13);
        QVERIFY(isbn::to10(text).isEmpty());
        QCOMPARE(isbn::to13(text), isbn13);
    }
};

QTEST_GUILESS_MAIN(TestIsbn)
#include "tst_isbn.moc"
