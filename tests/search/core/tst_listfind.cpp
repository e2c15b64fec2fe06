#include "search/core/ListFind.h"
#include "search/core/ResultLines.h"

#include <QTest>

using namespace opusteca;
using Status = FindOutcome::Status;

Q_DECLARE_METATYPE(Status)

namespace {

// Six entries; the word rosa is in entries 2 and 5 (indices 1 and 4), eco in 3 and 6.
QStringList sixEntries()
{
    return {"Cod. 1  Il pendolo", "Cod. 2  La ROSA dei venti",  "Cod. 3  Eco del mare",
            "Cod. 4  Sentieri",   "Cod. 5  Il nome della rosa", "Cod. 6  L'eco"};
}

// One press of "Trova": the action and what the list shows after it.
struct Press {
    int handSelect; // -2: leave the selection as it is; otherwise select this first (-1: none)
    QString key;
    Status status;
    int selected;
};

} // namespace

Q_DECLARE_METATYPE(QList<Press>)

class TestListFind : public QObject {
    Q_OBJECT
private slots:
    void sequence_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QList<Press>>("presses");
        const QStringList six = sixEntries();
        QTest::newRow("rosa: 2, 5, 2; Rosa continues; eco restarts")
            << six << QList<Press>{{-2, "rosa", Status::Found, 1}, {-2, "rosa", Status::Found, 4},
                                   {-2, "rosa", Status::Found, 1}, {-2, "Rosa", Status::Found, 4},
                                   {-2, "eco", Status::Found, 2},  {-2, "eco", Status::Found, 5},
                                   {-2, "eco", Status::Found, 2}};
        QTest::newRow("new key starts at the top even below the selection")
            << six << QList<Press>{{5, "rosa", Status::Found, 1}};
        QTest::newRow("selection moved by hand is where a repeated search goes on")
            << six
            << QList<Press>{{-2, "rosa", Status::Found, 1},
                            {2, "rosa", Status::Found, 4},
                            {5, "rosa", Status::Found, 1},
                            {4, "rosa", Status::Found, 1}};
        QTest::newRow("key only in the selected entry keeps it selected")
            << six << QList<Press>{{-2, "sentieri", Status::Found, 3}, {-2, "sentieri", Status::Found, 3}};
        QTest::newRow("new key found in the first entry")
            << six << QList<Press>{{3, "pendolo", Status::Found, 0}, {-2, "pendolo", Status::Found, 0}};
        QTest::newRow("nothing found leaves the selection")
            << six << QList<Press>{{3, "zebra", Status::NotFound, 3}, {-2, "zebra", Status::NotFound, 3}};
        QTest::newRow("nothing selected: the first entry is selected")
            << six << QList<Press>{{-1, "zebra", Status::NotFound, 0}};
        QTest::newRow("empty key finds nothing")
            << six << QList<Press>{{2, "", Status::NotFound, 2}, {-2, "", Status::NotFound, 2}};
        QTest::newRow("key is not trimmed")
            << six << QList<Press>{{-2, "rosa ", Status::Found, 1}, {-2, "l eco", Status::NotFound, 1}};
        QTest::newRow("accented letters keep their case")
            << QStringList{QStringLiteral("\u00C8 qui"), QStringLiteral("\u00E8 qui")}
            << QList<Press>{{-2, QStringLiteral("\u00E8"), Status::Found, 1},
                            {-2, QStringLiteral("\u00C8"), Status::Found, 0}};
        QTest::newRow("one entry") << QStringList{"solo"}
                                   << QList<Press>{{-2, "solo", Status::Found, 0}, {-2, "solo", Status::Found, 0}};
        QTest::newRow("a character outside the code page is in no entry")
            << QStringList{"Cod. 1  a?b"} << QList<Press>{{-2, QStringLiteral("\u0142"), Status::NotFound, 0}};
        QTest::newRow("empty list: not applicable")
            << QStringList{} << QList<Press>{{-2, "rosa", Status::NotApplicable, -1}};
    }
    void sequence()
    {
        QFETCH(QStringList, entries);
        QFETCH(QList<Press>, presses);
        // The same walk on texts and on a search's stored result.
        const ResultLines stored = ResultLines::fromTexts(entries);
        for (const bool onStored : {false, true}) {
            int selected = -1;
            QString lastKey;
            for (int i = 0; i < presses.size(); ++i) {
                const Press &p = presses[i];
                if (p.handSelect != -2) selected = p.handSelect;
                const FindOutcome r = onStored ? findInList(stored, selected, p.key, lastKey)
                                               : findInList(entries, selected, p.key, lastKey);
                const QString where = QStringLiteral("%1, press %2").arg(onStored ? "stored" : "texts").arg(i + 1);
                QVERIFY2(r.status == p.status, qPrintable(where));
                QVERIFY2(r.selected == p.selected,
                         qPrintable(QStringLiteral("%1 selected %2").arg(where).arg(r.selected)));
                selected = r.selected;
                lastKey = r.lastKey;
            }
        }
    }

    void lastKeyIsTheLoweredKey()
    {
        const FindOutcome r = findInList(sixEntries(), -1, "RoSa ", QString());
        QCOMPARE(r.lastKey, QStringLiteral("rosa "));
        const FindOutcome none = findInList(QStringList(), -1, "RoSa", QStringLiteral("eco"));
        QCOMPARE(none.lastKey, QStringLiteral("eco"));
    }

    void lastKeyPerScreenClass()
    {
        const QString libri = QStringLiteral("TfrmTrovaLibri");
        const QString autori = QStringLiteral("TfrmTrovaAutori");
        findkeys::clear(libri);
        findkeys::clear(autori);
        const QStringList six = sixEntries();
        QCOMPARE(findForScreen(libri, six, -1, "rosa").selected, 1);
        QCOMPARE(findkeys::last(libri), QStringLiteral("rosa"));
        // Another class has its own key: rosa is a new search there.
        QCOMPARE(findForScreen(autori, six, 1, "rosa").selected, 1);
        // The key outlives a screen: the next opening of the class goes on ...
        QCOMPARE(findForScreen(libri, six, 1, "rosa").selected, 4);
        // ... until a screen of the class is shown, which empties it.
        findkeys::clear(libri);
        QCOMPARE(findForScreen(libri, six, 4, "rosa").selected, 1);
        // A press on an empty list leaves the key alone.
        QCOMPARE(findForScreen(libri, QStringList(), -1, "eco").status, Status::NotApplicable);
        QCOMPARE(findkeys::last(libri), QStringLiteral("rosa"));
    }
};

QTEST_GUILESS_MAIN(TestListFind)
#include "tst_listfind.moc"
