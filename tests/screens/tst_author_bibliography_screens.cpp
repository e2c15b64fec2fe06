#include "store/AuthorRecord.h"
#include "store/BibliographyRecord.h"
#include "support/ArchiveKit.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <algorithm>

using namespace opusteca;
using namespace opusteca::test;

namespace {
const QString kAccess =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

QString tooLong(const QString &field, qsizetype length)
{
    return QStringLiteral("Attenzione: hai superato la capienza massima del campo di testo ") + field +
           QStringLiteral(" che consente di memorizzare non più di 5000 caratteri.\n\r\n\rAttualmente hai inserito ") +
           QString::number(length) + QStringLiteral(" caratteri. Quelli in eccesso non saranno salvati.");
}
} // namespace

class TestAuthorBibliographyScreens : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    QWidget *screen = nullptr;

    void open(const QString &name)
    {
        program = std::make_unique<RunningProgram>();
        screen = openArchive(*program, name);
        QVERIFY(screen && screen->isVisible());
    }
    QLineEdit *edit(const QString &name) { return screen->findChild<QLineEdit *>(name); }
    QPlainTextEdit *memo(const QString &name) { return screen->findChild<QPlainTextEdit *>(name); }
    Boxes press(const QString &picture)
    {
        return answerBoxes([&] { clickPicture(screen, picture); });
    }

private slots:
    void cleanup() { program.reset(); }

    void authorValuesAreKeptUntrimmed()
    {
        open(QStringLiteral("TfrmAutori"));
        QCOMPARE(screen->windowTitle(), QStringLiteral(" Opusteca 2.0 - Archivio Autori"));
        QCOMPARE(screen->focusWidget(), edit(QStringLiteral("txtAutore")));
        edit(QStringLiteral("txtAutore"))->setText(QStringLiteral(" Italo Calvino"));
        edit(QStringLiteral("txtNazione"))->setText(QStringLiteral("Italiana "));
        edit(QStringLiteral("txtPeriodo"))->setText(QStringLiteral("   "));
        memo(QStringLiteral("txtBiografia"))->setPlainText(QStringLiteral("Nato a Cuba.\nVisse a Torino."));
        QCOMPARE(press(QStringLiteral("cmdSalva")).texts, QStringList{kInserted});
        QCOMPARE(positionOf(screen), QStringLiteral("1"));
        const QByteArray file = program->folder.read(QStringLiteral("Autori.pro"));
        QCOMPARE(file.size(), 15960);
        QCOMPARE(file.mid(0, 15), QByteArray(" Italo Calvino\0", 15));
        QCOMPARE(fieldBytes(file, authorLayout(), 1, autore::Nazione), QByteArray("Italiana "));
        QCOMPARE(fieldBytes(file, authorLayout(), 1, autore::Periodo), QByteArray("   "));
        QCOMPARE(fieldBytes(file, authorLayout(), 1, autore::Biografia), QByteArray("Nato a Cuba.\r\nVisse a Torino."));

        press(QStringLiteral("cmdNuovo"));
        QCOMPARE(edit(QStringLiteral("txtAutore"))->text(), QString());
        QCOMPARE(positionOf(screen), QString());
        press(QStringLiteral("cmdPrimo"));
        QCOMPARE(edit(QStringLiteral("txtAutore"))->text(), QStringLiteral(" Italo Calvino"));
        QCOMPARE(edit(QStringLiteral("txtNazione"))->text(), QStringLiteral("Italiana "));
        QCOMPARE(memo(QStringLiteral("txtBiografia"))->toPlainText(), QStringLiteral("Nato a Cuba.\nVisse a Torino."));
        QCOMPARE(press(QStringLiteral("cmdSalva")).texts, QStringList{kUpdated});
        QCOMPARE(program->folder.read(QStringLiteral("Autori.pro")).size(), 15960);
    }

    void authorNameIsMandatory()
    {
        open(QStringLiteral("TfrmAutori"));
        edit(QStringLiteral("txtAutore"))->setText(QStringLiteral("  "));
        edit(QStringLiteral("txtNazione"))->setText(QStringLiteral("x"));
        const Boxes boxes = press(QStringLiteral("cmdSalva"));
        QCOMPARE(boxes.texts, QStringList{QStringLiteral(
                                  "Attenzione: per salvare la scheda è necessario indicare il nome dell'autore.")});
        QCOMPARE(boxes.icons.value(0), QMessageBox::Warning);
        QCOMPARE(screen->focusWidget(), edit(QStringLiteral("txtAutore")));
        QVERIFY(!QFile::exists(program->folder.file(QStringLiteral("Autori.pro"))));
    }

    void overLongTextsAreWarnedInFieldOrderAndCut()
    {
        open(QStringLiteral("TfrmAutori"));
        edit(QStringLiteral("txtAutore"))->setText(QStringLiteral("A"));
        memo(QStringLiteral("txtBiografia"))->setPlainText(QString(5001, QLatin1Char('b')));
        // 4000 characters and 600 line breaks: 4600 typed, 5200 counted.
        QString works;
        for (int i = 0; i < 600; ++i) works += QString(6, QLatin1Char('o')) + QLatin1Char('\n');
        works += QString(4000 - 3600, QLatin1Char('o'));
        memo(QStringLiteral("txtOpere"))->setPlainText(works);
        memo(QStringLiteral("txtPensiero"))->setPlainText(QString(5000, QLatin1Char('p')));
        const Boxes boxes = press(QStringLiteral("cmdSalva"));
        QCOMPARE(boxes.texts, (QStringList{tooLong(QStringLiteral("Biografia"), 5001),
                                           tooLong(QStringLiteral("Opere"), 5200), kInserted}));
        QCOMPARE(boxes.icons.value(0), QMessageBox::Warning);
        QCOMPARE(screen->focusWidget(), memo(QStringLiteral("txtOpere")));
        const QByteArray file = program->folder.read(QStringLiteral("Autori.pro"));
        QCOMPARE(fieldBytes(file, authorLayout(), 1, autore::Biografia), QByteArray(5000, 'b'));
        const QByteArray opere = fieldBytes(file, authorLayout(), 1, autore::Opere);
        QCOMPARE(opere.size(), 5000);
        QVERIFY(opere.startsWith("oooooo\r\noooooo\r\n"));
        QCOMPARE(fieldBytes(file, authorLayout(), 1, autore::Pensiero), QByteArray(5000, 'p'));
    }

    void saveFailureIsAPlainBox_data()
    {
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("mandatory");
        QTest::newRow("authors") << "TfrmAutori"
                                 << "Autori.pro"
                                 << "txtAutore";
        QTest::newRow("bibliographies") << "TfrmBibliografie"
                                        << "Bibliografie.pro"
                                        << "txtTitolo";
    }
    void saveFailureIsAPlainBox()
    {
        QFETCH(QString, screenName);
        QFETCH(QString, fileName);
        QFETCH(QString, mandatory);
        open(screenName);
        QVERIFY(QDir(program->folder.path()).mkdir(fileName));
        edit(mandatory)->setText(QStringLiteral("x"));
        Boxes boxes = press(QStringLiteral("cmdSalva"));
        QCOMPARE(boxes.texts, QStringList{kAccess});
        QCOMPARE(boxes.icons.value(0), QMessageBox::NoIcon);
        QCOMPARE(boxes.buttonCounts.value(0), 1);
        QCOMPARE(positionOf(screen), QString());
        // Browsing failures stay error boxes.
        boxes = press(QStringLiteral("cmdPrimo"));
        QCOMPARE(boxes.texts, QStringList{kAccess});
        QCOMPARE(boxes.icons.value(0), QMessageBox::Critical);
    }

    void enterChains_data()
    {
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("author name") << "TfrmAutori"
                                     << "txtAutore"
                                     << "txtNazione";
        QTest::newRow("genres into biography") << "TfrmAutori"
                                               << "txtGeneri"
                                               << "txtBiografia";
        QTest::newRow("judgement back to name") << "TfrmAutori"
                                                << "txtGiudizio"
                                                << "txtAutore";
        QTest::newRow("researchers into the list") << "TfrmBibliografie"
                                                   << "txtRicercatori"
                                                   << "txtBibliografia";
        QTest::newRow("start date") << "TfrmBibliografie"
                                    << "txtDataInizio"
                                    << "txtDataFine";
        QTest::newRow("audience back to title") << "TfrmBibliografie"
                                                << "txtDestinatari"
                                                << "txtTitolo";
    }
    void enterChains()
    {
        QFETCH(QString, screenName);
        QFETCH(QString, from);
        QFETCH(QString, to);
        open(screenName);
        screen->findChild<QWidget *>(from)->setFocus();
        pressEnter(screen->focusWidget());
        QCOMPARE(screen->focusWidget()->objectName(), to);
    }

    void enterInAMultiLineFieldStartsANewLine()
    {
        open(QStringLiteral("TfrmAutori"));
        QPlainTextEdit *bio = memo(QStringLiteral("txtBiografia"));
        bio->setFocus();
        typeText(bio, QStringLiteral("uno"));
        pressEnter(bio);
        typeText(bio, QStringLiteral("due"));
        QCOMPARE(bio->toPlainText(), QStringLiteral("uno\ndue"));
        QCOMPARE(screen->focusWidget(), bio);
    }

    void folderButtonNeedsAStoredCard()
    {
        open(QStringLiteral("TfrmAutori"));
        edit(QStringLiteral("txtAutore"))->setText(QStringLiteral("Dante"));
        Boxes boxes = press(QStringLiteral("cmdCartella"));
        QCOMPARE(
            boxes.texts,
            QStringList{QStringLiteral(
                "Attenzione: l'abbinamento di una cartella ad un autore può avvenire soltanto dopo che la scheda è "
                "stata inserita in archivio.")});
        press(QStringLiteral("cmdSalva"));
        press(QStringLiteral("cmdSalva"));
        QString tag;
        QVERIFY(whileModal([&] { clickPicture(screen, QStringLiteral("cmdCartella")); }, QStringLiteral("TfrmCartella"),
                           [&](QWidget *d) {
                               tag = d->findChild<QLabel *>(QStringLiteral("lblMemory"))->text();
                               d->close();
                           }));
        QCOMPARE(tag, QStringLiteral("1"));
        press(QStringLiteral("cmdNuovo"));
        QCOMPARE(press(QStringLiteral("cmdCartella")).count(), 1); // refused again on the new card
    }

    void bibliographyWithATitleOnly()
    {
        open(QStringLiteral("TfrmBibliografie"));
        QCOMPARE(screen->windowTitle(), QStringLiteral(" Opusteca 2.0 - Archivio Bibliografie"));
        edit(QStringLiteral("txtTitolo"))->setText(QStringLiteral("Il Risorgimento "));
        QLineEdit *start = edit(QStringLiteral("txtDataInizio"));
        start->setFocus();
        typeText(start, QStringLiteral("marzo 2024 e oltre"));
        QCOMPARE(start->text(), QStringLiteral("marzo 2024"));
        QCOMPARE(press(QStringLiteral("cmdSalva")).texts, QStringList{kInserted});
        const QByteArray file = program->folder.read(QStringLiteral("Bibliografie.pro"));
        QCOMPARE(file.size(), 8286);
        QCOMPARE(fieldBytes(file, bibliographyLayout(), 1, bibliografia::Titolo), QByteArray("Il Risorgimento "));
        QCOMPARE(file.mid(251, 11), QByteArray("marzo 2024\0", 11));
        for (int f = bibliografia::DataFine; f < bibliografia::FieldCount; ++f)
            QCOMPARE(fieldBytes(file, bibliographyLayout(), 1, f), QByteArray());
    }

    void bibliographyListOverLong()
    {
        open(QStringLiteral("TfrmBibliografie"));
        edit(QStringLiteral("txtTitolo"))->setText(QStringLiteral("T"));
        memo(QStringLiteral("txtBibliografia"))->setPlainText(QString(6000, QLatin1Char('x')));
        const Boxes boxes = press(QStringLiteral("cmdSalva"));
        QCOMPARE(boxes.texts, (QStringList{tooLong(QStringLiteral("Bibliografia"), 6000), kInserted}));
        QCOMPARE(fieldBytes(program->folder.read(QStringLiteral("Bibliografie.pro")), bibliographyLayout(), 1,
                            bibliografia::Bibliografia),
                 QByteArray(5000, 'x'));
    }

    void attachmentsTravelWithTheCard()
    {
        const Record stored = makeRecord(bibliographyLayout(), {{bibliografia::Titolo, QStringLiteral("R")},
                                                                {bibliografia::File01, QStringLiteral("a.pdf")},
                                                                {bibliografia::Desc01, QStringLiteral("Atti")}});
        open(QStringLiteral("TfrmBibliografie"));
        program->folder.write(QStringLiteral("Bibliografie.pro"), fileOf({stored}));
        press(QStringLiteral("cmdPrimo"));
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("lblFile01"))->text(), QStringLiteral("a.pdf"));
        press(QStringLiteral("cmdSalva"));
        QCOMPARE(program->folder.read(QStringLiteral("Bibliografie.pro")), stored.bytes());

        // The attachment screen opens on a new card too, with the tag and the files.
        press(QStringLiteral("cmdNuovo"));
        screen->findChild<QLabel *>(QStringLiteral("lblFile03"))->setText(QStringLiteral(" c.doc"));
        QString tag, file3;
        QVERIFY(whileModal([&] { clickPicture(screen, QStringLiteral("cmdCartella")); },
                           QStringLiteral("TfrmAllegaCartella"),
                           [&](QWidget *d) {
                               tag = d->findChild<QLabel *>(QStringLiteral("lblMemory"))->text();
                               file3 = d->findChild<QLineEdit *>(QStringLiteral("txtFile03"))->text();
                               d->close();
                           }));
        QCOMPARE(tag, QStringLiteral("bibliografie"));
        QCOMPARE(file3, QStringLiteral("c.doc"));
    }

    void toolbarDialogs_data()
    {
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("tag");
        QTest::newRow("author search") << "TfrmAutori"
                                       << "cmdTrova"
                                       << "TfrmTrovaAutori"
                                       << "autori";
        QTest::newRow("author rtf") << "TfrmAutori"
                                    << "cmdWord"
                                    << "TfrmCreaRTF"
                                    << "autori";
        QTest::newRow("author export") << "TfrmAutori"
                                       << "cmdExcel"
                                       << "TfrmExpAutori"
                                       << "";
        QTest::newRow("author import") << "TfrmAutori"
                                       << "impLibri"
                                       << "TfrmTrovaLibri"
                                       << "autori";
        QTest::newRow("author help") << "TfrmAutori"
                                     << "cmdGuida"
                                     << "TfrmGuida"
                                     << "";
        QTest::newRow("bibliography search") << "TfrmBibliografie"
                                             << "cmdTrova"
                                             << "TfrmTrovaBibliografie"
                                             << "bibliografie";
        QTest::newRow("bibliography rtf") << "TfrmBibliografie"
                                          << "cmdWord"
                                          << "TfrmCreaRTF"
                                          << "bibliografie";
        QTest::newRow("bibliography export") << "TfrmBibliografie"
                                             << "cmdExcel"
                                             << "TfrmExpBibliografie"
                                             << "";
        QTest::newRow("bibliography import") << "TfrmBibliografie"
                                             << "impLibri"
                                             << "TfrmTrovaLibri"
                                             << "bibliografie";
    }
    void toolbarDialogs()
    {
        QFETCH(QString, screenName);
        QFETCH(QString, picture);
        QFETCH(QString, dialog);
        QFETCH(QString, tag);
        open(screenName);
        QString seen;
        QVERIFY(whileModal([&] { clickPicture(screen, picture); }, dialog,
                           [&](QWidget *d) {
                               seen = d->findChild<QLabel *>(QStringLiteral("lblMemory"))->text();
                               d->close();
                           }));
        QCOMPARE(seen, tag);
    }

    void statusLineTexts()
    {
        open(QStringLiteral("TfrmAutori"));
        auto *panInfo = screen->findChild<QLabel *>(QStringLiteral("panInfo"));
        QCOMPARE(panInfo->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
        QTest::mouseMove(screen->findChild<QWidget *>(QStringLiteral("impLibri")));
        QTRY_COMPARE(panInfo->text(), QStringLiteral("Importa i dati dall'Archivio Libri."));
        QTest::mouseMove(screen->findChild<QWidget *>(QStringLiteral("icoAutori02")));
        QTRY_COMPARE(panInfo->text(), QString());
    }

    // Every caption stands the same small distance above its own field, the
    // first row's as well as the others.
    void captionsSitRightAboveTheirFields_data()
    {
        QTest::addColumn<QString>("screenName");
        QTest::newRow("authors") << "TfrmAutori";
        QTest::newRow("bibliographies") << "TfrmBibliografie";
    }
    void captionsSitRightAboveTheirFields()
    {
        QFETCH(QString, screenName);
        open(screenName);
        const RecordLayout &layout = screenName == QLatin1String("TfrmAutori") ? authorLayout() : bibliographyLayout();
        QList<int> gaps;
        for (int i = 0; i < 10; ++i) {
            auto *caption =
                screen->findChild<QLabel *>(QStringLiteral("lblCampo%1").arg(i + 1, 3, 10, QLatin1Char('0')));
            QWidget *field = screen->findChild<QWidget *>(QString::fromLatin1(layout.fields[i].control));
            QVERIFY(caption && field);
            // Where the label draws its one line of text.
            const QRect box = caption->contentsRect();
            const int textHeight = caption->fontMetrics().height();
            int textBottom = box.bottom();
            if (caption->alignment() & Qt::AlignTop)
                textBottom = box.top() + textHeight - 1;
            else if (caption->alignment() & Qt::AlignVCenter)
                textBottom = box.center().y() + textHeight / 2;
            const int gap = field->mapTo(screen, QPoint(0, 0)).y() - caption->mapTo(screen, QPoint(0, textBottom)).y();
            QVERIFY2(gap >= 0, qPrintable(caption->text()));
            gaps << gap;
        }
        const auto [low, high] = std::minmax_element(gaps.begin(), gaps.end());
        QVERIFY2(*high - *low <= 1, qPrintable(QStringLiteral("gaps from %1 to %2").arg(*low).arg(*high)));
    }

    // The toolbar groups are as wide as what they hold and share out the spare
    // width as equal gaps, from the card's left edge to its right edge.
    void toolbarGroupsFitTheirPictures_data()
    {
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QSize>("windowSize");
        QTest::newRow("authors 1366") << "TfrmAutori" << QSize(1366, 740);
        QTest::newRow("authors 1920") << "TfrmAutori" << QSize(1920, 1050);
        QTest::newRow("bibliographies 1366") << "TfrmBibliografie" << QSize(1366, 740);
        QTest::newRow("books 1366") << "TfrmLibri" << QSize(1366, 740);
    }
    void toolbarGroupsFitTheirPictures()
    {
        QFETCH(QString, screenName);
        QFETCH(QSize, windowSize);
        open(screenName);
        screen->showNormal();
        screen->resize(windowSize);
        QTRY_COMPARE(screen->size(), windowSize);
        QWidget *card = screen->findChild<QWidget *>(QStringLiteral("shpScheda"));
        QVERIFY(card);
        const QRect cardBox(card->mapTo(screen, QPoint(0, 0)), card->size());

        QList<QRect> groups;
        for (int i = 1; i <= 6; ++i) {
            auto *group =
                screen->findChild<QWidget *>(QStringLiteral("shpControlli%1").arg(i, 2, 10, QLatin1Char('0')));
            QVERIFY(group);
            QRect content;
            for (QWidget *child : group->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                if (child->isVisible()) content |= child->geometry();
            QVERIFY(content.isValid());
            // No more room beside the pictures than the group's own margins.
            const int slack = group->width() - content.width();
            QVERIFY2(slack <= 20, qPrintable(QStringLiteral("group %1: %2 px spare").arg(i).arg(slack)));
            groups << QRect(group->mapTo(screen, QPoint(0, 0)), group->size());
        }
        QVERIFY(qAbs(groups.first().left() - cardBox.left()) <= 1);
        QVERIFY(qAbs(groups.last().right() - cardBox.right()) <= 1);
        QList<int> gaps;
        for (int i = 1; i < groups.size(); ++i) gaps << groups[i].left() - groups[i - 1].right();
        const auto [low, high] = std::minmax_element(gaps.begin(), gaps.end());
        QVERIFY2(*low > 0 && *high - *low <= 1, qPrintable(QStringLiteral("gaps from %1 to %2").arg(*low).arg(*high)));
    }
};

QTEST_MAIN(TestAuthorBibliographyScreens)
#include "tst_author_bibliography_screens.moc"
