#include "app/Application.h"
#include "kit/core/RegionalSettings.h"
#include "screens/TfrmCodici_Dewey.h"
#include "screens/core/DeweyTable.h"
#include "support/ArchiveKit.h"
#include "support/PdfText.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

using namespace opusteca;
using namespace opusteca::test;

namespace {

const QString kNotApplicable = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

// Rows of the built-in table whose text holds the upper-case words.
QList<int> rowsHolding(const QString &upperKey)
{
    QList<int> rows;
    const QStringList &t = dewey::table();
    for (int i = 0; i < t.size(); ++i)
        if (t[i].contains(upperKey)) rows << i;
    return rows;
}

int rowOf(const QString &entry) { return int(dewey::table().indexOf(entry)); }

} // namespace

class TestDeweyScreen : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    QWidget *books = nullptr;
    QWidget *dlg = nullptr;

    QLineEdit *txtDewey() const { return books->findChild<QLineEdit *>(QStringLiteral("txtDewey")); }
    QListWidget *list() const { return dlg->findChild<QListWidget *>(QStringLiteral("lstRecords")); }
    QLineEdit *txtTrova() const { return dlg->findChild<QLineEdit *>(QStringLiteral("txtTrova")); }
    QPushButton *button(const char *name) const { return dlg->findChild<QPushButton *>(QLatin1String(name)); }
    int selected() const
    {
        const QModelIndexList rows = list()->selectionModel()->selectedIndexes();
        return rows.size() == 1 ? rows.first().row() : -1;
    }
    // Types the key and presses Trova; fails on any message box.
    bool find(const QString &key)
    {
        txtTrova()->clear();
        typeText(txtTrova(), key);
        const Boxes boxes = answerBoxes([&] { click(button("btnTrova")); });
        return boxes.count() == 0;
    }
    void select(int row) { list()->setCurrentRow(row, QItemSelectionModel::ClearAndSelect); }
    void doubleClickRow(int row)
    {
        QListWidgetItem *item = list()->item(row);
        list()->scrollToItem(item);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(item).center());
    }

    // Opens the table from the book card's Dewey picture; inside runs with the
    // screen on show, after the list has been filled when `filled` asks for it.
    // Whatever inside leaves open is closed with Chiudi.
    bool withTable(bool filled, const std::function<void()> &inside)
    {
        QPointer<QWidget> opened;
        const bool seen =
            whileModal([&] { clickPicture(books, QStringLiteral("btnDewey")); }, QStringLiteral("TfrmCodici_Dewey"),
                       [&](QWidget *d) {
                           dlg = d;
                           opened = d;
                           if (filled) QTRY_VERIFY_WITH_TIMEOUT(list()->count() > 0, 5000);
                           inside();
                           if (opened && opened->isVisible()) click(button("btnChiudi"));
                       });
        dlg = nullptr;
        if (!seen) return false;
        // Destroyed once closed.
        return QTest::qWaitFor([&] { return opened.isNull(); }) && !QTest::currentTestFailed();
    }

    // The find tests share one filled table, shown without blocking the book
    // screen: find does not depend on how the screen was opened, and the
    // opening and its one-second filling are tested on their own.
    std::unique_ptr<TfrmCodici_Dewey> finder;
    bool withFinder(const std::function<void()> &inside)
    {
        if (!finder) {
            finder = std::make_unique<TfrmCodici_Dewey>(*program->app, books);
            finder->setModal(false);
            finder->show();
        }
        dlg = finder.get();
        if (!QTest::qWaitFor([&] { return list()->count() > 0; }, 5000)) return false;
        list()->selectionModel()->clearSelection();
        inside();
        dlg = nullptr;
        return !QTest::currentTestFailed();
    }

private slots:
    void initTestCase()
    {
        program = std::make_unique<RunningProgram>();
        books = openArchive(*program, QStringLiteral("TfrmLibri"));
        QVERIFY(books && books->isVisible());
        QVERIFY(!dewey::table().isEmpty());
    }
    void cleanupTestCase()
    {
        finder.reset();
        program.reset();
    }
    void init()
    {
        txtDewey()->setText(QStringLiteral("853"));
        books->findChild<QLineEdit *>(QStringLiteral("txtTitolo"))->setFocus();
    }

    void screenAsLaidOut()
    {
        QVERIFY(withTable(false, [&] {
            QCOMPARE(dlg->windowTitle(), QStringLiteral(" Tabella Codici Dewey"));
            QVERIFY(dlg->isModal());
            QCOMPARE(dlg->parentWidget(), books);
            QCOMPARE(dlg->findChild<QLabel *>(QStringLiteral("lblMemory"))->text(), QStringLiteral("libri"));
            QCOMPARE(dlg->minimumSize(), dlg->maximumSize()); // fixed size
            QVERIFY(!(dlg->windowFlags() & Qt::WindowCloseButtonHint));
            const QList<QPair<QString, QString>> texts = {
                {"lblRigo01", "Immettere una o più parole consecutive presenti nella voce in elenco da cercare e "
                              "premere il pulsante Trova."},
                {"lblRigo02", "Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di "
                              "nuovo clic su Trova."},
                {"lblRigo03", "Per importare un codice Dewey dall'elenco, selezionarlo con un doppio clic."},
                {"lblAttendere", "Stampa in corso. Attendere..."}};
            for (const auto &[name, text] : texts) QCOMPARE(dlg->findChild<QLabel *>(name)->text(), text);
            auto *wait = dlg->findChild<QLabel *>(QStringLiteral("lblAttendere"));
            QVERIFY(!wait->isVisible());
            QVERIFY(wait->font().italic());
            wait->ensurePolished();
            QCOMPARE(wait->palette().color(QPalette::WindowText), QColor(Qt::darkGreen));
            QCOMPARE(button("btnTrova")->text(), QStringLiteral("Trova"));
            QCOMPARE(button("btnChiudi")->text(), QStringLiteral("Chiudi"));
            QCOMPARE(button("btnStampa")->text(), QStringLiteral("Stampa"));
            QCOMPARE(list()->font().family(), QStringLiteral("Courier New"));
            QCOMPARE(list()->font().pointSize(), 12);
            QCOMPARE(list()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(list()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        }));
    }

    // Empty right after the screen shows, with the loading picture over it;
    // filled by the one-second timer in table order with nothing selected.
    void deferredFilling()
    {
        QVERIFY(withTable(false, [&] {
            auto *timer = dlg->findChild<QTimer *>(QStringLiteral("tmrCarica"));
            QVERIFY(timer);
            QVERIFY(timer->isActive());
            QVERIFY(timer->isSingleShot());
            QCOMPARE(timer->interval(), 1000);
            // Held until the checks of the empty screen are done, however slowly
            // they run, then fired by hand.
            timer->stop();
            QCOMPARE(list()->count(), 0);
            QVERIFY(dlg->findChild<QWidget *>(QStringLiteral("panDewey"))->isVisible());
            QCOMPARE(txtTrova()->text(), QString());
            QTRY_COMPARE(dlg->focusWidget(), static_cast<QWidget *>(txtTrova()));

            const Boxes early = answerBoxes([&] { click(button("btnTrova")); });
            QCOMPARE(early.texts, QStringList{kNotApplicable});
            QCOMPARE(early.buttonCounts, QList<int>{1});
            QCOMPARE(list()->count(), 0);

            QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
            QVERIFY(!timer->isActive()); // filled by the timer, once
            const QStringList &t = dewey::table();
            QCOMPARE(list()->count(), t.size());
            for (int i : {0, int(t.size()) / 2, int(t.size()) - 1}) QCOMPARE(list()->item(i)->text(), t[i]);
            QCOMPARE(selected(), -1);
            QVERIFY(!dlg->findChild<QWidget *>(QStringLiteral("panDewey"))->isVisible());

            // The longest entry can be scrolled into view to its end.
            QString longest;
            for (const QString &e : t)
                if (e.size() > longest.size()) longest = e;
            QCoreApplication::processEvents();
            const int reach = list()->horizontalScrollBar()->maximum() + list()->viewport()->width();
            QVERIFY2(reach >= list()->fontMetrics().horizontalAdvance(longest),
                     qPrintable(QStringLiteral("%1 px for %2").arg(reach).arg(longest)));
        }));
    }

    // Trova with one key again and again goes through every entry holding it, in
    // order, and wraps; a new key starts at the top.
    void findNextAndWrap()
    {
        const QList<int> storia = rowsHolding(QStringLiteral("STORIA"));
        QVERIFY(storia.size() > 3);
        const QList<int> filosofia = rowsHolding(QStringLiteral("FILOSOFIA"));
        QVERIFY(!filosofia.isEmpty());
        QVERIFY(withFinder([&] {
            for (int i = 0; i < storia.size(); ++i) {
                QVERIFY(find(QStringLiteral("storia")));
                QCOMPARE(selected(), storia[i]);
            }
            QVERIFY(find(QStringLiteral("storia")));
            QCOMPARE(selected(), storia.first());
            QVERIFY(find(QStringLiteral("StOrIa"))); // the key is lower-cased: the same key
            QCOMPARE(selected(), storia[1]);

            // A new key from a selection past its first match: from the top again.
            select(storia.last());
            QVERIFY(filosofia.first() < storia.last());
            QVERIFY(find(QStringLiteral("filosofia")));
            QCOMPARE(selected(), filosofia.first());
            QVERIFY(list()->visualItemRect(list()->item(selected())).intersects(list()->viewport()->rect()));
        }));
    }

    void findCases_data()
    {
        QTest::addColumn<int>("startRow"); // -1: nothing selected
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("expected");
        const int last = int(dewey::table().size()) - 1;
        QTest::newRow("words next to each other") << -1 << "storia di mondi" << last;
        QTest::newRow("non-consecutive words leave the selection") << 7 << "storia italia" << 7;
        QTest::newRow("words out of order") << 7 << "extraterrestri mondi" << 7;
        QTest::newRow("nothing found selects the first when none was") << -1 << "parola che non c'e" << 0;
        QTest::newRow("empty key matches nothing") << 12 << "" << 12;
        QTest::newRow("blanks are part of the key") << -1 << " conoscenza" << 0;
        QTest::newRow("the code is part of the text") << -1 << "999 " << last;
        QTest::newRow("a new search tests the first entry first") << 5 << "001 conoscenza" << 0;
    }
    void findCases()
    {
        QFETCH(int, startRow);
        QFETCH(QString, key);
        QFETCH(int, expected);
        // The two words stand in one entry, only not next to each other.
        QVERIFY(!rowsHolding(QStringLiteral("ITALIA")).isEmpty());
        QVERIFY(withFinder([&] {
            if (startRow >= 0) select(startRow);
            // A key unlike the last one, so that each row is a new search.
            QVERIFY(find(QStringLiteral("zzz")));
            if (startRow >= 0)
                select(startRow);
            else
                list()->selectionModel()->clearSelection();
            QVERIFY(find(key));
            QCOMPARE(selected(), expected);
        }));
    }

    // A key found in one entry only is found again: its entry is tested last.
    void loneMatchFoundAgain()
    {
        const QList<int> rows = rowsHolding(QStringLiteral("STORIA DI MONDI"));
        QCOMPARE(rows.size(), 1);
        QVERIFY(withFinder([&] {
            QVERIFY(find(QStringLiteral("storia di mondi")));
            QCOMPARE(selected(), rows.first());
            QVERIFY(find(QStringLiteral("storia di mondi")));
            QCOMPARE(selected(), rows.first());
        }));
    }

    // The last key outlives the screen: the same key after reopening goes on as a
    // find-next from the first entry, which is tested last.
    void keyRememberedAcrossOpenings()
    {
        const QList<int> code001 = rowsHolding(QStringLiteral("001 "));
        QVERIFY(code001.size() >= 2 && code001.first() == 0);
        QVERIFY(withTable(true, [&] {
            QVERIFY(find(QStringLiteral("001 ")));
            QCOMPARE(selected(), 0);
        }));
        QVERIFY(withTable(true, [&] {
            QCOMPARE(txtTrova()->text(), QString());
            QVERIFY(find(QStringLiteral("001 ")));
            QCOMPARE(selected(), code001[1]);
        }));
    }

    // Enter in txtTrova only moves to Trova; the search waits for the button,
    // which Enter then presses.
    void enterMovesToTrova()
    {
        const QList<int> rows = rowsHolding(QStringLiteral("INFORMATICA"));
        QVERIFY(!rows.isEmpty());
        QVERIFY(withTable(true, [&] {
            typeText(txtTrova(), QStringLiteral("informatica"));
            pressEnter(txtTrova());
            QTRY_COMPARE(dlg->focusWidget(), static_cast<QWidget *>(button("btnTrova")));
            QCOMPARE(selected(), -1);
            pressEnter(button("btnTrova"));
            QCOMPARE(selected(), rows.first());
            QVERIFY(dlg->isVisible());
        }));
    }

    void pick_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("dewey");
        QTest::newRow("first entry") << "001 CONOSCENZA"
                                     << "libri"
                                     << "001";
        QTest::newRow("a later entry") << "999 STORIA DI MONDI EXTRATERRESTRI"
                                       << "libri"
                                       << "999";
        QTest::newRow("tag read trimmed") << "001 RICERCA"
                                          << " libri "
                                          << "001";
        QTest::newRow("another caller gets nothing") << "001 RICERCA"
                                                     << "autori"
                                                     << "853";
    }
    void pick()
    {
        QFETCH(QString, entry);
        QFETCH(QString, tag);
        QFETCH(QString, dewey);
        const int row = rowOf(entry);
        QVERIFY(row >= 0);
        bool closed = false;
        QVERIFY(withTable(true, [&] {
            dlg->findChild<QLabel *>(QStringLiteral("lblMemory"))->setText(tag);
            doubleClickRow(row);
            closed = !dlg->isVisible();
        }));
        QVERIFY(closed);
        QCOMPARE(txtDewey()->text(), dewey);
        QCOMPARE(books->focusWidget(), static_cast<QWidget *>(txtDewey()));
    }

    // A double click with no entry selected (here on the list not filled yet)
    // closes without copying.
    void pickWithNothingSelected()
    {
        bool closed = false;
        QVERIFY(withTable(false, [&] {
            dlg->findChild<QTimer *>(QStringLiteral("tmrCarica"))->stop(); // stays empty
            QCOMPARE(list()->count(), 0);
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
            closed = !dlg->isVisible();
        }));
        QVERIFY(closed);
        QCOMPARE(txtDewey()->text(), QStringLiteral("853"));
        QCOMPARE(books->focusWidget(), static_cast<QWidget *>(txtDewey()));
    }

    // Stampa prints every entry, one line each in table order, under the title
    // on the first page, with the date footer at the foot of every page;
    // "Stampa in corso. Attendere..." shows from the press to the end of the print.
    void printsTheWholeTable()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("dewey.pdf"));
        qputenv("OPUSTECA_PRINT_TO_PDF", pdf.toLocal8Bit());
        const auto unset = qScopeGuard([] { qunsetenv("OPUSTECA_PRINT_TO_PDF"); });
        RegionalSettings::setFixedNow(QDateTime(QDate(2026, 3, 7), QTime(9, 5, 4)));
        const auto now = qScopeGuard([] { RegionalSettings::setFixedNow(std::nullopt); });

        bool shownOnPress = false, hiddenAfter = false;
        QVERIFY(withTable(true, [&] {
            auto *wait = dlg->findChild<QLabel *>(QStringLiteral("lblAttendere"));
            QPushButton *stampa = button("btnStampa");
            QTest::mousePress(stampa, Qt::LeftButton);
            shownOnPress = wait->isVisible();
            QTest::mouseRelease(stampa, Qt::LeftButton);
            QTRY_VERIFY(!wait->isVisible());
            hiddenAfter = true;
        }));
        QVERIFY(shownOnPress);
        QVERIFY(hiddenAfter);
        QVERIFY(QFile::exists(pdf));

        const QSizeF paper = pdfPageSizeMm(pdf);
        QVERIFY(qAbs(paper.width() - 297) < 1 && qAbs(paper.height() - 210) < 1);
        const int pages = pdfPageCount(pdf);
        QVERIFY(pages > 1);
        const QString footer = QStringLiteral("Stampa eseguita in data 07/03/2026");
        QStringList printed;
        for (int page = 1; page <= pages; ++page) {
            QStringList lines = pdfPageText(pdf, page).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            for (QString &l : lines) l = l.trimmed();
            lines.removeAll(QString());
            QVERIFY(!lines.isEmpty());
            QCOMPARE(lines.last(), footer); // a page footer, on every page
            lines.removeLast();
            if (page == 1) {
                QCOMPARE(lines.first(), QStringLiteral("Tabella Codici Dewey"));
                lines.removeFirst();
            }
            QVERIFY(!lines.contains(QStringLiteral("Riepilogo")));
            printed << lines;
        }
        QCOMPARE(printed, dewey::table());
    }

    // Without the seam Stampa offers the print dialog; cancelled, it prints
    // nothing, the notice goes and the table stays open.
    void cancelledPrintDialog()
    {
        qunsetenv("OPUSTECA_PRINT_TO_PDF");
        bool dialog = false;
        bool noticeDuringDialog = false;
        QVERIFY(withFinder([&] {
            auto *wait = dlg->findChild<QLabel *>(QStringLiteral("lblAttendere"));
            dialog = whileModal([&] { click(button("btnStampa")); }, QStringLiteral("QPrintDialog"),
                                [&](QWidget *d) {
                                    noticeDuringDialog = wait->isVisible();
                                    static_cast<QDialog *>(d)->reject();
                                });
            QVERIFY(!wait->isVisible());
            QVERIFY(dlg->isVisible());
        }));
        QVERIFY(dialog);
        QVERIFY(noticeDuringDialog);
    }

    // A press on Stampa that ends away from it prints nothing and takes the
    // notice away again.
    void pressOnStampaDraggedAway()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("dewey.pdf"));
        qputenv("OPUSTECA_PRINT_TO_PDF", pdf.toLocal8Bit());
        const auto unset = qScopeGuard([] { qunsetenv("OPUSTECA_PRINT_TO_PDF"); });
        QVERIFY(withFinder([&] {
            auto *wait = dlg->findChild<QLabel *>(QStringLiteral("lblAttendere"));
            QPushButton *stampa = button("btnStampa");
            QTest::mousePress(stampa, Qt::LeftButton);
            QVERIFY(wait->isVisible());
            QTest::mouseMove(stampa, QPoint(-40, -40));
            QTRY_VERIFY(!wait->isVisible());
            QTest::mouseMove(stampa, QPoint(5, 5)); // back on it: down again
            QTRY_VERIFY(wait->isVisible());
            QTest::mouseMove(stampa, QPoint(-40, -40));
            QTest::mouseRelease(stampa, Qt::LeftButton, {}, QPoint(-40, -40));
            QTRY_VERIFY(!wait->isVisible());
        }));
        QVERIFY(!QFile::exists(pdf));
    }

    // Only Chiudi and the pick close the screen; Escape and the window manager do not.
    void closesOnlyThroughItsControls()
    {
        bool afterEscape = false, afterWindowClose = false, afterChiudi = true;
        QVERIFY(withTable(false, [&] {
            QTest::keyClick(txtTrova(), Qt::Key_Escape);
            QTest::keyClick(dlg, Qt::Key_Escape);
            afterEscape = dlg->isVisible();
            // What the window manager sends when its close is asked for.
            QCloseEvent wmClose;
            QCoreApplication::sendEvent(dlg->windowHandle(), &wmClose);
            afterWindowClose = dlg->isVisible();
            click(button("btnChiudi"));
            afterChiudi = dlg->isVisible();
        }));
        QVERIFY(afterEscape);
        QVERIFY(afterWindowClose);
        QVERIFY(!afterChiudi);
        QCOMPARE(txtDewey()->text(), QStringLiteral("853"));
        QCOMPARE(books->focusWidget(), static_cast<QWidget *>(txtDewey()));
    }
};

OPUSTECA_PINNED_TEST_MAIN(TestDeweyScreen)
#include "tst_dewey_screen.moc"
